#include "synth/state_record.h"

#include <algorithm>

#include "engine/parameter_descriptions.h"
#include "synth/synth.h"

namespace taluma {

namespace {

namespace ev = eventid;

// Everything the record holds, as plain values. The rows below read and write it; the
// Synth's parts are gathered into it to write a record and applied from it after a read.
struct RecordValues {
    int32_t version, skin, frameRate, radix, linkAB, waveOpacity, gridOpacity, page;
    int32_t stepBits[2];
    int32_t genType, cycles, phase, rangeEnd, rangeStart, amplitude, offset;
    int32_t harmonicsOn, harmonicsCount, noisePoints, noiseSeed, noiseLoop, interpolation;
    int32_t rateDivider;
    int32_t log2Size[2];
    uint8_t tables[2][kTableCells];
    uint8_t slots[kSlotCount][kTableCells];
    int32_t bitDepth, referencePitch, voiceCount;
    int32_t bendRange, pitchBend, modWheel, volume, pan, expression;
    int32_t tone[kToneValueCount];  // in the order of ToneParameters::loadValues
};

// How a field's bytes read back: as they are, a mask, an upper bound, a range, a flag.
// Zero fields are written as 0 and not read.
enum class Check { kAsIs, kAnd, kMin, kClamp, kFlag, kZero };

// One field: where it lies, how wide it is (1 or 2 bytes, or a block of cells), whether
// it is signed, its check and where it goes in RecordValues.
struct Field {
    size_t offset;
    size_t size;
    bool isSigned;
    Check check;
    int32_t low, high;  // kAnd: high is the mask; kMin: the bound; kClamp: the range
    int32_t& (*value)(RecordValues&);
    uint8_t* (*cells)(RecordValues&);  // blocks of cells instead of a value
};

#define VALUE(member) [](RecordValues& v) -> int32_t& { return v.member; }
#define U8(at, check, low, high, member)                                                           \
    { at, 1, false, Check::check, low, high, VALUE(member), nullptr }
#define U16(at, check, low, high, member)                                                          \
    { at, 2, false, Check::check, low, high, VALUE(member), nullptr }
#define S8(at, check, low, high, member)                                                           \
    { at, 1, true, Check::check, low, high, VALUE(member), nullptr }
#define S16(at, check, low, high, member)                                                          \
    { at, 2, true, Check::check, low, high, VALUE(member), nullptr }
// A parameter's field holds the integers that the host's normalised 0..1 spans (its row's
// read-back origin and span): a mask or bound is the top of that span.
int32_t recordLow(uint32_t id) {
    return describeParameter(id)->readOrigin;
}
int32_t recordHigh(uint32_t id) {
    const ParameterDescription* p = describeParameter(id);
    return p->readOrigin + p->readSpan;
}
#define P8(at, check, id, member) U8(at, check, recordLow(id), recordHigh(id), member)
#define P16(at, check, id, member) U16(at, check, recordLow(id), recordHigh(id), member)
#define ZERO(at, size)                                                                             \
    { at, size, false, Check::kZero, 0, 0, nullptr, nullptr }
#define CELLS(at, member)                                                                          \
    {                                                                                              \
        at, kTableCells, false, Check::kAsIs, 0, 0, nullptr,                                       \
            [](RecordValues& v) -> uint8_t* { return v.member; }                                   \
    }
// An operator's 15 bytes from `at`: VC VS MUL Tune(2) PMS AMS TL AR DR SL SR RR KC KS. The
// record keeps KC before KS; the tone values keep KS first.
#define OPERATOR(at, op)                                                                           \
    P8(at, kAnd, ev::operatorParam(op, ev::kVelocityCurve), tone[toneIndex(op, kVc)]),             \
        P8(at + 1, kAnd, ev::operatorParam(op, ev::kVelocitySens), tone[toneIndex(op, kVs)]),      \
        P8(at + 2, kAnd, ev::operatorParam(op, ev::kMul), tone[toneIndex(op, kMul)]),              \
        P16(at + 3, kMin, ev::operatorParam(op, ev::kTune), tone[toneIndex(op, kTune)]),           \
        P8(at + 5, kAnd, ev::operatorParam(op, ev::kPms), tone[toneIndex(op, kPms)]),              \
        P8(at + 6, kAnd, ev::operatorParam(op, ev::kAms), tone[toneIndex(op, kAms)]),              \
        P8(at + 7, kAnd, ev::operatorParam(op, ev::kTotalLevel), tone[toneIndex(op, kTl)]),        \
        P8(at + 8, kAnd, ev::operatorParam(op, ev::kAttackRate), tone[toneIndex(op, kAr)]),        \
        P8(at + 9, kAnd, ev::operatorParam(op, ev::kDecayRate), tone[toneIndex(op, kDr)]),         \
        P8(at + 10, kAnd, ev::operatorParam(op, ev::kSustainLevel), tone[toneIndex(op, kSl)]),     \
        P8(at + 11, kAnd, ev::operatorParam(op, ev::kSustainRate), tone[toneIndex(op, kSr)]),      \
        P8(at + 12, kAnd, ev::operatorParam(op, ev::kReleaseRate), tone[toneIndex(op, kRr)]),      \
        P8(at + 13, kAnd, ev::operatorParam(op, ev::kKeyCenter), tone[toneIndex(op, kKc)]),        \
        P8(at + 14, kAnd, ev::operatorParam(op, ev::kKeyScale), tone[toneIndex(op, kKs)])

// The record, field by field. The skin and frame-rate indices select entries of the
// editor's tables: a value past their end (two skins, five rates) is held to the last.
const Field kFields[] = {
    U8(0, kAsIs, 0, 0, version),
    ZERO(1, 1),
    U8(2, kMin, 0, 1, skin),
    U8(3, kMin, 0, 4, frameRate),
    U8(4, kAnd, 0, 1, radix),
    U8(5, kFlag, 0, 0, linkAB),
    U8(6, kMin, 0, 100, waveOpacity),
    U8(7, kMin, 0, 100, gridOpacity),
    U8(8, kAnd, 0, 3, page),
    U8(9, kClamp, 1, 8, stepBits[0]),
    U8(10, kClamp, 1, 8, stepBits[1]),
    ZERO(11, 5),
    U8(16, kMin, 0, 5, genType),
    U16(17, kClamp, 1, 512, cycles),
    S8(19, kAsIs, 0, 0, phase),
    ZERO(20, 1),
    U8(21, kClamp, 1, 128, rangeEnd),
    U8(22, kAnd, 0, 127, rangeStart),
    S16(23, kClamp, -256, 255, amplitude),
    S16(25, kClamp, -256, 255, offset),
    ZERO(27, 1),
    U8(28, kFlag, 0, 0, harmonicsOn),
    U8(29, kAsIs, 0, 0, harmonicsCount),
    U8(30, kClamp, 1, 128, noisePoints),
    U16(31, kAsIs, 0, 0, noiseSeed),
    U8(33, kFlag, 0, 0, noiseLoop),
    U8(34, kAnd, 0, 3, interpolation),
    ZERO(35, 1),
    U8(36, kAnd, 0, 3, rateDivider),  // written 0xFF while rate reduction is unavailable
    ZERO(37, 1),
    U8(38, kClamp, 2, 7, log2Size[0]),
    U8(39, kClamp, 2, 7, log2Size[1]),
    CELLS(40, tables[0]),
    CELLS(168, tables[1]),
    CELLS(296, slots[0]),
    CELLS(424, slots[1]),
    CELLS(552, slots[2]),
    CELLS(680, slots[3]),
    P8(808, kClamp, ev::kBitDepth, bitDepth),
    P16(809, kClamp, ev::kStdPitch, referencePitch),
    U16(811, kAsIs, 0, 0, voiceCount),  // the engine rounds it to a power of two
    ZERO(813, 4),
    P8(817, kMin, ev::kBendRange, bendRange),
    U8(818, kAsIs, 0, 0, pitchBend),  // the low 8 bits only: not read back
    P8(819, kAnd, ev::kModWheel, modWheel),
    P8(820, kAnd, ev::kVolume, volume),
    P8(821, kAnd, ev::kPan, pan),
    P8(822, kAnd, ev::kExpression, expression),
    P8(823, kAnd, ev::kLfoWave, tone[kLfoWaveValue]),
    P16(824, kMin, ev::kLfoFreq, tone[kLfoFreqValue]),
    P8(826, kMin, ev::kOperatorA + ev::kFeedback, tone[kFeedbackValue]),
    P8(827, kAnd, ev::kAlgorithm, tone[kAlgorithmValue]),
    OPERATOR(828, 0),
    OPERATOR(843, 1),
};

#undef OPERATOR
#undef CELLS
#undef ZERO
#undef P16
#undef P8
#undef S16
#undef S8
#undef U16
#undef U8
#undef VALUE

int32_t checked(const Field& f, int32_t v) {
    switch (f.check) {
    case Check::kAnd: return v & f.high;
    case Check::kMin: return std::min(v, f.high);
    case Check::kClamp: return std::clamp(v, f.low, f.high);
    case Check::kFlag: return v != 0 ? 1 : 0;
    default: return v;
    }
}

RecordValues decode(const uint8_t* bytes) {
    RecordValues v{};
    for (const Field& f : kFields) {
        const uint8_t* at = bytes + f.offset;
        if (f.cells) {
            std::copy(at, at + f.size, f.cells(v));
        } else if (f.value && f.check != Check::kZero) {
            int32_t raw = f.size == 2 ? at[0] | at[1] << 8 : at[0];
            if (f.isSigned)
                raw = f.size == 2 ? int16_t(uint16_t(raw)) : int8_t(uint8_t(raw));
            f.value(v) = checked(f, raw);
        }
    }
    return v;
}

std::vector<uint8_t> encode(RecordValues& v) {
    std::vector<uint8_t> out(kStateRecordSize, 0);
    for (const Field& f : kFields) {
        uint8_t* at = out.data() + f.offset;
        if (f.cells) {
            std::copy(f.cells(v), f.cells(v) + f.size, at);
        } else if (f.value) {
            const int32_t x = f.value(v);  // the low bits
            at[0] = uint8_t(x);
            if (f.size == 2)
                at[1] = uint8_t(x >> 8);
        }
    }
    return out;
}

RecordValues gather(Synth& synth, Synth::Edit& edit) {
    RecordValues v{};
    const SynthSettings& s = edit.settings();
    const WaveStore& store = edit.waves();
    const GeneratorSettings& g = edit.generator();
    const EngineSnapshot& e = synth.snapshot();
    v.version = kStateRecordVersion;
    v.skin = s.skin;
    v.frameRate = s.frameRateIndex;
    v.radix = s.numberRadix;
    v.linkAB = store.linkAB ? 1 : 0;
    v.waveOpacity = s.waveOpacity;
    v.gridOpacity = s.gridOpacity;
    v.page = s.page;
    v.genType = g.type;
    v.cycles = g.cyclesQuarter;
    v.phase = g.phase;
    v.rangeEnd = g.rangeEnd;
    v.rangeStart = g.rangeStart;
    v.amplitude = g.amplitude;
    v.offset = g.offset;
    v.harmonicsOn = g.harmonicsOn ? 1 : 0;
    v.harmonicsCount = g.harmonicsCount;
    v.noisePoints = g.noisePoints;
    v.noiseSeed = g.noiseSeed;
    v.noiseLoop = g.noiseLoop ? 1 : 0;
    v.interpolation = g.interpolation;
    v.rateDivider = e.rateDivider();
    for (int op = 0; op < 2; ++op) {
        v.stepBits[op] = store.stepBits(op);
        v.log2Size[op] = store.log2Size(op);
        for (int i = 0; i < kTableCells; ++i)
            v.tables[op][i] = store.cell(op, i);
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int i = 0; i < kTableCells; ++i)
            v.slots[slot][i] = store.slotCell(slot, i);
    v.bitDepth = e.value(eventid::kBitDepth);
    v.referencePitch = e.value(eventid::kStdPitch);
    v.voiceCount = e.voiceCount();
    v.bendRange = e.value(eventid::kBendRange);
    v.pitchBend = e.value(eventid::kPitchBend);
    v.modWheel = e.value(eventid::kModWheel);
    v.volume = e.value(eventid::kVolume);
    v.pan = e.value(eventid::kPan);
    v.expression = e.value(eventid::kExpression);
    for (uint32_t id : EngineSnapshot::kIds)
        if (const int index = toneValueIndex(id); index >= 0)
            v.tone[index] = e.value(id);
    return v;
}

// Only the low 8 bits of the bend are stored, which cannot restore it: a loaded state
// starts with the wheel at its centre, where the host's next bend finds it.
constexpr int32_t kLoadedPitchBend = 8192;

// Applies a decoded record in its order: settings, step quantisers and generator, rate
// divider, table sizes, tables, slots, engine settings, controllers, tone values.
void apply(Synth& synth, Synth::Edit& edit, const RecordValues& v, RecordScope scope) {
    SynthSettings& s = edit.settings();
    if (scope == RecordScope::kWhole) {
        s.skin = v.skin;
        s.frameRateIndex = v.frameRate;
        s.numberRadix = v.radix;
        s.waveOpacity = v.waveOpacity;
        s.gridOpacity = v.gridOpacity;
        s.page = v.page;
    }
    WaveStore& store = edit.waves();
    store.linkAB = v.linkAB != 0;
    for (int op = 0; op < 2; ++op)
        store.setStepQuantiser(op, v.stepBits[op]);
    GeneratorSettings& g = edit.generator();
    g.type = v.genType;
    g.cyclesQuarter = v.cycles;
    g.phase = v.phase;
    g.rangeEnd = v.rangeEnd;
    g.rangeStart = v.rangeStart;
    g.amplitude = v.amplitude;
    g.offset = v.offset;
    g.harmonicsOn = v.harmonicsOn != 0;
    g.harmonicsCount = v.harmonicsCount;
    g.noisePoints = v.noisePoints;
    g.noiseSeed = v.noiseSeed;
    g.noiseLoop = v.noiseLoop != 0;
    g.interpolation = v.interpolation;
    synth.setRateDivider(v.rateDivider);  // clears the hold

    for (int op = 0; op < 2; ++op)
        store.resizeTable(op, v.log2Size[op]);
    for (int op = 0; op < 2; ++op)
        for (int i = 0; i < kTableCells; ++i)
            store.setCell(op, i, v.tables[op][i]);
    store.commitTable(0);
    store.commitTable(1);
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int i = 0; i < kTableCells; ++i)
            store.setSlotCell(slot, i, v.slots[slot][i]);

