// The LV2 plug-in's run allocates nothing, takes no lock and opens no file, whatever MIDI
// and port values a host sends, in blocks up to the length it announced.
#include "allocation_hooks.h"
#include "lilv_host.h"

#include <gtest/gtest.h>
#include <lv2/midi/midi.h>

#include <limits>
#include <vector>

namespace taluma::lv2host {
namespace {

constexpr int32_t kAnnounced = 256;

TEST(Lv2Run, NoAllocationLockOrFileWhateverTheHostSends) {
    LilvHost host(TALUMA_LV2_BUNDLE, kAnnounced);
    Lv2Instance plugin(host, 48000);
    ASSERT_TRUE(plugin.valid());
    std::vector<float> left(kAnnounced), right(kAnnounced);
    plugin.run(kAnnounced, left.data(), right.data());  // the first block sets up the voices

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float wild[] = {0.0f, 1e9f, -1e9f, nan, 64.0f, 3.0f};
    const char* const ports[] = {"op_a_tl", "op_b_tune", "alg", "bitdepth", "lfo_freq", "enabled"};
    for (int block = 0; block < 300; ++block) {
        const uint32_t frames = uint32_t(block % 7 == 0 ? 0 : 1 + block * 37 % kAnnounced);
        for (uint32_t k = 0; k < 8 && k < frames; ++k) {
            plugin.midi(k * frames / 8, uint8_t(LV2_MIDI_MSG_NOTE_ON | (k & 15)),
                        uint8_t(24 + (block * 5 + k) % 96), uint8_t(1 + block % 127));
            plugin.midi(k * frames / 8, LV2_MIDI_MSG_CONTROLLER, uint8_t(block % 128),
                        uint8_t(k * 16));
            plugin.midi(k * frames / 8, LV2_MIDI_MSG_BENDER, uint8_t(k), uint8_t(block % 128));
        }
        plugin.setPort(ports[block % 6], wild[block % 6]);
        test::Watch watch;
        plugin.run(frames, left.data(), right.data());
        const test::AudioThreadCounts seen = watch.counts();
        ASSERT_EQ(seen.allocations, 0) << "block " << block;
        ASSERT_EQ(seen.locks, 0) << "block " << block;
        ASSERT_EQ(seen.fileOpens, 0) << "block " << block;
    }
}

}  // namespace
}  // namespace taluma::lv2host
