// Writes interleaved audio as a RIFF/WAVE file: 32-bit IEEE float or 16-bit PCM.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace taluma::render {

enum class SampleFormat { Float32, Int16 };

// The header for `frames` frames: 44 bytes for 16-bit PCM; 58 bytes for float
// (an 18-byte fmt chunk and the fact chunk that non-PCM formats carry).
std::vector<uint8_t> wavHeader(SampleFormat format, uint32_t sampleRate, uint16_t channels,
                               uint32_t frames);

// Converts one sample to 16 bits: clipped to -1..1, scaled by 32767, rounded to nearest.
int16_t toInt16(float sample);

// Streams frames to a file and fixes the header's sizes on close(). Every failure
// throws std::runtime_error naming the path; a file left incomplete is removed.
class WavWriter {
public:
    WavWriter(const std::string& path, SampleFormat format, uint32_t sampleRate, uint16_t channels);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Appends `frames` frames taken from one buffer per channel.
    void write(const float* const* channelData, uint32_t frames);
    void close();

    uint32_t framesWritten() const { return frames_; }

private:
    [[noreturn]] void fail(const std::string& what);

    std::string path_;
    SampleFormat format_;
    uint32_t sampleRate_;
    uint16_t channels_;
    std::FILE* file_ = nullptr;
    uint32_t frames_ = 0;
    std::vector<uint8_t> scratch_;
};

}  // namespace taluma::render
