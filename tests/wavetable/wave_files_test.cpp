// Wavetable text files and WAV files: the bytes written, what is read back, and the
// files that are refused.
#include <string>

#include "scratch_files.h"
#include "store_fixture.h"
#include "wavetable/wav_file.h"
#include "wavetable/wave_text_file.h"

namespace taluma {
namespace {

class WaveFiles : public test::StoreTest {
protected:
    test::ScratchDir dir;
};

TEST_F(WaveFiles, TextImportEdgeCases) {
    struct Case {
        const char* line;
        std::vector<int> first4;
    };
    const Case cases[] = {
        {"7f 80", {0x80, 0, 0, 0}},
        {"0x7F,0x80", {0x7F, 0x80, 0, 0}},
        {"ABC", {0xAB, 0, 0, 0}},
        {"01 02\n03 04", {1, 2, 0, 0}},
        {"10 20 30 40\r\n", {0x10, 0x20, 0x30, 0x40}},
        {"no samples here", {0, 0, 0, 0}},
    };
    store->resizeTable(1, 2);
    for (const Case& c : cases) {
        fill(1, {9, 9, 9, 9});
        ASSERT_TRUE(importWaveText(*store, 1, dir.write("in.txt", std::string(c.line))));
        EXPECT_EQ(cells(1, 4), c.first4) << c.line;
    }
    // An empty file and a missing file leave the table as it is.
    fill(1, {9, 9, 9, 9});
    EXPECT_TRUE(importWaveText(*store, 1, dir.write("empty.txt", std::string())));
    EXPECT_FALSE(importWaveText(*store, 1, dir.file("missing.txt")));
    EXPECT_EQ(cells(1, 4), (std::vector<int>{9, 9, 9, 9}));
}

TEST_F(WaveFiles, TextExportBytesRoundTripAndSizeKept) {
    store->resizeTable(0, 2);
    fill(0, {0x80, 0xFF, 0x80, 0x00});
    ASSERT_TRUE(exportWaveText(*store, 0, dir.file("t.txt")));
    EXPECT_EQ(dir.read("t.txt"), "80 FF 80 00");
    store->resizeTable(0, 7);
    fill(0, seq(128, [](int i) { return i * 2 + 1; }));
    ASSERT_TRUE(exportWaveText(*store, 0, dir.file("r.txt")));
    const std::vector<int> before = cells(0, 128);
    store->clear(0);
    ASSERT_TRUE(importWaveText(*store, 0, dir.file("r.txt")));
    EXPECT_EQ(cells(0, 128), before);
    // 128 values into a 32-cell table use the first 32.
    ASSERT_TRUE(importWaveText(*store, 1, dir.file("r.txt")));
    EXPECT_EQ(cells(1, 32), std::vector<int>(before.begin(), before.begin() + 32));
    EXPECT_EQ(wave(1, 4), store->sampleToWave(3));
}

TEST_F(WaveFiles, WavExportBytesAndRoundTrip) {
    store->resizeTable(1, 6);
    fill(1, seq(64, [](int i) { return 255 - i; }));
    const std::vector<int> before = cells(1, 64);
    ASSERT_TRUE(exportWav(*store, 1, dir.file("w.wav")));
    // An 8-bit mono PCM file at 44100 Hz holding the cells.
    const std::vector<uint8_t> samples(before.begin(), before.end());
    EXPECT_EQ(test::readBytes(dir.file("w.wav")), test::wavFile(1, 8, samples, false, 44100));
    store->clear(1);
    ASSERT_TRUE(importWav(*store, 1, dir.file("w.wav")));
    EXPECT_EQ(cells(1, 64), before);
}

TEST_F(WaveFiles, WavSampleWidths) {
    struct Case {
        int bits;
        std::vector<uint8_t> data;
        std::vector<int> cells;
    };
    const Case cases[] = {
        {16, {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}, {0x80, 0xFF, 0x00, 0}},
        {24, {1, 2, 0x10, 4, 5, 0xF0}, {0x90, 0x70, 0}},
        {8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(importWav(*store, 0, dir.write("in.wav", test::wavFile(1, c.bits, c.data))));
        EXPECT_EQ(cells(0, int(c.cells.size())), c.cells) << c.bits;
    }
}

TEST_F(WaveFiles, RejectedWavFilesLeaveTheTable) {
    const std::vector<int> before = cells(0, 32);
    const std::vector<uint8_t> samples(20, 0x42);
    std::vector<uint8_t> headerOnly = test::wavFile(1, 8, samples);
    headerOnly.resize(40);
    const std::vector<uint8_t> files[] = {
        test::wavFile(2, 8, samples),                           // stereo
        test::wavFile(1, 8, samples, true),                     // data before fmt
        test::wavFile(1, 8, std::vector<uint8_t>(1100, 0x42)),  // over 1024 bytes
        test::wavFile(1, 4, samples),                           // no whole byte per sample
        test::wavFile(0, 8, samples),                           // no channels
        headerOnly,                                             // cut inside the header
        {},
        {0xDE, 0xAD, 0xBE, 0xEF, 'R', 'I', 'F', 'F'},
    };
    for (const std::vector<uint8_t>& bytes : files) {
        EXPECT_TRUE(importWav(*store, 0, dir.write("bad.wav", bytes)));
        EXPECT_EQ(cells(0, 32), before) << bytes.size();
    }
    EXPECT_FALSE(importWav(*store, 0, dir.file("missing.wav")));
    // A data chunk that claims more bytes than the file has is read as far as it goes.
    std::vector<uint8_t> cut = test::wavFile(1, 8, samples);
    cut[40] = 200;
    EXPECT_TRUE(importWav(*store, 0, dir.write("cut.wav", cut)));
    EXPECT_EQ(store->cell(0, 19), 0x42);
    EXPECT_EQ(store->cell(0, 20), 0);
}

}  // namespace
}  // namespace taluma
