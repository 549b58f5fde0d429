#include <gtest/gtest.h>

#include "engine_harness.h"

namespace taluma {
namespace {

using test::EventList;

TEST(RenderSelect, CodesFollowAlgorithmLevelsAndDepths) {
    SynthEngine engine;
    engine.init(44100.0f);
    ToneParameters& t = engine.tone();
    const int32_t codes[4] = {1, 2, 3, 7};
    for (int alg = 0; alg < 4; ++alg) {
        t.setAlgorithm(alg);
        EXPECT_EQ(t.renderSelect, codes[alg]);
        EXPECT_EQ(t.voiceFlagTemplate, (codes[alg] & 3) | 16);
    }
    t.setPms(1, 1);
    EXPECT_EQ(t.renderSelect, 7 | 8);
    t.setAms(0, 2);
    EXPECT_EQ(t.renderSelect, 7 | 8 | 16);
    t.setTotalLevel(1, 127);
    EXPECT_EQ(t.renderSelect, 5 | 8 | 16);  // A heard alone as a carrier
    EXPECT_EQ(t.voiceFlagTemplate, 1 | 16);
    t.setTotalLevel(1, 0);
    t.setTotalLevel(0, 127);
    EXPECT_EQ(t.renderSelect, 6 | 8 | 16);  // B alone
    t.setAlgorithm(0);
    EXPECT_EQ(t.voiceFlagTemplate, 0);
}

// Both operators' pitch at full PMS, the LFO at its fastest.
void fullPitchLfo(SynthEngine& e) {
    e.init(44100.0f);
    e.tone().setPms(0, 7);
    e.tone().setPms(1, 7);
    e.setLfoFreq(16383);
}

class Lfo : public test::EngineTest {
protected:
    // B alone with the square LFO at its fastest and the wheel up.
    void squareLfoOnB() {
        engine.tone().setAlgorithm(1);
        engine.tone().setLfoWave(2);
        engine.setLfoFreq(16383);
        engine.setModWheel(127);
    }
};

TEST_F(Lfo, PitchDepthWithModWheelAtZeroLeavesNotesUnmodulated) {
    SynthEngine plain;
    plain.init(44100.0f);
    plain.setLfoFreq(16383);
    fullPitchLfo(engine);
    ASSERT_NE(engine.tone().renderSelect & 8, 0);
    const EventList on = EventList().noteOn(0, 60);
    const std::vector<float> unmodulated = test::renderInBlocks(plain, on, 20000, 20000).left;
    EXPECT_EQ(play(on, 20000).left, unmodulated);
    // With the wheel up the same notes differ: the test above can tell.
    SynthEngine wheel;
    fullPitchLfo(wheel);
    const EventList wheelUp = EventList().add(0, eventid::kModWheel, 1.0f).noteOn(0, 60);
    EXPECT_NE(test::renderInBlocks(wheel, wheelUp, 20000, 20000).left, unmodulated);
}

TEST_F(Lfo, SquareAmplitudeWaveAlternatesEverySixtyFourSteps) {
    squareLfoOnB();
    engine.tone().setAms(1, 7);
    play(EventList().noteOn(0, 60), 1);
    const Voice& v = engine.voices()[1];
    const int32_t stepLength = (0x40000000 + v.lfoIncrement - 1) / v.lfoIncrement;
    std::vector<int32_t> offsets;
    for (int step = 0; step < 130; ++step) {
        play(stepLength);
        offsets.push_back(v.op[1].amOffset);
    }
    // Step 0 comes one step-length after note-on; steps 0..63 have AM 0, 64..127 full.
    int changes = 0;
    for (size_t i = 1; i < offsets.size(); ++i)
        changes += offsets[i] != offsets[i - 1];
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(*std::max_element(offsets.begin(), offsets.end()), 3556);
    EXPECT_EQ(*std::min_element(offsets.begin(), offsets.end()), 0);
}

TEST_F(Lfo, LargestPitchOffset) {
    squareLfoOnB();
    engine.tone().setPms(1, 7);
    play(EventList().noteOn(0, 60), 1);
    const Voice& v = engine.voices()[1];
    const uint32_t plain = v.op[1].increment;
    play(500);  // first step after about 475 samples
    EXPECT_EQ(v.op[1].pmOffset, 3556);
    EXPECT_EQ(v.op[1].increment, v.increment(v.op[1].pitch + 3556));
    EXPECT_GT(v.op[1].increment, plain);
}

TEST_F(Lfo, NotesStartedAtDifferentTimesHaveIndependentPhases) {
    engine.tone().setAms(1, 7);
    engine.setModWheel(127);
    play(EventList().noteOn(0, 60).noteOn(3000, 64), 6000);
    EXPECT_NE(engine.voices()[1].lfoStep, engine.voices()[2].lfoStep);
}

TEST_F(Lfo, FrequencyZeroNeverSteps) {
    engine.tone().setPms(1, 7);
    engine.setModWheel(127);
    engine.setLfoFreq(0);
    play(EventList().noteOn(0, 60), 44100);
    EXPECT_EQ(engine.voices()[1].lfoStep, 0);
    EXPECT_EQ(engine.voices()[1].op[1].pmOffset, 0);
}

TEST_F(Lfo, NewLfoFrequencyReachesSoundingVoices) {
    play(EventList().noteOn(0, 60), 1);
    play(EventList().add(0, eventid::kLfoFreq, 1.0f), 1);
    EXPECT_EQ(engine.voices()[1].lfoIncrement, 6087 * 16383);
}

}  // namespace
}  // namespace taluma
