// Playing the built module through the test host: the robustness a host can demand
// of process (odd rates and block sizes, oversized blocks, no buffers,
// floods of events, NaN values).
#include "bundle_fixture.h"

#include <algorithm>
#include <limits>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr ParamID kBypass = 0x1000001;

using BundleRobustness = BundleFixture;

TEST_F(BundleRobustness, EveryRateAndBlockSizeStaysFinite) {
    const double rates[] = {8000.0, 11025.0, 22050.0, 44100.0, 44100.5, 48000.0, 96000.0, 192000.0};
    const int32_t blocks[] = {1, 3, 16, 17, 512, 4096};
    for (double rate : rates) {
        for (int32_t block : blocks) {
            plugin->stop();
            ASSERT_TRUE(plugin->start(rate, block)) << rate << " Hz, " << block;
            bool sounded = false;
            const int blocksToRender = std::max(6, 512 / block);
            for (int i = 0; i < blocksToRender; ++i) {
                if (i < 6)
                    plugin->noteOn(0, int16(48 + i * 7), 1.0f);
                plugin->parameterChange(0x40002, 0, (i % 4) / 3.0);    // algorithm
                plugin->parameterChange(0x20007, block - 1, i / 6.0);  // pitch bend
                render(block);
                sounded = sounded ||
                          std::any_of(left.begin(), left.end(), [](float v) { return v != 0.0f; });
            }
            EXPECT_TRUE(sounded) << rate << " Hz, " << block;
        }
    }
}

TEST_F(BundleRobustness, HostIrregularitiesAreSurvived) {
    ASSERT_TRUE(plugin->start(44100.0, 64));
    // Larger than announced, zero samples, and no output buffers at all.
    plugin->noteOn(0, 60, 1.0f);
    render(4096);
    EXPECT_TRUE(std::any_of(left.begin(), left.end(), [](float v) { return v != 0.0f; }));
    render(0);
    plugin->parameterChange(0x40093, 0, 0.3);
    EXPECT_EQ(plugin->process(128, nullptr, nullptr), kResultOk);

    // 600 events in one block, NaN and out-of-range values everywhere.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int i = 0; i < 600; ++i)
        plugin->noteOn(i % 64, int16(i % 128), i % 3 ? 1.0f : float(nan));
    for (ParamID id :
         {0x20001u, 0x20002u, 0x20003u, 0x20007u, 0x40004u, 0x40092u, 0x80001u, 0x80002u})
        plugin->parameterChange(id, 7, nan);
    plugin->parameterChange(0x40093, 1000, -3.0);
    plugin->parameterChange(kBypass, 0, nan);
    render(64);
    for (int i = 0; i < 600; ++i)
        plugin->noteOff(i % 64, int16(i % 128));
    plugin->parameterChange(0x40094, -5, 9.0);
    render(64);
    for (int i = 0; i < 20; ++i)
        render(64);
}

}  // namespace
}  // namespace test
}  // namespace taluma
