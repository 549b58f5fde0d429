// A small modal box in the window that asks for a name (the preset browser's "Save"):
// a text field, Cancel and Save. The mouse alone finishes it (a host may keep Enter and
// Escape for itself): Save, Cancel, or a click outside the box, which cancels.
#pragma once

#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/controls/ctextedit.h"

#include <functional>
#include <string>

namespace Steinberg {
namespace Vst {

class NamePrompt : public VSTGUI::CViewContainer {
public:
    using Answer = std::function<void(const std::string&)>;

    // Opens the box in the middle of the frame with `name` in its field; `answer` gets
    // the name on Save (or Enter), nothing on Cancel. False when the frame is not open
    // or something else is modal.
    static bool open(VSTGUI::CFrame* frame, const std::string& title, const std::string& name,
                     const VSTGUI::CColor& paper, const VSTGUI::CColor& ink, Answer answer);

    int32_t onKeyDown(VSTGUI::VstKeyCode& key) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;

private:
    NamePrompt(const VSTGUI::CRect& size, const std::string& title, const std::string& name,
               const VSTGUI::CColor& paper, const VSTGUI::CColor& ink, Answer answer);
    void finish(bool save);

    VSTGUI::CTextEdit* field = nullptr;
    Answer answer;
};

}  // namespace Vst
}  // namespace Steinberg
