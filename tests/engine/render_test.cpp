#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine_harness.h"

namespace taluma {
namespace {

using test::EventList;
using Render = test::EngineTest;

// Another engine renders into buffers that already hold 0.25, with events of classes
// the engine ignores among its notes: it adds the same sound.
TEST_F(Render, AddsIntoTheBuffersAndIgnoresOtherEventClasses) {
    SynthEngine other;
    other.init(44100.0f);
    const EventList noisy = EventList()
                                .noteOn(0, 60)
                                .add(5, 0x30001, 1.0f)
                                .add(7, 0x20008, 1.0f)
                                .add(8, 0x400A0, 1.0f)  // B has no feedback
                                .add(9, 0x1000001, 1.0f);
    std::vector<float> l(128, 0.25f), r(128, 0.25f);
    other.render(noisy.head(), l.data(), r.data(), 0, 128);
    const test::Rendered clean = play(EventList().noteOn(0, 60), 128);
    ASSERT_GT(test::peak(clean.left), 0.0f);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(l[i], clean.left[i] + 0.25f) << i;
}

TEST(RenderBlocks, SameRenderInOneCallOrInManySmallBlocks) {
    EventList events;
    events.noteOn(3, 60).noteOn(40, 67, 0.6f).add(100, eventid::kPitchBend, 0.8f);
    events.add(130, eventid::kModWheel, 1.0f).add(131, eventid::kPan, 0.2f).noteOff(300, 60);
    events.add(333, eventid::kVolume, 0.5f).noteOn(400, 72).add(900, eventid::kAllNotesOff);
    const int32_t length = 3000;
    auto renderIn = [&](int32_t block) {
        SynthEngine engine;
        engine.init(44100.0f);
        engine.tone().setPms(0, 5);
        engine.tone().setAms(1, 3);
        engine.tone().setFeedback(90);
        return test::renderInBlocks(engine, events, length, block);
    };
    const test::Rendered whole = renderIn(length);
    ASSERT_GT(test::peak(whole.left), 0.01f);
    for (int32_t block : {1, 7, 64, 333}) {
        const test::Rendered split = renderIn(block);
        EXPECT_EQ(split.left, whole.left) << block;
        EXPECT_EQ(split.right, whole.right) << block;
    }
}

TEST_F(Render, ParameterChangeBeforeANoteOnAtTheSameOffsetApplies) {
    const uint32_t tlB = eventid::operatorParam(1, eventid::kTotalLevel);
    play(EventList().add(10, tlB, 20.0f / 127.0f).noteOn(10, 60).add(10, tlB, 40.0f / 127.0f), 32);
    EXPECT_EQ(engine.voices()[1].op[1].levelAtt, 20 * 64);
    EXPECT_EQ(engine.tone().opValue(1, kTl), 40);
}

TEST_F(Render, ParallelVoiceGoesOnWithBWhenAEnds) {
    engine.tone().setAlgorithm(2);
    engine.tone().setAttackRate(0, 127);
    engine.tone().setSustainLevel(0, 127);  // A ends before its first sample
    const test::Rendered out = play(EventList().noteOn(0, 60), 256);
    EXPECT_EQ(engine.voices()[1].flags & 3, kFlagB);
    EXPECT_GT(test::peak(out.left), 0.0f);
}

TEST_F(Render, SerialVoiceEndsWithBEvenWhileASounds) {
    ASSERT_EQ(engine.tone().value(kAlgorithmValue), 3);
    engine.tone().setAttackRate(1, 127);
    engine.tone().setSustainLevel(1, 127);
    const test::Rendered out = play(EventList().noteOn(0, 60), 256);
    EXPECT_EQ(engine.sounding(), 0);
    EXPECT_EQ(test::peak(out.left), 0.0f);
}

// B alone at full level from the first sample, held: a steady sine.
class SteadyCarrier : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.tone().setAlgorithm(1);
        engine.tone().setAttackRate(1, 127);
        engine.tone().setSustainLevel(1, 0);
        engine.tone().setSustainRate(1, 0);
        engine.tone().setVelocitySensitivity(1, 0);
    }
};

TEST_F(SteadyCarrier, BitDepthOneGivesThreeLevels) {
    const test::Rendered out =
        play(EventList().add(0, eventid::kBitDepth, 0.0f).noteOn(0, 60), 4000);
    EXPECT_EQ(engine.bitDepth, 1);
    EXPECT_EQ(engine.outputMask, 0xFFFF0000u);
    const float g = engine.tone().gainL;
    std::set<float> levels(out.left.begin(), out.left.end());
    EXPECT_EQ(levels, (std::set<float>{-65536.0f * g, 0.0f, 65536.0f * g}));
    for (int i = 0; i < engine.voiceCount; ++i)
        ASSERT_EQ(engine.voices()[i].outputMask, 0xFFFF0000u);
}

TEST_F(SteadyCarrier, A4PeaksAt0_7071At440Hz) {
    const int32_t n = 44100;
    const test::Rendered out = play(EventList().noteOn(0, 69), n);
    EXPECT_EQ(engine.voices()[1].op[1].pitch, 133963);
    EXPECT_EQ(engine.voices()[1].op[1].increment, 83697u);
    EXPECT_NEAR(test::peak(out.left), 0.7071f, 0.0005f);
    EXPECT_EQ(out.left, out.right);
    int crossings = 0;
    for (int i = 1; i < n; ++i)
        crossings += (out.left[i - 1] < 0) != (out.left[i] < 0);
    EXPECT_NEAR(crossings / 2.0, 440.0, 2.0);
}

// Controllers reach the voices already sounding.
TEST_F(Render, BendPanVolumeExpressionAndLfoFrequencyReachSoundingVoices) {
    play(EventList().noteOn(0, 69), 1);
    const uint32_t before = engine.voices()[1].op[1].increment;
    play(EventList()
             .add(0, eventid::kPitchBend, 1.0f)  // +2 semitones at full bend
             .add(0, eventid::kPan, 0.0f)
             .add(0, eventid::kVolume, 63.0f / 127.0f)
             .add(0, eventid::kExpression, 0.0f)
             .add(0, eventid::kLfoFreq, 1.0f),
         1);
    const Voice& v = engine.voices()[1];
    EXPECT_NEAR(double(v.op[1].increment) / before, std::pow(2.0, 2.0 / 12.0), 0.001);
    EXPECT_EQ(engine.tone().bendLog, (8191 * 1365) >> 13);
    EXPECT_FLOAT_EQ(v.gainL, 0.25f / 65536.0f);
    EXPECT_FLOAT_EQ(v.gainR, 0.0f);
    EXPECT_EQ(v.expressionAtt, 8128);
    EXPECT_EQ(v.lfoIncrement, 6087 * 16383);
}

}  // namespace
}  // namespace taluma
