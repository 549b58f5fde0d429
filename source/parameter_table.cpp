#include "parameter_table.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine_event.h"
#include "synth_engine.h"
#include "unit_value.h"

namespace taluma {

namespace {

namespace ev = eventid;

constexpr int32_t kAutomate = 1;           // kCanAutomate
constexpr int32_t kHiddenReadOnly = 0x12;  // kIsReadOnly | kIsHidden
constexpr int32_t kBypassFlag = 0x10000;   // kIsBypass
constexpr ParameterKind kPlain = ParameterKind::Plain;
constexpr ParameterKind kRange = ParameterKind::Range;

// Range parameters start at the engine's own defaults, so that a host which sends the
// controller's values to the processor (as hosts do when they set up an instance)
// leaves the instrument sounding as built. Tune's plain 0 is the centre.
#define OP_PARAMS(base, name, mul, tl, ar, dr, sl, sr, rr, vc, vs)                                 \
    {base + ev::kMul, name " MUL", kRange, 0, 15, 15, mul, kAutomate, 0},                          \
        {base + ev::kTune, name " Tune", kRange, -8192, 8192, 16384, 0, kAutomate, 0},             \
        {base + ev::kTotalLevel, name " TL", kRange, 0, 127, 127, tl, kAutomate, 0},               \
        {base + ev::kAttackRate, name " AR", kRange, 0, 127, 127, ar, kAutomate, 0},               \
        {base + ev::kDecayRate, name " DR", kRange, 0, 127, 127, dr, kAutomate, 0},                \
        {base + ev::kSustainLevel, name " SL", kRange, 0, 127, 127, sl, kAutomate, 0},             \
        {base + ev::kSustainRate, name " SR", kRange, 0, 127, 127, sr, kAutomate, 0},              \
        {base + ev::kReleaseRate, name " RR", kRange, 0, 127, 127, rr, kAutomate, 0},              \
        {base + ev::kKeyCenter, name " KC", kRange, 0, 127, 127, 64, kAutomate, 0},                \
        {base + ev::kKeyScale, name " KS", kRange, 0, 3, 3, 0, kAutomate, 0},                      \
        {base + ev::kVelocityCurve, name " VC", kRange, 0, 3, 3, vc, kAutomate, 0},                \
        {base + ev::kVelocitySens, name " VS", kRange, 0, 7, 7, vs, kAutomate, 0},                 \
        {base + ev::kPms, name " PMS", kRange, 0, 7, 7, 0, kAutomate, 0}, {                        \
        base + ev::kAms, name " AMS", kRange, 0, 7, 7, 0, kAutomate, 0                             \
    }

const ParameterSpec kParameters[] = {
    {kBypassId, "bypass", kPlain, 0, 1, 1, 0.0, kAutomate | kBypassFlag, 0},
    {ev::kModWheel, "CC : 1", kPlain, 0, 1, 128, 0.0, kHiddenReadOnly, kMidiUnitId},
    {ev::kVolume, "CC : 7", kPlain, 0, 1, 128, 1.0, kHiddenReadOnly, kMidiUnitId},
    {ev::kPan, "CC : 10", kPlain, 0, 1, 128, 0.5, kHiddenReadOnly, kMidiUnitId},
    {ev::kExpression, "CC : 11", kPlain, 0, 1, 128, 1.0, kHiddenReadOnly, kMidiUnitId},
    {ev::kAllSoundOff, "CC : 120", kPlain, 0, 1, 128, 0.0, kHiddenReadOnly, kMidiUnitId},
    {ev::kAllNotesOff, "CC : 123", kPlain, 0, 1, 128, 0.0, kHiddenReadOnly, kMidiUnitId},
    {ev::kPitchBend, "Pitchbend", kPlain, 0, 1, 16384, 0.5, kHiddenReadOnly, kMidiUnitId},
    {ev::kBitDepth, "BitDepth", kRange, 1, 16, 15, 16, kAutomate, 0},
    {ev::kStdPitch, "STD Pitch", kRange, 420, 460, 400, 440, kHiddenReadOnly, 0},
    {ev::kBendRange, "PitchBendSens", kRange, 0, 24, 24, 2, kAutomate, 0},
    {ev::kAlgorithm, "ALG", kRange, 0, 3, 3, 3, kAutomate, 0},
    {ev::kLfoWave, "LFO Wave", kRange, 0, 3, 3, 0, kAutomate, 0},
    {ev::kLfoFreq, "LFO Freq", kRange, 0, 16384, 16384, 2048, kAutomate, 0},
    {ev::kOperatorA + ev::kFeedback, "OP A FL", kRange, 0, 128, 128, 0, kAutomate, 0},
    OP_PARAMS(ev::kOperatorA, "OP A", 2, 16, 100, 100, 24, 42, 120, 0, 0),
    OP_PARAMS(ev::kOperatorB, "OP B", 1, 0, 124, 60, 24, 64, 120, 2, 7),
};
#undef OP_PARAMS

constexpr int kParameterCount = int(sizeof(kParameters) / sizeof(kParameters[0]));
static_assert(kParameterCount == 43, "the host sees 43 parameters");

const char* const kNoteNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                    "F#", "G",  "G#", "A",  "A#", "B"};
const char* const kAlgorithmNames[4] = {"A", "B", "A + B", "A > B"};
const char* const kLfoWaveNames[4] = {"Triangle", "Saw", "Square", "Random"};

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

bool isOperatorParam(uint32_t id, eventid::OperatorParam k) {
    return id == eventid::operatorParam(0, k) || id == eventid::operatorParam(1, k);
}

int32_t roundHalfAway(double x) {
    return int32_t(x < 0 ? x - 0.5 : x + 0.5);
}

}  // namespace

