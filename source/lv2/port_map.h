// The plug-in's LV2 ports: the MIDI input, the two audio outputs and one control input
// per parameter a host shows (the rows of parameter_descriptions.h that are not hidden).
// The Turtle generator, the plug-in and its window all number and scale ports here.
#pragma once

#include "engine/parameter_descriptions.h"

#include <cstdint>
#include <string>

namespace taluma::lv2 {

constexpr uint32_t kMidiInPort = 0;
constexpr uint32_t kLeftOutPort = 1;
constexpr uint32_t kRightOutPort = 2;
constexpr uint32_t kFirstControlPort = 3;

// How many control ports there are and the parameter row behind each (i from 0).
int controlPortCount();
const ParameterDescription& controlPortRow(int i);
// The control port index of a parameter id, or -1 when no port shows it.
int32_t controlPortOf(uint32_t id);

// The bypass becomes LV2's "enabled" port (1 plays), which hosts use as their own
// bypass; every other port carries the row's plain range.
bool isEnabledPort(const ParameterDescription& row);
double portMinimum(const ParameterDescription& row);
double portMaximum(const ParameterDescription& row);
double portDefault(const ParameterDescription& row);
// Whether the port only takes whole numbers (the row's steps span its range by ones).
bool isIntegerPort(const ParameterDescription& row);
// A Turtle-safe symbol from the title: "OP A TL" is "op_a_tl".
std::string portSymbol(const ParameterDescription& row);

// A host's port value as the parameter's normalised value: held to the range, NaN as
// the minimum, so no value a host may write is refused.
double normalizedFromPort(const ParameterDescription& row, float value);
// The port value that shows a normalised value.
float portFromNormalized(const ParameterDescription& row, double normalized);

}  // namespace taluma::lv2
