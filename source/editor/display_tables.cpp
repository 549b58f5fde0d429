#include "editor/display_tables.h"

#include <cmath>
#include <cstdio>

namespace Steinberg {
namespace Vst {

constexpr uint32_t DisplayTables::kFrameRates[];

DisplayTables::DisplayTables() {
    for (int i = 0; i < 257; ++i) {
        std::snprintf(decimal[i], sizeof decimal[i], "%d", i);
        std::snprintf(hex[i], sizeof hex[i], "%02X", i & 0xFF);
    }
    std::snprintf(decibel[0], sizeof decibel[0], "   inf   ");
    for (int i = 1; i < 128; ++i) {
        // Truncated toward zero to two decimals, as the level meter of the menu bar reads.
        const double db = 40.0 * std::log10(double(i + 1) / 128.0);
        const double truncated = std::trunc(db * 100.0) / 100.0;
        std::snprintf(decibel[i], sizeof decibel[i], "%6.2f dB",
                      truncated == 0.0 ? 0.0 : truncated);
    }
}

int32_t DisplayTables::frameInterval(int32_t index) {
    index = index < 0 ? 0 : (index >= kFrameRateCount ? kFrameRateCount - 1 : index);
    return int32_t(1000 / kFrameRates[index]);
}

}  // namespace Vst
}  // namespace Steinberg
