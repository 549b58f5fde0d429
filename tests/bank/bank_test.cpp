// The factory bank through the built module, as a host and the Settings page load it:
// every preset in both formats loads, saves back its own record, plays a C major chord
// within the level bounds and its keys without silence, and sounds as it was recorded.
// To accept a deliberate change of the sound, run with TALUMA_PRINT_GOLDEN=1 and put the
// printed lines into golden_renders.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "bank_files.h"
#include "bundle_fixture.h"
#include "command_tags.h"
#include "factory_bank_folder.h"
#include "factory_presets.h"
#include "scratch_files.h"
#include "vst_preset.h"

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

// The golden checksums of the chord renders, by file stem.
std::map<std::string, uint64_t> goldens() {
    std::map<std::string, uint64_t> table;
    std::ifstream file(TALUMA_GOLDEN_FILE);
    for (std::string line; std::getline(file, line);) {
        const size_t space = line.rfind(' ');
        if (!line.empty() && line[0] != '#' && space != std::string::npos)
            table[line.substr(0, space)] = std::stoull(line.substr(space + 1), nullptr, 16);
    }
    return table;
}

uint64_t fnv1a(const std::vector<float>& samples) {
    uint64_t h = 1469598103934665603ull;
    for (float f : samples) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        for (int i = 0; i < 4; ++i)
            h = (h ^ ((bits >> (8 * i)) & 0xFF)) * 1099511628211ull;
    }
    return h;
}

double peakDb(const std::vector<float>& samples) {
    float peak = 0;
    for (float v : samples)
        peak = std::max(peak, std::fabs(v));
    return 20.0 * std::log10(std::max(peak, 1e-9f));
}

class BankPreset : public ::testing::TestWithParam<Case> {
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
            m->setMessageID("GUIEditor:fileSelect");
            m->getAttributes()->setInt("tag", cmd::file::kImportPreset);
            m->getAttributes()->setBinary("path", path.c_str(), uint32_t(path.size() + 1));
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
testhost::Module* BankPreset::module_ = nullptr;

TEST_P(BankPreset, LoadsSavesBackAndPlaysAsRecorded) {
    const Case c = GetParam();
    const Preset& p = *c.preset;
    const std::vector<uint8_t> file = test::readBytes(bankFile(c));
    ASSERT_FALSE(file.empty()) << bankFile(c);
    const std::vector<uint8_t> record = bank::presetStateRecord(p);

    auto plugin = loaded(c);
    ASSERT_TRUE(plugin);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(plugin->getState(saved));
    EXPECT_EQ(saved, record);

    const std::vector<float> chord = play(c, {std::begin(kChord), std::end(kChord)}, kChordSeconds);
    ASSERT_TRUE(test::allFinite(chord));
    EXPECT_GE(peakDb(chord), kChordPeakMinDb);
    EXPECT_LE(peakDb(chord), kChordPeakMaxDb);
    for (int key : {p.lowKey, (p.lowKey + p.highKey) / 2, p.highKey})
        EXPECT_GE(peakDb(play(c, {key}, kNoteSeconds)), kAudibleDb) << "key " << key;

    const uint64_t sum = fnv1a(chord);
    if (std::getenv("TALUMA_PRINT_GOLDEN")) {
        if (c.format == Format::Own)
            std::printf("%s %016llx\n", p.fileStem().c_str(), (unsigned long long)sum);
    } else {
        EXPECT_EQ(sum, goldens()[p.fileStem()]) << "the sound of '" << p.name << "' changed";
    }
}

std::vector<Case> allCases() {
    std::vector<Case> cases;
    for (const Preset& p : bank::factoryPresets())
        for (Format f : {Format::Own, Format::Vst})
            cases.push_back({&p, f});
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = info.param.format == Format::Own ? "tlmprst_" : "vstpreset_";
    for (char ch : info.param.preset->fileStem())
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Factory, BankPreset, ::testing::ValuesIn(allCases()), caseName);

TEST(FactoryBank, HasEveryCategoryAndNoTwoPresetsAlike) {
    const std::vector<Preset>& presets = bank::factoryPresets();
    EXPECT_GE(presets.size(), 32u);
    std::set<bank::Category> categories;
    std::set<std::string> names;
    std::set<uint64_t> sounds;
    const std::map<std::string, uint64_t> golden = goldens();
    for (const Preset& p : presets) {
        categories.insert(p.category);
        names.insert(p.name);
        sounds.insert(golden.count(p.fileStem()) ? golden.at(p.fileStem()) : 0);
    }
    EXPECT_EQ(categories.size(), size_t(bank::kCategoryCount));
    EXPECT_EQ(names.size(), presets.size());
    EXPECT_EQ(sounds.size(), presets.size());  // every chord render differs
}

}  // namespace
}  // namespace taluma
