#include <gtest/gtest.h>

#include "engine_harness.h"

namespace taluma {
namespace {

using test::EventList;

// One operator (B alone) so that each test watches a single envelope.
class Envelope : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.tone().setAlgorithm(1);
    }
    const Voice& voice() const { return engine.voices()[1]; }
    const VoiceOperator& b() const { return voice().op[1]; }
    int32_t envelopeCode() const { return b().curve[b().envPosition >> 18]; }
};

TEST_F(Envelope, ReleaseDuringAttackContinuesWithoutAJump) {
    engine.tone().setAttackRate(1, 60);  // a slow attack
    play(EventList().noteOn(0, 60), 3000);
    ASSERT_EQ(b().stage, kStageAttack);
    const int32_t before = envelopeCode();
    float l = 0, r = 0;
    engine.render(EventList().noteOff(0, 60).head(), &l, &r, 0, 0);
    EXPECT_EQ(b().stage, kStageRelease);
    EXPECT_EQ(b().curve, engine.tone().linearCurve);
    EXPECT_EQ(envelopeCode(), before);
    EXPECT_EQ(voice().flags, kFlagB | kFlagReleased);
}

TEST_F(Envelope, InstantAttackWithSustainLevelZeroStartsAtFullLevel) {
    engine.tone().setAttackRate(1, 127);
    engine.tone().setSustainLevel(1, 0);
    play(EventList().noteOn(0, 60), 1);
    EXPECT_EQ(b().stage, kStageSustain);  // decay target 0 is reached at once
    engine.tone().setSustainLevel(1, 10);
    play(EventList().noteOn(0, 62), 1);
    const VoiceOperator& o = engine.voices()[2].op[1];
    EXPECT_EQ(o.stage, kStageDecay);
    EXPECT_EQ(o.curve[0], 0);  // full level at the first sample
}

TEST_F(Envelope, LoudSustainLevelBelowTheCeilingEndsAfterDecay) {
    // TL 90 leaves little room: the decay target meets the silence ceiling.
    engine.tone().setTotalLevel(1, 90);
    engine.tone().setSustainLevel(1, 126);
    engine.tone().setDecayRate(1, 127);
    engine.tone().setAttackRate(1, 127);
    const int v = 127;
    EXPECT_GE(engine.tone().op[1].decayTarget[v], engine.tone().op[1].silenceCeiling[v]);
    play(EventList().noteOn(0, 60), 1);
    EXPECT_EQ(engine.sounding(), 1);
    play(4410);
    EXPECT_EQ(engine.sounding(), 0);
}

TEST_F(Envelope, ZeroDecayAndSustainRatesHoldThePeakUntilRelease) {
    engine.tone().setDecayRate(1, 0);
    engine.tone().setSustainRate(1, 0);
    engine.tone().setReleaseRate(1, 0);
    engine.tone().setAttackRate(1, 120);
    for (int k = 0; k < 128; ++k) {
        EXPECT_EQ(engine.tone().op[1].decayRate[k], 0u);
        EXPECT_EQ(engine.tone().op[1].sustainRate[k], 0u);
        EXPECT_GE(engine.tone().op[1].releaseRate[k], 1u);  // release always moves
    }
    play(EventList().noteOn(0, 60), 4410);
    play(1);
    const uint32_t held = b().envPosition;
    EXPECT_EQ(b().stage, kStageDecay);
    play(44100);
    EXPECT_EQ(b().envPosition, held);
    EXPECT_EQ(envelopeCode(), 0);
}

TEST_F(Envelope, KeyScaleThreeDoublesRatesEveryTwelveKeys) {
    engine.tone().setKeyScale(1, 3);
    engine.tone().setKeyCenter(1, 64);
    const OperatorTone& t = engine.tone().op[1];
    EXPECT_NEAR(double(t.attackRate[76]) / t.attackRate[64], 2.0, 0.001);
    EXPECT_NEAR(double(t.releaseRate[52]) / t.releaseRate[64], 0.5, 0.001);
    engine.tone().setKeyScale(1, 1);
    EXPECT_NEAR(double(t.decayRate[112]) / t.decayRate[64], 2.0, 0.001);
}

TEST_F(Envelope, LevelTablesFollowVelocityCurveAndSensitivity) {
    engine.tone().setTotalLevel(1, 10);
    engine.tone().setVelocityCurve(1, 3);
    engine.tone().setVelocitySensitivity(1, 7);
    const OperatorTone& t = engine.tone().op[1];
    EXPECT_EQ(t.levelAtt[0], 7168 + 640);
    EXPECT_EQ(t.levelAtt[127], 640);
    engine.tone().setVelocitySensitivity(1, 6);
    EXPECT_EQ(t.levelAtt[0], 3584 + 640);
    EXPECT_EQ(t.levelAtt[95], 212 + 640);  // 424 halved
    engine.tone().setVelocitySensitivity(1, 0);
    EXPECT_EQ(t.levelAtt[0], 56 + 640);
    engine.tone().setTotalLevel(1, 127);
    engine.tone().setVelocitySensitivity(1, 7);
    EXPECT_EQ(t.levelAtt[0], 8192);  // capped
    EXPECT_EQ(t.silenceCeiling[0], 0u);
}

TEST_F(Envelope, SerialModulatorFallsSixteenOctavesCarriersThirteen) {
    engine.tone().setAlgorithm(3);
    EXPECT_EQ(engine.tone().op[0].silenceCeiling[127],
              0x40000000u - (1024u << 17));  // TL A 16: 1024
    engine.tone().setAlgorithm(2);
    EXPECT_EQ(engine.tone().op[0].silenceCeiling[127], 0x34000000u - (1024u << 17));
    // Switching the modulator's role through TL B keeps A's ceiling in step.
    engine.tone().setAlgorithm(3);
    engine.tone().setTotalLevel(1, 127);
    EXPECT_EQ(engine.tone().renderSelect & 7, 5);
    EXPECT_EQ(engine.tone().op[0].silenceCeiling[127], 0x34000000u - (1024u << 17));
    engine.tone().setTotalLevel(1, 0);
    EXPECT_EQ(engine.tone().op[0].silenceCeiling[127], 0x40000000u - (1024u << 17));
}

TEST_F(Envelope, AllNotesOffReleasesAllSoundOffDampsWithinTwoMilliseconds) {
    play(EventList().noteOn(0, 60).noteOn(0, 64), 2000);
    play(EventList().add(0, eventid::kAllNotesOff).noteOn(0, 67), 1);
    for (int v : {1, 2})
        EXPECT_EQ(engine.voices()[v].flags & (kFlagHeld | kFlagReleased), kFlagReleased) << v;
    EXPECT_EQ(engine.voices()[1].op[1].stage, kStageRelease);
    ASSERT_EQ(engine.sounding(), 3);
    play(EventList().add(0, eventid::kAllSoundOff), 1);
    for (int v : {1, 2, 3})
        EXPECT_EQ(engine.voices()[v].flags & (kFlagHeld | kFlagDamped), kFlagDamped) << v;
    // A damped voice is not released by a later note-off.
    play(EventList().noteOff(0, 67), 1);
    EXPECT_EQ(engine.voices()[3].flags & kFlagReleased, 0);
    play(90);  // about 2 ms
    EXPECT_EQ(engine.sounding(), 0);
}

}  // namespace
}  // namespace taluma
