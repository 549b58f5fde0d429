// The table of reduced engine rates (1/1, 1/2, 1/3, 1/4 of the host rate) and the
// selected divider. The processor keeps one of these next to the engine.
#pragma once

#include <cstdint>

namespace taluma {

class SynthEngine;

struct EngineRate {
    int32_t rateTable[4] = {44100, 22050, 14700, 11025};  // 0 = fraction not available
    int32_t rateDivider = 0;                              // 0..3, -1 = reduction unavailable
    int32_t decimation = 1;                               // host samples per engine sample
};

// Builds the rate table from the host rate. Reduction needs an integral host rate and
// a maximum block of at least 16 samples; otherwise the engine runs at the host rate.
// Sets the engine's sample rate and recomputes its rate constants (silencing it).
void setupRate(EngineRate& rate, SynthEngine& engine, int32_t maxBlockSize, float hostRate);

// Selects divider index 0..3; a fraction the host rate does not allow falls back to
// 1/1. Does nothing while reduction is unavailable.
void setRateDivider(EngineRate& rate, SynthEngine& engine, int32_t index);

}  // namespace taluma
