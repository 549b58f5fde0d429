// Group 0x5000: the Logic page. Knobs and switches snap to their steps and are sent
// as whole steps; radio groups send the chosen button's index.
#include "editor/main_vst_gui_editor.h"

#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layer_logc.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;

void MainVSTGUIEditor::dispatchLogic(VSTGUI::CControl* control) {
    const int32 tag = control->getTag();
    const int32 item = cmd::itemOf(tag);
    const int32 group = Layer_Logc::radioGroupOf(item);
    if (group >= 0) {
        const int32 first = cmd::control::kRadioGroups[group];
        const int32 k = item - cmd::itemOf(first);
        logicPage_->select(group, k);
        hostEdit(tag, k / 3.0);
        sendValueChange(first, k);
        return;
    }
    const int32 steps = logicSteps(item);
    if (steps == 0)
        return;
    const int32 n = snapStep(control->getValueNormalized(), steps);
    logicPage_->show(item, n);
    hostEdit(tag, float(n) / float(steps));
    sendValueChange(tag, n);
}

}  // namespace Vst
}  // namespace Steinberg
