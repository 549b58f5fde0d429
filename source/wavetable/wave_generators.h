// Wave generators: fill a range of cells of a table with a sine, triangle, saw or
// square (optionally band-limited), a constant level, or interpolated seeded noise.
#pragma once

#include <cstdint>

#include "wavetable/wave_store.h"

namespace taluma {

enum GeneratorType : int32_t {
    kGenSine = 0,
    kGenTriangle,
    kGenSaw,
    kGenSquare,
    kGenConstant,
    kGenNoise
};

struct GeneratorSettings {
    int32_t type = kGenSine;    // 0..5
    int32_t cyclesQuarter = 4;  // cycles across the table, in quarters (1..512)
    int32_t phase = 0;          // in 1/128 of the table (-128..127)
    int32_t rangeEnd = 128;     // end of the written range, exclusive (1..128)
    int32_t rangeStart = 0;     // first cell written (0..127)
    int32_t amplitude = 127;    // -256..255
    int32_t offset = 0;         // -256..255
    bool harmonicsOn = false;
    int32_t harmonicsCount = 8;  // partials including the fundamental
    int32_t noisePoints = 4;     // 1..128
    int32_t noiseSeed = 0;       // 0..65535
    bool noiseLoop = false;
    int32_t interpolation = 0;  // 0 none, 1 linear, 2 spline 3, 3 spline 5
};

// Types 0-3 and 5 over cells rangeStart .. min(size, rangeEnd) - 1; then commits.
// An empty range changes nothing at all.
void generateWave(WaveStore& store, int op, const GeneratorSettings& settings);
// Type 4: offset + amplitude into rangeEnd cells from rangeStart; then commits.
void fillConstant(WaveStore& store, int op, const GeneratorSettings& settings);

}  // namespace taluma
