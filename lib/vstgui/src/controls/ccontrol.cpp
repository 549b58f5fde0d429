#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CControl::CControl(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg)
    : CView(r), listener(l), tag(t) {
    if (bg)
        setBackground(bg);
}

void CControl::setValue(float val) {
    value = val;
}

void CControl::setValueNormalized(float val) {
    val = val < 0.f ? 0.f : (val > 1.f ? 1.f : val);
    setValue(vmin + val * (vmax - vmin));
}

float CControl::getValueNormalized() const {
    float range = getRange();
    return range == 0.f ? 0.f : (value - vmin) / range;
}

void CControl::setTag(int32_t val) {
    if (listener)
        listener->controlTagWillChange(this);
    tag = val;
    if (listener)
        listener->controlTagDidChange(this);
}

void CControl::beginEdit() {
    if (++editing == 1 && listener)
        listener->controlBeginEdit(this);
}

void CControl::endEdit() {
    if (editing == 0)
        return;
    if (--editing == 0 && listener)
        listener->controlEndEdit(this);
}

void CControl::valueChanged() {
    if (listener)
        listener->valueChanged(this);
}

void CControl::bounceValue() {
    if (value > vmax)
        value = vmax;
    else if (value < vmin)
        value = vmin;
}

void CControl::setDirty(bool state) {
    CView::setDirty(state);
    if (state)
        oldValue = value != -1.f ? -1.f : 0.f;
    else
        oldValue = value;
}

bool CControl::isDirty() const {
    return oldValue != value || CView::isDirty();
}

CMouseEventResult CDragControl::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    beginEdit();
    dragging = true;
    startValue = value;
    setDragged(dragValue(where, buttons, true));
    return kMouseEventHandled;
}

CMouseEventResult CDragControl::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!dragging)
        return kMouseEventNotHandled;
    if (buttons & kLButton)
        setDragged(dragValue(where, buttons, false));
    return kMouseEventHandled;
}

CMouseEventResult CDragControl::onMouseUp(CPoint&, const CButtonState&) {
    if (dragging) {
        dragging = false;
        endEdit();
    }
    return kMouseEventHandled;
}

CMouseEventResult CDragControl::onMouseCancel() {
    if (dragging) {
        dragging = false;
        setDragged(startValue);
        endEdit();
    }
    return kMouseEventHandled;
}

bool CDragControl::onWheel(const CPoint&, const float& distance, const CButtonState&) {
    float before = value;
    beginEdit();
    setValueNormalized(getValueNormalized() + distance * wheelInc);
    if (value != before) {
        invalid();
        valueChanged();
    }
    endEdit();
    return true;
}

void CDragControl::setDragged(float v) {
    v = v < vmin ? vmin : (v > vmax ? vmax : v);
    if (v == value)
        return;
    value = v;
    invalid();
    valueChanged();
}

void drawFilmStripFrame(CDrawContext* context, CBitmap* strip, const CRect& dest, int32_t index,
                        CCoord frameHeight, const CPoint& offset, float alpha) {
    if (!strip)
        return;
    context->drawBitmap(strip, dest, CPoint(offset.x, offset.y + index * frameHeight), alpha);
}

int32_t filmStripIndex(float normValue, int32_t frames) {
    if (frames <= 1)
        return 0;
    auto index = static_cast<int32_t>(normValue * static_cast<float>(frames - 1) + 0.5f);
    return index < 0 ? 0 : (index >= frames ? frames - 1 : index);
}

}  // namespace VSTGUI
