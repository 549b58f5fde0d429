// One voice: two operators with their envelopes, a private LFO, and the render
// routine picked at note-on.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/log_math.h"
#include "engine/tone_parameters.h"

namespace taluma {

struct Voice;

// A wave-array cell. Tables are edited outside the audio thread while voices play
// them, so each cell is read and written whole (relaxed atomics: plain moves on x86).
using WaveCell = std::atomic<uint32_t>;
using RenderRoutine = void (*)(Voice& voice, float* left, float* right, int32_t end);

// Voice flag bits.
enum VoiceFlag : int32_t {
    kFlagA = 1,      // operator A sounding
    kFlagB = 2,      // operator B sounding
    kFlagHeld = 16,  // key held
    kFlagReleased = 32,
    kFlagDamped = 64,
};

struct VoiceOperator {
    uint32_t phase = 0;      // 23 bits; phase >> 16 is the 7-bit table index
    uint32_t increment = 0;  // 1/2^23 cycle per engine sample
    int32_t pitch = 0;       // log2 value without LFO
    uint32_t envPosition = 0, envRate = 0, stageEnd = 0;
    const int32_t* curve = nullptr;
    int32_t levelAtt = 0;
    int32_t stage = kStageEnded;
    uint32_t decayRate = 0, sustainRate = 0, releaseRate = 0;
    uint32_t decayTarget = 0, silenceCeiling = 0;
    int32_t pmDepth = 0, amDepth = 0, pmOffset = 0, amOffset = 0;
};

struct Voice {
    const int32_t* exp = nullptr;
    const uint32_t* exponent = nullptr;
    const uint8_t* pitchShift = nullptr;
    const int32_t* notePitch = nullptr;
    const int32_t* attackCurve = nullptr;
    const int32_t* linearCurve = nullptr;
    const ToneParameters* tone = nullptr;

    int32_t flags = 0;  // 0 = free
    int32_t key = 0;
    int32_t position = 0;  // next sample to render in the current block
    uint32_t dampRate = 0;
    const WaveCell* waveLog[2] = {nullptr, nullptr};
    int32_t waveIndexMask[2] = {0, 0};
    uint32_t outputMask = 0;
    int32_t expressionAtt = 0;
    float gainL = 0.0f, gainR = 0.0f;
    int32_t lfoStep = 0, lfoCounter = 0, lfoIncrement = 0;
    const int32_t* lfoWave = nullptr;
    int32_t feedbackAtt = 0;  // operator A only
    VoiceOperator op[2];
    RenderRoutine routine = nullptr;

    // Starts a note with the given key and velocity (both 0..127) from the tone.
    void start(int32_t key, int32_t velocity);
    // After a bend or bend-range change: new pitches and increments.
    void refreshPitch();
    // Note-off: every sounding operator goes to its release stage.
    void release();
    // All-sound-off: every sounding operator falls to silence within about 2 ms.
    void damp();
    // Frees the voice at once.
    void free();
    // Operator i, already below its silence ceiling, stops sounding; when the other one
    // is silent too the voice is freed and true returned.
    bool switchOff(int i);

    uint32_t increment(int32_t pitchValue) const {
        return rateExp(pitchValue < 0 ? 0 : pitchValue, exponent, pitchShift);
    }
};

// Routine picked by a render select code (bits 0-1 operators, bit 2 serial, bit 3 pitch
// LFO, bit 4 amplitude LFO). Codes without an operator give the idle routine.
RenderRoutine renderRoutine(int32_t renderSelect);

// Advances an operator's envelope to its next stage; false when the envelope is over.
inline bool advanceStage(VoiceOperator& o, const int32_t* linearCurve) {
    if (o.stage == kStageAttack) {
        o.curve = linearCurve;
        if (o.decayTarget > 0) {
            o.stage = kStageDecay;
            o.envPosition = 0;
            o.stageEnd = o.decayTarget;
            o.envRate = o.decayRate;
        } else {
            o.stage = kStageSustain;
            o.envPosition = o.decayTarget;
            o.stageEnd = o.silenceCeiling;
            o.envRate = o.sustainRate;
        }
        return true;
    }
    if (o.stage == kStageDecay && o.decayTarget < o.silenceCeiling) {
        o.stage = kStageSustain;
        o.envPosition = o.decayTarget;
        o.stageEnd = o.silenceCeiling;
        o.envRate = o.sustainRate;
        return true;
    }
    o.stage = kStageEnded;
    return false;
}

}  // namespace taluma
