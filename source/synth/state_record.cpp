#include "state_record.h"

#include <algorithm>

#include "synth.h"

namespace taluma {

namespace {

// Offsets inside the record.
enum : size_t {
    kVersion = 0,
    kSkin = 2,
    kFrameRate = 3,
    kRadix = 4,
    kLinkAB = 5,
    kWaveOpacity = 6,
    kGridOpacity = 7,
    kPage = 8,
    kStepBits = 9,  // A, then B
    kGenType = 16,
    kCycles = 17,
    kPhase = 19,
    kRangeEnd = 21,
    kRangeStart = 22,
    kAmplitude = 23,
    kOffset = 25,
    kHarmonicsOn = 28,
    kHarmonicsCount = 29,
    kNoisePoints = 30,
    kNoiseSeed = 31,
    kNoiseLoop = 33,
    kInterpolation = 34,
    kRateDivider = 36,
    kLog2Size = 38,  // A, then B
    kTables = 40,    // A, then B, 128 bytes each
    kSlots = 296,    // four slots of 128 bytes
    kBitDepth = 808,
    kReferencePitch = 809,
    kVoiceCount = 811,
    kBendRange = 817,
    kPitchBend = 818,
    kModWheel = 819,
    kVolume = 820,
    kPan = 821,
    kExpression = 822,
    kLfoWave = 823,
    kLfoFreq = 824,
    kFeedback = 826,
    kAlgorithm = 827,
    kOperators = 828,  // 15 bytes each: VC VS MUL Tune(2) PMS AMS TL AR DR SL SR RR KC KS
};
constexpr size_t kOperatorBytes = 15;

// The parameter ids of one operator's record bytes, in record order (Tune takes two).
constexpr eventid::OperatorParam kOperatorOrder[] = {
    eventid::kVelocityCurve, eventid::kVelocitySens, eventid::kMul,         eventid::kTune,
    eventid::kPms,           eventid::kAms,          eventid::kTotalLevel,  eventid::kAttackRate,
    eventid::kDecayRate,     eventid::kSustainLevel, eventid::kSustainRate, eventid::kReleaseRate,
    eventid::kKeyCenter,     eventid::kKeyScale,
};

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void u8(size_t at, int32_t v) { out_[at] = uint8_t(v); }
    void u16(size_t at, int32_t v) {
        out_[at] = uint8_t(v);
        out_[at + 1] = uint8_t(v >> 8);
    }

private:
    std::vector<uint8_t>& out_;
};

class Reader {
public:
    explicit Reader(const uint8_t* in) : in_(in) {}
    int32_t u8(size_t at) const { return in_[at]; }
    int32_t u16(size_t at) const { return in_[at] | in_[at + 1] << 8; }
    int32_t s8(size_t at) const { return int8_t(in_[at]); }
    int32_t s16(size_t at) const { return int16_t(uint16_t(u16(at))); }
    bool flag(size_t at) const { return in_[at] != 0; }
    const uint8_t* at(size_t offset) const { return in_ + offset; }

private:
    const uint8_t* in_;
};

// How the user has the window: skin, frame rate, radix, opacities and open page.
void applyDisplay(SynthSettings& s, const Reader& r) {
    // The skin and frame-rate indices select entries of the editor's tables: a value
    // past their end (two skins, five rates) is held to the last entry.
    s.skin = std::min(r.u8(kSkin), 1);
    s.frameRateIndex = std::min(r.u8(kFrameRate), 4);
    s.numberRadix = r.u8(kRadix) & 1;
    s.waveOpacity = std::min(r.u8(kWaveOpacity), 100);
    s.gridOpacity = std::min(r.u8(kGridOpacity), 100);
    s.page = r.u8(kPage) & 3;
}

void applySettings(Synth::Edit& edit, const Reader& r) {
    WaveStore& store = edit.waves();
    store.linkAB = r.flag(kLinkAB);
    for (int op = 0; op < 2; ++op)
        store.setStepQuantiser(op, std::clamp(r.u8(kStepBits + size_t(op)), 1, 8));

    GeneratorSettings& g = edit.generator();
    g.type = std::min(r.u8(kGenType), 5);
    g.cyclesQuarter = std::clamp(r.u16(kCycles), 1, 512);
    g.phase = r.s8(kPhase);
    g.rangeEnd = std::clamp(r.u8(kRangeEnd), 1, 128);
    g.rangeStart = r.u8(kRangeStart) & 127;
    g.amplitude = std::clamp(r.s16(kAmplitude), -256, 255);
    g.offset = std::clamp(r.s16(kOffset), -256, 255);
    g.harmonicsOn = r.flag(kHarmonicsOn);
    g.harmonicsCount = r.u8(kHarmonicsCount);
    g.noisePoints = std::clamp(r.u8(kNoisePoints), 1, 128);
    g.noiseSeed = r.u16(kNoiseSeed);
    g.noiseLoop = r.flag(kNoiseLoop);
    g.interpolation = r.u8(kInterpolation) & 3;
}

void applyTables(WaveStore& store, const Reader& r) {
    for (int op = 0; op < 2; ++op)
        store.resizeTable(op, std::clamp(r.u8(kLog2Size + size_t(op)), 2, 7));
    for (int op = 0; op < 2; ++op)
        for (int i = 0; i < kTableCells; ++i)
            store.setCell(op, i, r.at(kTables)[op * kTableCells + i]);
    store.commitTable(0);
    store.commitTable(1);
    for (int s = 0; s < kSlotCount; ++s)
        for (int i = 0; i < kTableCells; ++i)
            store.setSlotCell(s, i, r.at(kSlots)[s * kTableCells + i]);
}

// The engine's values as the record holds them, each brought into its range.
struct EngineValues {
    int32_t bitDepth, referencePitch, voiceCount;
    int32_t bendRange, modWheel, volume, pan, expression;
    int32_t tone[kToneValueCount];
};

EngineValues readEngineValues(const Reader& r) {
    EngineValues v{};
    v.bitDepth = std::clamp(r.u8(kBitDepth), 1, 16);
    v.referencePitch = std::clamp(r.u16(kReferencePitch), 42000, 46000);
    v.voiceCount = r.u16(kVoiceCount);  // the engine rounds it to a power of two
    v.bendRange = std::min(r.u8(kBendRange), 24);
    v.modWheel = r.u8(kModWheel) & 127;
    v.volume = r.u8(kVolume) & 127;
    v.pan = r.u8(kPan) & 127;
    v.expression = r.u8(kExpression) & 127;

    int32_t* values = v.tone;
    values[kLfoWaveValue] = r.u8(kLfoWave) & 3;
    values[kLfoFreqValue] = std::min(r.u16(kLfoFreq), 16384);
    values[kFeedbackValue] = std::min(r.u8(kFeedback), 128);
    values[kAlgorithmValue] = r.u8(kAlgorithm) & 3;
    for (int op = 0; op < 2; ++op) {
        const size_t base = kOperators + size_t(op) * kOperatorBytes;
        auto at = [&](size_t i) { return base + i + (i > 3 ? 1 : 0); };  // Tune is two bytes
        values[toneIndex(op, kVc)] = r.u8(at(0)) & 3;
        values[toneIndex(op, kVs)] = r.u8(at(1)) & 7;
        values[toneIndex(op, kMul)] = r.u8(at(2)) & 15;
        values[toneIndex(op, kTune)] = std::min(r.u16(at(3)), 16384);
        values[toneIndex(op, kPms)] = r.u8(at(4)) & 7;
        values[toneIndex(op, kAms)] = r.u8(at(5)) & 7;
        values[toneIndex(op, kTl)] = r.u8(at(6)) & 127;
        values[toneIndex(op, kAr)] = r.u8(at(7)) & 127;
        values[toneIndex(op, kDr)] = r.u8(at(8)) & 127;
        values[toneIndex(op, kSl)] = r.u8(at(9)) & 127;
        values[toneIndex(op, kSr)] = r.u8(at(10)) & 127;
        values[toneIndex(op, kRr)] = r.u8(at(11)) & 127;
        values[toneIndex(op, kKc)] = r.u8(at(12)) & 127;  // the record keeps KC before KS
        values[toneIndex(op, kKs)] = r.u8(at(13)) & 3;
    }
    return v;
}

// Only the low 8 bits of the bend are stored, which cannot restore it: a loaded state
// starts with the wheel at its centre, where the host's next bend finds it.
constexpr int32_t kLoadedPitchBend = 8192;

void applyEngine(SynthEngine& engine, const EngineValues& v) {
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
    return bytes && size == kStateRecordSize && bytes[kVersion] == kStateRecordVersion;
}

}  // namespace

