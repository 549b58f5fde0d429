#include "vstgui/lib/controls/cmoviebitmap.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CMovieBitmap::CMovieBitmap(const CRect& r, IControlListener* l, int32_t t, int32_t sub, CCoord h,
                           CBitmap* bg, const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(h), subPixmaps(sub) {}

CMovieBitmap::CMovieBitmap(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                           const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(r.getHeight()),
      subPixmaps(bg && r.getHeight() > 0 ? static_cast<int32_t>(bg->getHeight() / r.getHeight())
                                         : 0) {}

void CMovieBitmap::draw(CDrawContext* context) {
    drawFilmStripFrame(context, background, size, filmStripIndex(getValueNormalized(), subPixmaps),
                       heightOfOneImage, offset, 1.f);
}

}  // namespace VSTGUI
