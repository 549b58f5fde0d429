#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg, const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(r.getHeight()), subPixmaps(0) {}

CAnimKnob::CAnimKnob(const CRect& r, IControlListener* l, int32_t t, int32_t sub, CCoord h,
                     CBitmap* bg, const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(h), subPixmaps(sub) {}

int32_t CAnimKnob::getNumSubPixmaps() const {
    if (subPixmaps > 0)
        return subPixmaps;
    if (!background || heightOfOneImage <= 0)
        return 0;
    return static_cast<int32_t>(background->getHeight() / heightOfOneImage);
}

void CAnimKnob::draw(CDrawContext* context) {
    float norm = getValueNormalized();
    if (inverseBitmap)
        norm = 1.f - norm;
    drawFilmStripFrame(context, background, size, filmStripIndex(norm, getNumSubPixmaps()),
                       heightOfOneImage, offset, 1.f);
}

CMouseEventResult CAnimKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    dragging = true;
    lastPoint = where;
    startValue = value;
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!dragging || !(buttons & kLButton))
        return dragging ? kMouseEventHandled : kMouseEventNotHandled;
    CCoord range = kDragRange;
    if (buttons & kZoomModifier)
        range *= 10;
    float v = getValueNormalized() + static_cast<float>((lastPoint.y - where.y) / range);
    lastPoint = where;
    float before = value;
    setValueNormalized(v);
    if (value != before) {
        invalid();
        valueChanged();
    }
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseUp(CPoint&, const CButtonState&) {
    if (dragging) {
        dragging = false;
        endEdit();
    }
    return kMouseEventHandled;
}

CMouseEventResult CAnimKnob::onMouseCancel() {
    if (dragging) {
        dragging = false;
        value = startValue;
        invalid();
        valueChanged();
        endEdit();
    }
    return kMouseEventHandled;
}

bool CAnimKnob::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    return applyWheel(distance);
}

}  // namespace VSTGUI
