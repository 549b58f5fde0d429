#include "engine/parameter_descriptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/engine_event.h"

namespace taluma {

namespace {

namespace ev = eventid;

constexpr uint32_t kController = kHiddenReadOnly | kMidiUnit;
// VST 3 numbers the pitch bend as controller 129, past the 128 MIDI controllers.
constexpr int32_t kPitchBendController = 129;

// Range parameters start at the engine's own defaults, so that a host which sends the
// controller's values to the processor (as hosts do when they set up an instance)
// leaves the instrument sounding as built. Tune's plain 0 is the centre, 8192 in the
// engine; it and the LFO frequency read back over the host's 16384 steps.
#define LEVEL(base, k, name, value, text)                                                          \
    {                                                                                              \
        base + ev::k, name, true, 0, 127, 127, value, kAutomatable, 0, 127, 0, 127,                \
            ParameterText::text, -1                                                                \
    }
#define SMALL(base, k, name, top, value)                                                           \
    {                                                                                              \
        base + ev::k, name, true, 0, top, top, value, kAutomatable, 0, top, 0, top,                \
            ParameterText::kNumber, -1                                                             \
    }
#define OPERATOR(base, name, mul, tl, ar, dr, sl, sr, rr, vc, vs)                                  \
    {base + ev::kMul,                                                                              \
     name " MUL",                                                                                  \
     true,                                                                                         \
     0,                                                                                            \
     15,                                                                                           \
     15,                                                                                           \
     mul,                                                                                          \
     kAutomatable,                                                                                 \
     0,                                                                                            \
     15,                                                                                           \
     0,                                                                                            \
     15,                                                                                           \
     ParameterText::kMultiplier,                                                                   \
     -1},                                                                                          \
        {base + ev::kTune,                                                                         \
         name " Tune",                                                                             \
         true,                                                                                     \
         -8192,                                                                                    \
         8192,                                                                                     \
         16384,                                                                                    \
         0,                                                                                        \
         kAutomatable,                                                                             \
         0,                                                                                        \
         16383,                                                                                    \
         0,                                                                                        \
         16384,                                                                                    \
         ParameterText::kCents,                                                                    \
         -1},                                                                                      \
        LEVEL(base, kTotalLevel, name " TL", tl, kNumber),                                         \
        LEVEL(base, kAttackRate, name " AR", ar, kNumber),                                         \
        LEVEL(base, kDecayRate, name " DR", dr, kNumber),                                          \
        LEVEL(base, kSustainLevel, name " SL", sl, kNumber),                                       \
        LEVEL(base, kSustainRate, name " SR", sr, kNumber),                                        \
        LEVEL(base, kReleaseRate, name " RR", rr, kNumber),                                        \
        LEVEL(base, kKeyCenter, name " KC", 64, kNote), SMALL(base, kKeyScale, name " KS", 3, 0),  \
        SMALL(base, kVelocityCurve, name " VC", 3, vc),                                            \
        SMALL(base, kVelocitySens, name " VS", 7, vs), SMALL(base, kPms, name " PMS", 7, 0),       \
        SMALL(base, kAms, name " AMS", 7, 0)

constexpr ParameterDescription kParameters[] = {
    {kBypassId, "bypass", false, 0, 1, 1, 0.0, kAutomatable | kBypassSwitch, 0, -1, 0, 1,
     ParameterText::kOnOff, -1},
    {ev::kModWheel, "CC : 1", false, 0, 1, 128, 0.0, kController, 0, 127, 0, 127,
     ParameterText::kController, 1},
    {ev::kVolume, "CC : 7", false, 0, 1, 128, 1.0, kController, 0, 127, 0, 127,
     ParameterText::kController, 7},
    {ev::kPan, "CC : 10", false, 0, 1, 128, 0.5, kController, 0, 127, 0, 127,
     ParameterText::kController, 10},
    {ev::kExpression, "CC : 11", false, 0, 1, 128, 1.0, kController, 0, 127, 0, 127,
     ParameterText::kController, 11},
    {ev::kAllSoundOff, "CC : 120", false, 0, 1, 128, 0.0, kController, 0, -1, 0, 1,
     ParameterText::kController, 120},
    {ev::kAllNotesOff, "CC : 123", false, 0, 1, 128, 0.0, kController, 0, -1, 0, 1,
     ParameterText::kController, 123},
    {ev::kPitchBend, "Pitchbend", false, 0, 1, 16384, 0.5, kController, 0, 16383, 0, 16383,
     ParameterText::kController, kPitchBendController},
    {ev::kBitDepth, "BitDepth", true, 1, 16, 15, 16, kAutomatable, 1, 16, 1, 15,
     ParameterText::kBits, -1},
    {ev::kStdPitch, "STD Pitch", true, 420, 460, 400, 440, kHiddenReadOnly, 42000, 46000, 42000,
     4000, ParameterText::kPitchHz, -1},
    {ev::kBendRange, "PitchBendSens", true, 0, 24, 24, 2, kAutomatable, 0, 24, 0, 24,
     ParameterText::kSemitones, -1},
    {ev::kAlgorithm, "ALG", true, 0, 3, 3, 3, kAutomatable, 0, 3, 0, 3, ParameterText::kAlgorithm,
     -1},
    {ev::kLfoWave, "LFO Wave", true, 0, 3, 3, 0, kAutomatable, 0, 3, 0, 3, ParameterText::kLfoWave,
     -1},
    {ev::kLfoFreq, "LFO Freq", true, 0, 16384, 16384, 2048, kAutomatable, 0, 16383, 0, 16384,
     ParameterText::kLfoHz, -1},
    {ev::kOperatorA + ev::kFeedback, "OP A FL", true, 0, 128, 128, 0, kAutomatable, 0, 128, 0, 128,
     ParameterText::kNumber, -1},
    OPERATOR(ev::kOperatorA, "OP A", 2, 16, 100, 100, 24, 42, 120, 0, 0),
    OPERATOR(ev::kOperatorB, "OP B", 1, 0, 124, 60, 24, 64, 120, 2, 7),
};
#undef OPERATOR
#undef SMALL
#undef LEVEL

constexpr int kParameterCount = int(sizeof(kParameters) / sizeof(kParameters[0]));
static_assert(kParameterCount == 43, "the host sees 43 parameters");
static_assert(kParameters[0].id == kBypassId, "the bypass comes first");

}  // namespace

const ParameterDescription* parameterDescriptions(int& count) {
    count = kParameterCount;
    return kParameters;
}

namespace {

// The row of each id, looked up without a search: the engine asks for every event's
// parameter on the audio thread. Ids are an event class (bits 16..19) and a number
// (bits 0..7); the bypass is the one id outside them.
constexpr int kClasses = 16;
struct RowIndex {
    int8_t row[kClasses][256];
    constexpr RowIndex() : row() {
        for (auto& numbers : row)
            for (int8_t& r : numbers)
                r = -1;
        for (int i = 0; i < kParameterCount; ++i)
            if (kParameters[i].id != kBypassId)
                row[kParameters[i].id >> 16 & 0xF][kParameters[i].id & 0xFF] = int8_t(i);
    }
};
constexpr RowIndex kRowIndex;

}  // namespace

const ParameterDescription* describeParameter(uint32_t id) {
    if (id == kBypassId)
        return &kParameters[0];
    if (id & ~uint32_t(0xF00FF))
        return nullptr;
    const int row = kRowIndex.row[id >> 16 & 0xF][id & 0xFF];
    return row < 0 ? nullptr : &kParameters[row];
}

}  // namespace taluma

