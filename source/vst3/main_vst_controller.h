// The edit controller: the parameters the host sees, the MIDI controller mapping, the
// read-back of the engine's values, and the messages from the processor.
#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace taluma {
class Synth;
}

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor;

// The preset the window's browser last loaded or saved, kept while the windows come and
// go. On the user-interface thread only.
struct PresetSelection {
    std::string name = "Init";
    std::string path;      // empty: not one of the browser's files
    bool changed = false;  // edited in the window since
};

// Every method a host calls refuses what its contract rules out (indices, ids, values
// that are not numbers, null pointers, text that is not UTF-16) with a result code and
// leaves the controller as it was; no exception leaves it.
class MainVSTController : public EditControllerEx1, public IMidiMapping {
public:
    MainVSTController() = default;

    // Registers the bypass, the unit "MIDI Contloller", the seven MIDI parameters and
    // the synthesizer parameters. A second call is refused.
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;

    // IMidiMapping: CC 1, 7, 10, 11, 120, 123 and pitch bend map onto the hidden MIDI
    // parameters on every channel of the one event bus.
    tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                   CtrlNumber midiControllerNumber,
                                                   ParamID& id) SMTG_OVERRIDE;

    // Only the view type "editor" exists.
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;
    // The view is going: processor messages no longer reach it.
    void editorDestroyed(EditorView* editor) SMTG_OVERRIDE;

    tresult PLUGIN_API notify(IMessage* message) SMTG_OVERRIDE;

    // The processor's saved state, as the host loads it into the component: every
    // parameter takes the value the record (and the bypass saved after it) gives it, so
    // that a host which reads the values back afterwards keeps what the instrument plays.
    // Needs no message from the processor (hosts may keep the two apart).
    tresult PLUGIN_API setComponentState(IBStream* state) SMTG_OVERRIDE;

    // Readable texts for values ("440.00 Hz", "-3 c", "C 4") and their inverse. Values
    // outside 0..1 read as the nearest end (NaN as 0).
    tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                             String128 string) SMTG_OVERRIDE;
    tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                             ParamValue& valueNormalized) SMTG_OVERRIDE;

    // The SDK's parameter and unit access, with the index and value checks it lacks.
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id,
                                                 ParamValue valueNormalized) SMTG_OVERRIDE;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) SMTG_OVERRIDE;
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;
    tresult PLUGIN_API setKnobMode(KnobMode mode) SMTG_OVERRIDE;
    tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) SMTG_OVERRIDE;
    tresult PLUGIN_API selectUnit(UnitID unitId) SMTG_OVERRIDE;

    // Sets every parameter the engine holds a value for from the engine's current values
    // (nothing while the Synth's address is unknown or its processor is gone).
    void readBackParameters();
    // The instrument changed its own values (a preset loaded in the window, whose Synth
    // the window names: the controller may not know it yet): the parameters follow the
    // engine and the host is told once to read them again. On the user-interface thread
    // only, outside any host call: a host may hold a lock around its own calls (a preset
    // load) that its restartComponent waits for.
    void instrumentValuesChanged(taluma::Synth* synth);

    taluma::Synth* synth() const { return synth_; }
    PresetSelection& presetSelection() { return presetSelection_; }
    // Whether the host loaded a state since the last call (any thread may load one):
    // the sound then is not the browser's preset any more.
    bool takeHostStateLoaded() { return hostStateLoaded_.exchange(false); }

    OBJ_METHODS(MainVSTController, EditControllerEx1)
    DEFINE_INTERFACES
    if (!iid || !obj)
        return kInvalidArgument;
    DEF_INTERFACE(IMidiMapping)
    END_DEFINE_INTERFACES(EditControllerEx1)
    REFCOUNT_METHODS(EditControllerEx1)

private:
    void registerParameters();
    void readBackFrom(taluma::Synth* synth);
    // Sets each parameter to its engine integer (id, value).
    void setParametersFromEngineValues(const std::vector<std::pair<uint32_t, int32_t>>& values);
    tresult handleMessage(IMessage& message);
    // Runs fn for every editor view that exists (hosts may create several before they
    // show one). Messages arrive on any host thread, views go on the UI thread.
    void forEachEditor(const std::function<void(MainVSTGUIEditor&)>& fn);

    taluma::Synth* synth_ = nullptr;  // the processor's Synth, learnt from its messages
    PresetSelection presetSelection_;
    std::atomic<bool> hostStateLoaded_{false};
    std::recursive_mutex editorsLock_;
    std::vector<MainVSTGUIEditor*> editors_;  // the views that exist, none yet
};

}  // namespace Vst
}  // namespace Steinberg
