// Preset files (".tlmprst"): the 858-byte state record behind a 16-byte header,
// "RIFF", u32 866, "data", u32 858, all little-endian; 874 bytes as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace taluma {

class Synth;

constexpr size_t kPresetHeaderSize = 16;
constexpr size_t kPresetFileSize = 874;
// Longer files are not presets; up to this length trailing bytes are tolerated.
constexpr size_t kMaxPresetFileSize = 1024;

// Header and record as one file image.
std::vector<uint8_t> formatPreset(const std::vector<uint8_t>& record);
// The record inside a file image of `length` bytes, or null unless the length is
// 874..1024 and the "RIFF" and "data" marks are in place. The size fields are not
// checked; the record's own version is checked by the state reader.
const uint8_t* presetRecord(const uint8_t* bytes, size_t length);

// Reads the file and applies the sound of its record (RecordScope::kSound: the
// instrument's own preset load keeps how the user has the window); false, with the Synth unchanged, when the file
// cannot be read or is not an acceptable preset. Makes its own Synth::Edit and holds the
// audio thread off the engine while applying: call it outside an Edit.
bool loadPresetFile(Synth& synth, const std::string& utf8Path);
// Writes the Synth's current state as a preset; false when the file cannot be written.
bool exportPresetFile(Synth& synth, const std::string& utf8Path);

}  // namespace taluma
