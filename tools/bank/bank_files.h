// The bank's files: each preset as the instrument's own preset file (.tlmprst) and as a
// VST 3 preset (.vstpreset) whose component state is the same state record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "preset_recipe.h"

namespace taluma::bank {

// The 858-byte state record of the preset, as a fresh instrument at 44100 Hz saves it
// once the preset is built in it.
std::vector<uint8_t> presetStateRecord(const Preset& preset);

// A VST 3 preset file for the instrument's processor class holding `record` as its
// component state, written with the SDK's preset-file support.
std::vector<uint8_t> vstPresetFile(const std::vector<uint8_t>& record);

// Writes <folder>/<stem>.vstpreset and <folder>/tlmprst/<stem>.tlmprst for every
// preset, creating the folders. False, with the reason in `error`, when a file cannot
// be written.
bool writeBank(const std::vector<Preset>& presets, const std::string& folder, std::string& error);

}  // namespace taluma::bank
