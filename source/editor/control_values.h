// Setting what a control shows. A control is only touched (and so only repainted)
// when the value or text differs from what it shows, which keeps the refresh tick
// cheap while nothing changes.
#pragma once

#include "vstgui/vstgui.h"

#include <string>

namespace Steinberg {
namespace Vst {

// A control the user is moving (between its beginEdit and endEdit) keeps the value the
// mouse gives it: fine and slow drags would otherwise be lost to rounding.
inline void showNormalized(VSTGUI::CControl* control, float normalized) {
    if (!control || control->isEditing())
        return;
    const float before = control->getValue();
    control->setValueNormalized(normalized);
    if (control->getValue() != before)
        control->setDirty();
}

// Leaves alone the view that has the keyboard focus (the user is typing there).
inline void showText(VSTGUI::CTextLabel* label, const std::string& text,
                     const VSTGUI::CView* focus = nullptr) {
    if (label && label != focus && label->getText() != text)
        label->setText(text);
}

// Radio group: button `selected` on, the others off.
template <typename Button, size_t N>
void selectRadio(Button* const (&buttons)[N], int32_t selected) {
    for (size_t i = 0; i < N; ++i)
        showNormalized(buttons[i], int32_t(i) == selected ? 1.0f : 0.0f);
}

// The knob's integer step: n = (int)(norm * steps + 0.5) in single precision.
inline int32_t snapStep(float normalized, int32_t steps) {
    return int32_t(normalized * float(steps) + 0.5f);
}

// The entry a menu's last choice picked, in the menu or one of its sub-menus (which
// `chosenMenu` names); null when there is none.
inline const VSTGUI::CMenuItem* chosenEntry(VSTGUI::CControl* control,
                                            VSTGUI::COptionMenu*& chosenMenu) {
    auto* menu = dynamic_cast<VSTGUI::COptionMenu*>(control);
    int32_t index = -1;
    chosenMenu = menu ? menu->getLastItemMenu(index) : nullptr;
    return chosenMenu ? chosenMenu->getEntry(index) : nullptr;
}

inline bool isShown(const VSTGUI::CView* view) {
    return view && view->isVisible() && view->getAlphaValue() > 0.0f;
}

}  // namespace Vst
}  // namespace Steinberg
