// The engine's settings as the audio thread last left them, for the threads that show
// or save them (controller read-back, editor, state writer). The audio thread and the
// structural edits publish; everyone else only reads.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine_rate.h"
#include "synth_engine.h"

namespace taluma {

class EngineSnapshot {
public:
    // Every id with a value: the controllers, the tone parameters and the engine settings.
    static constexpr uint32_t kIds[] = {
        0x20001, 0x20002, 0x20003, 0x20004, 0x20007, 0x80001, 0x80002, 0x40001, 0x40002, 0x40003,
        0x40004, 0x40090, 0x40091, 0x40092, 0x40093, 0x40094, 0x40095, 0x40096, 0x40097, 0x40098,
        0x40099, 0x4009A, 0x4009B, 0x4009C, 0x4009D, 0x4009E, 0x400A1, 0x400A2, 0x400A3, 0x400A4,
        0x400A5, 0x400A6, 0x400A7, 0x400A8, 0x400A9, 0x400AA, 0x400AB, 0x400AC, 0x400AD, 0x400AE,
    };
    static constexpr size_t kCount = sizeof(kIds) / sizeof(kIds[0]);

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
