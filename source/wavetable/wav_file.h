// Wavetables as tiny RIFF/WAVE files: one table cell is one 8-bit mono PCM sample, with
// nothing resampled. Reading accepts short mono PCM files of 8 to 32 bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wavetable/wave_store.h"

namespace taluma {

// What the chunk walk found. Every field stays 0 (and the pointers null) unless the
// bytes are a RIFF/WAVE file whose RIFF size matches the bytes given.
struct RiffRecord {
    uint16_t formatTag = 0, channels = 0;
    uint32_t sampleRate = 0, bytesPerSecond = 0;
    uint16_t blockAlign = 0, bitsPerSample = 0;
    uint32_t frameCount = 0, dataSize = 0;
    const uint8_t* file = nullptr;  // set once "RIFF"/"WAVE" are accepted
    const uint8_t* data = nullptr;  // first sample byte
};

// Only files of at most this many bytes are read.
constexpr size_t kMaxWavBytes = 1024;

RiffRecord parseRiff(const uint8_t* bytes, size_t length);
// Stores one byte per sample (8-bit as is, wider samples by their top byte + 128) into
// dest for up to count cells, clearing the cells no sample reached. Returns false, and
// leaves dest alone, for records that are not mono PCM of 8, 16, 24 or 32 bits.
bool convertSamples(const RiffRecord& record, uint8_t* dest, int count);

std::vector<uint8_t> formatWav(const WaveStore& store, int op);
bool exportWav(const WaveStore& store, int op, const std::string& utf8Path);
// False only when the file cannot be opened; a file that is not accepted leaves the
// table as it is.
bool importWav(WaveStore& store, int op, const std::string& utf8Path);

}  // namespace taluma
