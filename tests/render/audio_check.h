// Test helpers that read rendered WAV files back and measure them: level and pitch.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace taluma::render::test {

struct Audio {
    uint32_t rate = 0;
    uint16_t channels = 0;
    std::vector<float> samples;  // interleaved

    size_t frames() const { return channels ? samples.size() / channels : 0; }

    // The first channel from `startSeconds` for `seconds` (clipped to the file).
    std::vector<float> left(double startSeconds, double seconds) const {
        std::vector<float> out;
        size_t first = static_cast<size_t>(startSeconds * rate);
        size_t last = std::min(frames(), first + static_cast<size_t>(seconds * rate));
        for (size_t i = first; i < last; ++i)
            out.push_back(samples[i * channels]);
        return out;
    }
};

inline uint32_t le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// Reads 16-bit PCM or 32-bit float WAV files, as taluma-render and Ardour's export write them.
inline Audio readWav(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(b.data() + 8, "WAVE", 4))
        throw std::runtime_error(path + ": not a WAV file");
    Audio a;
    uint32_t format = 0, bits = 0;
    for (size_t pos = 12; pos + 8 <= b.size();) {
        uint32_t size = le(&b[pos + 4], 4);
        const uint8_t* body = &b[pos + 8];
        if (pos + 8 + size > b.size())
            size = static_cast<uint32_t>(b.size() - pos - 8);
        if (!std::memcmp(&b[pos], "fmt ", 4)) {
            format = le(body, 2);
            a.channels = static_cast<uint16_t>(le(body + 2, 2));
            a.rate = le(body + 4, 4);
            bits = le(body + 14, 2);
        } else if (!std::memcmp(&b[pos], "data", 4)) {
            if (!(format == 1 && bits == 16) && !(format == 3 && bits == 32))
                throw std::runtime_error(path + ": unsupported sample format");
            for (uint32_t i = 0; i + bits / 8 <= size; i += bits / 8) {
                const uint32_t v = le(body + i, int(bits / 8));
                float f;
                std::memcpy(&f, &v, 4);
                a.samples.push_back(format == 1 ? static_cast<int16_t>(v) / 32768.0f : f);
            }
        }
        pos += 8 + size + (size & 1);
    }
    if (a.channels == 0 || a.rate == 0)
        throw std::runtime_error(path + ": no fmt chunk");
    return a;
}

inline double rms(const std::vector<float>& x) {
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(sum / x.size());
}

// Fundamental frequency by autocorrelation: the shortest lag (40 Hz..4 kHz) whose
// normalized correlation comes within 10 % of the best one, so that a strong overtone
// cannot pass for the fundamental and a period multiple is not taken either.
inline double estimatePitch(const std::vector<float>& x, uint32_t rate) {
    const size_t minLag = rate / 4000, maxLag = rate / 40;
    if (x.size() < 2 * maxLag)
        return 0;
    const size_t n = x.size() - maxLag;
    std::vector<double> corr(maxLag + 1, 0.0);
    double best = 0;
    for (size_t lag = minLag; lag <= maxLag; ++lag) {
        double s = 0, e0 = 0, e1 = 0;
        for (size_t i = 0; i < n; ++i) {
            s += double(x[i]) * x[i + lag];
            e0 += double(x[i]) * x[i];
            e1 += double(x[i + lag]) * x[i + lag];
        }
        corr[lag] = (e0 > 0 && e1 > 0) ? s / std::sqrt(e0 * e1) : 0;
        best = std::max(best, corr[lag]);
    }
    if (best <= 0.5)
        return 0;  // not periodic enough to have a pitch
    for (size_t lag = minLag + 1; lag < maxLag; ++lag) {
        if (corr[lag] >= 0.9 * best && corr[lag] >= corr[lag - 1] && corr[lag] >= corr[lag + 1]) {
            // Parabolic interpolation between the neighbouring lags for sub-sample accuracy.
            double a = corr[lag - 1], c = corr[lag + 1], m = corr[lag];
            double denom = a - 2 * m + c;
            double shift = denom != 0 ? 0.5 * (a - c) / denom : 0;
            return rate / (lag + shift);
        }
    }
    return 0;
}

}  // namespace taluma::render::test
