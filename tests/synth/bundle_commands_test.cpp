// One editor command and one file choice sent to the built module through the test
// host, as the editor sends them: what they do is tested on the Synth (editor_commands,
// file_requests); here the messages arrive, are answered and show in the saved state.
#include "bundle_fixture.h"
#include "synth/command_tags.h"
#include "vst3/messages.h"
#include "scratch_files.h"

#include "pluginterfaces/vst/ivstmessage.h"

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace taluma::cmd;

// Where the state record keeps the skin index and the tables.
constexpr size_t kSkin = 2;
constexpr size_t kTableA = 40;
constexpr size_t kTableB = 168;

class BundleCommands : public BundleFixture {
protected:
    // A message as the editor sends it: a value, a path, or (neither) only the tag.
    void send(const char* id, int64 tag, const double* value, const std::string* path = nullptr) {
        IMessage* m = plugin->allocateMessage();
        ASSERT_NE(m, nullptr);
        m->setMessageID(id);
        m->getAttributes()->setInt(taluma::message::kTag, tag);
        if (value)
            m->getAttributes()->setFloat(taluma::message::kValue, *value);
        if (path)
            m->getAttributes()->setBinary(taluma::message::kPath, path->c_str(),
                                          uint32(path->size() + 1));
        EXPECT_EQ(plugin->sendToProcessor(m), kResultOk);
        m->release();
    }
    void valueChange(int64 tag, double value) { send(taluma::message::kValueChange, tag, &value); }
    void fileSelect(int64 code, const std::string& path) {
        send(taluma::message::kFileSelect, code, nullptr, &path);
    }
    std::vector<uint8_t> state() {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(plugin->getState(bytes));
        return bytes;
    }
    // The only message to the controller since the last clearMessages.
    testhost::RecordedMessage onlyReply() {
        EXPECT_EQ(plugin->messagesToController().size(), 1u);
        return plugin->messagesToController().empty() ? testhost::RecordedMessage()
                                                      : plugin->messagesToController()[0];
    }
    ScratchDir dir;
};

TEST_F(BundleCommands, ValueChangesAreAnsweredWithValueUpdates) {
    plugin->clearMessages();
    const int32_t clearA = editorTag(tableCommand(0, kTableMenu, menu::kClear));
    valueChange(clearA, 1.0);
    const testhost::RecordedMessage reply = onlyReply();
    EXPECT_EQ(reply.id, taluma::message::kValueUpdate);
    EXPECT_EQ(reply.tag, clearA);
    EXPECT_EQ(reply.val, 0.0);
    EXPECT_EQ(state()[kTableA + 8], 0);
    // Only the low 32 bits of the tag count; a message without its value is dropped.
    valueChange(int64(0x700000000LL) | setting::kSkin, 1.0);
    EXPECT_EQ(state()[kSkin], 1);
    send(taluma::message::kValueChange, setting::kSkin, nullptr);
    EXPECT_EQ(state()[kSkin], 1);
}

TEST_F(BundleCommands, AFileChoiceChangesWhatTheModuleSavesAndIsAnsweredWithAUiUpdate) {
    writeText(dir.file("b.txt"), "01 02 03");
    plugin->clearMessages();
    fileSelect(file::importTable(1, file::kByName), dir.file("b.txt"));
    EXPECT_EQ(onlyReply().id, taluma::message::kUiUpdate);  // the editor rereads
    const std::vector<uint8_t> saved = state();
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + kTableB, saved.begin() + kTableB + 4),
              (std::vector<uint8_t>{1, 2, 3, 0}));
}

}  // namespace
}  // namespace taluma::test
