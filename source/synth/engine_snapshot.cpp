#include "synth/engine_snapshot.h"

namespace taluma {

EngineSnapshot::EngineSnapshot() {
    for (auto& v : values_)
        v.store(0, std::memory_order_relaxed);
    for (auto& r : rateTable_)
        r.store(0, std::memory_order_relaxed);
}

int EngineSnapshot::indexOf(uint32_t id) {
    for (size_t i = 0; i < kCount; ++i)
        if (kIds[i] == id)
            return int(i);
    return -1;
}

void EngineSnapshot::publish(const SynthEngine& engine, const EngineRate& rate) {
    for (size_t i = 0; i < kCount; ++i)
        values_[i].store(engine.parameterValue(kIds[i]), std::memory_order_relaxed);
    voiceCount_.store(engine.voiceCount, std::memory_order_relaxed);
    rateDivider_.store(rate.rateDivider, std::memory_order_relaxed);
    sampleRate_.store(engine.sampleRate, std::memory_order_relaxed);
    for (size_t i = 0; i < 4; ++i)
        rateTable_[i].store(rate.rateTable[i], std::memory_order_relaxed);
}

int32_t EngineSnapshot::value(uint32_t id) const {
    const int i = indexOf(id);
    return i < 0 ? -1 : values_[size_t(i)].load(std::memory_order_relaxed);
}

}  // namespace taluma