std::vector<uint8_t> writeStateRecord(Synth& synth) {
    Synth::Edit edit(synth);
    std::vector<uint8_t> out(kStateRecordSize, 0);
    Writer w(out);
    const SynthSettings& s = edit.settings();
    const WaveStore& store = edit.waves();
    const EngineSnapshot& e = synth.snapshot();

    w.u8(kVersion, kStateRecordVersion);
    w.u8(kSkin, s.skin);
    w.u8(kFrameRate, s.frameRateIndex);
    w.u8(kRadix, s.numberRadix);
    w.u8(kLinkAB, store.linkAB ? 1 : 0);
    w.u8(kWaveOpacity, s.waveOpacity);
    w.u8(kGridOpacity, s.gridOpacity);
    w.u8(kPage, s.page);
    for (int op = 0; op < 2; ++op)
        w.u8(kStepBits + size_t(op), store.stepBits(op));

    const GeneratorSettings& g = edit.generator();
    w.u8(kGenType, g.type);
    w.u16(kCycles, g.cyclesQuarter);
    w.u8(kPhase, g.phase);
    w.u8(kRangeEnd, g.rangeEnd);
    w.u8(kRangeStart, g.rangeStart);
    w.u16(kAmplitude, g.amplitude);
    w.u16(kOffset, g.offset);
    w.u8(kHarmonicsOn, g.harmonicsOn ? 1 : 0);
    w.u8(kHarmonicsCount, g.harmonicsCount);
    w.u8(kNoisePoints, g.noisePoints);
    w.u16(kNoiseSeed, g.noiseSeed);
    w.u8(kNoiseLoop, g.noiseLoop ? 1 : 0);
    w.u8(kInterpolation, g.interpolation);
    w.u8(kRateDivider, e.rateDivider());  // 0xFF while reduction is unavailable

    for (int op = 0; op < 2; ++op) {
        w.u8(kLog2Size + size_t(op), store.log2Size(op));
        for (int i = 0; i < kTableCells; ++i)
            w.u8(kTables + size_t(op * kTableCells + i), store.cell(op, i));
    }
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int i = 0; i < kTableCells; ++i)
            w.u8(kSlots + size_t(slot * kTableCells + i), store.slotCell(slot, i));

    w.u8(kBitDepth, e.value(eventid::kBitDepth));
    w.u16(kReferencePitch, e.value(eventid::kStdPitch));
    w.u16(kVoiceCount, e.voiceCount());
    w.u8(kBendRange, e.value(eventid::kBendRange));
    w.u8(kPitchBend, e.value(eventid::kPitchBend));
    w.u8(kModWheel, e.value(eventid::kModWheel));
    w.u8(kVolume, e.value(eventid::kVolume));
    w.u8(kPan, e.value(eventid::kPan));
    w.u8(kExpression, e.value(eventid::kExpression));
    w.u8(kLfoWave, e.value(eventid::kLfoWave));
    w.u16(kLfoFreq, e.value(eventid::kLfoFreq));
    w.u8(kFeedback, e.value(eventid::operatorParam(0, eventid::kFeedback)));
    w.u8(kAlgorithm, e.value(eventid::kAlgorithm));
    for (int op = 0; op < 2; ++op) {
        size_t at = kOperators + size_t(op) * kOperatorBytes;
        for (eventid::OperatorParam k : kOperatorOrder) {
            const int32_t v = e.value(eventid::operatorParam(op, k));
            if (k == eventid::kTune) {
                w.u16(at, v);
                at += 2;
            } else {
                w.u8(at++, v);
            }
        }
    }
    return out;
}

