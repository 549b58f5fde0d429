#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_io.h"
#include "store_fixture.h"
#include "wav_file.h"
#include "wave_text_file.h"

namespace taluma {
namespace {

namespace fs = std::filesystem;

class WaveFiles : public test::StoreTest {
protected:
    void SetUp() override {
        test::StoreTest::SetUp();
        dir = fs::temp_directory_path() /
              ("taluma-wavefiles-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    void writeBytes(const std::string& p, const std::vector<uint8_t>& bytes) const {
        ASSERT_TRUE(writeFile(p, bytes.data(), bytes.size()));
    }
    std::vector<uint8_t> readBytes(const std::string& p) const {
        std::vector<uint8_t> bytes;
        uint64_t length = 0;
        EXPECT_TRUE(readFilePrefix(p, 1 << 20, bytes, length));
        return bytes;
    }

    fs::path dir;
};

std::vector<uint8_t> text(const std::string& s) {
    return {s.begin(), s.end()};
}

// A WAV file as bytes: fmt chunk (unless omitted) then data chunk.
std::vector<uint8_t> wavBytes(uint16_t channels, uint16_t bits, const std::vector<uint8_t>& data,
                              bool dataFirst = false) {
    std::vector<uint8_t> fmt = {'f',
                                'm',
                                't',
                                ' ',
                                16,
                                0,
                                0,
                                0,
                                1,
                                0,
                                uint8_t(channels),
                                0,
                                0x80,
                                0xBB,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                uint8_t(channels * bits / 8),
                                0,
                                uint8_t(bits),
                                0};
    std::vector<uint8_t> chunk = {
        'd', 'a', 't', 'a', uint8_t(data.size()), uint8_t(data.size() >> 8), 0, 0};
    chunk.insert(chunk.end(), data.begin(), data.end());
    if (data.size() & 1)
        chunk.push_back(0);
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    if (dataFirst) {
        body.insert(body.end(), chunk.begin(), chunk.end());
        body.insert(body.end(), fmt.begin(), fmt.end());
    } else {
        body.insert(body.end(), fmt.begin(), fmt.end());
        body.insert(body.end(), chunk.begin(), chunk.end());
    }
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    const uint32_t size = uint32_t(body.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(size >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

TEST_F(WaveFiles, TextExportOfAFourCellTable) {
    store->resizeTable(0, 2);
    fill(0, {0x80, 0xFF, 0x80, 0x00});
    ASSERT_TRUE(exportWaveText(*store, 0, path("t.txt")));
    EXPECT_EQ(readBytes(path("t.txt")), text("80 FF 80 00"));
}

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
        writeBytes(path("in.txt"), text(c.line));
        ASSERT_TRUE(importWaveText(*store, 1, path("in.txt")));
        EXPECT_EQ(cells(1, 4), c.first4) << c.line;
    }
    // An empty file and a missing file leave the table as it is.
    fill(1, {9, 9, 9, 9});
    writeBytes(path("empty.txt"), {});
    EXPECT_TRUE(importWaveText(*store, 1, path("empty.txt")));
    EXPECT_FALSE(importWaveText(*store, 1, path("missing.txt")));
    EXPECT_EQ(cells(1, 4), (std::vector<int>{9, 9, 9, 9}));
}

TEST_F(WaveFiles, TextRoundTripAndSizeKept) {
    store->resizeTable(0, 7);
    for (int i = 0; i < 128; ++i)
        store->setCell(0, i, uint8_t(i * 2 + 1));
    ASSERT_TRUE(exportWaveText(*store, 0, path("r.txt")));
    const std::vector<int> before = cells(0, 128);
    store->clear(0);
    ASSERT_TRUE(importWaveText(*store, 0, path("r.txt")));
    EXPECT_EQ(cells(0, 128), before);
    // 128 values into a 32-cell table use the first 32.
    ASSERT_TRUE(importWaveText(*store, 1, path("r.txt")));
    EXPECT_EQ(cells(1, 32), std::vector<int>(before.begin(), before.begin() + 32));
    EXPECT_EQ(wave(1, 4), store->sampleToWave(3));
}

TEST_F(WaveFiles, WavExportBytes) {
    ASSERT_TRUE(exportWav(*store, 0, path("w.wav")));
    const std::vector<uint8_t> bytes = readBytes(path("w.wav"));
    ASSERT_EQ(bytes.size(), 76u);
    const std::vector<uint8_t> header = {'R', 'I', 'F',  'F',  68,  0,   0,    0,    'W', 'A', 'V',
                                         'E', 'f', 'm',  't',  ' ', 16,  0,    0,    0,   1,   0,
                                         1,   0,   0x44, 0xAC, 0,   0,   0x44, 0xAC, 0,   0,   1,
                                         0,   8,   0,    'd',  'a', 't', 'a',  32,   0,   0,   0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 44), header);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(bytes[size_t(44 + i)], store->cell(0, i));
}

TEST_F(WaveFiles, WavRoundTrip) {
    store->resizeTable(1, 6);
    for (int i = 0; i < 64; ++i)
        store->setCell(1, i, uint8_t(255 - i));
    ASSERT_TRUE(exportWav(*store, 1, path("r.wav")));
    const std::vector<int> before = cells(1, 64);
    store->clear(1);
    ASSERT_TRUE(importWav(*store, 1, path("r.wav")));
    EXPECT_EQ(cells(1, 64), before);
}

TEST_F(WaveFiles, WavSampleWidths) {
    writeBytes(path("16.wav"), wavBytes(1, 16, {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80}));
    ASSERT_TRUE(importWav(*store, 0, path("16.wav")));
    EXPECT_EQ(cells(0, 4), (std::vector<int>{0x80, 0xFF, 0x00, 0}));
    writeBytes(path("24.wav"), wavBytes(1, 24, {1, 2, 0x10, 4, 5, 0xF0}));
    ASSERT_TRUE(importWav(*store, 0, path("24.wav")));
    EXPECT_EQ(cells(0, 2), (std::vector<int>{0x90, 0x70}));
    writeBytes(path("8.wav"), wavBytes(1, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_TRUE(importWav(*store, 0, path("8.wav")));
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(store->cell(0, i), i < 10 ? i + 1 : 0) << i;
}

TEST_F(WaveFiles, RejectedWavFilesLeaveTheTable) {
    const std::vector<int> before = cells(0, 32);
    const std::vector<uint8_t> samples(20, 0x42);
    std::vector<uint8_t> tooLong = wavBytes(1, 8, std::vector<uint8_t>(1100, 0x42));
    std::vector<uint8_t> cut = wavBytes(1, 8, samples);
    cut[40] = 200;  // the data chunk claims more bytes than the file has
    cut[4] = uint8_t(cut.size() - 8);
    const std::vector<uint8_t> files[] = {
        wavBytes(2, 8, samples),        // stereo
        wavBytes(1, 8, samples, true),  // data before fmt
        tooLong,                        // over 1024 bytes
        wavBytes(1, 4, samples),        // no whole byte per sample
        wavBytes(0, 8, samples),        // no channels
        text("RIFF....WAVE but not really"),
    };
    int n = 0;
    for (const std::vector<uint8_t>& bytes : files) {
        const std::string p = path(("bad" + std::to_string(n++) + ".wav").c_str());
        writeBytes(p, bytes);
        EXPECT_TRUE(importWav(*store, 0, p));
        EXPECT_EQ(cells(0, 32), before) << n;
    }
    EXPECT_FALSE(importWav(*store, 0, path("missing.wav")));
    // A cut data chunk is read as far as it goes.
    writeBytes(path("cut.wav"), cut);
    EXPECT_TRUE(importWav(*store, 0, path("cut.wav")));
    EXPECT_EQ(store->cell(0, 19), 0x42);
    EXPECT_EQ(store->cell(0, 20), 0);
}

TEST_F(WaveFiles, ParseRiffReadsTheFormat) {
    const std::vector<uint8_t> bytes = wavBytes(1, 16, {0, 0, 0, 0});
    const RiffRecord r = parseRiff(bytes.data(), bytes.size());
    EXPECT_EQ(r.formatTag, 1);
    EXPECT_EQ(r.sampleRate, 48000u);  // accepted, not used
    EXPECT_EQ(r.frameCount, 2u);
    EXPECT_EQ(r.data, bytes.data() + 44);
    EXPECT_EQ(parseRiff(bytes.data(), 15).file, nullptr);
}

}  // namespace
}  // namespace taluma
