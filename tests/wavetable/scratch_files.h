// Whole-file helpers for tests that read and write files, and a scratch folder for them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "wavetable/file_io.h"
#include "scratch_dir.h"

namespace taluma::test {

using testhost::ScratchDir;

// Whole files through the same UTF-8 file access the instrument uses; empty when the
// file cannot be read.
inline std::vector<uint8_t> readBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    uint64_t length = 0;
    if (!readFilePrefix(path, 1 << 20, bytes, length))
        bytes.clear();
    return bytes;
}

inline void writeText(const std::string& path, const std::string& text) {
    ASSERT_TRUE(writeFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        << path;
}

// A PCM WAV file: "fmt " chunk and "data" chunk, or the other way round.
inline std::vector<uint8_t> wavFile(int channels, int bits, const std::vector<uint8_t>& data,
                                    bool dataFirst = false, uint32_t rate = 48000) {
    auto put = [](std::vector<uint8_t>& b, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    std::vector<uint8_t> fmt = {'f', 'm', 't', ' '};
    put(fmt, 16, 4);
    put(fmt, 1, 2);  // PCM
    put(fmt, uint32_t(channels), 2);
    put(fmt, rate, 4);
    put(fmt, rate * uint32_t(channels * bits / 8), 4);
    put(fmt, uint32_t(channels * bits / 8), 2);
    put(fmt, uint32_t(bits), 2);
    std::vector<uint8_t> chunk = {'d', 'a', 't', 'a'};
    put(chunk, uint32_t(data.size()), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    if (data.size() & 1)
        chunk.push_back(0);
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    const std::vector<uint8_t>& first = dataFirst ? chunk : fmt;
    const std::vector<uint8_t>& second = dataFirst ? fmt : chunk;
    body.insert(body.end(), first.begin(), first.end());
    body.insert(body.end(), second.begin(), second.end());
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    put(out, uint32_t(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace taluma::test
