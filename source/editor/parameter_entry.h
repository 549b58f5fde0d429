// The fields that show a host parameter: their steps, typed numbers and read-outs from
// the parameter's row and texts (engine/parameter_descriptions.h).
#pragma once

#include <cstdint>
#include <string>

namespace Steinberg::Vst {

// The steps of a parameter's knob: a range parameter's own, else the engine's integers.
int32_t knobSteps(uint32_t id);
// The engine's integer at step n of knobSteps(id).
int32_t engineValueAt(uint32_t id, int32_t n);
// The normalised value of a range parameter's plain value.
double normalizedOf(uint32_t id, double plain);
// Text typed for parameter `id` as the host reads it, as a plain value within the
// parameter's range; text that names no value reads as 0.
double parsedPlain(uint32_t id, const std::string& text);
// A number typed into a field that shows the parameter's plain value in whole steps
// (tune and LFO frequency in steps, not in cents or hertz): the step 0..knobSteps,
// truncated, within the range; text that is no number reads as 0.
int32_t typedStep(uint32_t id, const std::string& text);
// The plain value of step n of a range parameter (tune: -8192 for step 0).
int32_t plainOfStep(uint32_t id, int32_t n);
// What a musician reads for step n of a range parameter ("-3 c", "4.00 Hz", "C 4").
std::string stepText(uint32_t id, int32_t n);

}  // namespace Steinberg::Vst
