// The bundle's Turtle files as text: the manifest, the plug-in with its ports and
// window, and the factory bank as presets. Written at build time from the parameter
// descriptions and the bank's state records, so each fact stays written once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace taluma::lv2 {

struct BankPreset {
    std::string label;            // "Bass - FM Bass"
    std::vector<uint8_t> record;  // the 858-byte state record
};

std::string manifestTurtle(const std::vector<BankPreset>& presets);
std::string pluginTurtle();
std::string presetsTurtle(const std::vector<BankPreset>& presets);

// The preset's URI: the base and the label with every other character than a letter or
// a digit as '-'.
std::string presetUri(const std::string& label);

}  // namespace taluma::lv2
