#include "wavetable/wave_generators.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/engine_tables.h"

namespace taluma {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

double frac(double t) {
    return t - std::floor(t);
}

// Scales to a peak of 1. A range whose peak is 0 stays all zero rather than being
// divided by zero.
void normalise(std::vector<double>& x) {
    double peak = 0.0;
    for (double v : x)
        peak = std::max(peak, std::fabs(v));
    if (peak > 0.0)
        for (double& v : x)
            v /= peak;
}

void periodicShape(std::vector<double>& x, int n, const GeneratorSettings& s) {
    const double cycles = s.cyclesQuarter / 4.0;
    const double period = n / cycles;
    const double o = n * s.phase / 128.0;
    const int partials = s.harmonicsCount;
    const bool bandLimited = s.harmonicsOn && partials >= 1 && s.type != kGenSine;
    for (size_t i = 0; i < x.size(); ++i) {
        const double t = (double(i) + o) / period;
        double v = 0.0;
        if (s.type == kGenSine) {
            v = std::sin(kTwoPi * t);
        } else if (bandLimited) {
            v = std::sin(kTwoPi * t);
            for (int k = 1; k < partials; ++k) {
                if (s.type == kGenTriangle) {
                    const double h = 2.0 * k + 1.0;
                    v += (k % 2 ? -1.0 : 1.0) * std::sin(kTwoPi * t * h) / (h * h);
                } else if (s.type == kGenSaw) {
                    const double h = k + 1.0;
                    v += std::sin(kTwoPi * t * h) / h;
                } else {
                    const double h = 2.0 * k + 1.0;
                    v += std::sin(kTwoPi * t * h) / h;
                }
            }
        } else if (s.type == kGenTriangle) {
            const double u = frac((double(i) + period / 4.0 + o) / period);
            const double y = u < 0.5 ? 2.0 * u : 2.0 - 2.0 * u;
            v = 2.0 * y - 1.0;
        } else if (s.type == kGenSaw) {
            v = 1.0 - 2.0 * frac(t);
        } else {
            v = frac(t) < 0.5 ? 1.0 : -1.0;
        }
        x[i] = v;
    }
    if (bandLimited)
        normalise(x);
}

void noiseShape(std::vector<double>& x, int n, const GeneratorSettings& s) {
    const int p = std::clamp(s.noisePoints, 1, 128);
    const double step = double(n) / p;
    std::vector<double> r(size_t(p) + 1);
    SeededRandom rng(uint32_t(s.noiseSeed));
    for (double& v : r)
        v = (rng.next() & 0x7FFF) / 32767.0 * 2.0 - 1.0;
    if (s.noiseLoop)
        r[size_t(p)] = r[0];
    for (size_t i = 0; i < x.size(); ++i) {
        const double t = double(i) / step;
        const int j = std::min(int(t), p - 1);
        const double f = t - j;
        const double d = r[size_t(j) + 1] - r[size_t(j)];
        switch (s.interpolation & 3) {
        case 0: x[i] = r[size_t(j)]; break;
        case 1: x[i] = r[size_t(j)] + d * f; break;
        case 2: x[i] = r[size_t(j)] + d * f * f * (3.0 - 2.0 * f); break;
        default: x[i] = r[size_t(j)] + d * f * f * f * (10.0 + f * (6.0 * f - 15.0)); break;
        }
    }
}

uint8_t toSample(double v) {
    return uint8_t(std::clamp(v, -128.0, 127.0) + 128.0);
}

}  // namespace

void generateWave(WaveStore& store, int op, const GeneratorSettings& s) {
    const int n = store.size(op);
    const int count = std::min(n, s.rangeEnd) - s.rangeStart;
    if (count < 0 || s.rangeStart < 0)
        return;
    std::vector<double> x(size_t(count), 0.0);
    if (s.type == kGenNoise)
        noiseShape(x, n, s);
    else
        periodicShape(x, n, s);
    for (int i = 0; i < count; ++i) {
        // round() rounds halves away from zero.
        const double v = std::round(s.amplitude * x[size_t(i)]) + s.offset;
        store.setCell(op, s.rangeStart + i, toSample(v));
    }
    store.commitTable(op);
}

void fillConstant(WaveStore& store, int op, const GeneratorSettings& s) {
    const uint8_t v = toSample(double(s.offset + s.amplitude));
    for (int k = 0; k < s.rangeEnd; ++k) {
        const int c = s.rangeStart + k;
        if (c > 127)
            break;
        if (c >= 0)
            store.setCell(op, c, v);
    }
    store.commitTable(op);
}

}  // namespace taluma
