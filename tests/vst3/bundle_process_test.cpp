// The built module through the test host: the messages that tell the controller where
// the processor's Synth is.
#include "bundle_fixture.h"
#include "vst3/messages.h"

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

using BundleMessages = BundleFixture;

TEST_F(BundleMessages, ProcessorTellsTheControllerWhereTheSynthIs) {
    const std::vector<testhost::RecordedMessage>& sent = plugin->messagesToController();
    ASSERT_TRUE(plugin->start(48000.0, 256));
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().id, taluma::message::kUiUpdate);

    std::vector<uint8_t> record;
    ASSERT_TRUE(plugin->getState(record));
    ASSERT_EQ(sent.back().id, taluma::message::kStateSaved);
    const std::vector<uint8_t> synth = sent.back().synth;
    EXPECT_EQ(synth.size(), sizeof(void*));

    IMessage* open = plugin->allocateMessage();
    open->setMessageID(taluma::message::kEditorOpened);
    ASSERT_EQ(plugin->sendToProcessor(open), kResultOk);
    open->release();
    ASSERT_EQ(sent.back().id, taluma::message::kSynthForEditor);
    EXPECT_EQ(sent.back().synth, synth);

    ASSERT_EQ(plugin->setState(record), kResultOk);
    ASSERT_EQ(sent.back().id, taluma::message::kStateLoaded);
    EXPECT_EQ(sent.back().synth, synth);
}

}  // namespace
}  // namespace taluma::test
