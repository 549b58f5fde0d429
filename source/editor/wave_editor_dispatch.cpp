// The wave editor's command groups (tables A and B: edit buttons, drawing, menus) and
// the processor's answers to them.
#include "main_vst_gui_editor.h"

namespace Steinberg {
namespace Vst {

void MainVSTGUIEditor::dispatchTable(VSTGUI::CControl*) {}

void MainVSTGUIEditor::updateTable(int32, double) {}

}  // namespace Vst
}  // namespace Steinberg
