// The engine's settings as the audio thread last left them, for the threads that show
// or save them (controller read-back, editor, state writer). The audio thread and the
// structural edits publish; everyone else only reads.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/engine_event.h"
#include "engine/engine_rate.h"
#include "engine/synth_engine.h"

namespace taluma {

class EngineSnapshot {
public:
    // Every id with a value: the controllers, the engine settings, the shared tone
    // parameters, then the 15 values of operator A and the 14 of operator B (no feedback).
    static constexpr size_t kCount = 40;
    static constexpr std::array<uint32_t, kCount> kIds = [] {
        std::array<uint32_t, kCount> ids{
            eventid::kModWheel,  eventid::kVolume,   eventid::kPan,      eventid::kExpression,
            eventid::kPitchBend, eventid::kBitDepth, eventid::kStdPitch, eventid::kBendRange,
            eventid::kAlgorithm, eventid::kLfoWave,  eventid::kLfoFreq};
        size_t n = 11;
        for (uint32_t k = eventid::kFeedback; k <= eventid::kAms; ++k)
            ids[n++] = eventid::kOperatorA + k;
        for (uint32_t k = eventid::kMul; k <= eventid::kAms; ++k)
            ids[n++] = eventid::kOperatorB + k;
        return ids;
    }();

    EngineSnapshot();

    void publish(const SynthEngine& engine, const EngineRate& rate);

    // The integer of a parameter id (as SynthEngine::parameterValue), -1 for unknown ids.
    int32_t value(uint32_t id) const;
    int32_t voiceCount() const { return voiceCount_.load(std::memory_order_relaxed); }
    int32_t rateDivider() const { return rateDivider_.load(std::memory_order_relaxed); }
    float sampleRate() const { return sampleRate_.load(std::memory_order_relaxed); }  // engine
    int32_t rateTable(int i) const {
        return rateTable_[size_t(i & 3)].load(std::memory_order_relaxed);
    }

private:
    static int indexOf(uint32_t id);

    std::array<std::atomic<int32_t>, kCount> values_;
    std::atomic<int32_t> voiceCount_{128};
    std::atomic<int32_t> rateDivider_{0};
    std::atomic<float> sampleRate_{0.0f};
    std::array<std::atomic<int32_t>, 4> rateTable_;
};

}  // namespace taluma
