#include "engine/engine_tables.h"

#include <cmath>

#include "engine/log_math.h"

namespace taluma {

template <typename T>
struct EngineTables::Table {
    std::unique_ptr<T[]> data;
    // Returns the table, building it with fill(T*) the first time.
    template <typename Fill>
    const T* get(int size, Fill fill) {
        if (!data) {
            data.reset(new T[size]());
            fill(data.get());
        }
        return data.get();
    }
};

struct EngineTables::Storage {
    Table<float> volumeCurve, panLaw;
    Table<int32_t> expTable, notePitch, totalLevel, attackCurve, linearCurve, keyScale, multiplier,
        lfoWaves, velocityCurves;
    Table<uint32_t> exponent, sustainLevel;
    Table<uint8_t> pitchShift, rateShift;
};

EngineTables::EngineTables() : s_(new Storage) {}
EngineTables::~EngineTables() = default;

const float* EngineTables::volumeCurve() {
    return s_->volumeCurve.get(128, [](float* t) {
        for (int i = 0; i < 128; ++i) {
            const float x = float(i + 1) / 128.0f;
            t[i] = x * x;
        }
    });
}

const float* EngineTables::panLaw() {
    return s_->panLaw.get(257, [](float* t) {
        // sin in double, rounded to float: identical on every platform, unlike sinf.
        const float halfPi = 1.57079632679489661923f;
        for (int i = 0; i < 257; ++i) {
            if (i < 64)
                t[i] = 1.0f;
            else if (i < 192)
                t[i] = float(std::sin(double(float(192 - i) / 128.0f * halfPi)));
            else
                t[i] = 0.0f;
        }
    });
}

const int32_t* EngineTables::expTable() {
    return s_->expTable.get(kExpTableSize, [](int32_t* t) {
        for (int k = 0; k < 4096; ++k) {
            const int32_t v = int32_t(std::pow(2.0, 16.0 - k / 256.0));
            t[2 * k] = v;
            t[2 * k + 1] = -v;
        }
        // Entries from 8192 on stay 0: 16 octaves of attenuation or more is silence.
    });
}

const uint32_t* EngineTables::exponent() {
    return s_->exponent.get(8192, [](uint32_t* t) {
        for (int i = 0; i < 8192; ++i)
            t[i] = uint32_t(std::pow(2.0, 30.0 + i / 8192.0) + 0.5);
    });
}

const uint8_t* EngineTables::pitchShift() {
    return s_->pitchShift.get(128, [](uint8_t* t) {
        for (int k = 0; k < 128; ++k)
            t[k] = uint8_t(k < 30 ? 30 - k : 0);
    });
}

const int32_t* EngineTables::notePitch() {
    return s_->notePitch.get(128, [](int32_t* t) {
        for (int i = 0; i < 128; ++i)
            t[i] = int32_t(i * 8192.0 / 12.0 + 0.5);
    });
}

const int32_t* EngineTables::totalLevel() {
    return s_->totalLevel.get(129, [](int32_t* t) {
        for (int i = 0; i < 128; ++i)
            t[i] = i * 64;
        t[128] = 8192;
    });
}

const int32_t* EngineTables::attackCurve() {
    return s_->attackCurve.get(kCurveSize, [](int32_t* t) {
        t[0] = kSilentCode;
        for (int i = 1; i < kCurveSize; ++i)
            t[i] = logEncode(i / 4096.0);
    });
}

const int32_t* EngineTables::linearCurve() {
    return s_->linearCurve.get(kCurveSize, [](int32_t* t) {
        for (int i = 0; i < kCurveSize; ++i)
            t[i] = 2 * i;
    });
}

const int32_t* EngineTables::keyScale() {
    return s_->keyScale.get(256, [](int32_t* t) {
        for (int i = 0; i < 256; ++i)
            t[i] = int32_t((i - 128) * 8192.0 / 96.0);
    });
}

const uint8_t* EngineTables::rateShift() {
    // Unlike the pitch shift table the tail is 1, which caps every rate below 2^30.
    return s_->rateShift.get(128, [](uint8_t* t) {
        for (int k = 0; k < 128; ++k)
            t[k] = uint8_t(k < 30 ? 30 - k : 1);
    });
}

const uint32_t* EngineTables::sustainLevel() {
    return s_->sustainLevel.get(128, [](uint32_t* t) {
        for (int i = 0; i < 127; ++i)
            t[i] = uint32_t(i) << 23;
        t[127] = 0x40000000;
    });
}

const int32_t* EngineTables::multiplier() {
    return s_->multiplier.get(16, [](int32_t* t) {
        t[0] = -8192;  // x 1/2
        for (int k = 1; k < 16; ++k)
            t[k] = int32_t(std::log2(double(k)) * 8192.0 + 0.5);
    });
}

const int32_t* EngineTables::lfoWaves() {
    return s_->lfoWaves.get(4 * kLfoWaveValues, [](int32_t* t) {
        int32_t* triangle = t;
        int32_t* saw = t + kLfoWaveValues;
        int32_t* square = t + 2 * kLfoWaveValues;
        int32_t* random = t + 3 * kLfoWaveValues;
        SeededRandom rng(1635);
        for (int s = 0; s < 128; ++s) {
            int32_t pm;
            if (s < 32)
                pm = 256 * s;
            else if (s < 64)
                pm = 8192 - 256 * (s - 32);
            else if (s < 96)
                pm = -256 * (s - 64);
            else
                pm = 256 * (s - 96) - 8192;
            triangle[2 * s] = pm;
            triangle[2 * s + 1] = s < 64 ? 128 * s : 8192 - 128 * (s - 64);

            saw[2 * s] = 128 * s - 8064;
            saw[2 * s + 1] = 8128 - 64 * s;

            square[2 * s] = s < 64 ? 8192 : -8192;
            square[2 * s + 1] = s < 64 ? 0 : 8192;

            const double r = rng.next() / 32767.0;
            random[2 * s] = int32_t((2.0 * r - 1.0) * 8192.0);
            random[2 * s + 1] = int32_t(r * 8192.0);
        }
    });
}

const int32_t* EngineTables::velocityCurves() {
    return s_->velocityCurves.get(4 * 128, [](int32_t* t) {
        for (int i = 0; i < 128; ++i) {
            const float up = float(i + 1) / 128.0f;
            const float down = float(127 - i) / 128.0f;
            t[i] = 0;
            t[128 + i] = logEncodeSingle(1.0f - down * down);
            t[256 + i] = logEncodeSingle(up);
            t[384 + i] = logEncodeSingle(up * up);
        }
    });
}

void EngineTables::buildAll() {
    volumeCurve();
    panLaw();
    expTable();
    exponent();
    pitchShift();
    notePitch();
    totalLevel();
    attackCurve();
    linearCurve();
    keyScale();
    rateShift();
    sustainLevel();
    multiplier();
    lfoWaves();
    velocityCurves();
}

}  // namespace taluma
