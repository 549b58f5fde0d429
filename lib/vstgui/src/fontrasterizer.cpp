#include "fontrasterizer.h"
#include <cmath>
#include <stb/stb_truetype.h>

namespace VSTGUI {

extern const unsigned char kLiberationSansRegular[];
extern const unsigned long kLiberationSansRegularSize;

struct FontRasterizer::Impl {
    stbtt_fontinfo info{};
    bool valid{false};
    int ascent{0}, descent{0}, lineGap{0};
};

FontRasterizer& FontRasterizer::instance() {
    static FontRasterizer r;
    return r;
}

FontRasterizer::FontRasterizer() : impl(new Impl) {
    impl->valid = stbtt_InitFont(&impl->info, kLiberationSansRegular, 0) != 0;
    if (impl->valid)
        stbtt_GetFontVMetrics(&impl->info, &impl->ascent, &impl->descent, &impl->lineGap);
}

FontRasterizer::~FontRasterizer() {
    delete impl;
}

float FontRasterizer::scale(double size) const {
    return impl->valid ? stbtt_ScaleForMappingEmToPixels(&impl->info, static_cast<float>(size))
                       : 0.f;
}

int32_t FontRasterizer::ascent(double size) const {
    return static_cast<int32_t>(std::lround(impl->ascent * scale(size)));
}

int32_t FontRasterizer::descent(double size) const {
    return static_cast<int32_t>(std::lround(-impl->descent * scale(size)));
}

const Glyph& FontRasterizer::glyph(double size, uint32_t codepoint) {
    uint64_t key = (static_cast<uint64_t>(std::lround(size * 64.0)) << 32) | codepoint;
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    Glyph g;
    if (impl->valid) {
        float s = scale(size);
        int index = stbtt_FindGlyphIndex(&impl->info, static_cast<int>(codepoint));
        int adv = 0, lsb = 0;
        stbtt_GetGlyphHMetrics(&impl->info, index, &adv, &lsb);
        g.advance = adv * s;
        int x0, y0, x1, y1;
        stbtt_GetGlyphBitmapBox(&impl->info, index, s, s, &x0, &y0, &x1, &y1);
        if (x1 > x0 && y1 > y0) {
            g.width = x1 - x0;
            g.height = y1 - y0;
            g.xOffset = x0;
            g.yOffset = y0;
            g.coverage.resize(static_cast<size_t>(g.width) * g.height);
            stbtt_MakeGlyphBitmap(&impl->info, g.coverage.data(), g.width, g.height, g.width, s, s,
                                  index);
        }
    }
    return cache.emplace(key, std::move(g)).first->second;
}

float FontRasterizer::kerning(double size, uint32_t left, uint32_t right) const {
    if (!impl->valid)
        return 0.f;
    return stbtt_GetCodepointKernAdvance(&impl->info, static_cast<int>(left),
                                         static_cast<int>(right)) *
           scale(size);
}

float FontRasterizer::textWidth(double size, const char* text) {
    float x = 0;
    uint32_t prev = 0;
    for (const char* p = text; p && *p;) {
        uint32_t cp = nextCodepoint(p);
        if (prev)
            x += kerning(size, prev, cp);
        x += glyph(size, cp).advance;
        prev = cp;
    }
    return x;
}

uint32_t nextCodepoint(const char*& p) {
    auto b = static_cast<unsigned char>(*p++);
    if (b < 0x80)
        return b;
    int extra = (b >= 0xF0 && b < 0xF8) ? 3 : (b >= 0xE0) ? 2 : (b >= 0xC0) ? 1 : -1;
    if (extra < 0)
        return 0xFFFD;
    uint32_t cp = b & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        auto c = static_cast<unsigned char>(*p);
        if ((c & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (c & 0x3F);
        ++p;
    }
    return cp;
}

}  // namespace VSTGUI
