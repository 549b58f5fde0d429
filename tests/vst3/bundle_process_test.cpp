// The built module through the test host: every rate and block size a host may choose,
// and the messages that tell the controller where the processor's Synth is.
#include "bundle_fixture.h"
#include "vst3/messages.h"

#include "engine/engine_event.h"

#include <algorithm>

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

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
                plugin->parameterChange(eventid::kAlgorithm, 0, (i % 4) / 3.0);
                plugin->parameterChange(eventid::kPitchBend, block - 1, i / 6.0);
                render(block);
                sounded = sounded ||
                          std::any_of(left.begin(), left.end(), [](float v) { return v != 0.0f; });
            }
            EXPECT_TRUE(sounded) << rate << " Hz, " << block;
        }
    }
}

const testhost::RecordedMessage* last(const std::vector<testhost::RecordedMessage>& log,
                                      const char* id) {
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->id == id)
            return &*it;
    return nullptr;
}

using BundleMessages = BundleFixture;

TEST_F(BundleMessages, ProcessorTellsTheControllerWhereTheSynthIs) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    EXPECT_TRUE(last(plugin->messagesToController(), taluma::message::kUiUpdate));

    std::vector<uint8_t> record;
    ASSERT_TRUE(plugin->getState(record));
    const testhost::RecordedMessage* saved =
        last(plugin->messagesToController(), taluma::message::kStateSaved);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->synth.size(), sizeof(void*));

    IMessage* open = plugin->allocateMessage();
    open->setMessageID(taluma::message::kEditorOpened);
    ASSERT_EQ(plugin->sendToProcessor(open), kResultOk);
    open->release();
    const testhost::RecordedMessage* opened =
        last(plugin->messagesToController(), taluma::message::kSynthForEditor);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->synth, saved->synth);

    ASSERT_EQ(plugin->setState(record), kResultOk);
    const testhost::RecordedMessage* loaded =
        last(plugin->messagesToController(), taluma::message::kStateLoaded);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->synth, saved->synth);
}

}  // namespace
}  // namespace taluma::test
