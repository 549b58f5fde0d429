#include "editor/main_vst_gui_editor.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_tags.h"
#include "editor/layer_crdt.h"
#include "editor/layer_genw.h"
#include "editor/layer_logc.h"
#include "editor/layer_mbar.h"
#include "editor/layer_sett.h"
#include "editor/layer_wedt.h"
#include "editor/skin_book.h"
#include "vst3/host_boundary.h"
#include "vst3/main_vst_controller.h"
#include "vst3/messages.h"

#include "vstgui/lib/offscreen.h"

#include <cstring>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace layout = taluma::layout;

namespace {

ViewRect kViewRect{0, 0, layout::window::frame.width, layout::window::frame.height};
constexpr int32 kOpenIdleRate = 33;  // ms, until the Synth's frame rate is known
// What the preset browser shows after the host loaded a state (a session or a preset
// of its own): the sound is no longer one of the browser's files.
constexpr const char* kHostStateName = "Untitled";

}  // namespace

MainVSTGUIEditor::MainVSTGUIEditor(MainVSTController* controller, taluma::Synth* synth)
    : VSTGUIEditor(controller, &kViewRect), owner_(controller), hostEdits_(controller),
      uiThread_(std::this_thread::get_id()), presets_(controller) {
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
    frame->addView(waveEditor_ = new Layer_Wedt(*this));
    frame->addView(menuBar_ = new Layer_Mbar(*this));
    frame->addView(logicPage_ = new Layer_Logc(*this));
    frame->addView(generatorPage_ = new Layer_Genw(*this));
    frame->addView(settingsPage_ = new Layer_Sett(*this, *waveEditor_));
    frame->addView(credits_ = new Layer_Crdt());
    menuBar_->showTwin(settingsPage_->global, *settingsPage_);
    presets_.showIn(menuBar_->presetName);
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
        for (Page* page : pages())
            page->tick(source(), nullptr, 0);
    return true;
}

void PLUGIN_API MainVSTGUIEditor::close() {
    hostEdits_.endAll();
    if (!frame)
        return;
    presets_.showIn(nullptr);
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

std::array<Page*, 5> MainVSTGUIEditor::pages() const {
    return {waveEditor_, menuBar_, logicPage_, generatorPage_, settingsPage_};
}

Page* MainVSTGUIEditor::pageOf(int32 tag) const {
    switch (cmd::groupOf(tag)) {
    case cmd::kGlobal: return menuBar_;
    case cmd::kWaveSwitches:
    case cmd::kTableA:
    case cmd::kTableB: return waveEditor_;
    case cmd::kOpValues: return logicPage_;
    case cmd::kGenerator: return generatorPage_;
    case cmd::kSettings: return settingsPage_;
    default: return nullptr;
    }
}

void MainVSTGUIEditor::showPage(int32 page) {
    if (!frame)
        return;
    showNormalized(tabs_[0], page == kLogicPage ? 1.0f : 0.0f);
    showNormalized(tabs_[1], page == kGeneratorPage ? 1.0f : 0.0f);
    CViewContainer* views[3] = {logicPage_, generatorPage_, settingsPage_};
    Page* shown[3] = {logicPage_, generatorPage_, settingsPage_};
    shown[page - kLogicPage]->refresh(source());
    for (int32 i = 0; i < 3; ++i) {
        views[i]->setMouseEnabled(i + kLogicPage == page);
        views[i]->setVisible(i + kLogicPage == page);
    }
}

void MainVSTGUIEditor::applySkin() {
    if (!frame || !synth_.load())
        return;
    frame->setBackground(loadBitmap(skinnedBitmap("BaclAppBase.png", skin_)));
    setViewBitmap(tabs_[0], skinnedBitmap("BtnTabL.png", skin_));
    setViewBitmap(tabs_[1], skinnedBitmap("BtnTabR.png", skin_));
    for (Page* page : pages())
        page->applySkin(skin_);
    frame->setVisible(false);
    frame->setVisible(true);
}

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
    menuBar_->refresh(from);
    presets_.show();
    waveEditor_->refresh(from);
    credits_->setVisible(false);
    const int32 page = settings->page.load();
    if (page >= kLogicPage && page <= kSettingsPage)
        showPage(page);
}

