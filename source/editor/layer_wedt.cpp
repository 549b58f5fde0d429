#include "layer_wedt.h"

#include "control_factory.h"

namespace Steinberg {
namespace Vst {

MainVSTGUIEditor::Layer_Wedt::Layer_Wedt(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::waveEditor)), editor(e) {
    setBackgroundColor(VSTGUI::CColor(0, 0, 0, 0));
}

void MainVSTGUIEditor::Layer_Wedt::updateFromSynth(const EditorSource&) {}

void MainVSTGUIEditor::Layer_Wedt::applySkin(int32_t) {}

void MainVSTGUIEditor::Layer_Wedt::setWaveAlpha(float) {}

void MainVSTGUIEditor::Layer_Wedt::setGridAlpha(float) {}

void MainVSTGUIEditor::Layer_Wedt::showRadixMarks(bool) {}

}  // namespace Vst
}  // namespace Steinberg
