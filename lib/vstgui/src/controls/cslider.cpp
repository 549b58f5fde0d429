#include "vstgui/lib/controls/cslider.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CVerticalSlider::CVerticalSlider(const CRect& r, IControlListener* l, int32_t t, int32_t iMinPos,
                                 int32_t iMaxPos, CBitmap* h, CBitmap* bg, const CPoint& o,
                                 int32_t s)
    : CControl(r, l, t, bg), offset(o), minPos(iMinPos - r.top), rangeHandle(iMaxPos - iMinPos),
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

float CVerticalSlider::valueAt(const CPoint& where) const {
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

CMouseEventResult CVerticalSlider::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    tracking = true;
    startValue = value;
    onMouseMoved(where, buttons);
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!tracking || !(buttons & kLButton))
        return tracking ? kMouseEventHandled : kMouseEventNotHandled;
    float v = valueAt(where);
    if (v != value) {
        value = v;
        invalid();
        valueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseUp(CPoint&, const CButtonState&) {
    if (tracking) {
        tracking = false;
        endEdit();
    }
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseCancel() {
    if (tracking) {
        tracking = false;
        value = startValue;
        invalid();
        valueChanged();
        endEdit();
    }
    return kMouseEventHandled;
}

bool CVerticalSlider::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    return applyWheel(distance);
}

}  // namespace VSTGUI
