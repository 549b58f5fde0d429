// Reading VST 3 preset files (.vstpreset) as a host does, with the SDK's preset-file
// support, and loading one into an instance. A file that is not a preset, lacks the
// component state chunk, places it outside the file, or belongs to another plug-in is
// refused before the instance is touched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace taluma::testhost {

class PluginInstance;

struct VstPreset {
    std::string classId;                  // the processor class, 32 hexadecimal digits
    std::vector<uint8_t> componentState;  // the chunk "Comp"
};

// True when the bytes start like a VST 3 preset file ("VST3").
bool looksLikeVstPreset(const std::vector<uint8_t>& file);

// Reads the header, the chunk list and the component state. False with a reason in
// `error` when any of them is missing or damaged.
bool readVstPreset(const std::vector<uint8_t>& file, VstPreset& preset, std::string& error);

// Hands the component state to the instance (processor and controller) when the preset
// is for its processor class. False with a reason when the class differs or the
// instance refuses the state.
bool loadVstPreset(PluginInstance& plugin, const VstPreset& preset, std::string& error);

}  // namespace taluma::testhost
