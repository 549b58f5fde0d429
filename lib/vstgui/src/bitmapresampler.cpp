#include "bitmapresampler.h"
#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

// The source pixels that make up each output pixel along one axis, with their weights.
struct Taps {
    std::vector<int32_t> first;  // per output pixel: index of its first tap
    std::vector<int32_t> count;
    std::vector<int32_t> source;
    std::vector<float> weight;
};

Taps tapsFor(double from, double to, int32_t n, int32_t size) {
    Taps t;
    const double ratio = (to - from) / n;
    // The source pixels that belong to the part.
    const auto lo = std::max<int32_t>(0, static_cast<int32_t>(std::floor(from)));
    const auto hi = std::min<int32_t>(size, static_cast<int32_t>(std::ceil(to))) - 1;
    auto add = [&](int32_t k, double w) {
        k = std::clamp(k, lo, hi);
        if (t.count.back() > 0 && t.source.back() == k) {
            t.weight.back() += static_cast<float>(w);
            return;
        }
        t.source.push_back(k);
        t.weight.push_back(static_cast<float>(w));
        ++t.count.back();
    };
    for (int32_t i = 0; i < n; ++i) {
        t.first.push_back(static_cast<int32_t>(t.source.size()));
        t.count.push_back(0);
        if (ratio >= 1) {  // shrinking: the source span [a, b) this pixel covers
            const double a = from + i * ratio, b = a + ratio;
            for (auto k = static_cast<int32_t>(std::floor(a)); k < b; ++k)
                add(k, std::min<double>(k + 1, b) - std::max<double>(k, a));
        } else {  // enlarging: between the two source pixel centres around this one
            const double x = from + (i + 0.5) * ratio - 0.5;
            const auto k = static_cast<int32_t>(std::floor(x));
            add(k, 1 - (x - k));
            add(k + 1, x - k);
        }
        float sum = 0;
        for (int32_t j = 0; j < t.count.back(); ++j)
            sum += t.weight[t.first.back() + j];
        for (int32_t j = 0; j < t.count.back() && sum > 0; ++j)
            t.weight[t.first.back() + j] /= sum;
    }
    return t;
}

struct Premultiplied {
    float a{0}, r{0}, g{0}, b{0};
    void add(uint32_t p, float w) {
        const float pa = static_cast<float>(p >> 24) * w;
        a += pa;
        r += static_cast<float>((p >> 16) & 0xFF) * pa;
        g += static_cast<float>((p >> 8) & 0xFF) * pa;
        b += static_cast<float>(p & 0xFF) * pa;
    }
    void add(const Premultiplied& p, float w) {
        a += p.a * w;
        r += p.r * w;
        g += p.g * w;
        b += p.b * w;
    }
    uint32_t pixel() const {
        if (a < 0.5f / 255.f)
            return 0;
        auto byte = [](float v) { return static_cast<uint32_t>(std::clamp(v + 0.5f, 0.f, 255.f)); };
        return (byte(a * 255.f) << 24) | (byte(r / a) << 16) | (byte(g / a) << 8) | byte(b / a);
    }
};

}  // namespace

BitmapPixels resample(const BitmapPixels& from, double x0, double y0, double x1, double y1,
                      int32_t w, int32_t h) {
    BitmapPixels out;
    out.scale = from.scale;
    if (w <= 0 || h <= 0 || from.pixels.empty() || x1 <= x0 || y1 <= y0)
        return out;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    const Taps across = tapsFor(x0, x1, w, from.width);
    const Taps down = tapsFor(y0, y1, h, from.height);
    // Each source row the output needs, resampled across once.
    const int32_t rowLo = *std::min_element(down.source.begin(), down.source.end());
    const int32_t rowHi = *std::max_element(down.source.begin(), down.source.end());
    std::vector<Premultiplied> rows(static_cast<size_t>(rowHi - rowLo + 1) * w);
    for (int32_t y = rowLo; y <= rowHi; ++y) {
        const uint32_t* src = from.pixels.data() + static_cast<size_t>(y) * from.width;
        Premultiplied* row = rows.data() + static_cast<size_t>(y - rowLo) * w;
        for (int32_t x = 0; x < w; ++x)
            for (int32_t j = across.first[x]; j < across.first[x] + across.count[x]; ++j)
                row[x].add(src[across.source[j]], across.weight[j] / 255.f);
    }
    for (int32_t y = 0; y < h; ++y) {
        uint32_t* dst = out.pixels.data() + static_cast<size_t>(y) * w;
        for (int32_t x = 0; x < w; ++x) {
            Premultiplied sum;
            for (int32_t j = down.first[y]; j < down.first[y] + down.count[y]; ++j)
                sum.add(rows[static_cast<size_t>(down.source[j] - rowLo) * w + x], down.weight[j]);
            dst[x] = sum.pixel();
        }
    }
    out.classifyRows();
    return out;
}

}  // namespace VSTGUI
