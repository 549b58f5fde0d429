#include "engine/tone_parameters.h"

#include <algorithm>

#include "engine/engine_event.h"

namespace taluma {

int toneValueIndex(uint32_t id) {
    switch (id) {
    case eventid::kAlgorithm: return kAlgorithmValue;
    case eventid::kLfoWave: return kLfoWaveValue;
    case eventid::kLfoFreq: return kLfoFreqValue;
    case eventid::kOperatorA + eventid::kFeedback: return kFeedbackValue;
    default: break;
    }
    const int op = id - eventid::kOperatorA < 16 ? 0 : id - eventid::kOperatorB < 16 ? 1 : -1;
    if (op < 0)
        return -1;
    switch (id - eventid::operatorParam(op, eventid::kFeedback)) {
    case eventid::kMul: return toneIndex(op, kMul);
    case eventid::kTune: return toneIndex(op, kTune);
    case eventid::kTotalLevel: return toneIndex(op, kTl);
    case eventid::kAttackRate: return toneIndex(op, kAr);
    case eventid::kDecayRate: return toneIndex(op, kDr);
    case eventid::kSustainLevel: return toneIndex(op, kSl);
    case eventid::kSustainRate: return toneIndex(op, kSr);
    case eventid::kReleaseRate: return toneIndex(op, kRr);
    case eventid::kKeyCenter: return toneIndex(op, kKc);
    case eventid::kKeyScale: return toneIndex(op, kKs);
    case eventid::kVelocityCurve: return toneIndex(op, kVc);
    case eventid::kVelocitySens: return toneIndex(op, kVs);
    case eventid::kPms: return toneIndex(op, kPms);
    case eventid::kAms: return toneIndex(op, kAms);
    default: return -1;
    }
}

namespace {
const int32_t kDefaultValues[kToneValueCount] = {
    0, 2048, 0, 3,  // LFO wave, LFO freq, FL A, algorithm
    0, 0,    2, 8192, 0, 0, 16, 100, 100, 24, 42, 120, 0, 64,  // operator A
    2, 7,    1, 8192, 0, 0, 0,  124, 60,  24, 64, 120, 0, 64,  // operator B
};
const int32_t kAlgorithmCode[4] = {1, 2, 3, 7};  // A, B, A + B, A modulates B
}  // namespace

void ToneParameters::init(EngineTables& t) {
    *this = ToneParameters();
    exp = t.expTable();
    exponent = t.exponent();
    pitchShift = t.pitchShift();
    notePitch = t.notePitch();
    tlTable = t.totalLevel();
    attackCurve = t.attackCurve();
    linearCurve = t.linearCurve();
    keyScaleTable = t.keyScale();
    rateShift = t.rateShift();
    slTable = t.sustainLevel();
    mulTable = t.multiplier();
    lfoWaves = t.lfoWaves();
    velocityCurves = t.velocityCurves();
    volumeCurve = t.volumeCurve();
    panLaw = t.panLaw();

    for (int i = 0; i < 128; ++i) {
        attackStart[i] = 0x80000;
        attackEnd[i] = 0x40000000;
        zeroStart[i] = 0;
    }
    std::copy(kDefaultValues, kDefaultValues + kToneValueCount, values_);
    recomputeGains();
    expressionAtt = tlTable[127 - expression];
    bendRangeLog = notePitch[bendRange];
    recomputeAll();
}

void ToneParameters::loadValues(const int32_t values[kToneValueCount]) {
    std::copy(values, values + kToneValueCount, values_);
    recomputeAll();
}

void ToneParameters::recomputeAll() {
    lfoWave = lfoWaves + values_[kLfoWaveValue] * kLfoWaveValues;
    lfoIncrement = lfoRateFactor * values_[kLfoFreqValue];
    op[0].pmDepth = opValue(0, kPms) * modWheel;
    op[0].amDepth = opValue(0, kAms) * modWheel;
    recomputeRenderSelect();
    feedbackAtt = tlTable[128 - values_[kFeedbackValue]];
    recomputeBend();
    for (int o = 0; o < 2; ++o) {
        if (o == 1) {
            op[1].pmDepth = opValue(1, kPms) * modWheel;
            op[1].amDepth = opValue(1, kAms) * modWheel;
        }
        recomputePitch(o);
        rebuildAllRates(o);
        rebuildLevels(o);
        setupFirstStage(o);
    }
}

void ToneParameters::recomputeRenderSelect() {
    const bool wasSerial = (renderSelect & 7) == 7;
    int32_t code = kAlgorithmCode[values_[kAlgorithmValue] & 3];
    if (opValue(0, kPms) != 0 || opValue(1, kPms) != 0)
        code |= 8;
    if (opValue(0, kAms) != 0 || opValue(1, kAms) != 0)
        code |= 16;
    if (opValue(0, kTl) >= 127)
        code &= ~1;
    if (opValue(1, kTl) >= 127)
        code &= ~2;
    renderSelect = code;
    voiceFlagTemplate = (code & 3) != 0 ? (code & 3) | 16 : 0;
    // Operator A's silence ceiling depends on whether it is a serial modulator; keep
    // it in step whichever parameter switched that, so the sound does not depend on
    // the order of edits.
    if (wasSerial != ((renderSelect & 7) == 7))
        rebuildLevels(0);
}

void ToneParameters::recomputePitch(int o) {
    OperatorTone& t = op[o];
    t.mulLog = mulTable[opValue(o, kMul)];
    t.tuneOffset = opValue(o, kTune) - 8192;
    t.pitch = t.mulLog + t.tuneOffset + pitchBase;
    t.pitchBent = t.pitch + bendLog;
}

void ToneParameters::recomputeBend() {
    bendOffset = pitchBend - 8192;
    bendLog = (bendOffset * bendRangeLog) >> 13;
    op[0].pitchBent = op[0].pitch + bendLog;
    op[1].pitchBent = op[1].pitch + bendLog;
}

void ToneParameters::recomputeGains() {
    volumeGain = volumeCurve[volume];
    scaledGain = volumeGain * (1.0f / 65536.0f);
    gainL = scaledGain * panLaw[pan + 64];
    gainR = scaledGain * panLaw[192 - pan];
}

void ToneParameters::setRateConstants(int32_t lfoFactor, int32_t base, int32_t pitchBaseValue) {
    lfoRateFactor = lfoFactor;
    rateBase = base;
    lfoIncrement = lfoRateFactor * values_[kLfoFreqValue];
    setPitchBase(pitchBaseValue);
    rebuildAllRates(0);
    rebuildAllRates(1);
}

void ToneParameters::setPitchBase(int32_t value) {
    pitchBase = value;
    for (int o = 0; o < 2; ++o) {
        op[o].pitch = op[o].mulLog + op[o].tuneOffset + pitchBase;
        op[o].pitchBent = op[o].pitch + bendLog;
    }
}

// --- value setters -------------------------------------------------------------

bool ToneParameters::storeOp(int o, OperatorValue v, int32_t value) {
    int32_t& slot = values_[toneIndex(o, v)];
    if (slot == value)
        return false;
    slot = value;
    return true;
}

bool ToneParameters::setAlgorithm(int32_t v) {
    if (values_[kAlgorithmValue] == v)
        return false;
    values_[kAlgorithmValue] = v;
    recomputeRenderSelect();
    rebuildLevels(0);
    return true;
}

bool ToneParameters::setLfoWave(int32_t v) {
    if (values_[kLfoWaveValue] == v)
        return false;
    values_[kLfoWaveValue] = v;
    lfoWave = lfoWaves + v * kLfoWaveValues;
    return true;
}

bool ToneParameters::setFeedback(int32_t v) {
    if (values_[kFeedbackValue] == v)
        return false;
    values_[kFeedbackValue] = v;
    feedbackAtt = tlTable[128 - v];
    return true;
}

bool ToneParameters::setMultiplier(int o, int32_t v) {
    if (!storeOp(o, kMul, v))
        return false;
    recomputePitch(o);
    return true;
}

bool ToneParameters::setTune(int o, int32_t v) {
    if (!storeOp(o, kTune, v))
        return false;
    recomputePitch(o);
    return true;
}

bool ToneParameters::setTotalLevel(int o, int32_t v) {
    if (!storeOp(o, kTl, v))
        return false;
    recomputeRenderSelect();
    rebuildLevels(o);
    return true;
}

bool ToneParameters::setAttackRate(int o, int32_t v) {
    if (!storeOp(o, kAr, v))
        return false;
    rebuildAttackRates(o);
    setupFirstStage(o);
    return true;
}

bool ToneParameters::setDecayRate(int o, int32_t v) {
    if (!storeOp(o, kDr, v))
        return false;
    rebuildDecayRates(o);
    return true;
}

bool ToneParameters::setSustainLevel(int o, int32_t v) {
    if (!storeOp(o, kSl, v))
        return false;
    rebuildDecayTarget(o);
    setupFirstStage(o);
    return true;
}

bool ToneParameters::setSustainRate(int o, int32_t v) {
    if (!storeOp(o, kSr, v))
        return false;
    rebuildSustainRates(o);
    return true;
}

bool ToneParameters::setReleaseRate(int o, int32_t v) {
    if (!storeOp(o, kRr, v))
        return false;
    rebuildReleaseRates(o);
    return true;
}

bool ToneParameters::setKeyCenter(int o, int32_t v) {
    if (!storeOp(o, kKc, v))
        return false;
    rebuildAllRates(o);
    return true;
}

bool ToneParameters::setKeyScale(int o, int32_t v) {
    if (!storeOp(o, kKs, v))
        return false;
    rebuildAllRates(o);
    return true;
}

bool ToneParameters::setVelocityCurve(int o, int32_t v) {
    if (!storeOp(o, kVc, v))
        return false;
    rebuildLevels(o);
    return true;
}

bool ToneParameters::setVelocitySensitivity(int o, int32_t v) {
    if (!storeOp(o, kVs, v))
        return false;
    rebuildLevels(o);
    return true;
}

bool ToneParameters::setPms(int o, int32_t v) {
    if (!storeOp(o, kPms, v))
        return false;
    op[o].pmDepth = v * modWheel;
    recomputeRenderSelect();
    return true;
}

bool ToneParameters::setAms(int o, int32_t v) {
    if (!storeOp(o, kAms, v))
        return false;
    op[o].amDepth = v * modWheel;
    recomputeRenderSelect();
    return true;
}

void ToneParameters::storeLfoFreq(int32_t v) {
    values_[kLfoFreqValue] = v;
    lfoIncrement = lfoRateFactor * v;
}

void ToneParameters::storeModWheel(int32_t v) {
    modWheel = v;
    for (int o = 0; o < 2; ++o) {
        op[o].pmDepth = v * opValue(o, kPms);
        op[o].amDepth = v * opValue(o, kAms);
    }
}

void ToneParameters::storeVolume(int32_t v) {
    volume = v;
    recomputeGains();
}

void ToneParameters::storePan(int32_t v) {
    pan = v;
    recomputeGains();
}

void ToneParameters::storeExpression(int32_t v) {
    expression = v;
    expressionAtt = tlTable[127 - v];
}

void ToneParameters::storePitchBend(int32_t v) {
    pitchBend = v;
    recomputeBend();
}

void ToneParameters::storeBendRange(int32_t v) {
    bendRange = v;
    bendRangeLog = notePitch[v];
    recomputeBend();
}

}  // namespace taluma
