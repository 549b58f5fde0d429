// Mouse buttons, modifier keys and the results of mouse event handlers.
#pragma once
#include <cstdint>

namespace VSTGUI {

// The three buttons and the shift and control keys share the mask 0x30E, so a
// handler that compares (state & 0x30E) with kLButton reacts to a plain left click
// only; double clicks, alt and the extra buttons lie outside that mask.
enum CButton : int32_t {
    kLButton = 1 << 1,
    kMButton = 1 << 2,
    kRButton = 1 << 3,
    kButton4 = 1 << 4,
    kButton5 = 1 << 5,
    kAlt = 1 << 6,
    kApple = 1 << 7,
    kShift = 1 << 8,
    kControl = 1 << 9,
    kDoubleClick = 1 << 10,
    kMouseWheelInverted = 1 << 11,
};

class CButtonState {
public:
    CButtonState(int32_t s = 0) : state(s) {}
    int32_t getButtonState() const {
        return state & (kLButton | kMButton | kRButton | kButton4 | kButton5);
    }
    bool isLeftButton() const { return getButtonState() == kLButton; }
    int32_t operator()() const { return state; }
    operator int32_t() const { return state; }

private:
    int32_t state;
};

enum CMouseEventResult {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled,
    kMouseEventNotHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
    kMouseMoveEventHandledButDontNeedMoreEvents,
};

enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY };

}  // namespace VSTGUI
