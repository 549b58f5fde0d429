// A knob drawn from a film strip. A left drag turns it as the editor's knob mode
// says (CFrame::getKnobMode): circular jumps to the clicked angle and follows the
// pointer round the knob, relative circular turns by the pointer's change of angle,
// linear follows vertical movement (200 pixels for the whole range). The angles are
// the knob's start and range angles. With shift held at the press the drag is linear
// and ten times finer, whatever the mode. Each wheel notch moves it by the wheel
// increment.
#pragma once
#include "ccontrol.h"

namespace VSTGUI {

class CAnimKnob : public CDragControl {
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
              const CPoint& offset = CPoint(0, 0));
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));

    void draw(CDrawContext* context) override;

    // Radians, clockwise on screen from 3 o'clock: the minimum points at the start
    // angle, the maximum at start + range.
    void setStartAngle(float val) { startAngle = val; }
    void setRangeAngle(float val) { rangeAngle = val; }
    int32_t getNumSubPixmaps() const;

    static constexpr CCoord kDragRange = 200;
    static constexpr float kFineFactor = 10;

protected:
    float dragValue(const CPoint& where, const CButtonState& buttons, bool press) override;

private:
    // The pointer's angle round the knob's centre, and the normalised value there.
    double angleAt(const CPoint& where) const;
    float valueAtAngle(double angle) const;

    CPoint offset;
    CCoord heightOfOneImage;
    int32_t subPixmaps;
    float startAngle{3.f * 3.14159265f / 4.f};
    float rangeAngle{3.f * 3.14159265f / 2.f};
    int32_t dragMode{kCircularMode};
    CPoint lastPoint;
    double lastAngle{0};
};

}  // namespace VSTGUI
