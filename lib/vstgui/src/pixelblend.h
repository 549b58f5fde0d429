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
    const uint32_t ia = 255 - a;
    // Red and blue side by side in 16-bit lanes, each divided by 255 as div255 does.
    uint32_t rb = (rgb & 0xFF00FFu) * a + (dst & 0xFF00FFu) * ia + 0x800080u;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
    const uint32_t g = div255(((rgb >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * ia);
    const uint32_t da = a + div255((dst >> 24) * ia);
    return (da << 24) | rb | (g << 8);
}

}  // namespace VSTGUI
