// The texts the editor shows for numbers, computed once: frame rates, decimal and
// hexadecimal numbers and the volume in decibels.
#pragma once

#include <cstdint>

namespace Steinberg {
namespace Vst {

struct DisplayTables {
    static constexpr int kFrameRateCount = 5;
    static constexpr uint32_t kFrameRates[kFrameRateCount] = {24, 25, 30, 50, 60};

    DisplayTables();

    // The idle interval for a frame-rate index 0..4 (clamped): (int)(1000 / fps).
    static int32_t frameInterval(int32_t index);

    char decimal[257][4];   // "0" .. "256"
    char hex[257][3];       // "00" .. "FF", and entry 256 "00"
    char decibel[128][10];  // "   inf   ", "-72.24 dB" .. "  0.00 dB"
};

}  // namespace Vst
}  // namespace Steinberg
