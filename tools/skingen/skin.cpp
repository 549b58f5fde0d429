#include "skin.h"

namespace taluma {
namespace skingen {
namespace {

Colour c(unsigned rgb) {
    return Colour::rgb(rgb);
}

// "TALUMA": dark graphite.
const Skin kGraphite{
    0,
    c(0x333333),
    c(0x8F8F8F),
    {c(0xB05D24), c(0x20879E)},
    c(0x2B2B2B),
    c(0x202020),  // back
    c(0x373737),
    c(0x2D2D2D),  // panel
    c(0x161616),
    Colour::rgba(0xFFFFFF12),
    Colour::rgba(0x00000060),
    c(0x1D1D1D),
    c(0x121212),
    c(0x191919),
    c(0xBDBDBD),
    c(0x8F8F8F),
    c(0x424242),
    c(0x323232),
    c(0x9C9C9C),
    c(0xF2F2F2),
    c(0xC4C4C4),
    c(0x8E8E8E),
    c(0xE6E6E6),
};

// "CINDRA": warm light paper with dark ink.
const Skin kPaper{
    1,
    c(0xC7C1B7),
    c(0x403B32),
    {c(0xB35312), c(0x0E8099)},
    c(0xD5CFC4),
    c(0xC5BEB2),  // back
    c(0xDED8CE),
    c(0xD0C9BD),  // panel
    c(0x9A9285),
    Colour::rgba(0xFFFFFF80),
    Colour::rgba(0x5C52441F),
    c(0xBCB5A8),
    c(0x8F877A),
    c(0xEDE9E1),
    c(0x2C2822),
    c(0x4A443A),
    c(0xEBE6DD),
    c(0xD4CDC1),
    c(0x5A5347),
    c(0x1E1B17),
    c(0x403B32),
    c(0x6B6357),
    c(0x2C2822),
};

}  // namespace

const Skin& skin(int index) {
    return index == 0 ? kGraphite : kPaper;
}

}  // namespace skingen
}  // namespace taluma
