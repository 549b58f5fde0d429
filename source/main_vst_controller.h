// The edit controller. For now it carries the class identity and the MIDI controller
// mapping; parameters, read-back and the editor attach here.
#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace taluma {
class Synth;
}

namespace Steinberg {
namespace Vst {

class MainVSTController : public EditControllerEx1, public IMidiMapping
{
public:
	MainVSTController () = default;

	// IMidiMapping: CC 1, 7, 10, 11, 120, 123 and pitch bend map onto the hidden
	// MIDI parameters; bus and channel do not matter.
	tresult PLUGIN_API getMidiControllerAssignment (int32 busIndex, int16 channel,
	                                                CtrlNumber midiControllerNumber,
	                                                ParamID& id) SMTG_OVERRIDE;

	taluma::Synth* synth () const { return synth_; }

	OBJ_METHODS (MainVSTController, EditControllerEx1)
	DEFINE_INTERFACES
		DEF_INTERFACE (IMidiMapping)
	END_DEFINE_INTERFACES (EditControllerEx1)
	REFCOUNT_METHODS (EditControllerEx1)

private:
	taluma::Synth* synth_ = nullptr;  // the processor's Synth, learnt from its messages
	FUnknown* editor_ = nullptr;      // the open editor view, none yet
};

} // namespace Vst
} // namespace Steinberg
