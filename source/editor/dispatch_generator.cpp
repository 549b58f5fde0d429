// Group 0x6000: the Wave-generator page. Everything goes to the processor as it is;
// its answer sets the knobs and read-outs.
#include "editor/main_vst_gui_editor.h"

#include "editor/editor_tags.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace gen = taluma::cmd::generator;

void MainVSTGUIEditor::dispatchGenerator(VSTGUI::CControl* control) {
    const int32 tag = control->getTag();
    const int32 command = cmd::commandOf(tag);
    const float norm = control->getValueNormalized();
    if (command == gen::kApplyA || command == gen::kApplyB) {
        if (norm >= 0.5f)
            sendValueChange(tag, norm);
    } else if (command >= gen::kAmplitude && command <= gen::kNoiseSeed) {
        sendValueChange(tag, norm);
    } else if (command >= cmd::control::kTypeButton &&
               command < cmd::control::kTypeButton + cmd::control::kTypeButtonCount) {
        sendValueChange(gen::kType, command - cmd::control::kTypeButton);
    }
}

}  // namespace Vst
}  // namespace Steinberg
