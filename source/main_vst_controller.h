// The edit controller: the parameters the host sees, the MIDI controller mapping, the
// read-back of the engine's values, and the messages from the processor.
#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace taluma {
class Synth;
}

namespace Steinberg {
namespace Vst {

class MainVSTController : public EditControllerEx1, public IMidiMapping {
public:
    MainVSTController() = default;

    // Registers the bypass, the unit "MIDI Contloller", the seven MIDI parameters and
    // the synthesizer parameters.
    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;

    // IMidiMapping: CC 1, 7, 10, 11, 120, 123 and pitch bend map onto the hidden
    // MIDI parameters; bus and channel do not matter.
    tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel,
                                                   CtrlNumber midiControllerNumber,
                                                   ParamID& id) SMTG_OVERRIDE;

    // The editor arrives with its own issue; until then no view type is offered.
    IPlugView* PLUGIN_API createView(FIDString name) SMTG_OVERRIDE;

    tresult PLUGIN_API notify(IMessage* message) SMTG_OVERRIDE;

    // Readable texts for values ("440.00 Hz", "-3 c", "C 4") and their inverse.
    tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                             String128 string) SMTG_OVERRIDE;
    tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string,
                                             ParamValue& valueNormalized) SMTG_OVERRIDE;

    // Sets every synthesizer parameter from the engine's current values (nothing while
    // the Synth's address is unknown).
    void readBackParameters();

    taluma::Synth* synth() const { return synth_; }

    OBJ_METHODS(MainVSTController, EditControllerEx1)
    DEFINE_INTERFACES
    DEF_INTERFACE(IMidiMapping)
    END_DEFINE_INTERFACES(EditControllerEx1)
    REFCOUNT_METHODS(EditControllerEx1)

private:
    taluma::Synth* synth_ = nullptr;  // the processor's Synth, learnt from its messages
    FUnknown* editor_ = nullptr;      // the open editor view, none yet
};

}  // namespace Vst
}  // namespace Steinberg
