#include "input_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "input_error.h"
#include "note_list.h"
#include "synth/preset_file.h"
#include "smf_reader.h"

namespace taluma::render {
namespace {

void checkRecord(const uint8_t* record, const std::string& name) {
    if (record[0] != kStateRecordVersion)
        throw InputError(name + ": state record version " + std::to_string(record[0]) +
                         ", expected " + std::to_string(kStateRecordVersion));
}

}  // namespace

std::vector<uint8_t> readBinaryFile(const std::string& path, const std::string& what) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw InputError("cannot open " + what + " '" + path + "': " + std::strerror(errno));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad())
        throw InputError("cannot read " + what + " '" + path + "'");
    return bytes;
}

EventSequence readEventFile(const std::string& path) {
    std::vector<uint8_t> bytes = readBinaryFile(path, "input file");
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "MThd", 4) == 0)
        return parseSmf(bytes, path);
    return parseNoteList(std::string(bytes.begin(), bytes.end()), path);
}

std::vector<uint8_t> stateFromStateFile(const std::vector<uint8_t>& bytes,
                                        const std::string& name) {
    if (bytes.size() < kStateRecordBytes || bytes.size() > kMaxStateFileBytes)
        throw InputError(name + ": a state file holds " + std::to_string(kStateRecordBytes) +
                         " to " + std::to_string(kMaxStateFileBytes) + " bytes, this one " +
                         std::to_string(bytes.size()));
    checkRecord(bytes.data(), name);
    return bytes;
}

std::vector<uint8_t> stateFromPresetFile(const std::vector<uint8_t>& bytes,
                                         const std::string& name) {
    const uint8_t* record = presetRecord(bytes.data(), bytes.size());
    if (!record && (bytes.size() < kPresetFileSize || bytes.size() > kMaxPresetFileSize))
        throw InputError(name + ": a preset file holds " + std::to_string(kPresetFileSize) +
                         " to " + std::to_string(kMaxPresetFileSize) + " bytes, this one " +
                         std::to_string(bytes.size()));
    if (!record)
        throw InputError(name + ": not a preset file (no RIFF/data marks)");
    checkRecord(record, name);
    return std::vector<uint8_t>(record, record + kStateRecordBytes);
}

}  // namespace taluma::render
