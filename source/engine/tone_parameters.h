// The instrument's tone: the controller values, the block of 32 tone values and every
// table derived from them (per-key rates, per-velocity levels, pitches, LFO depths).
// Voices copy what they need from here at note-on.
#pragma once

#include <cstdint>

#include "engine/engine_tables.h"

namespace taluma {

// Positions in the block of 32 tone values (also the order the state record uses).
enum ToneValue : int {
    kLfoWaveValue = 0,
    kLfoFreqValue = 1,
    kFeedbackValue = 2,  // FL A
    kAlgorithmValue = 3,
    kOperatorValues = 4,  // operator A's 14 values start here, operator B's at 18
};
// Offsets inside one operator's 14 values.
enum OperatorValue : int {
    kVc = 0,
    kVs,
    kMul,
    kTune,
    kPms,
    kAms,
    kTl,
    kAr,
    kDr,
    kSl,
    kSr,
    kRr,
    kKs,
    kKc,
    kOperatorValueCount
};
constexpr int kToneValueCount = 32;
constexpr int toneIndex(int op, OperatorValue v) {
    return kOperatorValues + op * kOperatorValueCount + v;
}
// The position of a tone parameter (an event id) in the block of 32 tone values; -1 for
// ids outside the block (the bend range, controllers, engine settings, unknown ids).
int toneValueIndex(uint32_t id);

// Envelope stages.
enum Stage : int32_t {
    kStageEnded = 0,
    kStageAttack = 1,
    kStageDecay = 2,
    kStageSustain = 4,
    kStageRelease = 8
};

// Tables and values of one operator that voices read at note-on.
struct OperatorTone {
    int32_t mulLog = 0, tuneOffset = 0, pitch = 0, pitchBent = 0;
    int32_t pmDepth = 0, amDepth = 0;
    int32_t initialStage = kStageAttack;
    int32_t levelAtt[128] = {};
    uint32_t silenceCeiling[128] = {};
    uint32_t decayTarget[128] = {};
    const uint32_t* stageStart = nullptr;  // by velocity
    const uint32_t* stageEnd = nullptr;    // by velocity
    uint32_t attackRate[128] = {}, decayRate[128] = {}, sustainRate[128] = {},
             releaseRate[128] = {};
    const int32_t* firstCurve = nullptr;
    const uint32_t* firstRate = nullptr;  // by key
};

class ToneParameters {
public:
    // Takes the shared tables (all built) and sets every default.
    void init(EngineTables& tables);

    // Stores the 32 values in block order, then recomputes everything derived.
    void loadValues(const int32_t values[kToneValueCount]);
    void recomputeAll();

    // Value setters: each ignores a value equal to the stored one and returns whether
    // it changed anything. Those that must also reach sounding voices live on the engine.
    bool setAlgorithm(int32_t v);
    bool setLfoWave(int32_t v);
    bool setFeedback(int32_t v);
    bool setMultiplier(int op, int32_t v);
    bool setTune(int op, int32_t v);
    bool setTotalLevel(int op, int32_t v);
    bool setAttackRate(int op, int32_t v);
    bool setDecayRate(int op, int32_t v);
    bool setSustainLevel(int op, int32_t v);
    bool setSustainRate(int op, int32_t v);
    bool setReleaseRate(int op, int32_t v);
    bool setKeyCenter(int op, int32_t v);
    bool setKeyScale(int op, int32_t v);
    bool setVelocityCurve(int op, int32_t v);
    bool setVelocitySensitivity(int op, int32_t v);
    bool setPms(int op, int32_t v);
    bool setAms(int op, int32_t v);

    // Used by the engine for values that also reach sounding voices.
    void storeLfoFreq(int32_t v);
    void storeModWheel(int32_t v);
    void storeVolume(int32_t v);
    void storePan(int32_t v);
    void storeExpression(int32_t v);
    void storePitchBend(int32_t v);
    void storeBendRange(int32_t v);

    // Rate-dependent parts (from the engine's rate constants).
    void setRateConstants(int32_t lfoRateFactor, int32_t rateBase, int32_t pitchBase);
    void setPitchBase(int32_t pitchBase);

    int32_t value(int index) const { return values_[index]; }
    int32_t opValue(int op, OperatorValue v) const { return values_[toneIndex(op, v)]; }
    const int32_t* values() const { return values_; }

    // Shared tables.
    const int32_t* exp = nullptr;
    const uint32_t* exponent = nullptr;
    const uint8_t* pitchShift = nullptr;
    const int32_t* notePitch = nullptr;
    const int32_t* tlTable = nullptr;
    const int32_t* attackCurve = nullptr;
    const int32_t* linearCurve = nullptr;
    const int32_t* keyScaleTable = nullptr;
    const uint8_t* rateShift = nullptr;
    const uint32_t* slTable = nullptr;
    const int32_t* mulTable = nullptr;
    const int32_t* lfoWaves = nullptr;
    const int32_t* velocityCurves = nullptr;
    const float* volumeCurve = nullptr;
    const float* panLaw = nullptr;

    // Controller values.
    int32_t bendRange = 2, pitchBend = 8192, modWheel = 0, volume = 127, expression = 127, pan = 64;

    // Rate constants and render selection.
    int32_t lfoRateFactor = 0, pitchBase = 0, rateBase = 0;
    int32_t voiceFlagTemplate = 0, renderSelect = 0;

    // Output gains.
    float volumeGain = 1.0f, scaledGain = 1.0f / 65536.0f, gainL = 0.0f, gainR = 0.0f;
    int32_t expressionAtt = 0;

    // Feedback, bend and pitches.
    int32_t feedbackAtt = 8192;
    int32_t bendRangeLog = 0, bendOffset = 0, bendLog = 0;

    // LFO.
    const int32_t* lfoWave = nullptr;
    int32_t lfoIncrement = 0;

    OperatorTone op[2];

    // Fixed per-velocity start and end positions for the first stage.
    uint32_t attackStart[128] = {}, attackEnd[128] = {}, zeroStart[128] = {};

private:
    void recomputeRenderSelect();
    void recomputePitch(int op);
    void recomputeBend();
    void recomputeGains();
    void rebuildRateTable(int op, uint32_t* table, int32_t rateValue, bool zeroBelowOne);
    void rebuildAttackRates(int op);
    void rebuildDecayRates(int op);
    void rebuildSustainRates(int op);
    void rebuildReleaseRates(int op);
    void rebuildAllRates(int op);
    void rebuildLevels(int op);
    void rebuildDecayTarget(int op);
    void setupFirstStage(int op);
    bool storeOp(int op, OperatorValue v, int32_t value);

    int32_t values_[kToneValueCount] = {};
};

}  // namespace taluma
