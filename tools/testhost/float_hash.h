// FNV-1a over the bytes of float samples (little-endian), for golden checksums of
// renders. Pass the previous result as `hash` to go on over further samples.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace taluma {
namespace testhost {

inline uint64_t floatHash(const std::vector<float>& samples,
                          uint64_t hash = 1469598103934665603ull) {
    for (float f : samples) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        for (int i = 0; i < 4; ++i)
            hash = (hash ^ ((bits >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace testhost
}  // namespace taluma
