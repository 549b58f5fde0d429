// process allocates nothing, takes no lock, opens no file and stays finite, whatever a
// host sends.
#include "allocation_hooks.h"
#include "bundle_fixture.h"

#include "engine/engine_event.h"
#include "vst3/plugin_ids.h"

#include <cstdlib>
#include <limits>

namespace taluma::test {
namespace {

using namespace Steinberg;
using Steinberg::Vst::ParamID;

using ProcessAllocation = BundleFixture;

TEST_F(ProcessAllocation, HooksSeeAllocationsLocksAndFiles) {
    // The counters themselves must work, or the test below proves nothing.
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    Watch watch;
    void* volatile p = std::malloc(16);
    std::free(p);
    pthread_mutex_lock(&mutex);
    pthread_mutex_unlock(&mutex);
    const AudioThreadCounts seen = watch.counts();
    FILE* f = std::fopen("/dev/null", "r");  // counted after: it allocates too
    EXPECT_EQ(watch.counts().fileOpens, 1);
    if (f)
        std::fclose(f);
    EXPECT_EQ(seen.allocations, 1);
    EXPECT_EQ(seen.locks, 1);
}

TEST_F(ProcessAllocation, NotesChangesAndBypassInAnyMix) {
    constexpr int32 kAnnounced = 256;
    ASSERT_TRUE(plugin->start(48000.0, kAnnounced));
    std::vector<float> l(4 * kAnnounced), r(4 * kAnnounced);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ParamID wild[] = {eventid::kModWheel, eventid::kVolume,
                            eventid::kPan,      eventid::kPitchBend,
                            eventid::kLfoFreq,  eventid::operatorParam(0, eventid::kTune),
                            eventid::kBitDepth, eventid::kStdPitch};
    for (int block = 0; block < 400; ++block) {
        // Now and then no samples, or more than announced.
        const int n = block % 5 == 4    ? 0
                      : block % 31 == 7 ? 4 * kAnnounced
                                        : 1 + (block * 37) % 256;
        const int events = block % 50 == 0 ? 600 : block % 7;
        for (int i = 0; i < events; ++i) {
            if ((i + block) % 3)
                plugin->noteOn(i % (n > 0 ? n : 1), int16((i * 11 + block) % 128),
                               0.2f + float(i % 5) / 6.0f);
            else
                plugin->noteOff(0, int16((i * 11 + block - 3) % 128));
        }
        plugin->parameterChange(eventid::kAlgorithm, 0, double(block % 4) / 3.0);
        plugin->parameterChange(eventid::operatorParam(0, eventid::kTotalLevel), n / 2,
                                block % 9 == 0 ? nan : double(block % 8) / 7.0);
        plugin->parameterChange(eventid::kModWheel, 0, double(block % 3) / 2.0);
        plugin->parameterChange(eventid::kAllSoundOff + block % 2, 0, 1.0);
        plugin->parameterChange(eventid::kBitDepth, 0, block % 13 == 0 ? 0.2 : 1.0);
        if (block % 17 == 3)
            plugin->parameterChange(kBypassId, 0, 1.0);
        if (block % 17 == 5)
            plugin->parameterChange(kBypassId, 0, block % 2 ? 0.0 : nan);
        if (block % 19 == 0)
            for (ParamID id : wild)
                plugin->parameterChange(id, block % 2 ? 7 : -5, block % 3 ? nan : 9.0);

        Watch watch;
        const bool noBuffers = block % 23 == 11;
        ASSERT_EQ(
            plugin->process(n, noBuffers ? nullptr : l.data(), noBuffers ? nullptr : r.data()),
            kResultOk);
        const AudioThreadCounts counts = watch.counts();
        ASSERT_EQ(counts.allocations, 0) << "block " << block;
        ASSERT_EQ(counts.locks, 0) << "block " << block;
        ASSERT_EQ(counts.fileOpens, 0) << "block " << block;
        ASSERT_TRUE(allFinite(l) && allFinite(r)) << "block " << block;
    }
}

}  // namespace
}  // namespace taluma::test