bool readStateRecord(Synth& synth, const uint8_t* bytes, size_t size, RecordScope scope) {
    if (!acceptable(bytes, size))
        return false;
    const Reader r(bytes);
    Synth::Edit edit(synth);
    Synth::StructuralEdit structural(synth);
    synth.engine().silenceAllVoices();
    if (scope == RecordScope::kWhole)
        applyDisplay(edit.settings(), r);
    applySettings(edit, r);
    synth.setRateDivider(r.u8(kRateDivider) & 3);  // clears the hold
    applyTables(edit.waves(), r);
    applyEngine(synth.engine(), readEngineValues(r));
    edit.history().clear();  // the steps belong to the tables that were replaced
    return true;
}

bool recordedValue(const uint8_t* bytes, size_t size, uint32_t id, int32_t& value) {
    if (!acceptable(bytes, size))
        return false;
    const EngineValues v = readEngineValues(Reader(bytes));
    switch (id) {
    case eventid::kModWheel: value = v.modWheel; return true;
    case eventid::kVolume: value = v.volume; return true;
    case eventid::kPan: value = v.pan; return true;
    case eventid::kExpression: value = v.expression; return true;
    case eventid::kPitchBend: value = kLoadedPitchBend; return true;
    case eventid::kBitDepth: value = v.bitDepth; return true;
    case eventid::kStdPitch: value = v.referencePitch; return true;
    case eventid::kBendRange: value = v.bendRange; return true;
    default: break;
    }
    const int index = toneValueIndex(id);
    if (index < 0)
        return false;
    value = v.tone[index];
    return true;
}

}  // namespace taluma
