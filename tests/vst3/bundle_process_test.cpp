// The built module through the test host: the messages that tell the controller where
// the processor's Synth is.
#include "bundle_fixture.h"
#include "vst3/messages.h"

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

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
