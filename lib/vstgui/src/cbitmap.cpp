#include "vstgui/lib/cbitmap.h"
#include <climits>
#include <stb/stb_image.h>
#include "bitmapresampler.h"

namespace VSTGUI {
namespace {

// Decodes the PNG registered under `name`; false when it is missing or broken.
bool decode(const UTF8String& name, BitmapPixels& out) {
    ResourceData res = Resources::find(name.c_str());
    if (!res.data || res.size == 0 || res.size > static_cast<size_t>(INT_MAX))
        return false;
    int w = 0, h = 0, n = 0;
    unsigned char* rgba =
        stbi_load_from_memory(res.data, static_cast<int>(res.size), &w, &h, &n, 4);
    if (!rgba)
        return false;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const unsigned char* p = rgba + i * 4;
        out.pixels[i] =
            (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
    stbi_image_free(rgba);
    out.classifyRows();
    return true;
}

// "knob.png" -> "knob#2x.png"
UTF8String scaledName(const UTF8String& name, int32_t scale) {
    const std::string tag = "#" + std::to_string(scale) + "x";
    const size_t dot = name.find_last_of('.');
    if (dot == UTF8String::npos)
        return name + tag;
    return name.substr(0, dot) + tag + name.substr(dot);
}

// Resampled parts are kept up to twice the bitmap's area at the largest zoom (room
// for two windows at different zooms); past that the store starts afresh.
constexpr size_t kPartAreas = 2 * CBitmap::kLargestScale * CBitmap::kLargestScale;

}  // namespace

void BitmapPixels::classifyRows() {
    rows.assign(static_cast<size_t>(height), kMixedRow);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * width;
        uint32_t all = 0xFF, any = 0;
        for (int32_t x = 0; x < width; ++x) {
            all &= row[x] >> 24;
            any |= row[x] >> 24;
        }
        rows[static_cast<size_t>(y)] = all == 0xFF ? kOpaqueRow : any == 0 ? kClearRow : kMixedRow;
    }
}

CBitmap::CBitmap(const CResourceDescription& desc) : resourceDesc(desc) {
    if (desc.type == CResourceDescription::kStringType && !decode(desc.nameId, base))
        base = BitmapPixels{};
}

CBitmap::CBitmap(CCoord w, CCoord h) {
    base.width = w > 0 ? static_cast<int32_t>(w) : 0;
    base.height = h > 0 ? static_cast<int32_t>(h) : 0;
    base.pixels.assign(static_cast<size_t>(base.width) * static_cast<size_t>(base.height), 0u);
    base.classifyRows();
}

const BitmapPixels* CBitmap::version(int32_t scale) const {
    Version& v = versions[scale - 2];
    if (!v.looked && isLoaded() && resourceDesc.type == CResourceDescription::kStringType) {
        v.looked = true;
        auto pixels = std::make_unique<BitmapPixels>();
        // A version of another size than `scale` times this one is not used.
        if (decode(scaledName(resourceDesc.nameId, scale), *pixels) &&
            pixels->width == base.width * scale && pixels->height == base.height * scale) {
            pixels->scale = scale;
            v.pixels = std::move(pixels);
        }
    }
    return v.pixels.get();
}

const BitmapPixels& CBitmap::pixelsFor(double zoom) const {
    const BitmapPixels* best = &base;
    for (int32_t scale = 2; scale <= kLargestScale && zoom > best->scale; ++scale)
        if (const BitmapPixels* v = version(scale))
            best = v;
    return *best;
}

const BitmapPixels& CBitmap::resampled(const BitmapPixels& from, double x0, double y0, double x1,
                                       double y1, int32_t w, int32_t h) const {
    const PartKey key{from.scale, x0, y0, x1, y1, w, h};
    auto it = parts.find(key);
    if (it != parts.end())
        return it->second;
    if (partPixels > kPartAreas * base.pixels.size()) {
        parts.clear();
        partPixels = 0;
    }
    BitmapPixels part = resample(from, x0, y0, x1, y1, w, h);
    partPixels += part.pixels.size();
    return parts.emplace(key, std::move(part)).first->second;
}

}  // namespace VSTGUI
