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

TEST_F(Lfo, SquareWaveAlternatesEverySixtyFourStepsAtFullDepth) {
    squareLfoOnB();
    engine.tone().setAms(1, 7);
    engine.tone().setPms(1, 7);
    play(EventList().noteOn(0, 60), 1);
    const Voice& v = engine.voices()[1];
    const uint32_t plain = v.op[1].increment;
    const int32_t stepLength = (0x40000000 + v.lfoIncrement - 1) / v.lfoIncrement;
    // (AM, PM) offsets, one entry per run of equal values. Step 0 comes one step-length
    // after note-on; steps 0..63 raise the pitch by the largest offset with AM 0, steps
    // 64..127 lower it with full AM.
    std::vector<std::pair<int32_t, int32_t>> runs;
    for (int step = 0; step < 130; ++step) {
        play(stepLength);
        const std::pair<int32_t, int32_t> offsets{v.op[1].amOffset, v.op[1].pmOffset};
        if (runs.empty() || runs.back() != offsets)
            runs.push_back(offsets);
    }
    EXPECT_EQ(runs,
              (std::vector<std::pair<int32_t, int32_t>>{{0, 3556}, {3556, -3556}, {0, 3556}}));
    EXPECT_EQ(v.op[1].increment, v.increment(v.op[1].pitch + 3556));
    EXPECT_GT(v.op[1].increment, plain);
}

TEST_F(Lfo, FrequencyZeroNeverSteps) {
    engine.tone().setPms(1, 7);
    engine.setModWheel(127);
    engine.setLfoFreq(0);
    play(EventList().noteOn(0, 60), 44100);
    EXPECT_EQ(engine.voices()[1].lfoStep, 0);
    EXPECT_EQ(engine.voices()[1].op[1].pmOffset, 0);
}

}  // namespace
}  // namespace taluma
