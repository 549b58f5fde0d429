#include "editor/main_vst_gui_editor.h"

#include "vstgui/lib/offscreen.h"

#include "synth/command_tags.h"
#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/editor_source.h"
#include "vst3/host_boundary.h"
#include "editor/layer_crdt.h"
#include "editor/layer_genw.h"
#include "vst3/main_vst_controller.h"
#include "vst3/messages.h"
#include "editor/layer_logc.h"
#include "editor/layer_mbar.h"
#include "editor/layer_sett.h"
#include "editor/layer_wedt.h"
#include "editor/skin_book.h"

#include "pluginterfaces/vst/ivstmessage.h"

#include <cstring>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace layout = taluma::layout;

namespace {

ViewRect kViewRect{0, 0, layout::window::frame.width, layout::window::frame.height};
constexpr int32 kOpenIdleRate = 33;  // ms, until the Synth's frame rate is known

}  // namespace

MainVSTGUIEditor::MainVSTGUIEditor(MainVSTController* controller, taluma::Synth* synth)
    : VSTGUIEditor(controller, &kViewRect), owner_(controller), hostEdits_(controller),
      uiThread_(std::this_thread::get_id()) {
    if (synth) {
        synth_.store(synth);
        skin_ = synth->settings().skin.load() == 0 ? 0 : 1;
    }
}

MainVSTGUIEditor::~MainVSTGUIEditor() {
    // The controller passes processor messages on to its editors, from any thread: it
    // forgets this one before anything of it goes.
    if (controller)
        controller->editorDestroyed(this);
    if (frame)
        close();
}

tresult PLUGIN_API MainVSTGUIEditor::isPlatformTypeSupported(FIDString type) {
    if (type && std::strcmp(type, taluma::kPlatformTypeOffscreen) == 0)
        return kResultTrue;
    return VSTGUIEditor::isPlatformTypeSupported(type);
}

tresult PLUGIN_API MainVSTGUIEditor::attached(void* parent, FIDString type) {
    if (frame)
        return kResultFalse;
    offscreen_ = type && std::strcmp(type, taluma::kPlatformTypeOffscreen) == 0;
    if (offscreen_) {
        // Nothing on screen: timers follow advanceTime, file dialogs are drawn inside.
        Offscreen::setManualTimers(true);
        CNewFileSelector::setBackend(CNewFileSelector::Backend::kInFrame);
    }
    return taluma::hostBoundary([&] { return VSTGUIEditor::attached(parent, type); });
}

tresult PLUGIN_API MainVSTGUIEditor::setContentScaleFactor(ScaleFactor factor) {
    return taluma::hostBoundary([&] { return VSTGUIEditor::setContentScaleFactor(factor); });
}

bool PLUGIN_API MainVSTGUIEditor::open(void* parent, const PlatformType& platformType) {
    if (frame)
        return false;
    frame = new CFrame(toCRect(layout::window::frame), this);
    frame->setBackground(loadBitmap(skinnedBitmap("BaclAppBase.png", skin_)));
    tabs_[0] = makeSwitchButton(this, nullptr, cmd::editorTag(cmd::control::kLogicTab),
                                layout::window::tabLeft, skinnedBitmap("BtnTabL.png", skin_));
    tabs_[1] = makeSwitchButton(this, nullptr, cmd::editorTag(cmd::control::kGeneratorTab),
                                layout::window::tabRight, skinnedBitmap("BtnTabR.png", skin_));
    frame->addView(tabs_[0]);
    frame->addView(tabs_[1]);
    frame->addView(waveEditor_ = new Layer_Wedt(this));
    frame->addView(menuBar_ = new Layer_Mbar(this));
    frame->addView(logicPage_ = new Layer_Logc(this));
    frame->addView(generatorPage_ = new Layer_Genw(this));
    frame->addView(settingsPage_ = new Layer_Sett(this));
    frame->addView(credits_ = new Layer_Crdt(this));
    if (!frame->open(parent, offscreen_ ? PlatformType::kOffscreen : platformType)) {
        close();
        return false;
    }
    setIdleRate(kOpenIdleRate);
    // The processor answers with its Synth's address ("Processor:openGUI"), which
    // refreshes everything. Without an answer the window follows the parameters.
    if (controller)
        taluma::sendNotice(*controller, taluma::message::kEditorOpened);
    if (!synth_.load())
        showLiveValues(source(), nullptr);
    return true;
}

void PLUGIN_API MainVSTGUIEditor::close() {
    hostEdits_.endAll();
    if (!frame)
        return;
    CFrame* closing = frame;
    frame = nullptr;
    closing->close();
    releaseUnusedBitmaps();
    waveEditor_ = nullptr;
    menuBar_ = nullptr;
    logicPage_ = nullptr;
    generatorPage_ = nullptr;
    settingsPage_ = nullptr;
    credits_ = nullptr;
    tabs_[0] = tabs_[1] = nullptr;
}

