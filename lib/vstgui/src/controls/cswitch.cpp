#include "vstgui/lib/controls/cswitch.h"
#include <algorithm>
#include <cmath>
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CSwitchBase::CSwitchBase(const CRect& r, IControlListener* l, int32_t t, int32_t sub, CCoord h,
                         int32_t maxPos, CBitmap* bg, const CPoint& o)
    : CDragControl(r, l, t, bg), offset(o), heightOfOneImage(h), subPixmaps(sub),
      positions(maxPos > 0 ? maxPos : 1) {}

int32_t CSwitchBase::framesIn(CBitmap* bg, const CRect& r) {
    return bg && r.getHeight() > 0 ? static_cast<int32_t>(bg->getHeight() / r.getHeight()) : 1;
}

void CSwitchBase::draw(CDrawContext* context) {
    drawFilmStripFrame(context, background, size, filmStripIndex(getValueNormalized(), subPixmaps),
                       heightOfOneImage, offset, 1.f);
}

bool CSwitchBase::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    const int32_t last = positions - 1;
    if (last < 1 || distance == 0.f)
        return true;
    // Whole notches; a smaller movement (a touchpad's) still moves one position.
    const int32_t notches = distance > 0.f ? std::max(1, static_cast<int32_t>(distance + 0.5f))
                                           : -std::max(1, static_cast<int32_t>(0.5f - distance));
    const int32_t from = static_cast<int32_t>(std::lround(getValueNormalized() * last));
    const int32_t to = std::clamp(from + notches, 0, last);
    beginEdit();
    setDragged(vmin + static_cast<float>(to) / static_cast<float>(last) * (vmax - vmin));
    endEdit();
    return true;
}

float CSwitchBase::dragValue(const CPoint& where, const CButtonState&, bool) {
    int32_t pos = positionAt(where);
    pos = pos < 0 ? 0 : (pos >= positions ? positions - 1 : pos);
    float norm = positions > 1 ? static_cast<float>(pos) / static_cast<float>(positions - 1) : 0.f;
    return vmin + norm * (vmax - vmin);
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& r, IControlListener* l, int32_t t, int32_t sub,
                                     CCoord h, int32_t maxPos, CBitmap* bg, const CPoint& o)
    : CSwitchBase(r, l, t, sub, h, maxPos, bg, o) {}

CHorizontalSwitch::CHorizontalSwitch(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                                     const CPoint& o)
    : CSwitchBase(r, l, t, framesIn(bg, r), r.getHeight(), framesIn(bg, r), bg, o) {}

int32_t CHorizontalSwitch::positionAt(const CPoint& where) const {
    CCoord cell = size.getWidth() / positions;
    return cell > 0 ? static_cast<int32_t>(std::floor((where.x - size.left) / cell)) : 0;
}

CVerticalSwitch::CVerticalSwitch(const CRect& r, IControlListener* l, int32_t t, int32_t sub,
                                 CCoord h, int32_t maxPos, CBitmap* bg, const CPoint& o)
    : CSwitchBase(r, l, t, sub, h, maxPos, bg, o) {}

CVerticalSwitch::CVerticalSwitch(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                                 const CPoint& o)
    : CSwitchBase(r, l, t, framesIn(bg, r), r.getHeight(), framesIn(bg, r), bg, o) {}

int32_t CVerticalSwitch::positionAt(const CPoint& where) const {
    CCoord cell = size.getHeight() / positions;
    return cell > 0 ? static_cast<int32_t>(std::floor((where.y - size.top) / cell)) : 0;
}

}  // namespace VSTGUI
