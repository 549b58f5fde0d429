// The factory bank through the built module, as a host and the Settings page load it:
// every preset in both formats loads and saves back its own record; each plays a C major
// chord within the level bounds and its keys without silence, every chord differs from
// the others, and together they sound as recorded. To accept a deliberate change of the
// sound, run with TALUMA_PRINT_GOLDEN=1 and put the printed checksum into kBankChecksum.
// A damaged VST 3 preset is refused and changes nothing; without a HOME there are no
// preset folders, and taluma-render --preset-dir renders a folder of presets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "bank_files.h"
#include "bundle_fixture.h"
#include "vst3/messages.h"
#include "synth/command_tags.h"
#include "vst3/factory_bank_folder.h"
#include "factory_presets.h"
#include "float_hash.h"
#include "run_shell.h"
#include "scratch_files.h"
#include "vst_preset.h"

namespace fs = std::filesystem;

namespace taluma {
namespace {

using bank::Preset;
using Steinberg::Vst::IMessage;

constexpr double kRate = 44100.0;
constexpr int32_t kBlock = 512;
constexpr float kVelocity100 = 100.0f / 127.0f;
constexpr int kChord[] = {60, 64, 67};  // C major
constexpr double kChordSeconds = 1.0;
constexpr double kNoteSeconds = 0.5;
constexpr double kChordPeakMinDb = -9.0, kChordPeakMaxDb = -1.0;
constexpr double kAudibleDb = -30.0;  // a single note at velocity 100 reaches at least this
// FNV-1a over the chords of all presets in bank order, each one second at 44100 Hz.
constexpr uint64_t kBankChecksum = 0x62e857d5254b44f3ull;

enum class Format { Own, Vst };

struct Case {
    const Preset* preset;
    Format format;
};

std::string bankFile(const Case& c) {
    const std::string stem = c.preset->fileStem();
    const std::string folder = TALUMA_BANK_DIR "/";
    return c.format == Format::Own ? folder + kFactoryBankSubfolder + "/" + stem + ".tlmprst"
                                   : folder + stem + ".vstpreset";
}

double peakDb(const std::vector<float>& samples) {
    float peak = 0;
    for (float v : samples)
        peak = std::max(peak, std::fabs(v));
    return 20.0 * std::log10(std::max(peak, 1e-9f));
}

class Bank : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = test::loadBundle().release(); }
    static void TearDownTestSuite() {
        delete module_;
        module_ = nullptr;
    }

    // A fresh instance with the preset loaded the way its format is loaded.
    std::unique_ptr<testhost::PluginInstance> loaded(const Case& c) {
        std::string error;
        auto plugin = testhost::PluginInstance::create(*module_, error);
        EXPECT_TRUE(plugin) << error;
        if (!plugin)
            return nullptr;
        const std::string path = bankFile(c);
        if (c.format == Format::Own) {  // the Settings page's import
            IMessage* m = plugin->allocateMessage();
            m->setMessageID(taluma::message::kFileSelect);
            m->getAttributes()->setInt(taluma::message::kTag, cmd::file::kImportPreset);
            m->getAttributes()->setBinary(taluma::message::kPath, path.c_str(),
                                          uint32_t(path.size() + 1));
            plugin->sendToProcessor(m);
            m->release();
        } else {  // a host's preset browser
            testhost::VstPreset preset;
            EXPECT_TRUE(testhost::readVstPreset(test::readBytes(path), preset, error) &&
                        testhost::loadVstPreset(*plugin, preset, error))
                << path << ": " << error;
        }
        return plugin;
    }

    // Both channels, interleaved, of `keys` held at velocity 100 for `seconds`.
    std::vector<float> play(const Case& c, std::vector<int> keys, double seconds) {
        auto plugin = loaded(c);
        std::vector<float> out;
        if (!plugin || !plugin->start(kRate, kBlock))
            return out;
        for (int key : keys)
            plugin->noteOn(0, int16_t(key), kVelocity100);
        std::vector<float> left(kBlock), right(kBlock);
        for (int64_t done = 0; done < int64_t(seconds * kRate); done += kBlock) {
            plugin->process(kBlock, left.data(), right.data());
            for (int i = 0; i < kBlock; ++i)
                out.insert(out.end(), {left[size_t(i)], right[size_t(i)]});
        }
        return out;
    }

    static testhost::Module* module_;
};
testhost::Module* Bank::module_ = nullptr;

