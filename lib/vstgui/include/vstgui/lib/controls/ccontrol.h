// A view with a value between a minimum and a maximum, a tag and a listener.
#pragma once
#include "../cview.h"
#include "icontrollistener.h"

namespace VSTGUI {

class CControl : public CView {
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0,
             CBitmap* background = nullptr);

    virtual void setValue(float val);
    float getValue() const { return value; }
    // The value mapped to 0..1; setting it clamps to that range first.
    virtual void setValueNormalized(float val);
    float getValueNormalized() const;
    virtual void setMin(float val) { vmin = val; }
    float getMin() const { return vmin; }
    virtual void setMax(float val) { vmax = val; }
    float getMax() const { return vmax; }
    float getRange() const { return vmax - vmin; }
    // Normalised step of one mouse-wheel notch.
    void setWheelInc(float val) { wheelInc = val; }
    float getWheelInc() const { return wheelInc; }

    void setTag(int32_t val);
    int32_t getTag() const { return tag; }
    void setListener(IControlListener* l) { listener = l; }

    // Edits are bracketed by beginEdit/endEdit; valueChanged tells the listener.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return editing > 0; }
    virtual void valueChanged();
    // Clamps the value into min..max.
    virtual void bounceValue();

    void setDirty(bool state = true) override;
    bool isDirty() const override;

    static constexpr int32_t kZoomModifier = kShift;

protected:
    IControlListener* listener;
    int32_t tag;
    float value{0.f};
    float oldValue{1.f};
    float vmin{0.f};
    float vmax{1.f};
    float wheelInc{0.1f};
    int32_t editing{0};
};

// A control that follows a left-button drag (knobs, sliders, switches): the press
// starts an edit, the press and every move while the button is down set the value
// that dragValue gives (reporting each change), the release ends the edit, and a
// cancel puts back the value from before the press. The wheel moves the value by
// the wheel increment (a switch: by one position a notch).
class CDragControl : public CControl {
public:
    using CControl::CControl;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

protected:
    // The value for the pointer at `where` (parent coordinates); press is true for
    // the press that starts the drag.
    virtual float dragValue(const CPoint& where, const CButtonState& buttons, bool press) = 0;
    // Sets the value, held to the range, and reports it when it changed.
    void setDragged(float v);

private:
    bool dragging{false};
    float startValue{0};
};

// Draws frame `index` of a vertical film strip (frames of frameHeight pixels,
// starting at offset) into the control's rectangle.
void drawFilmStripFrame(CDrawContext* context, CBitmap* strip, const CRect& dest, int32_t index,
                        CCoord frameHeight, const CPoint& offset, float alpha);
// Frame index for a normalised value in a strip of `frames` frames.
int32_t filmStripIndex(float normValue, int32_t frames);

}  // namespace VSTGUI
