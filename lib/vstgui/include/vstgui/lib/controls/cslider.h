// A vertical slider: a handle bitmap travels between two pixel positions. With the
// bottom style the value grows upwards. A click puts the value at the pointer and
// a drag follows it; the wheel moves it by the wheel increment.
#pragma once
#include "ccontrol.h"

namespace VSTGUI {

enum CSliderStyle {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kTop = 1 << 4,
    kBottom = 1 << 5,
};

class CVerticalSlider : public CDragControl {
public:
    // iMinPos and iMaxPos are the handle's travel in the parent's coordinates.
    CVerticalSlider(const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
                    int32_t iMaxPos, CBitmap* handle, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0), int32_t style = kBottom);
    ~CVerticalSlider() override;

    void draw(CDrawContext* context) override;

    void setHandle(CBitmap* handle);
    // Where the handle bitmap is drawn relative to the handle position.
    void setOffsetHandle(const CPoint& val) { offsetHandle = val; }
    void setStyle(int32_t val) { style = val; }
    int32_t getStyle() const { return style; }

protected:
    // The value with the handle's centre at the pointer.
    float dragValue(const CPoint& where, const CButtonState& buttons, bool press) override;

private:
    CBitmap* handle{nullptr};
    CPoint offset;
    CPoint offsetHandle;
    CCoord minPos;
    CCoord rangeHandle;
    int32_t style;
};

}  // namespace VSTGUI
