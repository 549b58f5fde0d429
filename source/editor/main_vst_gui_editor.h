// The plug-in's window: an 800 x 600 frame with a background picture, the menu bar,
// the wave editor on the left and one of three pages on the right (Logic, Wave
// generator, Settings) chosen by two tabs and the settings button, and the credits
// over everything. The editor never writes the engine: control changes become host
// parameter edits and "GUIEditor:valueChange" messages, and what it shows is read
// through the address of the processor's Synth (see EditorSource).
//
// Each part of the window is a Page that owns its controls' behaviour; the editor
// routes control changes to them by command group, passes on the processor's answers
// and the refreshes, and keeps what they share (EditorContext).
//
// Threads: everything runs on the thread that created the editor (the host's
// user-interface thread). The controller may pass processor messages on from other
// threads (a state load on a host worker); those only store the address and ask for a
// full refresh, which the next timer tick carries out.
#pragma once

#include "editor/editor_context.h"
#include "editor/file_dialogs.h"
#include "editor/frame_probe.h"
#include "editor/host_edits.h"
#include "editor/preset_browser.h"

#include "public.sdk/source/vst/vstguieditor.h"

#include <array>
#include <atomic>
#include <thread>

namespace taluma {
class Synth;
}

namespace Steinberg::Vst {

class CMovieBitmapSwtBtn;
class Layer_Crdt;
class Layer_Genw;
class Layer_Logc;
class Layer_Mbar;
class Layer_Sett;
class Layer_Wedt;
class MainVSTController;
class Page;

class MainVSTGUIEditor : public VSTGUIEditor,
                         public VSTGUI::IControlListener,
                         public EditorContext {
public:
    // synth: the processor's Synth when the controller knows it already, else null.
    MainVSTGUIEditor(MainVSTController* controller, taluma::Synth* synth);
    ~MainVSTGUIEditor() override;

    bool PLUGIN_API open(void* parent, const VSTGUI::PlatformType& platformType) override;
    void PLUGIN_API close() override;
    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender,
                                  VSTGUI::IdStringPtr message) override;
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

    // From the controller, on any thread.
    void setSynth(taluma::Synth* synth);
    void refreshFromSynth();
    void onValueUpdate(int32 tag, double val);

    void valueChanged(VSTGUI::CControl* control) override;
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

    // EditorContext.
    VSTGUI::IControlListener* listener() override { return this; }
    const DisplayTables& tables() const override { return tables_; }
    int32_t skin() const override { return skin_; }
    EditorSource source() const override;
    void sendValueChange(int32_t tag, double value) override;
    void hostEdit(int32_t tag, double normalized) override;
    int32_t lastEditedTable() const override { return lastEditedTable_; }
    void choosePage(WindowPage page) override;
    void showCredits() override;
    void changeSkin(int32_t skin) override;
    void changeFrameRate(int32_t index) override;
    void openFileDialog(int32_t code) override;
    PresetBrowser& presets() override { return presets_; }

    // The probe (FrameProbe) is answered for IEditorProbe.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(VSTGUIEditor)

private:
    bool onUiThread() const { return std::this_thread::get_id() == uiThread_; }
    void showPage(int32 page);
    // Every page in the skin `skin_`.
    void applySkin();
    // Every second timer tick: follows what the host may change at any time.
    void onRefreshTick();
    // The page of a command group, null for none.
    Page* pageOf(int32 tag) const;
    // The wave editor, the menu bar and the three pages.
    std::array<Page*, 5> pages() const;
    // Remembers the table a command edits (the hover reports edit nothing).
    void noteEditedTable(int32 tag);
    void fileSelected(VSTGUI::CBaseObject* selector);

    DisplayTables tables_;
    MainVSTController* owner_;  // the controller as itself (VSTGUIEditor keeps its base)
    std::atomic<taluma::Synth*> synth_{nullptr};
    Layer_Wedt* waveEditor_{nullptr};
    Layer_Mbar* menuBar_{nullptr};
    Layer_Logc* logicPage_{nullptr};
    Layer_Genw* generatorPage_{nullptr};
    Layer_Sett* settingsPage_{nullptr};
    Layer_Crdt* credits_{nullptr};
    CMovieBitmapSwtBtn* tabs_[2]{nullptr, nullptr};
    int32 lastEditedTable_{0};
    int32 skin_{1};
    int32 ticks_{0};
    HostEdits hostEdits_;
    std::thread::id uiThread_;
    std::atomic<bool> refreshPending_{false};
    bool offscreen_{false};
    FileDialogs fileDialogs_;
    PresetBrowser presets_;
    FrameProbe probe_{*this, fileDialogs_.last()};
};

}  // namespace Steinberg::Vst
