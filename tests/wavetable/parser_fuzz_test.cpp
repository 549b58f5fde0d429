// Deterministic fuzzing of the WAV and text parsers: valid files, mutated and
// truncated, with lying sizes and random chunks. Built with AddressSanitizer and
// UndefinedBehaviorSanitizer where available, so any read past the bytes fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "synth_engine.h"
#include "wav_file.h"
#include "wave_store.h"
#include "wave_text_file.h"

namespace taluma::test {
namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

Bytes wavSeed(int bits, int frames, int channels) {
    const int bytesPer = bits / 8;
    Bytes f(44 + size_t(frames * channels * bytesPer));
    std::memcpy(f.data(), "RIFFxxxxWAVEfmt ", 16);
    put32(f, 16, 16);
    f[20] = 1;
    f[22] = uint8_t(channels);
    put32(f, 24, 44100);
    put32(f, 28, uint32_t(44100 * channels * bytesPer));
    f[32] = uint8_t(channels * bytesPer);
    f[34] = uint8_t(bits);
    std::memcpy(f.data() + 36, "data", 4);
    put32(f, 40, uint32_t(f.size() - 44));
    for (size_t i = 44; i < f.size(); ++i)
        f[i] = uint8_t(i * 7);
    put32(f, 4, uint32_t(f.size() - 8));
    return f;
}

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}
    uint32_t next(uint32_t n) { return n ? rng_() % n : 0; }

    Bytes mutate(Bytes b) {
        const int steps = 1 + int(next(6));
        for (int s = 0; s < steps; ++s) {
            switch (next(8)) {
            case 0:
                if (!b.empty())
                    b[next(uint32_t(b.size()))] ^= uint8_t(1u << next(8));
                break;
            case 1:
                if (!b.empty())
                    b[next(uint32_t(b.size()))] = uint8_t(next(256));
                break;
            case 2: b.resize(next(uint32_t(b.size() + 1))); break;
            case 3: b.insert(b.begin() + next(uint32_t(b.size() + 1)), uint8_t(next(256))); break;
            case 4:
                if (!b.empty())
                    b.erase(b.begin() + next(uint32_t(b.size())));
                break;
            case 5: {  // a size field that lies
                if (b.size() >= 4) {
                    static const uint32_t lies[] = {0,          1,          15,         16,  17,
                                                    0x7FFFFFFF, 0xFFFFFFFF, 0xFFFFFFF8, 1000};
                    put32(b, next(uint32_t(b.size() - 3)), lies[next(9)]);
                }
                break;
            }
            case 6: {  // a chunk header somewhere
                static const char* ids[] = {"fmt ", "data", "LIST", "RIFF", "WAVE"};
                if (b.size() >= 8) {
                    const size_t at = next(uint32_t(b.size() - 7));
                    std::memcpy(b.data() + at, ids[next(5)], 4);
                    put32(b, at + 4, next(64));
                }
                break;
            }
            default: b.resize(b.size() + next(40), uint8_t(next(256))); break;
            }
        }
        return b;
    }

private:
    std::mt19937 rng_;
};

// Half of the inputs get a RIFF size that matches, so the chunk walk runs.
void fixRiffSize(Bytes& b) {
    if (b.size() >= 8)
        put32(b, 4, uint32_t(b.size() - 8));
}

void checkWav(const Bytes& input, Mutator& m, int& accepted) {
    // An exact-size copy: any read past the end is caught by the sanitizer.
    const size_t n = input.size();
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[n ? n : 1]);
    if (n)
        std::memcpy(bytes.get(), input.data(), n);
    const RiffRecord r = parseRiff(bytes.get(), n);
    if (r.data) {
        ASSERT_NE(r.file, nullptr);
        ASSERT_GE(r.data, bytes.get() + 20);
        ASSERT_LE(r.data + r.dataSize, bytes.get() + n);
        ASSERT_GT(r.channels, 0);
        ASSERT_GE(r.bitsPerSample, 8);
        ASSERT_LE(uint64_t(r.frameCount) * r.channels * (r.bitsPerSample / 8), r.dataSize);
    }
    const int count = int(m.next(kTableCells + 1));
    uint8_t dest[kTableCells + 8];
    std::memset(dest, 0xA5, sizeof(dest));
    const bool converted = convertSamples(r, dest, count);
    for (int i = count; i < int(sizeof(dest)); ++i)
        ASSERT_EQ(dest[i], 0xA5);
    if (!converted) {
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(dest[i], 0xA5);
    }
    accepted += converted ? 1 : 0;
}

TEST(ParserFuzz, RiffWalkAndSampleConversionStayInsideTheBytes) {
    const Bytes seeds[] = {
        wavSeed(8, 32, 1), wavSeed(16, 20, 1), wavSeed(24, 10, 1), wavSeed(32, 8, 1),
        wavSeed(8, 4, 2),  wavSeed(8, 3, 1),   wavSeed(16, 0, 1),  Bytes{}};
    Mutator m(20240601);
    int accepted = 0;
    for (int iteration = 0; iteration < 100000; ++iteration) {
        Bytes input = m.mutate(seeds[m.next(sizeof(seeds) / sizeof(seeds[0]))]);
        if (m.next(2))
            fixRiffSize(input);
        checkWav(input, m, accepted);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(accepted, 5000);  // the mutations reach the sample conversion
}

TEST(ParserFuzz, TextLinesNeverTouchCellsBeyondTheTable) {
    SynthEngine engine;
    engine.init(44100.0f);
    WaveStore store(engine);
    const std::string seeds[] = {"80 FF 80 00",
                                 "0x7F,0x80\r\nAB CD",
                                 "ABC",
                                 "7f 80",
                                 std::string(400, 'F'),
                                 "00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\n12",
                                 ""};
    Mutator m(77);
    for (int iteration = 0; iteration < 100000; ++iteration) {
        const std::string& seed = seeds[m.next(sizeof(seeds) / sizeof(seeds[0]))];
        const Bytes mutated = m.mutate(Bytes(seed.begin(), seed.end()));
        if (m.next(200) == 0)
            store.resizeTable(0, 2 + int(m.next(6)));
        const std::vector<uint8_t> before = [&] {
            std::vector<uint8_t> v;
            for (int i = 0; i < kTableCells; ++i)
                v.push_back(store.cell(0, i));
            return v;
        }();
        const std::string text(mutated.begin(), mutated.end());
        parseWaveText(store, 0, text);
        const int size = store.size(0);
        const int sh = 7 - store.log2Size(0);
        for (int i = size; i < kTableCells; ++i)
            ASSERT_EQ(store.cell(0, i), 0);
        for (int k = 0; k < size; ++k)
            ASSERT_EQ(engine.waveLog[0][k << sh].load(), store.sampleToWave(store.cell(0, k)));
        if (text.empty()) {
            for (int i = 0; i < kTableCells; ++i)
                ASSERT_EQ(store.cell(0, i), before[size_t(i)]);
        }
    }
}

}  // namespace
}  // namespace taluma::test
