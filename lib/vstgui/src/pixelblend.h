// Integer blending of 0xAARRGGBB pixels (straight alpha).
#pragma once
#include <cstdint>

namespace VSTGUI {

// x / 255 rounded, exact for 0 <= x <= 65535.
inline uint32_t div255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Draws colour rgb (0x00RRGGBB) with coverage a (0..255) over dst.
inline uint32_t blendPixel(uint32_t dst, uint32_t rgb, uint32_t a) {
    if (a == 0)
        return dst;
    if (a == 255)
        return 0xFF000000u | (rgb & 0xFFFFFFu);
    uint32_t ia = 255 - a;
    uint32_t r = div255(((rgb >> 16) & 0xFF) * a + ((dst >> 16) & 0xFF) * ia);
    uint32_t g = div255(((rgb >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * ia);
    uint32_t b = div255((rgb & 0xFF) * a + (dst & 0xFF) * ia);
    uint32_t da = a + div255((dst >> 24) * ia);
    return (da << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace VSTGUI
