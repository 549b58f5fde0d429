#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg,
                         const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(r.getHeight()) {}

CKickButton::CKickButton(const CRect& r, IControlListener* l, int32_t t, CCoord h, CBitmap* bg,
                         const CPoint& o)
    : CControl(r, l, t, bg), offset(o), heightOfOneImage(h) {}

void CKickButton::draw(CDrawContext* context) {
    bounceValue();
    drawFilmStripFrame(context, background, size, value == vmax ? 1 : 0, heightOfOneImage, offset,
                       1.f);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState&) {
    if (isEditing()) {
        float v = size.pointInside(where) ? vmax : vmin;
        if (v != value) {
            value = v;
            invalid();
        }
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
    if (isEditing()) {
        // The listener sees the press (maximum) and the release (minimum) once each.
        if (value != vmin)
            valueChanged();
        value = vmin;
        valueChanged();
        invalid();
        endEdit();
    }
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel() {
    if (isEditing()) {
        value = vmin;
        invalid();
        endEdit();
    }
    return kMouseEventHandled;
}

COnOffButton::COnOffButton(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg, int32_t s)
    : CControl(r, l, t, bg), style(s) {}

void COnOffButton::draw(CDrawContext* context) {
    CCoord off = 0;
    if (value == vmax && background)
        off = background->getHeight() / 2;
    if (background)
        context->drawBitmap(background, size, CPoint(0, off));
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    value = (value == vmax) ? vmin : vmax;
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

}  // namespace VSTGUI