CMessageResult MainVSTGUIEditor::notify(CBaseObject* sender, IdStringPtr message) {
    if (message == CVSTGUITimer::kMsgTimer) {
        if (refreshPending_.exchange(false))
            refreshFromSynth();
        if (++ticks_ & 1)
            onRefreshTick();
        return VSTGUIEditor::notify(sender, message);
    }
    if (message && std::strcmp(message, CNewFileSelector::kSelectEndMessage) == 0) {
        fileSelected(sender);
        return kMessageNotified;
    }
    return VSTGUIEditor::notify(sender, message);
}

void MainVSTGUIEditor::setSynth(taluma::Synth* synth) {
    synth_.store(synth);
}

EditorSource MainVSTGUIEditor::source() const {
    return EditorSource(synth_.load(), controller);
}

void MainVSTGUIEditor::showPage(int32 page) {
    if (!frame)
        return;
    showNormalized(tabs_[0], page == kLogicPage ? 1.0f : 0.0f);
    showNormalized(tabs_[1], page == kGeneratorPage ? 1.0f : 0.0f);
    const EditorSource from = source();
    if (page == kLogicPage)
        logicPage_->updateFromSynth(from, nullptr);
    else if (page == kGeneratorPage)
        generatorPage_->updateFromSynth(from);
    else
        settingsPage_->updateFromSynth(from);
    CViewContainer* pages[3] = {logicPage_, generatorPage_, settingsPage_};
    for (int32 i = 0; i < 3; ++i) {
        const bool shown = i + 1 == page;
        pages[i]->setMouseEnabled(shown);
        pages[i]->setVisible(shown);
    }
}

bool MainVSTGUIEditor::settingsShown() const {
    return isShown(settingsPage_);
}

void MainVSTGUIEditor::applySkin() {
    if (!frame || !synth_.load())
        return;
    frame->setBackground(loadBitmap(skinnedBitmap("BaclAppBase.png", skin_)));
    setViewBitmap(tabs_[0], skinnedBitmap("BtnTabL.png", skin_));
    setViewBitmap(tabs_[1], skinnedBitmap("BtnTabR.png", skin_));
    waveEditor_->applySkin(skin_);
    menuBar_->applySkin(skin_);
    logicPage_->applySkin(skin_);
    generatorPage_->applySkin(skin_);
    settingsPage_->applySkin(skin_);
    frame->setVisible(false);
    frame->setVisible(true);
}

void MainVSTGUIEditor::valueChanged(CControl* control) {
    const int32 tag = control->getTag();
    if (tag & cmd::kTypedEntryMark)
        return onTextEntry(control);
    if (!(tag & cmd::kDispatchMark))
        return;
    switch (cmd::groupOf(tag)) {
    case cmd::kGlobal: return dispatchGlobal(control);
    case cmd::kWaveSwitches: return dispatchWaveSwitch(control);
    case cmd::kTableA:
    case cmd::kTableB: return dispatchTable(control);
    case cmd::kOpValues: return dispatchLogic(control);
    case cmd::kGenerator: return dispatchGenerator(control);
    case cmd::kSettings: return dispatchSettings(control);
    default: return;
    }
}

void MainVSTGUIEditor::controlBeginEdit(CControl* control) {
    hostEdits_.begin(hostParameterOf(control->getTag()));
}

void MainVSTGUIEditor::controlEndEdit(CControl* control) {
    hostEdits_.end(hostParameterOf(control->getTag()));
    // The knob settles on the step it sent last.
    if (auto* knob = dynamic_cast<CAnimKnob*>(control)) {
        const float step = knob->getWheelInc();
        if (step > 0.0f)
            showNormalized(knob, step * float(snapStep(knob->getValueNormalized() / step, 1)));
    }
}

void MainVSTGUIEditor::hostEdit(int32 tag, double normalized) {
    hostEdits_.change(hostParameterOf(tag), normalized);
}

void MainVSTGUIEditor::sendStep(int32 tag, int32 n, int32 steps) {
    const float v = float(n) / float(steps);
    hostEdit(tag, v);
    sendValueChange(tag, v);
}

void MainVSTGUIEditor::sendValueChange(int32 tag, double value) {
    noteEditedTable(tag);
    notePresetChange(tag);
    if (controller)
        taluma::sendValue(*controller, taluma::message::kValueChange, tag, value);
}

tresult PLUGIN_API MainVSTGUIEditor::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, taluma::IEditorProbe::iid, taluma::IEditorProbe)
    return VSTGUIEditor::queryInterface(iid, obj);
}

}  // namespace Vst
}  // namespace Steinberg
