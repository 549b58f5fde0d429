// Editor commands and file choices sent to the built module through the test host, as
// the editor sends them: their effect shows in the saved state and in the sound.
#include "bundle_fixture.h"
#include "command_tags.h"
#include "scratch_files.h"

#include "pluginterfaces/vst/ivstmessage.h"

#include <algorithm>
#include <cmath>

namespace taluma::test {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace taluma::cmd;

// Where the state record keeps the skin index, the table sizes (A, B), the tables and
// the voice count (low byte).
constexpr size_t kSkin = 2;
constexpr size_t kLog2SizeA = 38;
constexpr size_t kTableA = 40;
constexpr size_t kTableB = 168;
constexpr size_t kVoiceCount = 811;

class BundleCommands : public BundleFixture {
protected:
    void valueChange(int64 tag, double value, bool withValue = true) {
        IMessage* m = plugin->allocateMessage();
        ASSERT_NE(m, nullptr);
        m->setMessageID("GUIEditor:valueChange");
        m->getAttributes()->setInt("tag", tag);
        if (withValue)
            m->getAttributes()->setFloat("val", value);
        EXPECT_EQ(plugin->sendToProcessor(m), kResultOk);
        m->release();
    }
    void fileSelect(int64 code, const std::string& path) {
        IMessage* m = plugin->allocateMessage();
        ASSERT_NE(m, nullptr);
        m->setMessageID("GUIEditor:fileSelect");
        m->getAttributes()->setInt("tag", code);
        m->getAttributes()->setBinary("path", path.c_str(), uint32(path.size() + 1));
        EXPECT_EQ(plugin->sendToProcessor(m), kResultOk);
        m->release();
    }
    std::vector<uint8_t> state() {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(plugin->getState(bytes));
        EXPECT_EQ(bytes.size(), 858u);
        return bytes;
    }
    // The ids of the messages to the controller since the last clearMessages.
    std::vector<std::string> sent() {
        std::vector<std::string> ids;
        for (const auto& m : plugin->messagesToController())
            ids.push_back(m.id);
        return ids;
    }
    // The values of the replies to `tag` since the last clearMessages.
    std::vector<double> replies(int64 tag) {
        std::vector<double> values;
        for (const auto& m : plugin->messagesToController())
            if (m.id == "GUIEditor:valueUpdate" && m.tag == tag)
                values.push_back(m.val);
        return values;
    }
    float notePeak() {
        plugin->noteOn(0, 60, 1.0f);
        float peak = 0.0f;
        for (int b = 0; b < 8; ++b) {
            render(512);
            for (float v : left)
                peak = std::max(peak, std::fabs(v));
        }
        plugin->noteOff(0, 60);
        for (int b = 0; b < 40; ++b)
            render(512);
        return peak;
    }
    ScratchDir dir;
};

TEST_F(BundleCommands, ValueChangesAreAnsweredWithValueUpdates) {
    plugin->clearMessages();
    const int32_t clearA = editorTag(tableCommand(0, kTableMenu, menu::kClear));
    valueChange(clearA, 1.0);
    EXPECT_EQ(sent(), std::vector<std::string>{"GUIEditor:valueUpdate"});
    EXPECT_EQ(replies(clearA), std::vector<double>{0.0});
    EXPECT_EQ(state()[kTableA + 8], 0);
    // Only the low 32 bits of the tag count; a message without its value is dropped.
    valueChange(int64(0x700000000LL) | setting::kSkin, 1.0);
    EXPECT_EQ(state()[kSkin], 1);
    valueChange(setting::kSkin, 0.0, false);
    EXPECT_EQ(state()[kSkin], 1);
}

TEST_F(BundleCommands, VoiceCountChosenWhileAudioRunsFollowsTheNextBlock) {
    ASSERT_TRUE(plugin->start(44100.0, 512));
    valueChange(global::kVoiceCount, 0.0);
    EXPECT_EQ(state()[kVoiceCount], 128);
    render(64);
    EXPECT_EQ(state()[kVoiceCount], 8);
}

TEST_F(BundleCommands, FileChoicesChangeWhatTheModuleSaves) {
    valueChange(editorTag(tableCommand(0, kTableMenu, menu::kTableSize)), 1.0);  // A: 128 cells
    valueChange(editorTag(drawCommand(0, 0)), 256.0);
    writeText(dir.file("b.txt"), "01 02 03");
    plugin->clearMessages();
    fileSelect(file::importTable(1, file::kByName), dir.file("b.txt"));
    EXPECT_EQ(sent(), std::vector<std::string>{"Processor:uiUpdate"});  // the editor rereads
    std::vector<uint8_t> saved = state();
    ASSERT_EQ(saved.size(), 858u);
    EXPECT_EQ(saved[kLog2SizeA], 7);
    EXPECT_EQ(saved[kTableA], 255);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + kTableB, saved.begin() + kTableB + 4),
              (std::vector<uint8_t>{1, 2, 3, 0}));

    plugin->clearMessages();
    fileSelect(file::exportTable(0, file::kByName), dir.file("a.wav"));
    EXPECT_TRUE(sent().empty());
    const std::vector<uint8_t> wav = readBytes(dir.file("a.wav"));
    ASSERT_EQ(wav.size(), 44u + 128u);
    EXPECT_TRUE(std::equal(wav.begin() + 44, wav.end(), saved.begin() + kTableA));

    fileSelect(file::kExportPreset, dir.file("p.tlmprst"));
    EXPECT_EQ(readBytes(dir.file("p.tlmprst")).size(), 874u);
    valueChange(tableCommand(0, kTableMenu, menu::kClear), 0.0);  // clear A
    EXPECT_EQ(state()[kTableA], 0);
    ASSERT_TRUE(plugin->start(44100.0, 512));
    fileSelect(file::kImportPreset, dir.file("p.tlmprst"));  // while audio runs
    render(512);
    EXPECT_EQ(state(), saved);
}

TEST_F(BundleCommands, AGeneratedTableIsWhatTheNoteSounds) {
    valueChange(generator::kType, 4.0);  // constant level on the zero line into both tables
    valueChange(generator::kAmplitude, 256.0 / 511.0);
    valueChange(generator::kOffset, 256.0 / 511.0);
    valueChange(generator::kApplyA, 1.0);
    valueChange(generator::kApplyB, 1.0);
    ASSERT_TRUE(plugin->start(44100.0, 512));
    EXPECT_EQ(notePeak(), 0.0f);
    valueChange(generator::kType, 0.0);  // a full sine again
    valueChange(generator::kAmplitude, 383.0 / 511.0);
    valueChange(generator::kApplyA, 1.0);
    valueChange(generator::kApplyB, 1.0);
    EXPECT_GT(notePeak(), 0.01f);
}

}  // namespace
}  // namespace taluma::test
