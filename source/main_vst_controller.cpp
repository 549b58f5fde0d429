#include "main_vst_controller.h"

namespace Steinberg {
namespace Vst {

tresult PLUGIN_API MainVSTController::getMidiControllerAssignment (int32 /*busIndex*/,
                                                                   int16 /*channel*/,
                                                                   CtrlNumber midiControllerNumber,
                                                                   ParamID& id)
{
	switch (midiControllerNumber)
	{
		case kCtrlModWheel: id = 0x20001; return kResultOk;
		case kCtrlVolume: id = 0x20002; return kResultOk;
		case kCtrlPan: id = 0x20003; return kResultOk;
		case kCtrlExpression: id = 0x20004; return kResultOk;
		case kCtrlAllSoundsOff: id = 0x20005; return kResultOk;
		case kCtrlAllNotesOff: id = 0x20006; return kResultOk;
		case kPitchBend: id = 0x20007; return kResultOk;
		default: return kResultFalse;
	}
}

} // namespace Vst
} // namespace Steinberg
