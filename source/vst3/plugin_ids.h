// Identity of the module's two classes and the strings the factory publishes.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

#include "vst3/parameter_table.h"

namespace taluma {

// Class ids as the SDK's four 32-bit words; hosts compare these words, so the
// identity is the same on every platform whatever the byte layout.
inline const Steinberg::FUID kProcessorUID(0x62DC74C0, 0xA0604200, 0xBBFF215F, 0xDE21F747);
inline const Steinberg::FUID kControllerUID(0xD96B785F, 0x9B6C4DEA, 0x86AACA94, 0x40746358);

constexpr const char* kVendorName = "TALUMA W developers";
constexpr const char* kVendorUrl = "https://taluma-w.example.org";
constexpr const char* kVendorEmail = "";

constexpr const char* kProcessorName = "TALUMA W";
constexpr const char* kControllerName = "TALUMA W Controller";
constexpr const char* kSubCategories = "Instrument|Synth";
constexpr const char* kVersionString = "24.9.0";
constexpr const char* kSdkVersionString = "VST 3.7.3";

// The processor itself looks at the bypass (kBypassId, in parameter_table.h) and at
// the engine's parameters.
// Any of these bits routes a parameter change to the engine (MIDI, patch and
// output-stage parameters).
constexpr Steinberg::Vst::ParamID kEngineParamBits = 0xE0000;

}  // namespace taluma
