// Group 0x7000: the Settings page's own controls.
#include "editor/main_vst_gui_editor.h"

#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layer_sett.h"
#include "editor/layer_wedt.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace setting = taluma::cmd::setting;
namespace file = taluma::cmd::file;

void MainVSTGUIEditor::showBendRange(int32 semitones) {
    settingsPage_->showBendRange(semitones);
}

void MainVSTGUIEditor::showOpacity(int32 command, float normalized) {
    const int which = command == setting::kWaveOpacity ? 0 : 1;
    showNormalized(settingsPage_->opacityKnob[which], normalized);
    showText(settingsPage_->opacityField[which],
             std::to_string(int32(normalized * 100.0 + 0.5)) + " %");
    if (which == 0)
        waveEditor_->setWaveAlpha(normalized);
    else
        waveEditor_->setGridAlpha(normalized);
}

void MainVSTGUIEditor::dispatchSettings(VSTGUI::CControl* control) {
    const int32 tag = control->getTag();
    const int32 command = cmd::commandOf(tag);
    const float norm = control->getValueNormalized();
    const bool pressed = norm > 0.5f;
    switch (command) {
    case setting::kBendRange: {
        const int32 n = snapStep(norm, 24);
        showBendRange(n);
        sendStep(tag, n, 24);
        return;
    }
    case setting::kImportTableA:
    case setting::kImportTableB:
        if (pressed)
            openFileDialog(file::importTable(command - setting::kImportTableA, file::kByName));
        return;
    case setting::kExportTableA:
    case setting::kExportTableB:
        if (pressed)
            openFileDialog(file::exportTable(command - setting::kExportTableA, file::kByName));
        return;
    case setting::kImportPreset:
        if (pressed)
            openFileDialog(file::kImportPreset);
        return;
    case setting::kExportPreset:
        if (pressed)
            openFileDialog(file::kExportPreset);
        return;
    case setting::kWaveOpacity:
    case setting::kGridOpacity:
        showOpacity(command, norm);
        sendValueChange(tag, int32(norm * 100.0 + 0.5));
        return;
    case setting::kNumberRadix: {
        const int32 k = int32(norm + 0.5f);
        waveEditor_->showRadixMarks(k > 0);
        sendValueChange(tag, k);
        return;
    }
    case setting::kSkin:
        skin_ = int32(norm + 0.5f);
        applySkin();
        sendValueChange(tag, skin_);
        return;
    case setting::kFrameRateIndex: {
        const int32 k = int32(norm * 4.0f + 0.5f);
        setIdleRate(DisplayTables::frameInterval(k));
        sendValueChange(tag, k);
        return;
    }
    default: return;
    }
}

}  // namespace Vst
}  // namespace Steinberg
