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

inline Bytes header(int format, int tracks, int division) {
    Bytes h;
    append(h, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, tracks >> 8, tracks & 255, division >> 8,
               division & 255});
    return h;
}

// A chunk around `body`; `tag` is "MTrk" for a track.
inline Bytes chunk(const Bytes& body, const char* tag = "MTrk") {
    Bytes c(tag, tag + 4);
    const int n = static_cast<int>(body.size());
    append(c, {n >> 24, n >> 16 & 255, n >> 8 & 255, n & 255});
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

inline Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace taluma::render::test
