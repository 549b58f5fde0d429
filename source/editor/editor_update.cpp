// How the window follows the processor: a full refresh when the processor announces a
// new or changed state, its answer to each command, and the refresh tick that follows
// what the host may change at any time.
#include "editor/main_vst_gui_editor.h"

#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/editor_tags.h"
#include "engine/engine_event.h"
#include "editor/layer_crdt.h"
#include "editor/layer_genw.h"
#include "editor/layer_logc.h"
#include "editor/layer_mbar.h"
#include "editor/layer_sett.h"
#include "editor/layer_wedt.h"
#include "vst3/main_vst_controller.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace eventid = taluma::eventid;
namespace change = taluma::change;

namespace {
// What the preset browser shows after the host loaded a state (a session or a preset
// of its own): the sound is no longer one of the browser's files.
constexpr const char* kHostStateName = "Untitled";
}  // namespace

void MainVSTGUIEditor::refreshFromSynth() {
    if (!onUiThread()) {
        refreshPending_.store(true);
        return;
    }
    const EditorSource from = source();
    const taluma::SynthSettings* settings = from.settings();
    if (!frame || !settings)
        return;
    setIdleRate(DisplayTables::frameInterval(settings->frameRateIndex.load()));
    // A window built before the address was known, or a loaded state with the other
    // skin, shows the skin the Synth keeps.
    const int32 skin = settings->skin.load() == 0 ? 0 : 1;
    if (skin != skin_) {
        skin_ = skin;
        applySkin();
    }
    menuBar_->updateFromSynth(from);
    showPreset();
    waveEditor_->updateFromSynth(from);
    credits_->setVisible(false);
    const int32 page = settings->page.load();
    if (page >= kLogicPage && page <= kSettingsPage)
        showPage(page);
}

void MainVSTGUIEditor::showLiveValues(const EditorSource& from, const VSTGUI::CView* focus) {
    GlobalControls* globals[2] = {&menuBar_->global,
                                  settingsShown() ? &settingsPage_->global : nullptr};
    const int32 volume = from.value(eventid::kVolume);
    const int32 bits = from.value(eventid::kBitDepth);
    const int32 pitch = from.value(eventid::kStdPitch);
    for (GlobalControls* g : globals) {
        if (!g)
            continue;
        if (volume >= 0)
            g->showVolume(tables_, volume);
        if (bits >= 0)
            g->showBitDepth(bits);
        if (pitch >= 0)
            g->showPitch(tables_, pitch, focus);
    }
    const int32 bend = from.value(eventid::kBendRange);
    if (globals[1] && bend >= 0)
        settingsPage_->showBendRange(bend, focus);
    if (isShown(logicPage_))
        logicPage_->updateFromSynth(from, focus);
}

void MainVSTGUIEditor::onRefreshTick() {
    if (!frame)
        return;
    if (owner_ && owner_->takeHostStateLoaded())
        choosePreset(kHostStateName, "");
    const EditorSource from = source();
    showLiveValues(from, frame->getFocusView());
    const uint32_t notice = from.takeChangeNotice();
    if (notice & change::kPresetLoad) {
        // A preset loaded in the window: the host learns the new values from here, the
        // user-interface thread, where no host call of its own can be running.
        if (owner_)
            owner_->instrumentValuesChanged(synth_.load());
        refreshFromSynth();
        return;
    }
    if (notice & change::kRateDivider) {
        menuBar_->global.showRates(from);
        settingsPage_->global.showRates(from);
    }
    if (notice & change::kVoiceCount) {
        menuBar_->global.showVoiceCount(from.voiceCount());
        settingsPage_->global.showVoiceCount(from.voiceCount());
    }
}

void MainVSTGUIEditor::onValueUpdate(int32 tag, double val) {
    if (!onUiThread()) {
        refreshPending_.store(true);  // the full refresh shows the answer too
        return;
    }
    if (!frame)
        return;
    const int32 item = cmd::itemOf(tag);
    switch (cmd::groupOf(tag)) {
    case cmd::kWaveSwitches:
    case cmd::kTableA:
    case cmd::kTableB: updateTable(tag, val); return;
    case cmd::kOpValues: {
        const int32 group = Layer_Logc::radioGroupOf(item);
        if (group >= 0)
            logicPage_->select(group, int32(val));
        else
            logicPage_->show(item, int32(val));
        return;
    }
    case cmd::kGenerator:
        generatorPage_->showReply(item, val, source());
        updateTable(tag, val);  // an applied wave shows in its view
        return;
    default: return;
    }
}

}  // namespace Vst
}  // namespace Steinberg