void MainVSTGUIEditor::onRefreshTick() {
    if (!frame)
        return;
    if (owner_ && owner_->takeHostStateLoaded())
        presets_.choose(kHostStateName, "");
    const EditorSource from = source();
    const uint32_t notice = from.takeChangeNotice();
    const bool presetLoaded = (notice & taluma::change::kPresetLoad) != 0;
    for (Page* page : pages())
        page->tick(from, frame->getFocusView(), presetLoaded ? 0 : notice);
    if (presetLoaded) {
        // A preset loaded in the window: the host learns the new values from here, the
        // user-interface thread, where no host call of its own can be running.
        if (owner_)
            owner_->instrumentValuesChanged(synth_.load());
        refreshFromSynth();
    }
}

void MainVSTGUIEditor::onValueUpdate(int32 tag, double val) {
    if (!onUiThread()) {
        refreshPending_.store(true);  // the full refresh shows the answer too
        return;
    }
    if (!frame)
        return;
    for (Page* page : pages())
        page->showReply(tag, val);
}

void MainVSTGUIEditor::valueChanged(CControl* control) {
    const int32 tag = control->getTag();
    Page* page = pageOf(tag);
    if (!page)
        return;
    if (tag & cmd::kTypedEntryMark) {
        if (auto* field = dynamic_cast<CTextLabel*>(control))
            page->handleTypedEntry(cmd::commandOf(tag), field->getText());
    } else if (tag & cmd::kDispatchMark) {
        page->handleChange(control);
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

void MainVSTGUIEditor::hostEdit(int32_t tag, double normalized) {
    hostEdits_.change(hostParameterOf(tag), normalized);
}

void MainVSTGUIEditor::sendValueChange(int32_t tag, double value) {
    noteEditedTable(tag);
    presets_.noteChange(tag);
    if (controller)
        taluma::sendValue(*controller, taluma::message::kValueChange, tag, value);
}

void MainVSTGUIEditor::noteEditedTable(int32 tag) {
    const int32 group = cmd::groupOf(tag);
    if ((group == cmd::kTableA || group == cmd::kTableB) && !cmd::isHoverReport(tag))
        lastEditedTable_ = cmd::tableOperator(tag);
    else if (tag == cmd::generator::kApplyA || tag == cmd::generator::kApplyB)
        lastEditedTable_ = tag == cmd::generator::kApplyA ? 0 : 1;
}

void MainVSTGUIEditor::choosePage(WindowPage page) {
    sendValueChange(cmd::global::kPage, page);
    showPage(page);
}

void MainVSTGUIEditor::showCredits() {
    if (credits_)
        credits_->setVisible(true);
}

void MainVSTGUIEditor::changeSkin(int32_t skin) {
    skin_ = skin;
    applySkin();
}

void MainVSTGUIEditor::changeFrameRate(int32_t index) {
    setIdleRate(DisplayTables::frameInterval(index));
}

void MainVSTGUIEditor::openFileDialog(int32_t code) {
    fileDialogs_.open(frame, this, code, presets_.folder());
}

void MainVSTGUIEditor::fileSelected(CBaseObject* sender) {
    int32_t code = 0;
    std::string path;
    if (!fileDialogs_.selected(sender, code, path) || !controller)
        return;
    namespace file = cmd::file;
    if (code & (file::kImportPreset | file::kExportPreset)) {
        // The browser names the preset after its file from now on.
        taluma::sendFileRequest(*controller, code, path);
        presets_.choose(presetNameOf(path), path);
        return;
    }
    if (code & file::kImportTable) {
        lastEditedTable_ = code & file::kOperatorBit;
        presets_.noteChange(cmd::kTableA);
    }
    taluma::sendFileRequest(*controller, code, path);
}

tresult PLUGIN_API MainVSTGUIEditor::queryInterface(const TUID iid, void** obj) {
    if (FUnknownPrivate::iidEqual(iid, taluma::IEditorProbe::iid)) {
        probe_.addRef();
        *obj = &probe_;
        return kResultOk;
    }
    return VSTGUIEditor::queryInterface(iid, obj);
}

}  // namespace Steinberg::Vst
