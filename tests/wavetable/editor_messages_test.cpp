// The editor's commands and file choices as messages to the processor, and the
// messages it answers with.
#include "processor_fixture.h"
#include "synth_fixture.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstring>
#include <string>
#include <vector>

namespace taluma::test {
namespace {

// The controller's end of the connection: keeps what the processor sends.
class RecordingPeer : public IConnectionPoint {
public:
    struct Received {
        std::string id;
        int64 tag = -1;
        double value = -1.0;
    };

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
        QUERY_INTERFACE(iid, obj, FUnknown::iid, IConnectionPoint)
        QUERY_INTERFACE(iid, obj, IConnectionPoint::iid, IConnectionPoint)
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }  // lives on the test's stack
    uint32 PLUGIN_API release() override { return 1; }
    tresult PLUGIN_API connect(IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API disconnect(IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API notify(IMessage* message) override {
        Received r;
        r.id = message->getMessageID();
        if (IAttributeList* a = message->getAttributes()) {
            a->getInt("tag", r.tag);
            a->getFloat("val", r.value);
        }
        received.push_back(r);
        return kResultOk;
    }

    std::vector<Received> received;
};

class EditorMessageTest : public ProcessorFixture {
protected:
    void SetUp() override {
        ProcessorFixture::SetUp();
        ASSERT_EQ(processor->connect(&peer), kResultOk);
    }
    void TearDown() override {
        processor->disconnect(&peer);
        ProcessorFixture::TearDown();
    }
    IMessage* message(const char* id) {
        IMessage* m = new HostMessage();
        m->setMessageID(id);
        return m;
    }
    tresult deliver(IMessage* m) {
        const tresult result = processor->notify(m);
        m->release();
        return result;
    }
    tresult valueChange(int64 tag, double value) {
        IMessage* m = message("GUIEditor:valueChange");
        m->getAttributes()->setInt("tag", tag);
        m->getAttributes()->setFloat("val", value);
        return deliver(m);
    }
    tresult fileSelect(int64 tag, const std::string& path) {
        IMessage* m = message("GUIEditor:fileSelect");
        m->getAttributes()->setInt("tag", tag);
        m->getAttributes()->setBinary("path", path.c_str(), uint32(path.size() + 1));
        return deliver(m);
    }
    std::vector<std::string> ids() const {
        std::vector<std::string> out;
        for (const auto& r : peer.received)
            out.push_back(r.id);
        return out;
    }

    RecordingPeer peer;
    ScratchDir dir;
};

TEST_F(EditorMessageTest, CommandsAnswerWithValueUpdates) {
    EXPECT_EQ(valueChange(editorTag(drawCommand(0, 5)), 256.0), kResultOk);
    ASSERT_EQ(peer.received.size(), 1u);
    EXPECT_EQ(peer.received[0].id, "GUIEditor:valueUpdate");
    EXPECT_EQ(peer.received[0].tag, editorTag(drawCommand(0, 5)));
    EXPECT_EQ(peer.received[0].value, 256.0);
    EXPECT_EQ(synth->waves().cell(0, 5), 255);

    peer.received.clear();
    valueChange(waveSwitch::kLinkAB, 1.0);  // echo, then a linked drawing answers twice
    valueChange(editorTag(drawCommand(1, 1)), 129.0);
    ASSERT_EQ(peer.received.size(), 3u);
    EXPECT_EQ(peer.received[1].tag, editorTag(drawCommand(1, 1)));
    EXPECT_EQ(peer.received[2].tag, linkedDrawReply(1, 1));
    EXPECT_EQ(peer.received[2].value, 129.0);
    EXPECT_EQ(synth->waves().cell(0, 1), 128);

    peer.received.clear();
    valueChange(generator::kInterpolation, 2.0 / 3.0);                      // q/S
    valueChange(tableCommand(0, kEditButtons, button::kRotateLeft1), 1.0);  // reply 0
    valueChange(tableCommand(0, kTableMenu, menu::kSaveSlot), 0.0);         // none
    ASSERT_EQ(peer.received.size(), 2u);
    EXPECT_EQ(peer.received[0].value, 2.0 / 3.0);
    EXPECT_EQ(peer.received[1].value, 0.0);
    // Only the low 32 bits of the tag count.
    valueChange(int64(0x700000000LL) | setting::kSkin, 1.0);
    EXPECT_EQ(synth->settings().skin.load(), 1);
}

TEST_F(EditorMessageTest, MessagesWithoutTheirAttributesAreIgnored) {
    const std::vector<int> before = [&] {
        std::vector<int> v;
        for (int i = 0; i < 32; ++i)
            v.push_back(synth->waves().cell(0, i));
        return v;
    }();
    IMessage* noValue = message("GUIEditor:valueChange");
    noValue->getAttributes()->setInt("tag", tableCommand(0, kTableMenu, menu::kClear));
    EXPECT_EQ(deliver(noValue), kResultOk);
    IMessage* noPath = message("GUIEditor:fileSelect");
    noPath->getAttributes()->setInt("tag", file::importTable(0, file::kText));
    EXPECT_EQ(deliver(noPath), kResultOk);
    EXPECT_TRUE(peer.received.empty());
    EXPECT_EQ(synth->waves().cell(0, 8), before[8]);
    EXPECT_EQ(processor->notify(nullptr), kInvalidArgument);
}

TEST_F(EditorMessageTest, FileChoicesImportExportAndRefreshTheEditor) {
    EXPECT_EQ(fileSelect(file::exportTable(1, file::kWav), dir.file("b.wav")), kResultOk);
    EXPECT_TRUE(peer.received.empty());  // exports send nothing
    EXPECT_EQ(readBytes(dir.file("b.wav")).size(), 76u);

    writeText(dir.file("t.txt"), "01 02 03");
    fileSelect(file::importTable(0, file::kByName), dir.file("t.txt"));
    EXPECT_EQ(ids(), std::vector<std::string>{"Processor:uiUpdate"});
    EXPECT_EQ(synth->waves().cell(0, 2), 3);

    peer.received.clear();
    fileSelect(file::importTable(1, file::kByName),
               dir.file("T.WAV"));  // neither name, still a refresh
    EXPECT_EQ(ids(), std::vector<std::string>{"Processor:uiUpdate"});

    // A preset through the messages while audio runs: loaded at once, the editor told
    // through the notice word.
    valueChange(tableCommand(1, kTableMenu, menu::kTableSize), 1.0);
    fileSelect(file::kExportPreset, dir.file("p.tlmprst"));
    valueChange(tableCommand(1, kTableMenu, menu::kTableSize), 0.0);
    start();
    synth->takeChangeNotice();
    fileSelect(file::kImportPreset, dir.file("p.tlmprst"));
    EXPECT_EQ(synth->waves().size(1), 128);
    EXPECT_EQ(synth->takeChangeNotice(), change::kPresetLoad);
    EXPECT_EQ(run(64), kResultOk);
    EXPECT_EQ(synth->takeChangeNotice(), 0u);  // nothing was left for the audio thread
}

TEST_F(EditorMessageTest, StructuralCommandsWhileRunningReachTheEngineAfterTheNextBlock) {
    start();
    valueChange(global::kVoiceCount, 0.0);
    valueChange(global::kRateDivider, 1.0 / 3.0);
    EXPECT_EQ(synth->engine().voiceCount, 128);
    ASSERT_EQ(run(64), kResultOk);
    EXPECT_EQ(synth->engine().voiceCount, 8);
    EXPECT_EQ(synth->audio().rate.rateDivider, 1);
    EXPECT_EQ(synth->takeChangeNotice() & 3u, 3u);
}

}  // namespace
}  // namespace taluma::test