TEST_F(Bank, EveryPresetLoadsItsRecordAndPlaysWithinItsLevelsAsRecorded) {
    const std::vector<Preset>& presets = bank::factoryPresets();
    EXPECT_GE(presets.size(), 32u);
    std::set<bank::Category> categories;
    std::set<std::string> names;
    std::set<uint64_t> sounds;
    uint64_t all = testhost::floatHash({});
    for (const Preset& p : presets) {
        categories.insert(p.category);
        names.insert(p.name);
        const std::vector<uint8_t> record = bank::presetStateRecord(p);
        for (Format format : {Format::Own, Format::Vst}) {
            const Case c{&p, format};
            EXPECT_FALSE(test::readBytes(bankFile(c)).empty()) << bankFile(c);
            auto plugin = loaded(c);
            std::vector<uint8_t> saved;
            EXPECT_TRUE(plugin && plugin->getState(saved)) << bankFile(c);
            saved.resize(record.size());  // the bypass follows the record
            EXPECT_EQ(saved, record) << bankFile(c);
        }
        const Case c{&p, Format::Own};
        const std::vector<float> chord =
            play(c, {std::begin(kChord), std::end(kChord)}, kChordSeconds);
        ASSERT_TRUE(test::allFinite(chord)) << p.name;
        EXPECT_GE(peakDb(chord), kChordPeakMinDb) << p.name;
        EXPECT_LE(peakDb(chord), kChordPeakMaxDb) << p.name;
        for (int key : {p.lowKey, (p.lowKey + p.highKey) / 2, p.highKey})
            EXPECT_GE(peakDb(play(c, {key}, kNoteSeconds)), kAudibleDb)
                << p.name << ", key " << key;
        sounds.insert(testhost::floatHash(chord));
        all = testhost::floatHash(chord, all);
    }
    EXPECT_EQ(categories.size(), size_t(bank::kCategoryCount));
    EXPECT_EQ(names.size(), presets.size());
    EXPECT_EQ(sounds.size(), presets.size());  // every chord differs
    if (std::getenv("TALUMA_PRINT_GOLDEN"))
        std::printf("kBankChecksum = 0x%016llxull\n", (unsigned long long)all);
    else
        EXPECT_EQ(all, kBankChecksum) << "the sound of the bank changed";
}

std::vector<uint8_t> withBytes(std::vector<uint8_t> file, const std::string& find,
                               const std::string& replacement) {
    auto at = std::search(file.begin(), file.end(), find.begin(), find.end());
    EXPECT_NE(at, file.end()) << find;
    if (at != file.end())
        std::copy(replacement.begin(), replacement.end(), at);
    return file;
}

// Refused by the reader or by the instrument, which keeps the sound it had.
TEST_F(Bank, DamagedVstPresetIsRefusedAndChangesNothing) {
    const std::vector<Preset>& presets = bank::factoryPresets();
    auto plugin = loaded({&presets[1], Format::Vst});
    ASSERT_TRUE(plugin);
    const std::vector<uint8_t> record = bank::presetStateRecord(presets[1]);
    const std::vector<uint8_t> good = bank::vstPresetFile(bank::presetStateRecord(presets[0]));
    std::string error;
    testhost::VstPreset preset;
    ASSERT_TRUE(testhost::readVstPreset(good, preset, error)) << error;

    const std::string classId = preset.classId;
    const struct {
        const char* name;
        std::vector<uint8_t> file;
    } damaged[] = {
        {"wrong chunk id", withBytes(good, "Comp", "Cmop")},
        {"short state", bank::vstPresetFile({record.begin(), record.begin() + 500})},
        {"wrong class id", withBytes(good, classId, std::string(classId.size(), '7'))},
        {"chunk list cut off", {good.begin(), good.end() - 12}},
        {"state chunk past the end", withBytes(good, "Comp", "Comp\xFF\xFF")},
        {"empty file", {}},
    };
    for (const auto& d : damaged) {
        preset = {};
        const bool accepted = testhost::readVstPreset(d.file, preset, error) &&
                              testhost::loadVstPreset(*plugin, preset, error);
        EXPECT_FALSE(accepted) << d.name;
        std::vector<uint8_t> state;
        ASSERT_TRUE(plugin->getState(state));
        EXPECT_EQ(std::vector<uint8_t>(state.begin(), state.begin() + long(record.size())), record)
            << d.name;
    }
}

// Without HOME there are no preset folders and none is made. Where they lie below HOME,
// and that the user's folder is made on demand, the editor's tests show through the file
// dialogs' start folders and the preset browser's first save (ScratchHome,
// PresetBrowser).
TEST(PresetFolders, NoneWithoutAHome) {
    const char* saved = std::getenv("HOME");
    const std::string savedHome = saved ? saved : "";
    ::unsetenv("HOME");
    EXPECT_EQ(instrumentPresetFolder(), "");
    EXPECT_EQ(factoryBankFolder(), "");
    EXPECT_EQ(userPresetFolder(true), "");
    EXPECT_EQ(homeFolder(), "");
    ::setenv("HOME", savedHome.c_str(), 1);
}

size_t wavCount(const fs::path& folder) {
    size_t n = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        n += entry.path().extension() == ".wav";
    return n;
}

// One WAV per preset file of a folder, a broken one reported and skipped.
TEST(RenderPresetDir, RendersEveryPresetOfTheFolder) {
    testhost::ScratchDir scratch;
    const fs::path dir = fs::u8path(scratch.path());
    fs::create_directories(dir / "mixed");
    fs::copy(fs::path(TALUMA_BANK_DIR) / kFactoryBankSubfolder, dir / "mixed");
    std::ofstream(dir / "mixed" / "Broken.vstpreset") << "VST3 but nothing more";
    auto render = [&](const fs::path& presets, const fs::path& out) {
        return runShell("'" TALUMA_RENDER_EXE "' -q --length 0.2 --preset-dir '" +
                        presets.string() + "' -o '" + out.string() + "'");
    };
    const size_t presets = bank::factoryPresets().size();

    EXPECT_EQ(render(TALUMA_BANK_DIR, dir / "vst").exitCode, 0);
    EXPECT_EQ(wavCount(dir / "vst"), presets);

    const Command mixed = render(dir / "mixed", dir / "own");
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_EQ(wavCount(dir / "own"), presets);
    EXPECT_NE(mixed.output.find("Broken.vstpreset: "), std::string::npos) << mixed.output;
}

}  // namespace
}  // namespace taluma
