// A damaged VST 3 preset is refused, by the reader or by the instrument, and the
// instrument keeps the sound it had.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bank_files.h"
#include "bundle_fixture.h"
#include "factory_presets.h"
#include "scratch_files.h"
#include "vst_preset.h"

namespace taluma {
namespace {

class DamagedVstPreset : public test::BundleFixture {};

std::vector<uint8_t> withBytes(std::vector<uint8_t> file, const std::string& find,
                               const std::string& replacement) {
    auto at = std::search(file.begin(), file.end(), find.begin(), find.end());
    EXPECT_NE(at, file.end()) << find;
    if (at != file.end())
        std::copy(replacement.begin(), replacement.end(), at);
    return file;
}

TEST_F(DamagedVstPreset, IsRefusedAndChangesNothing) {
    const std::vector<bank::Preset>& presets = bank::factoryPresets();
    const std::vector<uint8_t> record = bank::presetStateRecord(presets[1]);
    const std::vector<uint8_t> good = bank::vstPresetFile(bank::presetStateRecord(presets[0]));
    std::string error;
    testhost::VstPreset preset;
    ASSERT_TRUE(testhost::readVstPreset(bank::vstPresetFile(record), preset, error));
    ASSERT_TRUE(testhost::loadVstPreset(*plugin, preset, error)) << error;

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
        const bool loaded = testhost::readVstPreset(d.file, preset, error) &&
                            testhost::loadVstPreset(*plugin, preset, error);
        EXPECT_FALSE(loaded) << d.name;
        std::vector<uint8_t> state;
        ASSERT_TRUE(plugin->getState(state));
        EXPECT_EQ(std::vector<uint8_t>(state.begin(), state.begin() + long(record.size())), record)
            << d.name;
    }
}

}  // namespace
}  // namespace taluma
