// Structural edits from other threads while the audio thread renders: the hand-off
// must keep them apart (run under ThreadSanitizer in the tsan build).
#include "processor_fixture.h"

#include <atomic>
#include <thread>

namespace taluma {
namespace test {
namespace {

using SynthStress = ProcessorFixture;

TEST_F(SynthStress, EditsFromAnotherThreadNeverRaceWithProcess) {
    start(48000.0, 512);
    std::atomic<bool> done{false};
    std::atomic<int> blocks{0};

    std::thread audio([&] {
        testhost::HostEventList audioEvents;
        testhost::HostParameterChanges audioChanges;
        std::vector<float> l(512), r(512);
        float* channels[2] = {l.data(), r.data()};
        for (int block = 0; !done.load() || block < 50; ++block) {
            audioEvents.clear();
            audioChanges.clear();
            Event e{};
            e.type = block % 2 ? Event::kNoteOffEvent : Event::kNoteOnEvent;
            e.noteOn.pitch = int16(40 + block % 40);
            e.noteOn.velocity = 0.7f;
            audioEvents.add(e);
            int32 index = 0;
            audioChanges.addQueue(0x40093)->addPoint(0, double(block % 10) / 10.0, index);
            if (block % 25 == 0)
                audioChanges.addQueue(0x1000001)->addPoint(0, block % 50 ? 0.0 : 1.0, index);
            AudioBusBuffers out;
            out.numChannels = 2;
            out.channelBuffers32 = channels;
            ProcessData data;
            data.symbolicSampleSize = kSample32;
            data.numSamples = 1 + block % 512;
            data.numOutputs = 1;
            data.outputs = &out;
            data.inputEvents = &audioEvents;
            data.inputParameterChanges = &audioChanges;
            processor->process(data);
            for (int i = 0; i < data.numSamples; ++i)
                ASSERT_TRUE(std::isfinite(l[size_t(i)]));
            blocks.fetch_add(1);
        }
    });

    // Meanwhile: rate and block-size changes, activation, divider and voice-count edits,
    // and requests deferred to the audio thread.
    for (int round = 0; round < 60; ++round) {
        ProcessSetup s{kRealtime, kSample32, round % 3 ? 512 : 128, round % 2 ? 44100.0 : 48000.0};
        processor->setupProcessing(s);
        processor->setActive(round % 5 != 4);
        {
            Synth::StructuralEdit edit(*synth);
            synth->setRateDivider(round % 4);
        }
        synth->chooseVoiceCount(double(round % 8) / 7.0);
        synth->takeChangeNotice();
        const int seen = blocks.load();
        while (blocks.load() < seen + 2)
            std::this_thread::yield();
    }
    done.store(true);
    audio.join();
    EXPECT_GE(blocks.load(), 120);
    processor->setActive(true);
    EXPECT_TRUE(synth->renderEnabled() || synth->bypassed());
}

}  // namespace
}  // namespace test
}  // namespace taluma
