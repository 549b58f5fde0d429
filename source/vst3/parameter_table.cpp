#include "vst3/parameter_table.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "engine/synth_engine.h"
#include "engine/unit_value.h"

namespace taluma {

namespace {

using Steinberg::Vst::ParameterInfo;

const char* const kNoteNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                    "F#", "G",  "G#", "A",  "A#", "B"};
const char* const kAlgorithmNames[4] = {"A", "B", "A + B", "A > B"};
const char* const kLfoWaveNames[4] = {"Triangle", "Saw", "Square", "Random"};

// The tune's cents per engine step (1200 cents over 8192 steps) and the LFO's top
// frequency over the host's 16384 steps.
constexpr double kCentsPerTuneStep = 0.146484375;
constexpr double kLfoTopHz = 32.0;

std::string printf1(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, v);
    return buffer;
}

int32_t engineInteger(uint32_t id, double normalized) {
    int32_t v = 0;
    SynthEngine::scaleEventValue(id, float(normalized), v);
    return v;
}

int32_t roundHalfAway(double x) {
    return int32_t(x < 0 ? x - 0.5 : x + 0.5);
}

}  // namespace

int32_t hostFlags(const ParameterDescription& p) {
    int32_t flags = 0;
    if (p.flags & kAutomatable)
        flags |= ParameterInfo::kCanAutomate;
    if (p.flags & kHiddenReadOnly)
        flags |= ParameterInfo::kIsReadOnly | ParameterInfo::kIsHidden;
    if (p.flags & kBypassSwitch)
        flags |= ParameterInfo::kIsBypass;
    return flags;
}

int32_t hostUnit(const ParameterDescription& p) {
    return (p.flags & kMidiUnit) ? kMidiUnitId : 0;
}

double readBackValue(uint32_t id, int32_t v) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return 0.0;
    return double((float(v) - float(p->readOrigin)) / float(p->readSpan));
}

std::string formatParameter(uint32_t id, double normalized) {
    const ParameterDescription* p = describeParameter(id);
    if (!p || p->text == ParameterText::kController)
        return "";
    if (p->text == ParameterText::kOnOff)
        return normalized >= 0.5 ? "On" : "Off";
    const int32_t v = engineInteger(id, normalized);
    switch (p->text) {
    case ParameterText::kBits: return std::to_string(v) + " bit";
    case ParameterText::kPitchHz: return printf1("%.2f Hz", v / 100.0);
    case ParameterText::kSemitones: return std::to_string(v) + " st";
    case ParameterText::kAlgorithm: return kAlgorithmNames[v & 3];
    case ParameterText::kLfoWave: return kLfoWaveNames[v & 3];
    case ParameterText::kLfoHz: return printf1("%.2f Hz", (v * 3200 / 16384) / 100.0);
    case ParameterText::kMultiplier: return v == 0 ? "1/2" : std::to_string(v);
    case ParameterText::kCents:
        return std::to_string(roundHalfAway((v - 8192) * kCentsPerTuneStep)) + " c";
    case ParameterText::kNote:
        return std::string(kNoteNames[v % 12]) + " " + std::to_string(v / 12 - 1);
    default: return std::to_string(v);
    }
}

bool parseParameter(uint32_t id, const std::string& text, double& normalized) {
    const ParameterDescription* p = describeParameter(id);
    if (!p)
        return false;
    auto fromPlain = [&](double plain) {
        normalized = clampUnit((plain - p->plainMin) / (p->plainMax - p->plainMin));
        return true;
    };
    if (p->text == ParameterText::kOnOff && (text == "On" || text == "Off"))
        return fromPlain(text == "On" ? 1.0 : 0.0);
    for (int i = 0; i < 4; ++i) {
        if (p->text == ParameterText::kAlgorithm && text == kAlgorithmNames[i])
            return fromPlain(i);
        if (p->text == ParameterText::kLfoWave && text == kLfoWaveNames[i])
            return fromPlain(i);
    }
    if (p->text == ParameterText::kMultiplier && text == "1/2")
        return fromPlain(0);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(number))
        return false;
    if (p->text == ParameterText::kLfoHz)
        return fromPlain(number * p->plainMax / kLfoTopHz);
    if (p->text == ParameterText::kCents)
        return fromPlain(number / kCentsPerTuneStep);
    return fromPlain(number);
}

}  // namespace taluma
