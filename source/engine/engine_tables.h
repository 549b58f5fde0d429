// The engine's shared lookup tables. Each is built on first request and then shared;
// all are freed with the owning engine. The engine requests every table while it is
// set up, so nothing is ever built on the audio thread.
#pragma once

#include <cstdint>
#include <memory>

namespace taluma {

constexpr int kExpTableSize = 43270;  // every code from 8192 up reads 0
constexpr int kCurveSize = 4096;      // envelope curves, indexed by position >> 18
constexpr int kLfoWaveValues = 256;   // 128 steps of (PM value, AM value)

class EngineTables {
public:
    EngineTables();
    ~EngineTables();
    EngineTables(const EngineTables&) = delete;
    EngineTables& operator=(const EngineTables&) = delete;

    const float* volumeCurve();       // 128: ((i+1)/128)^2
    const float* panLaw();            // 257
    const int32_t* expTable();        // 43270: log code -> signed linear, full scale 65536
    const uint32_t* exponent();       // 8192: E[i] = round(2^(30 + i/8192))
    const uint8_t* pitchShift();      // 128: 30 - k, then 0
    const int32_t* notePitch();       // 128: log2 value of key i above key 0
    const int32_t* totalLevel();      // 129: i * 64, entry 128 = 8192
    const int32_t* attackCurve();     // 4096: logEncode(i/4096), entry 0 = 8192
    const int32_t* linearCurve();     // 4096: 2i
    const int32_t* keyScale();        // 256: trunc((i - 128) * 8192/96)
    const uint8_t* rateShift();       // 128: 30 - k, then 1
    const uint32_t* sustainLevel();   // 128: i << 23, entry 127 = 2^30
    const int32_t* multiplier();      // 16: log2 of the frequency factor
    const int32_t* lfoWaves();        // 4 waves * 256 values
    const int32_t* velocityCurves();  // 4 curves * 128

    // Builds every table (used by the engine's set-up).
    void buildAll();

private:
    template <typename T>
    struct Table;
    struct Storage;
    std::unique_ptr<Storage> s_;
};

// The LFO's random wave is drawn from this generator so that it is identical on every
// platform: x = x * 214013 + 2531011, result (x >> 16) & 0x7FFF.
class SeededRandom {
public:
    explicit SeededRandom(uint32_t seed) : x_(seed) {}
    int32_t next() {
        x_ = x_ * 214013u + 2531011u;
        return int32_t((x_ >> 16) & 0x7FFF);
    }

private:
    uint32_t x_;
};

}  // namespace taluma
