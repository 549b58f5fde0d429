#include "synth/preset_file.h"

#include <cstring>

#include "wavetable/file_io.h"
#include "synth/state_record.h"

namespace taluma {

namespace {

void put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> formatPreset(const std::vector<uint8_t>& record) {
    std::vector<uint8_t> out(kPresetHeaderSize + record.size());
    std::memcpy(out.data(), "RIFF", 4);
    put32(out.data() + 4, uint32_t(record.size() + 8));
    std::memcpy(out.data() + 8, "data", 4);
    put32(out.data() + 12, uint32_t(record.size()));
    if (!record.empty())
        std::memcpy(out.data() + kPresetHeaderSize, record.data(), record.size());
    return out;
}

const uint8_t* presetRecord(const uint8_t* bytes, size_t length) {
    if (!bytes || length < kPresetFileSize || length > kMaxPresetFileSize)
        return nullptr;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "data", 4) != 0)
        return nullptr;
    return bytes + kPresetHeaderSize;
}

bool loadPresetFile(Synth& synth, const std::string& utf8Path) {
    std::vector<uint8_t> bytes;
    uint64_t length = 0;
    // One byte more than allowed, so a longer file is recognised without reading it all.
    if (!readFilePrefix(utf8Path, kMaxPresetFileSize + 1, bytes, length))
        return false;
    if (length != bytes.size())
        return false;  // too long, or the read stopped short
    const uint8_t* record = presetRecord(bytes.data(), bytes.size());
    return record && readStateRecord(synth, record, kStateRecordSize, RecordScope::kSound);
}

bool exportPresetFile(Synth& synth, const std::string& utf8Path) {
    const std::vector<uint8_t> record = writeStateRecord(synth);
    if (record.size() != kStateRecordSize)
        return false;
    const std::vector<uint8_t> file = formatPreset(record);
    return writeFile(utf8Path, file.data(), file.size());
}

}  // namespace taluma
