// The timed event record that the processor hands the engine once per block.
#pragma once

#include <cstdint>

namespace taluma {

struct EngineEvent {
    EngineEvent* next = nullptr;  // following event; the list is ordered by sampleOffset
    int32_t sampleOffset = 0;     // in engine samples, relative to the block
    uint32_t id = 0;              // class in id & 0xF0000, see below
    float value = 0.0f;           // normalised 0..1
};

// Event id classes and the numbers inside each class.
namespace eventid {
constexpr uint32_t kClassMask = 0xF0000;
constexpr uint32_t kNote = 0x10000;  // bits 0..6 key, bit 8 note-on
constexpr uint32_t kNoteOnBit = 0x100;
constexpr uint32_t kController = 0x20000;
constexpr uint32_t kTone = 0x40000;
constexpr uint32_t kEngineSetting = 0x80000;

// Controllers (low 8 bits).
constexpr uint32_t kModWheel = 0x20001;
constexpr uint32_t kVolume = 0x20002;
constexpr uint32_t kPan = 0x20003;
constexpr uint32_t kExpression = 0x20004;
constexpr uint32_t kAllSoundOff = 0x20005;
constexpr uint32_t kAllNotesOff = 0x20006;
constexpr uint32_t kPitchBend = 0x20007;

// Engine settings.
constexpr uint32_t kBitDepth = 0x80001;
constexpr uint32_t kStdPitch = 0x80002;

// Tone parameters: shared ones, then operator A at 0x40090 + k and B at 0x400A0 + k.
constexpr uint32_t kBendRange = 0x40001;
constexpr uint32_t kAlgorithm = 0x40002;
constexpr uint32_t kLfoWave = 0x40003;
constexpr uint32_t kLfoFreq = 0x40004;
constexpr uint32_t kOperatorA = 0x40090;
constexpr uint32_t kOperatorB = 0x400A0;

// Offsets k of the per-operator parameters.
enum OperatorParam : uint32_t {
    kFeedback = 0,  // operator A only
    kMul = 1,
    kTune = 2,
    kTotalLevel = 3,
    kAttackRate = 4,
    kDecayRate = 5,
    kSustainLevel = 6,
    kSustainRate = 7,
    kReleaseRate = 8,
    kKeyCenter = 9,
    kKeyScale = 10,
    kVelocityCurve = 11,
    kVelocitySens = 12,
    kPms = 13,
    kAms = 14,
};

constexpr uint32_t noteOn(int key) {
    return kNote | kNoteOnBit | (uint32_t(key) & 0x7F);
}
constexpr uint32_t noteOff(int key) {
    return kNote | (uint32_t(key) & 0x7F);
}
constexpr uint32_t operatorParam(int op, OperatorParam k) {
    return (op == 0 ? kOperatorA : kOperatorB) + k;
}
}  // namespace eventid

}  // namespace taluma
