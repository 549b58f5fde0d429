// Linux: hands the host's Linux::IRunLoop (asked from the plug-in frame) to the
// toolkit, so that the window's events and timers run on the host's loop.
// Windows needs nothing: the window's messages arrive through the host's loop.
#pragma once
#include "pluginterfaces/gui/iplugview.h"

namespace Steinberg {
namespace Vst {

// True when a run loop was installed; pass that to releaseHostRunLoop.
bool installHostRunLoop(IPlugFrame* plugFrame);
void releaseHostRunLoop(bool& installed);

}  // namespace Vst
}  // namespace Steinberg
