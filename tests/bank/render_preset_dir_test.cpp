// taluma-render --preset-dir: one WAV per preset file of a folder, a broken one reported
// and skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "vst3/factory_bank_folder.h"
#include "factory_presets.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;

namespace {

size_t wavCount(const fs::path& folder) {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        n += entry.path().extension() == ".wav";
    return n;
}

TEST(RenderPresetDir, RendersEveryPresetOfTheFolder) {
    taluma::testhost::ScratchDir scratch;
    const fs::path dir = fs::u8path(scratch.path());
    fs::create_directories(dir / "mixed");
    fs::copy(fs::path(TALUMA_BANK_DIR) / taluma::kFactoryBankSubfolder, dir / "mixed");
    std::ofstream(dir / "mixed" / "Broken.vstpreset") << "VST3 but nothing more";
    auto render = [&](const fs::path& presets, const fs::path& out) {
        const std::string command = "'" TALUMA_RENDER_EXE "' -q --length 0.2 --preset-dir '" +
                                    presets.string() + "' -o '" + out.string() + "' 2> '" +
                                    (dir / "log.txt").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const size_t presets = taluma::bank::factoryPresets().size();

    EXPECT_EQ(render(TALUMA_BANK_DIR, dir / "vst"), 0);
    EXPECT_EQ(wavCount(dir / "vst"), presets);

    EXPECT_EQ(render(dir / "mixed", dir / "own"), 2);
    EXPECT_EQ(wavCount(dir / "own"), presets);
    const std::string log = scratch.read("log.txt");
    EXPECT_NE(log.find("Broken.vstpreset: "), std::string::npos) << log;
}

}  // namespace
