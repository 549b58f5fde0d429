#include "engine/log_math.h"

#include <cmath>

namespace taluma {

int32_t logEncode(double x) {
    const double tiny = 1.0 / 65536.0;
    if (x > tiny)
        return 2 * int32_t(0.5 - 256.0 * std::log2(x));
    if (x < -tiny)
        return 2 * int32_t(0.5 - 256.0 * std::log2(-x)) + 1;
    return kSilentCode;
}

float log2Single(float x) {
    return float(std::log2(double(x)));
}

int32_t logEncodeSingle(float x) {
    const float tiny = 1.0f / 65536.0f;
    if (x > tiny)
        return 2 * int32_t(0.5f - 256.0f * log2Single(x));
    if (x < -tiny)
        return 2 * int32_t(0.5f - 256.0f * log2Single(-x)) + 1;
    return kSilentCode;
}

}  // namespace taluma