namespace taluma {

namespace {

const char* const kNoteNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                    "F#", "G",  "G#", "A",  "A#", "B"};
const char* const kAlgorithmNames[4] = {"A", "B", "A + B", "A > B"};
const char* const kLfoWaveNames[4] = {"Triangle", "Saw", "Square", "Random"};

std::string printf1(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), format, v);
    return buffer;
}

int32_t roundHalfAway(double x) {
    return int32_t(x < 0 ? x - 0.5 : x + 0.5);
}

}  // namespace

std::string valueText(const ParameterDescription& p, int32_t v) {
    switch (p.text) {
    case ParameterText::kController: return "";
    case ParameterText::kOnOff: return v != 0 ? "On" : "Off";
    case ParameterText::kBits: return std::to_string(v) + " bit";
    case ParameterText::kPitchHz: return printf1("%.2f Hz", v / 100.0);
    case ParameterText::kSemitones: return std::to_string(v) + " st";
    case ParameterText::kAlgorithm: return kAlgorithmNames[v & 3];
    case ParameterText::kLfoWave: return kLfoWaveNames[v & 3];
    case ParameterText::kLfoHz:  // in whole 1/100 Hz, as the read-out shows it
        return printf1("%.2f Hz", (v * int32_t(kLfoTopHz * 100) / p.readSpan) / 100.0);
    case ParameterText::kMultiplier: return v == 0 ? "1/2" : std::to_string(v);
    case ParameterText::kCents:
        return std::to_string(roundHalfAway((v - kTuneCentre) * kCentsPerTuneStep)) + " c";
    case ParameterText::kNote:
        return std::string(kNoteNames[v % 12]) + " " + std::to_string(v / 12 - 1);
    default: return std::to_string(v);
    }
}

bool parseValueText(const ParameterDescription& p, const std::string& text, double& plain) {
    auto found = [&](double value) {
        plain = value;
        return true;
    };
    if (p.text == ParameterText::kOnOff && (text == "On" || text == "Off"))
        return found(text == "On" ? 1.0 : 0.0);
    for (int i = 0; i < 4; ++i) {
        if (p.text == ParameterText::kAlgorithm && text == kAlgorithmNames[i])
            return found(i);
        if (p.text == ParameterText::kLfoWave && text == kLfoWaveNames[i])
            return found(i);
    }
    if (p.text == ParameterText::kMultiplier && text == "1/2")
        return found(0);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(number))
        return false;
    if (p.text == ParameterText::kLfoHz)
        return found(number * p.plainMax / kLfoTopHz);
    if (p.text == ParameterText::kCents)
        return found(number / kCentsPerTuneStep);
    return found(number);
}

}  // namespace taluma
