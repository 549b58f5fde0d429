// Reading the renderer's input files: the note source (MIDI file or note list, told
// apart by content) and a state record to load before rendering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timed_event.h"

namespace taluma::render {

constexpr size_t kStateRecordBytes = 858;
// What the module saves after the record (its bypass) is the module's to read.
constexpr size_t kMaxStateFileBytes = 1024;
constexpr uint8_t kStateRecordVersion = 2;

// A Standard MIDI File when the file starts with "MThd", otherwise a note list.
// Throws InputError.
EventSequence readEventFile(const std::string& path);

// The whole file. Throws InputError naming `what` and the path.
std::vector<uint8_t> readBinaryFile(const std::string& path, const std::string& what);

// Checks a saved component state: the record (version byte 2) and what the module saved
// after it, 858 to 1024 bytes. Throws InputError.
std::vector<uint8_t> stateFromStateFile(const std::vector<uint8_t>& bytes, const std::string& name);

// The state record inside a preset file: 874 to 1024 bytes, "RIFF" at 0, "data" at 8,
// the record from offset 16. Throws InputError.
std::vector<uint8_t> stateFromPresetFile(const std::vector<uint8_t>& bytes,
                                         const std::string& name);

}  // namespace taluma::render
