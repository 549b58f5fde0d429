// taluma-lv2-turtle BUNDLE_DIR [BANK_DIR]: writes the bundle's Turtle files, with the
// ".tlmprst" files of BANK_DIR (the factory bank) as presets. Run by the build.
#include "lv2/lv2_uris.h"
#include "lv2/turtle.h"
#include "synth/preset_file.h"
#include "synth/state_record.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace taluma::lv2;

namespace {

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

// The bank's presets by file name; a file that is no preset stops the build.
bool readBank(const fs::path& folder, std::vector<BankPreset>& presets) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".tlmprst")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        const uint8_t* record = taluma::presetRecord(bytes.data(), bytes.size());
        if (!record) {
            std::fprintf(stderr, "taluma-lv2-turtle: %s is no preset\n", file.c_str());
            return false;
        }
        presets.push_back({file.stem().string(),
                           std::vector<uint8_t>(record, record + taluma::kStateRecordSize)});
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: taluma-lv2-turtle BUNDLE_DIR [BANK_DIR]\n");
        return 2;
    }
    const fs::path bundle = argv[1];
    std::vector<BankPreset> presets;
    if (argc == 3 && !readBank(argv[2], presets))
        return 1;
    fs::create_directories(bundle);
    const bool written = writeText(bundle / "manifest.ttl", manifestTurtle(presets)) &&
                         writeText(bundle / kPluginTtl, pluginTurtle()) &&
                         writeText(bundle / kPresetsTtl, presetsTurtle(presets));
    if (!written) {
        std::fprintf(stderr, "taluma-lv2-turtle: cannot write into %s\n", bundle.c_str());
        return 1;
    }
    return 0;
}
