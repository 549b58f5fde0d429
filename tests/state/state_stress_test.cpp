// Saving, loading and messages from other threads while the audio thread plays: no
// data race (run under ThreadSanitizer in the tsan build), no torn or lost state.
#include "host_events.h"
#include "state_fixture.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace taluma {
namespace test {
namespace {

class StateStress : public ::testing::Test, public Instance {};

void playBlock(MainVSTProcessor& processor, int block, std::vector<float>& l,
               std::vector<float>& r) {
    testhost::HostEventList events;
    testhost::HostParameterChanges changes;
    Event e{};
    e.type = block % 3 ? Event::kNoteOnEvent : Event::kNoteOffEvent;
    e.noteOn.pitch = int16(36 + block % 48);
    e.noteOn.velocity = 0.8f;
    events.add(e);
    int32 index = 0;
    changes.addQueue(0x40093)->addPoint(0, double(block % 17) / 16.0, index);
    changes.addQueue(0x20001)->addPoint(3, double(block % 5) / 4.0, index);
    changes.addQueue(0x20007)->addPoint(9, double(block % 11) / 10.0, index);
    float* channels[2] = {l.data(), r.data()};
    AudioBusBuffers out;
    out.numChannels = 2;
    out.channelBuffers32 = channels;
    ProcessData data;
    data.symbolicSampleSize = kSample32;
    data.numSamples = int32(l.size());
    data.numOutputs = 1;
    data.outputs = &out;
    data.inputEvents = &events;
    data.inputParameterChanges = &changes;
    processor.process(data);
}

TEST_F(StateStress, SavesLoadsAndMessagesWhileAudioRuns) {
    start(48000.0, 256);
    std::atomic<bool> done{false};
    std::atomic<bool> finite{true};
    std::thread audio([&] {
        std::vector<float> l(256), r(256);
        for (int block = 0; !done.load(); ++block) {
            playBlock(*processor, block, l, r);
            for (float v : l)
                if (!std::isfinite(v))
                    finite = false;
        }
    });
    std::thread messages([&] {
        for (int i = 0; !done.load(); ++i) {
            IMessage* m = new HostMessage();
            m->setMessageID(i % 4 ? "GUIEditor:valueChange" : "GUIEditor:openGUI");
            m->getAttributes()->setInt("tag", i % 2 ? 0x10003100 + (i % 32) : 0x10006001);
            m->getAttributes()->setFloat("val", double(i % 200));
            processor->notify(m);
            m->release();
        }
    });

    const std::vector<uint8_t> base = save();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int rounds = 0;
    while (std::chrono::steady_clock::now() < end || rounds < 20) {
        std::vector<uint8_t> record = base;
        record[835] = uint8_t(rounds % 128);  // A TL
        record[2] = uint8_t(rounds % 2);      // skin
        ASSERT_EQ(load(record), kResultOk);
        const std::vector<uint8_t> saved = save();
        ASSERT_EQ(saved.size(), 858u);
        ASSERT_EQ(saved[0], 2);
        ASSERT_EQ(saved[2], rounds % 2);  // nothing else writes the skin: never torn or lost
        controller->readBackParameters();
        ++rounds;
    }
    done = true;
    audio.join();
    messages.join();
    EXPECT_TRUE(finite.load());
}

}  // namespace
}  // namespace test
}  // namespace taluma
