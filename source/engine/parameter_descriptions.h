// Every parameter of the instrument, one row each: what the host lists (title, plain or
// range parameter, steps, default, flags), the engine's integer behind it (its range),
// how that integer reads back as a normalised value, how a musician reads it and which
// MIDI controller drives it. The shell builds the host's parameters, the read-back, the
// value texts and the MIDI mapping from these rows; the engine takes its ranges from
// them. No VST 3 in here.
#pragma once

#include <cstdint>
#include <string>

namespace taluma {

// The host's bypass switch: a parameter of the shell with no engine value.
constexpr uint32_t kBypassId = 0x1000001;

// How the host sees a parameter.
enum ParameterFlag : uint32_t {
    kAutomatable = 1,
    kHiddenReadOnly = 2,  // the MIDI controllers and the reference pitch
    kBypassSwitch = 4,
    kMidiUnit = 8,  // listed in the unit of the MIDI controllers
};

// How a musician reads a value.
enum class ParameterText {
    kNumber,      // the engine's integer
    kOnOff,       // "On", "Off"
    kController,  // nothing of its own (the host prints the normalised value)
    kBits,        // "16 bit"
    kPitchHz,     // 1/100 Hz: "440.00 Hz"
    kSemitones,   // "2 st"
    kAlgorithm,   // "A", "B", "A + B", "A > B"
    kLfoWave,     // "Triangle", "Saw", "Square", "Random"
    kLfoHz,       // "4.00 Hz"
    kMultiplier,  // "1/2" for 0, else the integer
    kCents,       // the tune's 8192 centre: "-3 c"
    kNote,        // a key: "C 4"
};

struct ParameterDescription {
    uint32_t id;
    const char* title;
    // A range parameter shows plainMin..plainMax; a plain one 0..1 (and its default is
    // normalised).
    bool range;
    double plainMin, plainMax;
    int32_t steps;
    double defaultValue;
    uint32_t flags;
    // The engine's integer, engineMin..engineMax (no value when engineMax < engineMin);
    // it reads back as the normalised (v - readOrigin) / readSpan.
    int32_t engineMin, engineMax;
    int32_t readOrigin, readSpan;
    ParameterText text;
    int32_t midiController;  // the MIDI controller that drives it, -1 for none
};

// The units the value texts, typed entries and the factory bank read: the tune's
// centre and its cents per step (an octave either way in 8192 steps), and the LFO
// frequency's top over its 16384 host steps.
constexpr int32_t kTuneCentre = 8192;
constexpr double kCentsPerTuneStep = 1200.0 / 8192.0;
constexpr double kLfoTopHz = 32.0;

// The 43 parameters in the order the host lists them.
const ParameterDescription* parameterDescriptions(int& count);
// The row of an id, or null.
const ParameterDescription* describeParameter(uint32_t id);
// Whether the engine keeps an integer for the parameter.
inline bool hasEngineValue(const ParameterDescription& p) {
    return p.engineMax >= p.engineMin;
}

// How a musician reads the engine's integer v of the parameter ("440.00 Hz", "-3 c",
// "A > B"); empty for the controllers, which have no text of their own.
std::string valueText(const ParameterDescription& p, int32_t v);
// A text as the musician types it, as the parameter's plain value (plainMin..plainMax,
// not held to it); false when it is no number or name of the parameter.
bool parseValueText(const ParameterDescription& p, const std::string& text, double& plain);

}  // namespace taluma
