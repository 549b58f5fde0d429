#include "bank_files.h"

#include <filesystem>
#include <system_error>

#include "vst3/factory_bank_folder.h"
#include "wavetable/file_io.h"
#include "vst3/plugin_ids.h"
#include "synth/preset_file.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"
#include "synth/state_record.h"
#include "synth/synth.h"

namespace taluma::bank {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kBlockSize = 512;
constexpr float kSampleRate = 44100.0f;

bool writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes, std::string& error) {
    if (writeFile(path.u8string(), bytes.data(), bytes.size()))
        return true;
    error = "cannot write '" + path.u8string() + "'";
    return false;
}

}  // namespace

std::vector<uint8_t> presetStateRecord(const Preset& preset) {
    Synth synth(kBlockSize, kSampleRate);
    synth.setupRate(kBlockSize, kSampleRate);
    applyPreset(synth, preset);
    return writeStateRecord(synth);
}

std::vector<uint8_t> vstPresetFile(const std::vector<uint8_t>& record) {
    using namespace Steinberg;
    MemoryStream state(const_cast<uint8_t*>(record.data()), TSize(record.size()));
    MemoryStream file;
    if (!Vst::PresetFile::savePreset(&file, FUID(kProcessorUID), &state))
        return {};
    const auto* data = reinterpret_cast<const uint8_t*>(file.getData());
    return std::vector<uint8_t>(data, data + file.getSize());
}

bool writeBank(const std::vector<Preset>& presets, const std::string& folder, std::string& error) {
    const fs::path vstFolder = fs::u8path(folder);
    const fs::path ownFolder = vstFolder / kFactoryBankSubfolder;
    std::error_code fsError;
    fs::create_directories(ownFolder, fsError);
    if (fsError) {
        error = "cannot create '" + ownFolder.u8string() + "': " + fsError.message();
        return false;
    }
    for (const Preset& preset : presets) {
        const std::vector<uint8_t> record = presetStateRecord(preset);
        const std::string stem = preset.fileStem();
        if (!writeBytes(ownFolder / fs::u8path(stem + ".tlmprst"), formatPreset(record), error) ||
            !writeBytes(vstFolder / fs::u8path(stem + ".vstpreset"), vstPresetFile(record), error))
            return false;
    }
    return true;
}

}  // namespace taluma::bank
