// Keyboard events: a character, a virtual key and modifiers. The virtual key
// numbers and modifier bits are those the VST 3 host passes to IPlugView::onKeyDown.
#pragma once
#include <cstdint>

namespace VSTGUI {

enum VirtualKey : uint8_t {
    VKEY_BACK = 1,
    VKEY_TAB,
    VKEY_CLEAR,
    VKEY_RETURN,
    VKEY_PAUSE,
    VKEY_ESCAPE,
    VKEY_SPACE,
    VKEY_NEXT,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_UP,
    VKEY_RIGHT,
    VKEY_DOWN,
    VKEY_PAGEUP,
    VKEY_PAGEDOWN,
    VKEY_SELECT,
    VKEY_PRINT,
    VKEY_ENTER,
    VKEY_SNAPSHOT,
    VKEY_INSERT,
    VKEY_DELETE,
};

enum ModifierKey : uint8_t {
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

struct VstKeyCode {
    int32_t character{0};  // Unicode code point, 0 for a pure virtual key
    uint8_t virt{0};       // VirtualKey or 0
    uint8_t modifier{0};   // ModifierKey bits
};

}  // namespace VSTGUI