const ParameterSpec* parameterTable(int& count) {
    count = kParameterCount;
    return kParameters;
}

const ParameterSpec* findParameter(uint32_t id) {
    for (const ParameterSpec& p : kParameters)
        if (p.id == id)
            return &p;
    return nullptr;
}

double readBackValue(uint32_t id, int32_t v) {
    const float f = float(v);
    float n;
    if (id == eventid::kBitDepth)
        n = (f - 1.0f) / 15.0f;
    else if (id == eventid::kStdPitch)
        n = (f - 42000.0f) / 4000.0f;
    else if (id == eventid::kPitchBend)
        n = f / 16383.0f;
    else if (id == eventid::kBendRange)
        n = f / 24.0f;
    else if (id == eventid::kAlgorithm || id == eventid::kLfoWave)
        n = f / 3.0f;
    else if (id == eventid::kLfoFreq || isOperatorParam(id, eventid::kTune))
        n = f * (1.0f / 16384.0f);
    else if (id == eventid::operatorParam(0, eventid::kFeedback))
        n = f * (1.0f / 128.0f);
    else if (isOperatorParam(id, eventid::kMul))
        n = f / 15.0f;
    else if (isOperatorParam(id, eventid::kKeyScale) ||
             isOperatorParam(id, eventid::kVelocityCurve))
        n = f / 3.0f;
    else if (isOperatorParam(id, eventid::kVelocitySens) || isOperatorParam(id, eventid::kPms) ||
             isOperatorParam(id, eventid::kAms))
        n = f / 7.0f;
    else
        n = f / 127.0f;  // TL, AR, DR, SL, SR, RR, KC
    return double(n);
}

std::string formatParameter(uint32_t id, double normalized) {
    if (id == kBypassId)
        return normalized >= 0.5 ? "On" : "Off";
    if (!findParameter(id) || (id & eventid::kClassMask) == eventid::kController)
        return "";
    const int32_t v = engineInteger(id, normalized);
    if (id == eventid::kBitDepth)
        return std::to_string(v) + " bit";
    if (id == eventid::kStdPitch)
        return printf1("%.2f Hz", v / 100.0);
    if (id == eventid::kBendRange)
        return std::to_string(v) + " st";
    if (id == eventid::kAlgorithm)
        return kAlgorithmNames[v & 3];
    if (id == eventid::kLfoWave)
        return kLfoWaveNames[v & 3];
    if (id == eventid::kLfoFreq)
        return printf1("%.2f Hz", (v * 3200 / 16384) / 100.0);
    if (isOperatorParam(id, eventid::kMul))
        return v == 0 ? "1/2" : std::to_string(v);
    if (isOperatorParam(id, eventid::kTune))
        return std::to_string(roundHalfAway((v - 8192) * 0.146484375)) + " c";
    if (isOperatorParam(id, eventid::kKeyCenter))
        return std::string(kNoteNames[v % 12]) + " " + std::to_string(v / 12 - 1);
    return std::to_string(v);
}

bool parseParameter(uint32_t id, const std::string& text, double& normalized) {
    const ParameterSpec* p = findParameter(id);
    if (!p)
        return false;
    auto fromPlain = [&](double plain) {
        normalized = clampUnit((plain - p->min) / (p->max - p->min));
        return true;
    };
    if (id == kBypassId && (text == "On" || text == "Off"))
        return fromPlain(text == "On" ? 1.0 : 0.0);
    for (int i = 0; i < 4; ++i) {
        if (id == eventid::kAlgorithm && text == kAlgorithmNames[i])
            return fromPlain(i);
        if (id == eventid::kLfoWave && text == kLfoWaveNames[i])
            return fromPlain(i);
    }
    if (isOperatorParam(id, eventid::kMul) && text == "1/2")
        return fromPlain(0);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(number))
        return false;
    if (id == eventid::kLfoFreq)
        return fromPlain(number * 16384.0 / 32.0);
    if (isOperatorParam(id, eventid::kTune))
        return fromPlain(number / 0.146484375);
    return fromPlain(number);
}

}  // namespace taluma
