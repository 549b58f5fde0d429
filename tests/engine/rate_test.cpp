#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "engine_harness.h"
#include "engine/engine_rate.h"

namespace taluma {
namespace {

using RateConstants = test::EngineTest;

TEST_F(RateConstants, At44100AndTheLfoFactorStopsScalingBelow4096Hz) {
    EXPECT_EQ(engine.lfoRateFactor, 6087);
    EXPECT_EQ(engine.rateBase, 53834);
    EXPECT_EQ(engine.dampRate, 12466118);
    EXPECT_EQ(engine.pitchBase, 86859);
    // 2^30 / 16383 at 4096 Hz and below.
    for (auto [rate, factor] : {std::pair{4096.0f, 65540}, {2000.0f, 65540}, {8192.0f, 32770}}) {
        engine.sampleRate = rate;
        engine.updateRateConstants();
        EXPECT_EQ(engine.lfoRateFactor, factor) << rate;
    }
}

TEST_F(RateConstants, ReferencePitchMovesPitchBaseOnly) {
    const uint32_t rateBefore = engine.tone().op[0].attackRate[60];
    engine.setReferencePitch(46000);  // 460 Hz
    EXPECT_EQ(engine.referencePitch, 46000u);
    EXPECT_EQ(engine.pitchBase, 86859 + 525);  // log2(460/440) * 8192 = 525.4
    EXPECT_EQ(engine.tone().op[1].pitch, engine.pitchBase + engine.tone().op[1].mulLog);
    EXPECT_EQ(engine.tone().op[0].attackRate[60], rateBefore);
}

TEST_F(RateConstants, RateChangeSilencesVoices) {
    play(test::EventList().noteOn(0, 60), 8);
    ASSERT_EQ(engine.sounding(), 1);
    engine.sampleRate = 48000.0f;
    engine.updateRateConstants();
    EXPECT_EQ(engine.sounding(), 0);
}

// Set-ups (maxBlock > 0) with the rate table each builds, and divider choices in turn on
// one engine: the divider kept, fallen back to 1/1 where the table has no entry, or off
// (-1) for small blocks and rates outside the table.
TEST(EngineRateTable, BuiltFromTheHostRateAndDividerSelection) {
    const struct {
        int32_t maxBlock;
        float host;
        int32_t choice, divider, decimation;
        float engineRate;
        std::vector<int32_t> table;
    } steps[] = {
        {512, 48000.0f, 0, 0, 1, 48000.0f, {48000, 24000, 16000, 12000}},
        {0, 0, 3, 3, 4, 12000.0f, {}},
        {512, 44100.0f, 0, 3, 4, 11025.0f, {44100, 22050, 14700, 11025}},
        {512, 22050.0f, 0, 0, 1, 22050.0f, {22050, 11025, 7350, 0}},
        {0, 0, 3, 0, 1, 22050.0f, {}},
        {0, 0, 2, 2, 3, 7350.0f, {}},
        {15, 48000.0f, 0, -1, 1, 48000.0f, {0, 0, 0, 0}},
        {0, 0, 2, -1, 1, 48000.0f, {}},
        {512, 44100.5f, 0, -1, 1, 44100.5f, {0, 0, 0, 0}},
    };
    SynthEngine engine;
    engine.init(44100.0f);
    EngineRate rate;
    for (const auto& s : steps) {
        if (s.maxBlock) {
            setupRate(rate, engine, s.maxBlock, s.host);
            EXPECT_EQ(std::vector<int32_t>(rate.rateTable, rate.rateTable + 4), s.table)
                << s.maxBlock << " " << s.host;
        } else {
            setRateDivider(rate, engine, s.choice);
        }
        EXPECT_EQ(rate.rateDivider, s.divider) << s.maxBlock << " " << s.host << " " << s.choice;
        EXPECT_EQ(rate.decimation, s.decimation) << s.host << " " << s.choice;
        EXPECT_EQ(engine.sampleRate, s.engineRate) << s.host << " " << s.choice;
    }
}

// At any rate a host may choose: a full sweep at rate R lasts 256 * 2^(-R/8) s, and
// notes, bends and algorithm changes sound, finite.
TEST(EngineRateTable, EnvelopeTimesDoNotDependOnTheRateAndEveryRateSounds) {
    test::EventList events;
    for (int i = 0; i < 6; ++i) {
        events.noteOn(i * 300, 48 + i * 7).add(i * 300 + 1, eventid::kPitchBend, i / 6.0f);
        events.add(i * 300 + 2, eventid::kAlgorithm, (i % 4) / 3.0f);
    }
    for (float fs : {8000.0f, 11025.0f, 44100.0f, 44100.5f, 96000.0f, 192000.0f}) {
        SynthEngine engine;
        engine.init(fs);
        engine.tone().setAttackRate(0, 64);
        const double seconds = 1073741824.0 / engine.tone().op[0].attackRate[64] / fs;
        EXPECT_NEAR(seconds, 1.0, 0.001) << fs;
        const test::Rendered out = test::renderInBlocks(engine, events, 8192, 8192);
        EXPECT_GT(test::peak(out.left), 0.0f) << fs;
        const double sum = std::accumulate(out.left.begin(), out.left.end(), 0.0);
        EXPECT_TRUE(std::isfinite(std::accumulate(out.right.begin(), out.right.end(), sum))) << fs;
    }
}

}  // namespace
}  // namespace taluma
