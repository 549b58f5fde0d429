// Builds Standard MIDI File images byte by byte for the reader tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace taluma::render::test {

using Bytes = std::vector<uint8_t>;

inline void append(Bytes& out, std::initializer_list<int> bytes) {
    for (int b : bytes)
        out.push_back(static_cast<uint8_t>(b));
}

inline void appendU32(Bytes& out, uint32_t v) {
    append(out, {int(v >> 24), int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)});
}

inline Bytes header(int format, int tracks, int division) {
    Bytes h;
    append(h, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, tracks >> 8, tracks & 255, division >> 8,
               division & 255});
    return h;
}

// A chunk around `body`; `tag` is "MTrk" for a track.
inline Bytes chunk(const Bytes& body, const char* tag = "MTrk") {
    Bytes c(tag, tag + 4);
    appendU32(c, static_cast<uint32_t>(body.size()));
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline const Bytes kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

}  // namespace taluma::render::test
