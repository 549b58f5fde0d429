// The processor's life cycle, bypass, event list, sample-and-hold and deferred
// changes, checked inside the Synth object after each block.
#include "vst3/plugin_ids.h"
#include "vst3/process_steps.h"
#include "processor_fixture.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>
#include <tuple>

namespace taluma::test {
namespace {

constexpr ParamID kTlA = eventid::operatorParam(0, eventid::kTotalLevel);

using Lifecycle = ProcessorFixture;

TEST_F(Lifecycle, SilentUntilActivatedThenSoundsAndStopsAllVoices) {
    setup(44100.0, 512);
    noteOn(0, 69, 1.0f);
    ASSERT_EQ(run(512), kResultOk);
    EXPECT_EQ(energy(), 0.0);
    EXPECT_FALSE(synth->renderEnabled());

    ASSERT_EQ(processor->setActive(true), kResultOk);
    EXPECT_TRUE(synth->audioRunning());
    EXPECT_TRUE(synth->renderEnabled());
    noteOn(0, 69, 1.0f);
    run(512);
    EXPECT_GT(energy(), 0.0);
    EXPECT_EQ(synth->engine().sounding(), 1);

    EXPECT_EQ(processor->setProcessing(false), kNotImplemented);
    EXPECT_FALSE(synth->audioRunning());
    EXPECT_FALSE(synth->renderEnabled());
    EXPECT_EQ(synth->engine().sounding(), 0);
}

// Refused arrangements and setups are rows of the careless-host test.
TEST_F(Lifecycle, OneStereoOutputOneSixteenChannelEventInputNoLatencyNoTail) {
    EXPECT_EQ(processor->getLatencySamples(), 0u);
    EXPECT_EQ(processor->getTailSamples(), 0u);
    EXPECT_EQ(processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(processor->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(processor->getBusCount(kAudio, kInput), 0);
    EXPECT_EQ(processor->getBusCount(kEvent, kInput), 1);
    BusInfo info{};
    ASSERT_EQ(processor->getBusInfo(kAudio, kOutput, 0, info), kResultOk);
    EXPECT_EQ(info.channelCount, 2);
    EXPECT_EQ(info.busType, kMain);
    EXPECT_EQ(info.flags, uint32(BusInfo::kDefaultActive));
    ASSERT_EQ(processor->getBusInfo(kEvent, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.channelCount, 16);
    SpeakerArrangement stereo = SpeakerArr::kStereo;
    EXPECT_EQ(processor->setBusArrangements(nullptr, 0, &stereo, 1), kResultTrue);
}

TEST(ProcessorSetup, SetUpBeforeInitializeBuildsTheRateTableForThatRate) {
    IHostApplication* host = new HostApplication();
    auto* processor = new MainVSTProcessor();
    ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
    EXPECT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(processor->initialize(host), kResultOk);
    Synth* synth = processor->synth();
    EXPECT_EQ(synth->audio().rate.rateTable[0], 48000);
    EXPECT_EQ(synth->engine().sampleRate, 48000.0f);
    EXPECT_EQ(synth->audio().maxBlockSize, 256);
    EXPECT_EQ(synth->audio().decimatedCapacity(), 128);
    processor->terminate();
    processor->release();
    host->release();
}

using Bypass = ProcessorFixture;

TEST_F(Bypass, OnStopsReadingLaterQueuesAndSilences) {
    start();
    const int32_t tlBefore = synth->engine().parameterValue(kTlA);
    noteOn(0, 60, 1.0f);
    change(kBypassId, 0, 1.0);
    change(kTlA, 0, 0.5);
    run(256);
    EXPECT_TRUE(synth->bypassed());
    EXPECT_FALSE(synth->renderEnabled());
    EXPECT_EQ(synth->engine().parameterValue(kTlA), tlBefore);
    EXPECT_EQ(energy(), 0.0);
    EXPECT_EQ(synth->engine().sounding(), 0);

    // While bypassed, parameter changes still reach the engine.
    change(kTlA, 0, 1.0);
    run(256);
    EXPECT_EQ(synth->engine().parameterValue(kTlA), 127);
}

TEST_F(Bypass, AnyOtherValueTurnsItOffAndFreesVoices) {
    start();
    noteOn(0, 60, 1.0f);
    run(256);
    ASSERT_EQ(synth->engine().sounding(), 1);
    change(kBypassId, 0, 0.0);  // already off: still frees every voice
    run(256);
    EXPECT_EQ(synth->engine().sounding(), 0);
    EXPECT_EQ(energy(), 0.0);

    change(kBypassId, 0, 1.0);
    run(16);
    change(kBypassId, 0, std::numeric_limits<double>::quiet_NaN());
    change(kTlA, 0, 1.0);  // read: the bypass went off, so the loop goes on
    run(16);
    EXPECT_FALSE(synth->bypassed());
    EXPECT_TRUE(synth->renderEnabled());
    EXPECT_EQ(synth->engine().parameterValue(kTlA), 127);
}

// The event list is checked right after collection, before the engine reads it: each
// event as (position, id, value).
using Seen = std::vector<std::tuple<int32_t, uint32_t, float>>;

class EventList : public ProcessorFixture {
protected:
    Seen collect(int32 numSamples) {
        ProcessData data;
        data.numSamples = numSamples;
        data.inputEvents = &events;
        data.inputParameterChanges = &changes;
        collectBlockEvents(*synth, data);
        Seen list;
        for (EngineEvent* e = synth->audio().eventList; e; e = e->next)
            list.emplace_back(e->sampleOffset, e->id, e->value);
        eventCount = synth->audio().eventCount;
        dropBlockEvents(*synth);
        events.clear();
        changes.clear();
        return list;
    }
    int eventCount = 0;  // as the synth counted the list
};

TEST_F(EventList, OrderedByPositionWithEqualPositionsInArrivalOrder) {
    start();
    noteOn(10, 60, 0.5f);
    noteOn(10, 64, 0.25f);
    noteOff(3, 50);
    change(kTlA, 10, 0.5);
    EXPECT_EQ(collect(64), (Seen{{3, eventid::noteOff(50), 0.0f},
                                 {10, eventid::noteOn(60), 0.5f},
                                 {10, eventid::noteOn(64), 0.25f},
                                 {10, kTlA, 0.5f}}));
    noteOn(40, 60, 1.0f);
    noteOn(5, 61, 1.0f);
    noteOn(20, 62, 1.0f);
    EXPECT_EQ(collect(64), (Seen{{5, eventid::noteOn(61), 1.0f},
                                 {20, eventid::noteOn(62), 1.0f},
                                 {40, eventid::noteOn(60), 1.0f}}));
}

TEST_F(EventList, EveryPointClampedOffsetsAndEngineSamplePositions) {
    start();
    int32 index = 0;
    auto* queue = changes.addQueue(kTlA);
    queue->addPoint(10, 0.2, index);
    queue->addPoint(50, 0.8, index);
    change(0x12345, 0, 0.5);  // no engine bits: ignored
    noteOn(900, 60, 2.0f);    // past the block end, velocity above 1
    EXPECT_EQ(collect(64),
              (Seen{{10, kTlA, 0.2f}, {50, kTlA, 0.8f}, {63, eventid::noteOn(60), 1.0f}}));
    // At 1/3 of the host rate positions are engine samples.
    synth->setRateDivider(2);
    noteOn(10, 60, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(collect(64), (Seen{{3, eventid::noteOn(60), 0.0f}}));
}

TEST_F(EventList, ARampReachesTheEngineAtItsPointsEvenlyThinnedWhenThePoolRunsShort) {
    // A ramp of 64 points (value k/63 at offset k) and one later change; notes fill the
    // pool first. The later queue keeps one record; the ramp keeps its first and last.
    constexpr uint32_t kTlB = eventid::kOperatorB + eventid::kTotalLevel;
    struct Row {
        int notes;
        size_t rampEvents;
        bool laterKept;
    };
    start();
    for (const Row& row : {Row{0, 64, true}, Row{496, 15, true}, Row{511, 1, false}}) {
        for (int i = 0; i < row.notes; ++i)
            noteOn(63, int16(i % 128), 0.5f);
        int32 index = 0;
        auto* ramp = changes.addQueue(kTlA);
        for (int k = 0; k < 64; ++k)
            ramp->addPoint(k, k / 63.0, index);
        change(kTlB, 5, 0.25);
        std::vector<std::pair<int32_t, float>> rampSeen;
        bool laterSeen = false;
        for (const auto& [offset, id, value] : collect(64)) {
            if (id == kTlA)
                rampSeen.emplace_back(offset, value);
            laterSeen = laterSeen || id == kTlB;
        }
        ASSERT_EQ(rampSeen.size(), row.rampEvents) << row.notes;
        EXPECT_EQ(laterSeen, row.laterKept) << row.notes;
        EXPECT_EQ(rampSeen.back(), std::make_pair(63, 1.0f)) << row.notes;
        for (size_t i = 0; i < rampSeen.size(); ++i) {
            EXPECT_EQ(rampSeen[i].second, float(rampSeen[i].first / 63.0)) << row.notes;
            if (i > 0) {
                EXPECT_GT(rampSeen[i].first, rampSeen[i - 1].first) << row.notes;
            }
        }
        if (row.rampEvents > 1) {
            EXPECT_EQ(rampSeen.front().first, 0) << row.notes;
        }
    }
}

TEST_F(EventList, FullPoolKeeps512AndDropsWhatNeedsARecord) {
    start();
    change(kBypassId, 0, 1.0);
    run(16);
    for (int i = 0; i < 600; ++i)
        noteOn(i % 64, int16(i % 128), 0.5f);
    change(kBypassId, 0, 0.0);  // handled: needs no record
    change(kTlA, 0, 1.0);       // needs a record: dropped
    change(kBypassId, 0, 1.0);  // still read
    const Seen list = collect(64);
    EXPECT_EQ(list.size(), 512u);
    EXPECT_EQ(eventCount, 512);
    EXPECT_TRUE(synth->bypassed());
    for (const auto& [offset, id, value] : list)
        EXPECT_EQ(id & 0xF0000u, 0x10000u);
}

TEST_F(EventList, FailingEventIsSkippedOnly) {
    start();
    noteOn(0, 60, 1.0f);
    noteOn(1, 61, 1.0f);
    noteOn(2, 62, 1.0f);
    events.failAt(1);
    EXPECT_EQ(collect(64), (Seen{{0, eventid::noteOn(60), 1.0f}, {2, eventid::noteOn(62), 1.0f}}));
    events.failAt(-1);
}

using SampleAndHold = ProcessorFixture;

TEST_F(SampleAndHold, ThirdRateRepeatsEachEngineSampleAcrossBlocks) {
    start(44100.0, 64);
    synth->setRateDivider(2);
    ASSERT_EQ(synth->audio().rate.decimation, 3);
    noteOn(0, 81, 1.0f);
    run(64);
    EXPECT_EQ(synth->audio().holdPhase, 1);  // 64 = 21 x 3 + 1
    for (int k = 0; k < 21; ++k) {
        EXPECT_EQ(left[3 * k], left[3 * k + 1]);
        EXPECT_EQ(left[3 * k], left[3 * k + 2]);
    }
    EXPECT_GT(energy(), 0.0);
    const float held = left[63];
    EXPECT_EQ(held, synth->audio().holdLeft);

    run(64);
    EXPECT_EQ(left[0], held);
    EXPECT_EQ(left[1], held);
    EXPECT_EQ(synth->audio().holdPhase, 2);  // 62 = 20 x 3 + 2
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(left[2 + 3 * k], left[2 + 3 * k + 2]);
    EXPECT_EQ(left[62], left[63]);
}

TEST_F(SampleAndHold, EventsOfABlockWithNoEngineSampleOpenTheNextBlock) {
    start(44100.0, 128);
    synth->setRateDivider(3);  // 1/4
    run(65);                   // 16 x 4 + 1: three repetitions left
    ASSERT_EQ(synth->audio().holdPhase, 1);
    noteOn(1, 69, 1.0f);
    run(2);  // only repetitions of the held sample fit
    EXPECT_EQ(synth->audio().holdPhase, 3);
    EXPECT_EQ(synth->engine().sounding(), 0);
    run(64);
    EXPECT_EQ(synth->engine().sounding(), 1);
    EXPECT_GT(energy(), 0.0);
}

TEST_F(SampleAndHold, OversizedBlockMatchesTheSameSoundInAnnouncedBlocks) {
    // Reference: blocks of at most 64 at 1/2 rate.
    start(44100.0, 64);
    synth->setRateDivider(1);
    noteOn(0, 57, 0.9f);
    std::vector<float> reference;
    for (int done = 0; done < 1000; done += 64) {
        run(std::min(64, 1000 - done));
        reference.insert(reference.end(), left.begin(), left.end());
    }
    processor->setActive(false);
    processor->setActive(true);
    synth->setRateDivider(1);
    noteOn(0, 57, 0.9f);
    run(1000);  // 15 times what the buffers were made for
    ASSERT_EQ(reference.size(), left.size());
    EXPECT_EQ(std::memcmp(reference.data(), left.data(), sizeof(float) * left.size()), 0);
}

using HandOff = ProcessorFixture;

TEST_F(HandOff, StructuralEditWaitsForTheRenderInProgress) {
    start();
    ASSERT_TRUE(synth->enterEngineSection());  // as process does while it renders
    std::atomic<bool> editing{false};
    std::thread editor([&] {
        Synth::StructuralEdit edit(*synth);
        editing.store(true);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(editing.load());
    EXPECT_FALSE(synth->renderEnabled());
    synth->leaveEngineSection();
    editor.join();
    EXPECT_TRUE(editing.load());
    EXPECT_TRUE(synth->renderEnabled());
}

TEST_F(HandOff, ProcessDuringAnEditLeavesTheEngineAloneButKeepsTheBypass) {
    start();
    {
        Synth::StructuralEdit edit(*synth);
        EXPECT_FALSE(synth->enterEngineSection());
        noteOn(0, 60, 1.0f);
        change(kTlA, 0, 1.0);
        change(kBypassId, 0, 1.0);
        EXPECT_EQ(run(64), kResultOk);
        for (float v : left)
            EXPECT_EQ(v, 0.0f);
        EXPECT_EQ(synth->engine().sounding(), 0);
        EXPECT_NE(synth->engine().parameterValue(kTlA), 127);
        EXPECT_TRUE(synth->bypassed());
    }
    EXPECT_FALSE(synth->renderEnabled());  // still bypassed
    change(kBypassId, 0, 0.0);
    noteOn(0, 60, 1.0f);
    run(64);
    EXPECT_TRUE(synth->renderEnabled());
    EXPECT_GT(energy(), 0.0);
}

using Deferred = ProcessorFixture;

TEST_F(Deferred, EmptyBlockStillCarriesOutVoiceAndRateChanges) {
    start(44100.0, 512);
    synth->chooseVoiceCount(1.0);
    synth->chooseRateDivider(1.0);
    run(0);
    EXPECT_EQ(synth->engine().voiceCount, 1024);
    EXPECT_EQ(synth->engine().voiceMask, 1023);
    EXPECT_EQ(synth->audio().rate.rateDivider, 3);
    EXPECT_EQ(synth->audio().rate.decimation, 4);
    EXPECT_FALSE(synth->applyDeferredChanges());  // all taken
    EXPECT_EQ(synth->takeChangeNotice(), change::kVoiceCount | change::kRateDivider);

    // Values outside 0..1 (NaN too) select the first choice instead of indexing past it.
    synth->chooseVoiceCount(std::numeric_limits<double>::quiet_NaN());
    synth->chooseRateDivider(7.0);
    run(32);
    EXPECT_EQ(synth->engine().voiceCount, 8);
    EXPECT_EQ(synth->audio().rate.rateDivider, 3);
}

using MissingOutputs = ProcessorFixture;

TEST_F(MissingOutputs, ChangesStillApplyAndNothingIsWritten) {
    start();
    change(kTlA, 0, 1.0);
    EXPECT_EQ(testhost::processBlock(*processor, 128, nullptr, nullptr, &events, &changes),
              kResultOk);
    EXPECT_EQ(synth->engine().parameterValue(kTlA), 127);

    // A bus with one channel: silenced. Null channel lists are rows of the careless host.
    float mono[128];
    float* channels[1] = {mono};
    AudioBusBuffers bus;
    bus.numChannels = 1;
    bus.channelBuffers32 = channels;
    ProcessData data;
    data.symbolicSampleSize = kSample32;
    data.numSamples = 128;
    data.numOutputs = 1;
    data.outputs = &bus;
    std::fill(mono, mono + 128, 5.0f);
    EXPECT_EQ(processor->process(data), kResultOk);
    for (float v : mono)
        EXPECT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace taluma::test
