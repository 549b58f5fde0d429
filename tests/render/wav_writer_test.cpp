#include "wav_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

#include "scratch_dir.h"

namespace taluma::render {
namespace {

TEST(WavHeader, Pcm16BytesAreCanonical) {
    const std::vector<uint8_t> expected = {
        'R',  'I',  'F',  'F', 0x2C, 0x01, 0,   0,  // 36 + 264 data bytes
        'W',  'A',  'V',  'E', 'f',  'm',  't', ' ', 16, 0, 0, 0, 1, 0, 2, 0,  // PCM, stereo
        0x44, 0xAC, 0,    0,                                                   // 44100 Hz
        0x10, 0xB1, 0x02, 0,                         // 176400 bytes per second
        4,    0,    16,   0,                         // block align 4, 16 bits
        'd',  'a',  't',  'a', 0x08, 0x01, 0,   0};  // 66 frames × 4 bytes
    EXPECT_EQ(wavHeader(SampleFormat::Int16, 44100, 2, 66), expected);
}

TEST(WavHeader, FloatCarriesFactChunk) {
    const std::vector<uint8_t> expected = {
        'R',  'I',  'F',  'F', 50 + 80, 0,   0,   0,  // 50 + 80 data bytes
        'W',  'A',  'V',  'E', 'f',     'm', 't', ' ', 18, 0, 0, 0,
        3,    0,    2,    0,                // IEEE float, stereo
        0x80, 0xBB, 0,    0,                // 48000 Hz
        0x00, 0xDC, 0x05, 0,                // 384000 bytes per second
        8,    0,    32,   0,   0,       0,  // block align 8, 32 bits, no extension
        'f',  'a',  'c',  't', 4,       0,   0,   0,   10, 0, 0, 0,  // 10 frames
        'd',  'a',  't',  'a', 80,      0,   0,   0};
    EXPECT_EQ(wavHeader(SampleFormat::Float32, 48000, 2, 10), expected);
}

TEST(WavConversion, Int16ClipsRoundsAndSilencesNaN) {
    // 0.5 is 16383.5, rounded away from zero.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int16_t> cases[] = {{0.0f, 0},       {1.0f, 32767},   {3.0f, 32767},
                                               {-1.0f, -32767}, {-7.0f, -32767}, {0.5f, 16384},
                                               {-0.25f, -8192}, {nan, 0},        {inf, 32767}};
    for (const auto& [sample, converted] : cases)
        EXPECT_EQ(toInt16(sample), converted) << sample;
}

TEST(WavWriterFile, FloatSamplesAndSizesRoundTrip) {
    testhost::ScratchDir dir;
    const float left[3] = {0.25f, -0.5f, 1.5f};
    const float right[3] = {-1.0f, 0.0f, 0.125f};
    const float* channels[2] = {left, right};
    WavWriter w(dir.file("float.wav"), SampleFormat::Float32, 44100, 2);
    w.write(channels, 2);
    w.write(channels, 1);  // headers are fixed on close, whatever the number of writes
    w.close();
    EXPECT_EQ(w.framesWritten(), 3u);

    const std::string bytes = dir.read("float.wav");
    const std::vector<uint8_t> header = wavHeader(SampleFormat::Float32, 44100, 2, 3);
    ASSERT_EQ(bytes.size(), header.size() + 24);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin(),
                           [](uint8_t h, char b) { return h == uint8_t(b); }));
    std::vector<float> samples(6);
    std::memcpy(samples.data(), bytes.data() + header.size(), 24);
    // The second write started again at frame 0 of its buffers.
    EXPECT_EQ(samples, (std::vector<float>{0.25f, -1.0f, -0.5f, 0.0f, 0.25f, -1.0f}));
}

TEST(WavWriterFile, FailuresThrowAndLeaveNoPartialFile) {
    testhost::ScratchDir dir;
    EXPECT_THROW(WavWriter(dir.file("no-such-dir/out.wav"), SampleFormat::Int16, 44100, 2),
                 std::runtime_error);
    {
        WavWriter w(dir.file("abandoned.wav"), SampleFormat::Int16, 44100, 2);
        EXPECT_TRUE(std::filesystem::exists(dir.file("abandoned.wav")));
    }  // destroyed without close(): the incomplete file is removed
    EXPECT_FALSE(std::filesystem::exists(dir.file("abandoned.wav")));
}

}  // namespace
}  // namespace taluma::render
