// A knob drawn from a film strip. Dragging up raises it (200 pixels cover the
// whole range, ten times finer with shift held); each wheel notch moves it by the
// wheel increment.
#pragma once
#include "ccontrol.h"

namespace VSTGUI {

class CAnimKnob : public CControl {
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

    // Angles in radians; kept for a circular drawing, the film strip ignores them.
    void setStartAngle(float val) { startAngle = val; }
    float getStartAngle() const { return startAngle; }
    void setRangeAngle(float val) { rangeAngle = val; }
    float getRangeAngle() const { return rangeAngle; }
    void setInverseBitmap(bool val) { inverseBitmap = val; }
    int32_t getNumSubPixmaps() const;

    static constexpr CCoord kDragRange = 200;

private:
    CPoint offset;
    CCoord heightOfOneImage;
    int32_t subPixmaps;
    float startAngle{3.f * 3.14159265f / 4.f};
    float rangeAngle{3.f * 3.14159265f / 2.f};
    bool inverseBitmap{false};
    CPoint lastPoint;
    float startValue{0};
    bool dragging{false};
};

}  // namespace VSTGUI
