// The plug-in's window: an 800 x 600 frame with a background picture, the menu bar,
// the wave editor on the left and one of three pages on the right (Logic, Wave
// generator, Settings) chosen by two tabs and the settings button, and the credits
// over everything. The editor never writes the engine: control changes become host
// parameter edits and "GUIEditor:valueChange" messages, and what it shows is read
// through the address of the processor's Synth (see EditorSource).
//
// Threads: everything runs on the thread that created the editor (the host's
// user-interface thread). The controller may pass processor messages on from other
// threads (a state load on a host worker); those only store the address and ask for a
// full refresh, which the next timer tick carries out.
//
// The work is split by subject: main_vst_gui_editor.cpp (window, pages, skin, timer),
// editor_update.cpp (refreshes and the processor's answers), dispatch_*.cpp (control
// changes by command group), typed_entries.cpp, file_dialogs.cpp, editor_probe.cpp
// (offscreen driving for tests). The wave editor adds its layer (layer_wedt.*) and its
// command groups (wave_editor_dispatch.cpp).
#pragma once

#include "editor/display_tables.h"
#include "editor/editor_probe.h"
#include "editor/host_edits.h"
#include "editor/preset_list.h"

#include "public.sdk/source/vst/vstguieditor.h"
#include "vstgui/lib/controls/coptionmenu.h"

#include <atomic>
#include <string>
#include <thread>

namespace taluma {
class Synth;
}

namespace Steinberg {
namespace Vst {

class CMovieBitmapSwtBtn;
class EditorSource;
class MainVSTController;

class MainVSTGUIEditor : public VSTGUIEditor,
                         public VSTGUI::IControlListener,
                         public taluma::IEditorProbe {
public:
    class Layer_Wedt;
    class Layer_Wfrm;
    class Layer_Mbar;
    class Layer_Logc;
    class Layer_Genw;
    class Layer_Sett;
    class Layer_Crdt;

    enum Page { kLogicPage = 1, kGeneratorPage = 2, kSettingsPage = 3 };

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

    // The Settings skin entry changed: every layer shows the bitmaps and colours of the
    // current skin. Needs the Synth's address.
    void applySkin();
    // Every second timer tick: follows what the host may change at any time.
    void onRefreshTick();

    void valueChanged(VSTGUI::CControl* control) override;
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

    // For the layers.
    const DisplayTables& tables() const { return tables_; }
    int32 skin() const { return skin_; }
    void sendValueChange(int32 tag, double value);
    // The table the user edited last (0 A, 1 B), which Ctrl+Z and its twins undo and redo.
    int32 lastEditedTable() const { return lastEditedTable_; }
    void openFileDialog(int32 code);
    // The host parameter of a control's tag: setParamNormalized + performEdit, inside
    // the control's gesture or as a gesture of its own.
    void hostEdit(int32 tag, double normalized);
    // Step n of `steps` (n / steps in single precision) to the host and the processor.
    void sendStep(int32 tag, int32 n, int32 steps);
    EditorSource source() const;

    // IEditorProbe (editor_probe.cpp).
    int32 PLUGIN_API mouse(int32 event, double x, double y, int32 buttons) SMTG_OVERRIDE;
    tresult PLUGIN_API wheel(double x, double y, float distance) SMTG_OVERRIDE;
    int32 PLUGIN_API key(int32 character, int32 virt, int32 modifiers) SMTG_OVERRIDE;
    void PLUGIN_API advanceTime(uint32 milliseconds) SMTG_OVERRIDE;
    const uint32* PLUGIN_API render(int32& width, int32& height) SMTG_OVERRIDE;
    void PLUGIN_API invalidate() SMTG_OVERRIDE;
    int32 PLUGIN_API viewCount() SMTG_OVERRIDE;
    tresult PLUGIN_API viewInfo(int32 index, taluma::ProbeView& info) SMTG_OVERRIDE;
    int32 PLUGIN_API viewUnder(double x, double y) SMTG_OVERRIDE;
    tresult PLUGIN_API menuEntry(int32 index, int32 entry, char title[128]) SMTG_OVERRIDE;
    int32 PLUGIN_API idleRate() SMTG_OVERRIDE { return getIdleRate(); }
    int32 PLUGIN_API focusTag() SMTG_OVERRIDE;
    tresult PLUGIN_API fileDialog(taluma::ProbeFileDialog& info) SMTG_OVERRIDE;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(VSTGUIEditor)

private:
    bool onUiThread() const { return std::this_thread::get_id() == uiThread_; }
    void showPage(int32 page);
    bool settingsShown() const;
    // The values the host can change at any time (tick steps 1 to 5).
    void showLiveValues(const EditorSource& source, const VSTGUI::CView* focus);

    // Control changes by group (dispatch_*.cpp, typed_entries.cpp).
    void dispatchGlobal(VSTGUI::CControl* control);
    void dispatchWaveSwitch(VSTGUI::CControl* control);
    void dispatchLogic(VSTGUI::CControl* control);
    void dispatchGenerator(VSTGUI::CControl* control);
    void dispatchSettings(VSTGUI::CControl* control);
    void onTextEntry(VSTGUI::CControl* control);
    void showVolume(int32 step);
    void showPitch(int32 centiHz);
    void showBitDepth(float normalized);
    void showBendRange(int32 semitones);
    void showOpacity(int32 item, float normalized);
    // The wave editor's command groups and answers (wave_editor_dispatch.cpp).
    void dispatchTable(VSTGUI::CControl* control);
    // Remembers the table a command edits (the hover reports edit nothing).
    void noteEditedTable(int32 tag);
    void updateTable(int32 tag, double val);

    void fileSelected(VSTGUI::CBaseObject* selector);
    // "GUIEditor:fileSelect": the processor reads or writes the file.
    void sendFileRequest(int32 code, const std::string& path);

    // The preset browser of the menu bar (preset_browser.cpp).
    void openPresetMenu();
    void presetMenuChosen(VSTGUI::CControl* menu);
    void stepPreset(int32 by);
    void askPresetName();
    void savePreset(const std::string& name);
    // A preset loaded or saved: the browser shows its name, unchanged.
    void choosePreset(const std::string& name, const std::string& path);
    void showPreset();
    // A command that changes the sound marks the preset as changed.
    void notePresetChange(int32 tag);
    // Where a file dialog starts: presets in the folder of the last preset, else the
    // musician's own preset folder, else the factory bank; wavetable files in the
    // folder last used for them, else the home folder.
    std::string startFolder(int32 code) const;

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
    int32 fileDialogCode_{0};
    int32 lastEditedTable_{0};
    int32 skin_{1};
    int32 ticks_{0};
    HostEdits hostEdits_;
    std::thread::id uiThread_;
    std::atomic<bool> refreshPending_{false};
    bool offscreen_{false};
    taluma::ProbeFileDialog lastDialog_{};
    std::string presetFolder_;  // where the last preset came from or went
    std::string tableFolder_;   // likewise for wavetable files
    PresetList presets_;
    VSTGUI::SharedPointer<VSTGUI::COptionMenu> presetMenu_;
};

}  // namespace Vst
}  // namespace Steinberg
