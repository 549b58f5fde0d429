// The text colours of the two skins (0 "TALUMA", 1 "CINDRA"), as 0xRRGGBBAA.
#pragma once

#include "vstgui/lib/ccolor.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {

enum class Palette { Paper, Ink, ClearInk, AccentA, ClearAccentA, AccentB, ClearAccentB };

inline VSTGUI::CColor colourOf(uint32_t rgba) {
    return VSTGUI::CColor(uint8_t(rgba >> 24), uint8_t(rgba >> 16), uint8_t(rgba >> 8),
                          uint8_t(rgba));
}

inline VSTGUI::CColor paletteColour(int32_t skin, Palette entry) {
    static constexpr uint32_t kColours[2][7] = {
        {0x333333FF, 0x8F8F8FFF, 0x8F8F8F00, 0xB05D24FF, 0xB05D2400, 0x20879EFF, 0x20879E00},
        {0xC7C1B7FF, 0x403B32FF, 0x403B3200, 0xB35312FF, 0xB3531200, 0x0E8099FF, 0x0E809900}};
    return colourOf(kColours[skin == 1 ? 1 : 0][int(entry)]);
}

// The accent (or its clear variant) of operator 0 (A) or 1 (B).
inline Palette accentOf(int op, bool clear = false) {
    if (op == 0)
        return clear ? Palette::ClearAccentA : Palette::AccentA;
    return clear ? Palette::ClearAccentB : Palette::AccentB;
}

}  // namespace Vst
}  // namespace Steinberg
