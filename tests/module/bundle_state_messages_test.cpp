// The state record and the messages through the built module, as a host sees them.
#include "bundle_fixture.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

using BundleState = BundleFixture;

const testhost::RecordedMessage* last(const std::vector<testhost::RecordedMessage>& log,
                                      const char* id) {
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->id == id)
            return &*it;
    return nullptr;
}

tresult send(testhost::PluginInstance& plugin, const char* id) {
    IMessage* message = plugin.allocateMessage();
    if (!message)
        return kResultFalse;
    message->setMessageID(id);
    const tresult result = plugin.sendToProcessor(message);
    message->release();
    return result;
}

TEST_F(BundleState, ProcessorTellsTheControllerWhereTheSynthIs) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    EXPECT_TRUE(last(plugin->messagesToController(), "Processor:uiUpdate"));

    std::vector<uint8_t> record;
    ASSERT_TRUE(plugin->getState(record));
    ASSERT_EQ(record.size(), 858u);
    const testhost::RecordedMessage* saved =
        last(plugin->messagesToController(), "Processor:getState");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->synth.size(), sizeof(void*));

    ASSERT_EQ(send(*plugin, "GUIEditor:openGUI"), kResultOk);
    const testhost::RecordedMessage* opened =
        last(plugin->messagesToController(), "Processor:openGUI");
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->synth, saved->synth);

    ASSERT_EQ(plugin->setState(record), kResultOk);
    const testhost::RecordedMessage* loaded =
        last(plugin->messagesToController(), "Processor:setState");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->synth, saved->synth);
}

TEST_F(BundleState, StateRoundTripThroughAnotherInstance) {
    ASSERT_TRUE(plugin->start(44100.0, 256));
    plugin->parameterChange(0x40093, 0, 100.0 / 127.0);  // OP A TL
    plugin->parameterChange(0x400A2, 0, 0.25);           // OP B Tune
    plugin->parameterChange(0x80001, 0, 0.4);            // BitDepth 7
    std::vector<float> l(256), r(256);
    ASSERT_EQ(plugin->process(256, l.data(), r.data()), kResultOk);
    std::vector<uint8_t> record;
    ASSERT_TRUE(plugin->getState(record));
    EXPECT_EQ(record[835], 100);
    EXPECT_EQ(record[808], 7);

    std::string error;
    auto other = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(other) << error;
    ASSERT_EQ(other->setState(record), kResultOk);
    std::vector<uint8_t> again;
    ASSERT_TRUE(other->getState(again));
    EXPECT_EQ(again, record);
}

TEST_F(BundleState, UnknownAndEmptyMessagesAreRefused) {
    EXPECT_EQ(send(*plugin, "Nobody:knows"), kResultFalse);
    EXPECT_EQ(plugin->sendToProcessor(nullptr), kInvalidArgument);
}

}  // namespace
}  // namespace test
}  // namespace taluma
