// The editor's own VSTGUI classes: the two-frame switch button of its radio groups
// (page tabs, algorithm, velocity curve, LFO wave, generator type) and the preset
// name that reports a click.
#pragma once

#include "vstgui/lib/controls/ctextlabel.h"

#include "vstgui/vstgui.h"

namespace Steinberg {
namespace Vst {

// Frame 0 (off) above frame 1 (on), each as high as the control. A plain left click
// switches it on and reports the change; it never switches itself off: the editor
// does that for the other members of its group.
class CMovieBitmapSwtBtn : public VSTGUI::CMovieBitmap {
public:
    CMovieBitmapSwtBtn(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
                       VSTGUI::CBitmap* bitmap);
    ~CMovieBitmapSwtBtn() override;

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
};

// A text field that reports a plain left click to its listener (its value goes to 1
// for the report): the preset browser's name, which opens the preset menu.
class CClickLabel : public VSTGUI::CTextLabel {
public:
    CClickLabel(const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag);
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
};

// Left, middle and right button with shift and control: a plain left click is
// (state & kClickMask) == kLButton.
constexpr int32_t kClickMask =
    VSTGUI::kLButton | VSTGUI::kMButton | VSTGUI::kRButton | VSTGUI::kShift | VSTGUI::kControl;

inline bool isPlainLeftClick(const VSTGUI::CButtonState& buttons) {
    return (buttons() & kClickMask) == VSTGUI::kLButton;
}

}  // namespace Vst
}  // namespace Steinberg
