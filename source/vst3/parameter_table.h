// The parameters as the host sees them, from the rows of parameter_descriptions.h: their
// flags and units in VST 3's terms, how an engine value reads back, and the texts a
// musician reads and types.
#pragma once

#include "engine/parameter_descriptions.h"

#include <cstdint>
#include <string>

namespace taluma {

constexpr int32_t kMidiUnitId = 0x20000;
constexpr const char* kMidiUnitName = "MIDI Contloller";
// MIDI controllers arrive on the one event input bus, which has 16 channels.
constexpr int32_t kEventInputChannels = 16;

// ParameterInfo's flags and unit of a parameter.
int32_t hostFlags(const ParameterDescription& p);
int32_t hostUnit(const ParameterDescription& p);

// The normalised value a read-back gives the parameter for the engine's integer v.
double readBackValue(uint32_t id, int32_t v);

// What a musician reads for a normalised value ("440.00 Hz", "-3 c", "C 4", "1/2");
// empty where the plain number says it all.
std::string formatParameter(uint32_t id, double normalized);
// The inverse for typed values (a plain parameter takes its normalised value, the
// bypass also "On" and "Off"): false when the text does not name a value.
bool parseParameter(uint32_t id, const std::string& text, double& normalized);

}  // namespace taluma
