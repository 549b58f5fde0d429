// Entry points every VST 3 module exports on every platform, and the use counter
// they share.
#pragma once

#include "pluginterfaces/base/fplatform.h"

extern "C" {
// Counts the module's users; the first one runs the module initialisers.
SMTG_EXPORT_SYMBOL bool InitDll();
// The last user runs the module terminators; false once the count goes below zero.
SMTG_EXPORT_SYMBOL bool ExitDll();
}

namespace Steinberg {
// The current use count (for diagnostics and tests).
int moduleUseCount();
}  // namespace Steinberg
