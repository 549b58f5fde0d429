// Group 0x1000 (the menu bar and its twins on the Settings page) and group 0x2000 (the
// wave editor's link switch).
#include "editor/main_vst_gui_editor.h"

#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layer_crdt.h"
#include "editor/layer_mbar.h"
#include "editor/layer_sett.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;

void MainVSTGUIEditor::showVolume(int32 step) {
    menuBar_->global.showVolume(tables_, step);
    if (settingsShown())
        settingsPage_->global.showVolume(tables_, step);
}

void MainVSTGUIEditor::showPitch(int32 centiHz) {
    menuBar_->global.showPitch(tables_, centiHz, nullptr);
    if (settingsShown())
        settingsPage_->global.showPitch(tables_, centiHz, nullptr);
}

void MainVSTGUIEditor::showBitDepth(float normalized) {
    showNormalized(menuBar_->global.bitDepthMenu, normalized);
    if (settingsShown())
        showNormalized(settingsPage_->global.bitDepthMenu, normalized);
}

void MainVSTGUIEditor::dispatchGlobal(VSTGUI::CControl* control) {
    const int32 tag = control->getTag();
    const float norm = control->getValueNormalized();
    switch (cmd::commandOf(tag)) {
    case cmd::control::kSettingsButton:
        if (norm > 0.5f) {
            sendValueChange(cmd::global::kPage, kSettingsPage);
            showPage(kSettingsPage);
        }
        return;
    case cmd::control::kLogoButton:
        if (norm > 0.5f)
            credits_->setVisible(true);
        return;
    case cmd::control::kPresetPrev:
    case cmd::control::kPresetNext:
        if (norm > 0.5f)
            stepPreset(cmd::commandOf(tag) == cmd::control::kPresetNext ? 1 : -1);
        return;
    case cmd::control::kPresetName:
        if (norm > 0.5f)
            openPresetMenu();
        return;
    case cmd::control::kPresetMenu: presetMenuChosen(control); return;
    case cmd::global::kVolume: {
        const int32 n = snapStep(norm, 127);
        showVolume(n);
        sendStep(tag, n, 127);
        return;
    }
    case cmd::global::kReferencePitch: {
        const int32 n = snapStep(norm, 400);
        showPitch((n + 4200) * 10);
        sendStep(tag, n, 400);
        return;
    }
    case cmd::global::kRateDivider:
    case cmd::global::kVoiceCount: sendValueChange(tag, norm); return;
    case cmd::global::kBitDepth: {
        const int32 n = snapStep(norm, 15);
        showBitDepth(float(n) / 15.0f);
        sendStep(tag, n, 15);
        return;
    }
    case cmd::control::kLogicTab:
        sendValueChange(cmd::global::kPage, kLogicPage);
        showPage(kLogicPage);
        return;
    case cmd::control::kGeneratorTab:
        sendValueChange(cmd::global::kPage, kGeneratorPage);
        showPage(kGeneratorPage);
        return;
    default: return;
    }
}

void MainVSTGUIEditor::dispatchWaveSwitch(VSTGUI::CControl* control) {
    if (cmd::commandOf(control->getTag()) == cmd::waveSwitch::kLinkAB)
        sendValueChange(control->getTag(), control->getValueNormalized());
}

}  // namespace Vst
}  // namespace Steinberg
