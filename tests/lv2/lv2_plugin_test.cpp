// The LV2 bundle through liblilv: the demo song bit-identical to the VST 3 bundle's
// render, state round trips, the factory bank as presets, ports that clamp.
#include "lilv_host.h"

#include "block_schedule.h"
#include "demo_song.h"
#include "note_list.h"
#include "synth/preset_file.h"
#include "synth/state_record.h"
#include "wav_writer.h"

#include <gtest/gtest.h>
#include <lv2/midi/midi.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace taluma::lv2test {
namespace {

namespace fs = std::filesystem;
using render::EventKind;

constexpr const char* kStateKey = "https://taluma-w.example.org/lv2#state";
constexpr int32_t kBlock = 512;

std::vector<uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

fs::path scratch(const std::string& name) {
    const fs::path dir = fs::path(TALUMA_LV2_TEST_DIR) / "scratch";
    fs::create_directories(dir);
    return dir / name;
}

// An event as the VST 3 renderer sends it, in MIDI: the plug-in maps controllers itself.
void deliver(Lv2Instance& plugin, const render::TimedEvent& e, uint32_t offset) {
    const uint8_t channel = uint8_t(e.channel & 15);
    switch (e.kind) {
    case EventKind::NoteOn:
        plugin.midi(offset, LV2_MIDI_MSG_NOTE_ON | channel, e.number, e.value);
        break;
    case EventKind::NoteOff:
        plugin.midi(offset, LV2_MIDI_MSG_NOTE_OFF | channel, e.number, 0);
        break;
    case EventKind::Controller:
        plugin.midi(offset, LV2_MIDI_MSG_CONTROLLER | channel, e.number, e.value);
        break;
    case EventKind::PitchBend:
        plugin.midi(offset, LV2_MIDI_MSG_BENDER | channel, e.value & 127, e.value >> 7);
        break;
    case EventKind::Parameter: ADD_FAILURE() << "the phrases here set no parameters"; break;
    }
}

// Plays a note list block by block, as taluma-render does; interleaved stereo.
std::vector<float> play(Lv2Instance& plugin, const std::string& notes, double rate,
                        int64_t frames) {
    const render::EventSequence sequence = render::parseNoteList(notes, "phrase");
    const std::vector<render::ScheduledEvent> events = render::scheduleEvents(sequence, rate);
    render::BlockCursor cursor(events);
    std::vector<float> out, left(kBlock), right(kBlock);
    for (int64_t start = 0; start < frames; start += kBlock) {
        const uint32_t n = uint32_t(std::min<int64_t>(kBlock, frames - start));
        const render::BlockCursor::Range range = cursor.take(start, int32_t(n));
        for (size_t i = range.first; i < range.last; ++i)
            deliver(plugin, events[i].event, render::BlockCursor::offsetIn(events[i], start));
        plugin.run(n, left.data(), right.data());
        for (uint32_t i = 0; i < n; ++i)
            out.insert(out.end(), {left[i], right[i]});
    }
    return out;
}

constexpr const char* kPhrase = "cc 0 1 90\n0.00 C4 100 0.3\n0.05 E4 80 0.3\n0.1 G4 60 0.3\n"
                                "bend 0.15 12000\n";
constexpr int64_t kPhraseFrames = 24000;

double peak(const std::vector<float>& samples) {
    double p = 0;
    for (float s : samples)
        p = std::max(p, double(std::fabs(s)));
    return p;
}

class Lv2Bundle : public ::testing::Test {
protected:
    LilvHost host{TALUMA_LV2_BUNDLE};
};

TEST_F(Lv2Bundle, DemoSongIsBitIdenticalToTheVst3Bundle) {
    ASSERT_NE(host.plugin(), nullptr);
    for (int rate : {44100, 48000}) {
        SCOPED_TRACE(rate);
        const fs::path vst3 = scratch("demo-vst3-" + std::to_string(rate) + ".wav");
        const fs::path lv2 = scratch("demo-lv2-" + std::to_string(rate) + ".wav");
        const std::string command =
            std::string(TALUMA_RENDER) + " -q -r " + std::to_string(rate) + " -o " + vst3.string();
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::vector<uint8_t> reference = fileBytes(vst3);
        const size_t header = render::wavHeader(render::SampleFormat::Float32, rate, 2, 0).size();
        ASSERT_GT(reference.size(), header);
        const int64_t frames = int64_t((reference.size() - header) / 8);

        Lv2Instance plugin(host, rate);
        ASSERT_TRUE(plugin.valid());
        const std::vector<float> samples = play(plugin, render::demoNoteList(), rate, frames);
        EXPECT_GT(peak(samples), 0.1);
        {
            render::WavWriter writer(lv2.string(), render::SampleFormat::Float32, rate, 2);
            for (size_t i = 0; i < samples.size(); i += 2) {
                const float* frame[2] = {&samples[i], &samples[i + 1]};
                writer.write(frame, 1);
            }
            writer.close();
        }
        EXPECT_TRUE(fileBytes(lv2) == reference) << "the LV2 render differs from " << vst3;
    }
}

TEST_F(Lv2Bundle, StateSavedAndRestoredGivesTheSameRecordAndSound) {
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

    // Through lilv (ports and state) and as raw bytes with the ports left at their
    // defaults: the record holds in both, the ports left behind do not override it.
    Lv2Instance throughLilv(host, 48000), throughBytes(host, 48000), fresh(host, 48000);
    throughLilv.restoreState(saved);
    lilv_state_free(saved);
    ASSERT_EQ(throughBytes.restoreBytes(bytes, kStateKey), 0);
    EXPECT_EQ(throughLilv.stateBytes(), bytes);
    EXPECT_EQ(throughBytes.stateBytes(), bytes);
    for (const char* port : {"alg", "op_b_tl", "lfo_wave", "op_a_tl", "enabled"})
        EXPECT_EQ(throughLilv.port(port), original.port(port)) << port;

    const std::vector<float> restoredSound = play(throughLilv, kPhrase, 48000, kPhraseFrames);
    EXPECT_EQ(play(throughBytes, kPhrase, 48000, kPhraseFrames), restoredSound);
    EXPECT_NE(play(fresh, kPhrase, 48000, kPhraseFrames), restoredSound);
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
        {std::vector<uint8_t>(before.begin(), before.begin() + 100), true},
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
        const std::vector<uint8_t> file_ = fileBytes(file.path());
        const uint8_t* record = presetRecord(file_.data(), file_.size());
        const std::vector<uint8_t> loaded = plugin.stateBytes();
        ASSERT_GE(loaded.size(), kStateRecordSize);
        EXPECT_TRUE(std::equal(record, record + kStateRecordSize, loaded.begin()));
        EXPECT_GT(peak(play(plugin, "0 C4 100 0.3\n", 48000, 12000)), 0.01);
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
}  // namespace taluma::lv2test
