// The processor's life cycle, bypass, event list, sample-and-hold and deferred
// changes, checked inside the Synth object after each block.
#include "vst3/plugin_ids.h"
#include "vst3/process_steps.h"
#include "processor_fixture.h"

#include "pluginterfaces/vst/vstspeaker.h"

#include <atomic>
#include <chrono>
#include <limits>
#include <numeric>
#include <thread>
#include <tuple>

namespace taluma::test {
namespace {

constexpr ParamID kTlA = eventid::operatorParam(0, eventid::kTotalLevel);

using Lifecycle = ProcessorFixture;

TEST_F(Lifecycle, SilentUntilActivatedThenSoundsAndStopsAllVoices) {
    setup(44100.0, 512);
    events.noteOn(0, 69, 1.0f);
    ASSERT_EQ(run(512), kResultOk);
    EXPECT_EQ(energy(), 0.0);
    EXPECT_FALSE(synth->renderEnabled());

    ASSERT_EQ(processor->setActive(true), kResultOk);
    EXPECT_TRUE(synth->audioRunning());
    EXPECT_TRUE(synth->renderEnabled());
    events.noteOn(0, 69, 1.0f);
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

TEST_F(Bypass, OnStopsReadingLaterQueuesAndSilencesAnyOtherValueTurnsItOffAndFreesVoices) {
    start();
    events.noteOn(0, 60, 1.0f);
    run(256);
    ASSERT_EQ(synth->engine().sounding(), 1);
    changes.addChange(kBypassId, 0, 0.0);  // already off: still frees every voice
    run(256);
    EXPECT_EQ(synth->engine().sounding(), 0);
    EXPECT_EQ(energy(), 0.0);

    const int32_t tlBefore = synth->engine().parameterValue(kTlA);
    events.noteOn(0, 60, 1.0f);
    changes.addChange(kBypassId, 0, 1.0);
    changes.addChange(kTlA, 0, 0.5);
    run(256);
    EXPECT_TRUE(synth->bypassed());
    EXPECT_FALSE(synth->renderEnabled());
    EXPECT_EQ(synth->engine().parameterValue(kTlA), tlBefore);
    EXPECT_EQ(energy(), 0.0);
    EXPECT_EQ(synth->engine().sounding(), 0);

    // While bypassed, parameter changes still reach the engine.
    changes.addChange(kTlA, 0, 1.0);
    run(256);
    EXPECT_EQ(synth->engine().parameterValue(kTlA), 127);

    changes.addChange(kBypassId, 0, std::numeric_limits<double>::quiet_NaN());
    changes.addChange(kTlA, 0, 0.0);  // read: the bypass went off, so the loop goes on
    run(16);
    EXPECT_FALSE(synth->bypassed());
    EXPECT_TRUE(synth->renderEnabled());
    EXPECT_EQ(synth->engine().parameterValue(kTlA), 0);
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

TEST_F(EventList, OrderedByPositionEqualPositionsInArrivalOrderFailedEventsSkipped) {
    start();
    events.noteOn(10, 60, 0.5f);
    events.noteOn(10, 64, 0.25f);
    events.noteOff(3, 50);
    changes.addChange(kTlA, 10, 0.5);
    EXPECT_EQ(collect(64), (Seen{{3, eventid::noteOff(50), 0.0f},
                                 {10, eventid::noteOn(60), 0.5f},
                                 {10, eventid::noteOn(64), 0.25f},
                                 {10, kTlA, 0.5f}}));
    // An event the host fails to hand over is skipped, the others kept.
    events.noteOn(40, 60, 1.0f);
    events.noteOn(5, 61, 1.0f);
    events.noteOn(7, 63, 1.0f);
    events.noteOn(20, 62, 1.0f);
    events.failAt(2);
    EXPECT_EQ(collect(64), (Seen{{5, eventid::noteOn(61), 1.0f},
                                 {20, eventid::noteOn(62), 1.0f},
                                 {40, eventid::noteOn(60), 1.0f}}));
}

TEST_F(EventList, ClampedOffsetsAndValuesAndEngineSamplePositions) {
    start();
    changes.addChange(0x12345, 0, 0.5);  // no engine bits: ignored
    events.noteOn(900, 60, 2.0f);        // past the block end, velocity above 1
    EXPECT_EQ(collect(64), (Seen{{63, eventid::noteOn(60), 1.0f}}));
    // At 1/3 of the host rate positions are engine samples.
    synth->setRateDivider(2);
    events.noteOn(10, 60, std::numeric_limits<float>::quiet_NaN());
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
            events.noteOn(63, int16(i % 128), 0.5f);
        int32 index = 0;
        auto* ramp = changes.addQueue(kTlA);
        for (int k = 0; k < 64; ++k)
            ramp->addPoint(k, k / 63.0, index);
        changes.addChange(kTlB, 5, 0.25);
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
    changes.addChange(kBypassId, 0, 1.0);
    run(16);
    for (int i = 0; i < 600; ++i)
        events.noteOn(i % 64, int16(i % 128), 0.5f);
    changes.addChange(kBypassId, 0, 0.0);  // handled: needs no record
    changes.addChange(kTlA, 0, 1.0);       // needs a record: dropped
    changes.addChange(kBypassId, 0, 1.0);  // still read
    const Seen list = collect(64);
    EXPECT_EQ(list.size(), 512u);
    EXPECT_EQ(eventCount, 512);
    EXPECT_TRUE(synth->bypassed());
    for (const auto& [offset, id, value] : list)
        EXPECT_EQ(id & 0xF0000u, 0x10000u);
}

using SampleAndHold = ProcessorFixture;

// The same note at 1/3 rate in blocks of 1000 (15 times what the buffers were made for:
// rendered in pieces), of 64 and of 1: a block finishes the repetitions of the engine
// sample the block before it began.
TEST_F(SampleAndHold, ThirdRateRepeatsEachEngineSampleThriceWhateverTheBlocks) {
    start(44100.0, 64);
    std::vector<float> whole;
    for (int32 block : {1000, 64, 1}) {
        processor->setActive(false);
        processor->setActive(true);
        synth->setRateDivider(2);
        ASSERT_EQ(synth->audio().rate.decimation, 3);
        events.noteOn(0, 81, 1.0f);
        std::vector<float> out;
        for (int32 done = 0; done < 2000; done += block) {
            run(std::min(block, 2000 - done));
            out.insert(out.end(), left.begin(), left.end());
        }
        if (whole.empty())
            whole = out;
        EXPECT_EQ(out, whole) << "blocks of " << block;
    }
    for (size_t i = 0; i + 2 < whole.size(); i += 3) {
        EXPECT_EQ(whole[i + 1], whole[i]) << i;
        EXPECT_EQ(whole[i + 2], whole[i]) << i;
    }
    EXPECT_GT(std::inner_product(whole.begin(), whole.end(), whole.begin(), 0.0), 0.0);
}

TEST_F(SampleAndHold, EventsOfABlockWithNoEngineSampleOpenTheNextBlock) {
    start(44100.0, 128);
    synth->setRateDivider(3);  // 1/4
    run(65);                   // 16 x 4 + 1: three repetitions left
    ASSERT_EQ(synth->audio().holdPhase, 1);
    events.noteOn(1, 69, 1.0f);
    run(2);  // only repetitions of the held sample fit
    EXPECT_EQ(synth->audio().holdPhase, 3);
    EXPECT_EQ(synth->engine().sounding(), 0);
    run(64);
    EXPECT_EQ(synth->engine().sounding(), 1);
    EXPECT_GT(energy(), 0.0);
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
        events.noteOn(0, 60, 1.0f);
        changes.addChange(kTlA, 0, 1.0);
        changes.addChange(kBypassId, 0, 1.0);
        EXPECT_EQ(run(64), kResultOk);
        for (float v : left)
            EXPECT_EQ(v, 0.0f);
        EXPECT_EQ(synth->engine().sounding(), 0);
        EXPECT_NE(synth->engine().parameterValue(kTlA), 127);
        EXPECT_TRUE(synth->bypassed());
    }
    EXPECT_FALSE(synth->renderEnabled());  // still bypassed
    changes.addChange(kBypassId, 0, 0.0);
    events.noteOn(0, 60, 1.0f);
    run(64);
    EXPECT_GT(energy(), 0.0);
}

using Deferred = ProcessorFixture;

TEST_F(Deferred, EmptyBlockStillCarriesOutVoiceAndRateChanges) {
    start(44100.0, 512);
    synth->chooseVoiceCount(1.0);
    synth->chooseRateDivider(1.0);
    run(0);
    EXPECT_EQ(synth->engine().voiceCount, 1024);
    EXPECT_EQ(synth->audio().rate.rateDivider, 3);

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
    changes.addChange(kTlA, 0, 1.0);
    EXPECT_EQ(processBlock(*processor, 128, nullptr, nullptr, &events, &changes), kResultOk);
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