    SynthEngine& engine = synth.engine();
    engine.setBitDepth(v.bitDepth);
    engine.setReferencePitch(uint32_t(v.referencePitch));
    engine.setVoiceCount(v.voiceCount);
    engine.setBendRange(v.bendRange);
    engine.setPitchBend(kLoadedPitchBend);
    engine.setModWheel(v.modWheel);
    engine.setVolume(v.volume);
    engine.setPan(v.pan);
    engine.setExpression(v.expression);
    engine.tone().loadValues(v.tone);
}

bool acceptable(const uint8_t* bytes, size_t size) {
    return bytes && size == kStateRecordSize && bytes[0] == kStateRecordVersion;
}

}  // namespace

std::vector<std::pair<size_t, size_t>> stateRecordFields() {
    std::vector<std::pair<size_t, size_t>> fields;
    for (const Field& f : kFields)
        fields.emplace_back(f.offset, f.size);
    return fields;
}

std::vector<uint8_t> writeStateRecord(Synth& synth) {
    Synth::Edit edit(synth);
    RecordValues v = gather(synth, edit);
    return encode(v);
}

bool readStateRecord(Synth& synth, const uint8_t* bytes, size_t size, RecordScope scope) {
    if (!acceptable(bytes, size))
        return false;
    const RecordValues v = decode(bytes);
    Synth::Edit edit(synth);
    Synth::StructuralEdit structural(synth);
    synth.engine().silenceAllVoices();
    apply(synth, edit, v, scope);
    edit.history().clear();  // the steps belong to the tables that were replaced
    return true;
}

std::vector<std::pair<uint32_t, int32_t>> recordedValues(const uint8_t* bytes, size_t size) {
    std::vector<std::pair<uint32_t, int32_t>> values;
    if (!acceptable(bytes, size))
        return values;
    const RecordValues v = decode(bytes);
    values = {{eventid::kModWheel, v.modWheel},
              {eventid::kVolume, v.volume},
              {eventid::kPan, v.pan},
              {eventid::kExpression, v.expression},
              {eventid::kPitchBend, kLoadedPitchBend},
              {eventid::kBitDepth, v.bitDepth},
              {eventid::kStdPitch, v.referencePitch},
              {eventid::kBendRange, v.bendRange}};
    for (uint32_t id : EngineSnapshot::kIds)
        if (const int index = toneValueIndex(id); index >= 0)
            values.emplace_back(id, v.tone[index]);
    return values;
}

}  // namespace taluma
