#include "vstgui/lib/controls/cslider.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CVerticalSlider::CVerticalSlider(const CRect& r, IControlListener* l, int32_t t, int32_t iMinPos,
                                 int32_t iMaxPos, CBitmap* h, CBitmap* bg, const CPoint& o,
                                 int32_t s)
    : CDragControl(r, l, t, bg), offset(o), minPos(iMinPos - r.top), rangeHandle(iMaxPos - iMinPos),
      style(s) {
    setHandle(h);
}

CVerticalSlider::~CVerticalSlider() {
    if (handle)
        handle->forget();
}

void CVerticalSlider::setHandle(CBitmap* h) {
    if (h)
        h->remember();
    if (handle)
        handle->forget();
    handle = h;
    invalid();
}

void CVerticalSlider::draw(CDrawContext* context) {
    if (background)
        context->drawBitmap(background, size, offset);
    if (!handle)
        return;
    float norm = getValueNormalized();
    if (style & kBottom)
        norm = 1.f - norm;
    CCoord top = size.top + minPos + offsetHandle.y + static_cast<CCoord>(norm) * rangeHandle;
    CCoord left = size.left + offsetHandle.x;
    context->drawBitmap(handle,
                        CRect(left, top, left + handle->getWidth(), top + handle->getHeight()));
}

float CVerticalSlider::dragValue(const CPoint& where, const CButtonState&, bool) {
    if (rangeHandle <= 0)
        return value;
    CCoord handleCentre = handle ? handle->getHeight() / 2 : 0;
    CCoord zero = size.top + minPos + offsetHandle.y + handleCentre;
    auto norm = static_cast<float>((where.y - zero) / rangeHandle);
    norm = norm < 0.f ? 0.f : (norm > 1.f ? 1.f : norm);
    if (style & kBottom)
        norm = 1.f - norm;
    return vmin + norm * (vmax - vmin);
}

}  // namespace VSTGUI
