#include "vst_preset.h"

#include <cstring>

#include "plugin_instance.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"

namespace taluma::testhost {

using Steinberg::MemoryStream;
using Steinberg::TSize;
using Steinberg::Vst::PresetFile;

bool looksLikeVstPreset(const std::vector<uint8_t>& file) {
    const Steinberg::Vst::ChunkID& header = Steinberg::Vst::getChunkID(Steinberg::Vst::kHeader);
    return file.size() >= sizeof(header) && std::memcmp(file.data(), header, sizeof(header)) == 0;
}

bool readVstPreset(const std::vector<uint8_t>& file, VstPreset& preset, std::string& error) {
    MemoryStream stream(const_cast<uint8_t*>(file.data()), TSize(file.size()));
    PresetFile reader(&stream);
    if (!reader.readChunkList()) {
        error = "not a VST 3 preset file";
        return false;
    }
    const PresetFile::Entry* state = reader.getEntry(Steinberg::Vst::kComponentState);
    if (!state) {
        error = "the preset holds no component state";
        return false;
    }
    const TSize length = TSize(file.size());
    if (state->offset < 0 || state->size < 0 || state->offset > length ||
        state->size > length - state->offset) {
        error = "the preset's component state lies outside the file";
        return false;
    }
    char classId[33] = {};
    reader.getClassID().toString(classId);
    preset.classId = classId;
    const auto begin = file.begin() + std::ptrdiff_t(state->offset);
    preset.componentState.assign(begin, begin + std::ptrdiff_t(state->size));
    return true;
}

bool loadVstPreset(PluginInstance& plugin, const VstPreset& preset, std::string& error) {
    if (preset.classId != plugin.processorClassId()) {
        error = "the preset is for another plug-in (class " + preset.classId + ")";
        return false;
    }
    if (plugin.setState(preset.componentState) != Steinberg::kResultOk) {
        error = "the plug-in refused the preset's state";
        return false;
    }
    return true;
}

}  // namespace taluma::testhost
