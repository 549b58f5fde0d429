// The parameters the host sees, in registration order, and how their values read.
#pragma once

#include <cstdint>
#include <string>

namespace taluma {

enum class ParameterKind { Plain, Range };

struct ParameterSpec {
    uint32_t id;
    const char* title;
    ParameterKind kind;
    double min, max;  // plain range (0..1 for plain parameters)
    int32_t steps;
    double defaultValue;  // normalised for plain parameters, plain for range parameters
    int32_t flags;
    int32_t unit;
};

constexpr uint32_t kBypassId = 0x1000001;
constexpr int32_t kMidiUnitId = 0x20000;
constexpr const char* kMidiUnitName = "MIDI Contloller";
// MIDI controllers arrive on the one event input bus, which has 16 channels.
constexpr int32_t kEventInputChannels = 16;

// All 43 parameters, in the order they are registered.
const ParameterSpec* parameterTable(int& count);
const ParameterSpec* findParameter(uint32_t id);

// The normalised value a read-back gives the parameter for the engine's integer v (the
// controllers' too: mod wheel, volume, pan, expression, pitch bend).
double readBackValue(uint32_t id, int32_t v);

// What a musician reads for a normalised value ("440.00 Hz", "-3 c", "C 4", "1/2");
// empty where the plain number says it all.
std::string formatParameter(uint32_t id, double normalized);
// The inverse for typed values (a plain parameter takes its normalised value, the
// bypass also "On" and "Off"): false when the text does not name a value.
bool parseParameter(uint32_t id, const std::string& text, double& normalized);

}  // namespace taluma
