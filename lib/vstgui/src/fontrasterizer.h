// Glyph rasterising with the embedded Liberation Sans, cached per size.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace VSTGUI {

struct Glyph {
    int32_t width{0};
    int32_t height{0};
    int32_t xOffset{0};  // from the pen position to the bitmap's left edge
    int32_t yOffset{0};  // from the baseline to the bitmap's top edge (negative: above)
    float advance{0};
    std::vector<uint8_t> coverage;
};

class FontRasterizer {
public:
    static FontRasterizer& instance();

    int32_t ascent(double size) const;
    int32_t descent(double size) const;
    const Glyph& glyph(double size, uint32_t codepoint);
    float kerning(double size, uint32_t left, uint32_t right) const;
    // Width of a UTF-8 string in pixels, the way drawString lays it out.
    float textWidth(double size, const char* text);

private:
    FontRasterizer();
    ~FontRasterizer();  // the module may be unloaded: nothing is left behind
    float scale(double size) const;

    struct Impl;
    Impl* impl;
    std::unordered_map<uint64_t, Glyph> cache;
};

// Decodes the next code point of UTF-8 text and advances the pointer; invalid
// bytes read as U+FFFD.
uint32_t nextCodepoint(const char*& p);

}  // namespace VSTGUI
