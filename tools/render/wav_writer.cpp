#include "wav_writer.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace taluma::render {
namespace {

void putU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}
void putTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

uint32_t bytesPerSample(SampleFormat format) {
    return format == SampleFormat::Float32 ? 4 : 2;
}

// RIFF sizes are 32-bit; the data chunk must also leave room for the header.
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - 64;

}  // namespace

std::vector<uint8_t> wavHeader(SampleFormat format, uint32_t sampleRate, uint16_t channels,
                               uint32_t frames) {
    const bool isFloat = format == SampleFormat::Float32;
    const uint32_t blockAlign = channels * bytesPerSample(format);
    const uint32_t dataBytes = frames * blockAlign;
    const uint32_t headerBytes = isFloat ? 58 : 44;

    std::vector<uint8_t> h;
    putTag(h, "RIFF");
    putU32(h, headerBytes - 8 + dataBytes);
    putTag(h, "WAVE");
    putTag(h, "fmt ");
    putU32(h, isFloat ? 18 : 16);
    putU16(h, isFloat ? 3 : 1);  // WAVE_FORMAT_IEEE_FLOAT or WAVE_FORMAT_PCM
    putU16(h, channels);
    putU32(h, sampleRate);
    putU32(h, sampleRate * blockAlign);
    putU16(h, blockAlign);
    putU16(h, bytesPerSample(format) * 8);
    if (isFloat) {
        putU16(h, 0);  // no extension
        putTag(h, "fact");
        putU32(h, 4);
        putU32(h, frames);
    }
    putTag(h, "data");
    putU32(h, dataBytes);
    return h;
}

int16_t toInt16(float sample) {
    if (std::isnan(sample))
        return 0;
    if (sample <= -1.0f)
        return -32767;
    if (sample >= 1.0f)
        return 32767;
    return static_cast<int16_t>(std::lround(sample * 32767.0f));
}

WavWriter::WavWriter(const std::string& path, SampleFormat format, uint32_t sampleRate,
                     uint16_t channels)
    : path_(path), format_(format), sampleRate_(sampleRate), channels_(channels) {
    if (channels == 0 || sampleRate == 0)
        throw std::runtime_error("invalid WAV format for '" + path + "'");
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        throw std::runtime_error("cannot create '" + path + "': " + std::strerror(errno));
    std::vector<uint8_t> header = wavHeader(format_, sampleRate_, channels_, 0);
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size())
        fail("write failed");
}

WavWriter::~WavWriter() {
    if (file_) {  // never closed: the file is incomplete
        std::fclose(file_);
        std::remove(path_.c_str());
    }
}

void WavWriter::fail(const std::string& what) {
    std::string message = "cannot write '" + path_ + "': " + what;
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
        std::remove(path_.c_str());
    }
    throw std::runtime_error(message);
}

void WavWriter::write(const float* const* channelData, uint32_t frames) {
    if (!file_)
        throw std::runtime_error("'" + path_ + "' is closed");
    const uint32_t sampleBytes = bytesPerSample(format_);
    if ((static_cast<uint64_t>(frames_) + frames) * channels_ * sampleBytes > kMaxDataBytes)
        fail("the audio exceeds the 4 GiB limit of a WAV file");
    scratch_.resize(static_cast<size_t>(frames) * channels_ * sampleBytes);
    uint8_t* p = scratch_.data();
    for (uint32_t i = 0; i < frames; ++i) {
        for (uint16_t c = 0; c < channels_; ++c) {
            float s = channelData[c][i];
            if (format_ == SampleFormat::Float32) {
                uint32_t bits;
                std::memcpy(&bits, &s, 4);
                for (int b = 0; b < 4; ++b)
                    *p++ = static_cast<uint8_t>(bits >> (8 * b));
            } else {
                uint16_t bits = static_cast<uint16_t>(toInt16(s));
                *p++ = static_cast<uint8_t>(bits);
                *p++ = static_cast<uint8_t>(bits >> 8);
            }
        }
    }
    if (std::fwrite(scratch_.data(), 1, scratch_.size(), file_) != scratch_.size())
        fail(std::strerror(errno));
    frames_ += frames;
}

void WavWriter::close() {
    if (!file_)
        return;
    std::vector<uint8_t> header = wavHeader(format_, sampleRate_, channels_, frames_);
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), file_) != header.size())
        fail(std::strerror(errno));
    if (std::fclose(file_) != 0) {
        file_ = nullptr;
        std::remove(path_.c_str());
        throw std::runtime_error("cannot write '" + path_ + "': " + std::strerror(errno));
    }
    file_ = nullptr;
}

}  // namespace taluma::render
