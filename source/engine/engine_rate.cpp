#include "engine/engine_rate.h"

#include <cmath>

#include "engine/synth_engine.h"

namespace taluma {

void setupRate(EngineRate& rate, SynthEngine& engine, int32_t maxBlockSize, float hostRate) {
    const bool integral = hostRate > 0.0f && std::floor(hostRate) == hostRate && hostRate < 2.0e9f;
    if (integral && maxBlockSize >= 16) {
        const int32_t fs = int32_t(hostRate);
        rate.rateTable[0] = fs;
        rate.rateTable[1] = fs % 2 == 0 ? fs / 2 : 0;
        rate.rateTable[2] = fs % 3 == 0 ? fs / 3 : 0;
        rate.rateTable[3] = fs % 4 == 0 ? fs / 4 : 0;
        if (rate.rateDivider < 0 || rate.rateDivider > 3 || rate.rateTable[rate.rateDivider] == 0)
            rate.rateDivider = 0;
        rate.decimation = rate.rateDivider + 1;
        engine.sampleRate = float(rate.rateTable[rate.rateDivider]);
    } else {
        rate.rateDivider = -1;
        for (int32_t& r : rate.rateTable)
            r = 0;
        rate.decimation = 1;
        engine.sampleRate = hostRate;
    }
    engine.updateRateConstants();
}

void setRateDivider(EngineRate& rate, SynthEngine& engine, int32_t index) {
    if (rate.rateDivider < 0)
        return;
    rate.rateDivider = (index >= 0 && index <= 3 && rate.rateTable[index] > 0) ? index : 0;
    engine.sampleRate = float(rate.rateTable[rate.rateDivider]);
    engine.updateRateConstants();
    rate.decimation = rate.rateDivider + 1;
}

}  // namespace taluma
