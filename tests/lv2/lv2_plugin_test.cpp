// The LV2 bundle through the project's lilv host: taluma-render's renders bit-identical
// to the VST 3 bundle's, state round trips, the factory bank as presets, ports that clamp.
#include "lilv_host.h"
#include "lv2_target.h"

#include "block_schedule.h"
#include "note_list.h"
#include "render_loop.h"
#include "run_shell.h"
#include "audio_check.h"
#include "scratch_dir.h"
#include "scratch_files.h"
#include "lv2/lv2_uris.h"
#include "synth/preset_file.h"
#include "synth/state_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace taluma::lv2host {
namespace {

namespace fs = std::filesystem;

using lv2::kStateKey;
constexpr int32_t kBlock = 512;

class Lv2Render : public ::testing::Test {
protected:
    // taluma-render with the arguments (a shell word list), in the scratch folder.
    Command renderTool(const std::string& args) const {
        return runShell("cd '" + dir.path() + "' && '" TALUMA_RENDER "' " + args);
    }
    testhost::ScratchDir dir;
};

// Plays a note list through the instance with taluma-render's loop; interleaved stereo.
std::vector<float> play(Lv2Instance& plugin, const std::string& notes, double rate,
                        int64_t frames) {
    render::Lv2Target target(plugin);
    std::vector<float> out;
    render::renderBlocks(target,
                         render::scheduleEvents(render::parseNoteList(notes, "phrase"), rate),
                         frames, kBlock, [&](const float* const* channels, uint32_t n) {
                             for (uint32_t i = 0; i < n; ++i)
                                 out.insert(out.end(), {channels[0][i], channels[1][i]});
                         });
    return out;
}

constexpr const char* kPhrase = "cc 0 1 90\n0.00 C4 100 0.3\n0.05 E4 80 0.3\n0.1 G4 60 0.3\n"
                                "bend 0.15 12000\n";
constexpr int64_t kPhraseFrames = 24000;

class Lv2Bundle : public ::testing::Test {
protected:
    LilvHost host{TALUMA_LV2_BUNDLE};
};

// The same input through both bundles gives the same bytes, WAV and saved state. The
// note list's param lines fall on block starts (441-frame blocks at 44.1 kHz), where the
// LV2 bundle reads its control ports.
TEST_F(Lv2Render, BothBundlesWriteTheSameFiles) {
    dir.write(
        "edits.txt",
        std::string("param 0 0x40002 0\ncc 0 1 90\n0 C4 100 0.6\n0.1 E4 70 0.6\ncc 0.2 7 100\n"
                    "bend 0.25 12000\ncc 0.3 10 20\nparam 0.5 0x400A1 0.2\n0.5 G4 127 0.4\n"
                    "bend 0.7 2000\n"));
    const std::string preset = "--preset '" TALUMA_BANK_TLMPRST "/Keys - Tine Piano.tlmprst'";
    const struct {
        std::string name, args;
    } cases[] = {
        {"demo-44100", "-r 44100"},
        {"demo-48000", "-r 48000"},
        {"edits", "edits.txt -b 441 --bits 16"},
        {"edits-preset", "edits.txt -b 441 " + preset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string vst3 = c.name + "-vst3", lv2 = c.name + "-lv2";
        for (const std::string& out : {vst3, lv2}) {
            const std::string args = "-q " + c.args + " -o " + out + ".wav --save-state " + out +
                                     ".state" + (out == lv2 ? " --lv2" : "");
            const Command run = renderTool(args);
            ASSERT_EQ(run.exitCode, 0) << args << "\n" << run.output;
            EXPECT_EQ(run.output, "") << args;  // nothing unmapped, nothing moved
        }
        const std::string reference = dir.read(vst3 + ".wav");
        EXPECT_GT(reference.size(), 44100u);
        EXPECT_TRUE(dir.read(lv2 + ".wav") == reference) << "the LV2 render differs";
        EXPECT_TRUE(dir.read(lv2 + ".state") == dir.read(vst3 + ".state"));
    }
}

// What the LV2 bundle cannot take as given is counted in the report; a .vstpreset is
// refused.
TEST_F(Lv2Render, ReportCountsWhatTheBundleCannotTakeAsGivenAndVstPresetsAreRefused) {
    dir.write("odd.txt",
              std::string("cc 0 5 10\nparam 0 0x80002 0.5\nparam 0.01 0x40002 0\n0 C4 100 0.2\n"));
    const Command run = renderTool("odd.txt --lv2 --tail 0.1");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* note : {"1 controller events are not mapped",
                             "1 parameter changes name a parameter without a port",
                             "1 parameter changes took effect at their block's start"})
        EXPECT_NE(run.output.find(note), std::string::npos) << run.output;

    // A .vstpreset names a VST 3 class: the LV2 path takes records and states only.
    const Command vstpreset =
        renderTool("--lv2 --preset '" TALUMA_BANK_TLMPRST "/../Keys - Tine Piano.vstpreset'");
    EXPECT_EQ(vstpreset.exitCode, 1);
    EXPECT_NE(vstpreset.output.find("not the .vstpreset"), std::string::npos) << vstpreset.output;
}

TEST_F(Lv2Bundle, StateRestoredThroughLilvKeepsItsRecordAndPorts) {
    Lv2Instance original(host, 48000);
    ASSERT_TRUE(original.valid());
    original.setPort("alg", 1);
    original.setPort("op_b_tl", 30);
    original.setPort("lfo_wave", 2);
    play(original, kPhrase, 48000, kBlock);  // the ports reach the engine
    const std::vector<uint8_t> bytes = original.stateBytes();
    ASSERT_EQ(bytes.size(), kStateRecordSize + 7);  // the record, "TWX1", length, bypass
    LilvState* saved = original.saveState();
    ASSERT_NE(saved, nullptr);

    // Through lilv, ports and state: the record holds, and the ports agree with it. Raw
    // bytes with the ports left at their defaults are BothBundlesWriteTheSameFiles'
    // preset case, as taluma-render restores them.
    Lv2Instance throughLilv(host, 48000);
    throughLilv.restoreState(saved);
    lilv_state_free(saved);
    EXPECT_EQ(throughLilv.stateBytes(), bytes);
    for (const char* port : {"alg", "op_b_tl", "lfo_wave", "op_a_tl", "enabled"})
        EXPECT_EQ(throughLilv.port(port), original.port(port)) << port;
}

TEST_F(Lv2Bundle, BrokenStateLeavesTheInstrumentUnchanged) {
    Lv2Instance plugin(host, 44100);
    plugin.setPort("op_a_mul", 5);
    play(plugin, kPhrase, 44100, kBlock);
    const std::vector<uint8_t> before = plugin.stateBytes();
    std::vector<uint8_t> otherVersion = before;
    otherVersion[0] ^= 0x7F;
    struct Case {
        std::vector<uint8_t> bytes;
        bool refused;  // else passed over, as a record of another version is
    };
    const Case cases[] = {
        {{}, true},
        {std::vector<uint8_t>(before.begin(), before.begin() + kStateRecordSize - 1), true},
        {otherVersion, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        EXPECT_EQ(plugin.restoreBytes(c.bytes, kStateKey) != 0, c.refused);
        play(plugin, kPhrase, 44100, kBlock);
        EXPECT_EQ(plugin.stateBytes(), before);
    }
}

TEST_F(Lv2Bundle, EveryFactoryPresetLoadsItsRecordAndPorts) {
    const auto presets = host.presets();
    size_t bankFiles = 0;
    for (const auto& file : fs::directory_iterator(TALUMA_BANK_TLMPRST)) {
        const std::string label = file.path().stem().string();
        ++bankFiles;
        SCOPED_TRACE(label);
        ASSERT_EQ(presets.count(label), 1u);
        LilvState* state =
            lilv_state_new_from_world(host.world(), host.mapFeature(), presets.at(label));
        ASSERT_NE(state, nullptr);
        Lv2Instance plugin(host, 48000);
        plugin.restoreState(state);
        lilv_state_free(state);
        const std::vector<uint8_t> bytes = test::readBytes(file.path().string());
        const uint8_t* record = presetRecord(bytes.data(), bytes.size());
        const std::vector<uint8_t> loaded = plugin.stateBytes();
        ASSERT_GE(loaded.size(), kStateRecordSize);
        EXPECT_TRUE(std::equal(record, record + kStateRecordSize, loaded.begin()));
        EXPECT_GT(render::test::rms(play(plugin, "0 C4 100 0.3\n", 48000, 12000)), 0.01);
        EXPECT_EQ(plugin.stateBytes(), loaded);  // the preset's port values agree with it
    }
    EXPECT_EQ(presets.size(), bankFiles);
    EXPECT_EQ(bankFiles, 42u);
}

// Whatever a host writes into a port is taken, held to the port's range.
TEST_F(Lv2Bundle, PortValuesOutsideTheRangeAreClamped) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* port;
        float sent, heldTo;
    };
    const Case cases[] = {
        {"op_a_tl", 1000.0f, 127.0f},  {"op_a_tl", -5.0f, 0.0f}, {"op_b_tune", inf, 8192.0f},
        {"op_b_tune", -inf, -8192.0f}, {"alg", nan, 0.0f},       {"bitdepth", 0.0f, 1.0f},
        {"lfo_freq", 1e9f, 16384.0f},  {"enabled", 7.0f, 1.0f},  {"pitchbendsens", -1e9f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " " + std::to_string(c.sent));
        Lv2Instance sent(host, 44100), held(host, 44100);
        sent.setPort(c.port, c.sent);
        held.setPort(c.port, c.heldTo);
        const std::vector<float> sound = play(sent, kPhrase, 44100, kPhraseFrames);
        EXPECT_EQ(sound, play(held, kPhrase, 44100, kPhraseFrames));
        for (float s : sound)
            ASSERT_TRUE(std::isfinite(s));
        EXPECT_EQ(sent.stateBytes(), held.stateBytes());
    }
}

}  // namespace
}  // namespace taluma::lv2host
