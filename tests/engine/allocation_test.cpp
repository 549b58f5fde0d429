#include <gtest/gtest.h>

#include <cmath>

#include "engine_harness.h"

namespace taluma {
namespace {

using test::EventList;

class Allocation : public ::testing::Test {
protected:
    void SetUp() override {
        engine.init(44100.0f);
        engine.setVoiceCount(8);
    }
    void play(EventList& events, int32_t samples = 4) { test::renderOnce(engine, events, samples); }
    int keyOf(int voice) const {
        return engine.voices()[voice].flags ? engine.voices()[voice].key : -1;
    }

    SynthEngine engine;
};

TEST_F(Allocation, FreeVoicesAreTakenInRingOrderAfterTheCursor) {
    EventList events;
    for (int k = 0; k < 8; ++k)
        events.noteOn(0, 60 + k);
    play(events);
    // The cursor starts at 0, so the first note takes voice 1 and voice 0 comes last.
    for (int v = 1; v < 8; ++v)
        EXPECT_EQ(keyOf(v), 60 + v - 1) << v;
    EXPECT_EQ(keyOf(0), 67);
    EXPECT_EQ(engine.allocCursor, 0);
}

TEST_F(Allocation, StealsTheFirstHeldVoiceButNeverTheNewest) {
    EventList events;
    for (int k = 0; k < 8; ++k)
        events.noteOn(0, 60 + k);
    events.noteOn(0, 80);  // cursor at voice 0 (key 67): voice 1 is stolen
    events.noteOn(0, 81);  // cursor at voice 1: voice 2 is stolen
    play(events);
    EXPECT_EQ(keyOf(0), 67);
    EXPECT_EQ(keyOf(1), 80);
    EXPECT_EQ(keyOf(2), 81);
    EXPECT_EQ(engine.allocCursor, 2);
}

TEST_F(Allocation, ReleasedVoicesGoBeforeHeldOnes) {
    EventList events;
    for (int k = 0; k < 8; ++k)
        events.noteOn(0, 60 + k);
    events.noteOff(0, 64);  // voice 5
    events.noteOn(0, 90);
    play(events);
    EXPECT_EQ(keyOf(5), 90);
    EXPECT_EQ(engine.voices()[5].flags & kFlagHeld, kFlagHeld);
    EXPECT_EQ(keyOf(1), 60);
}

TEST_F(Allocation, SameKeyTwiceStartsTwoVoicesAndOneNoteOffReleasesBoth) {
    EventList events;
    events.noteOn(0, 60).noteOn(0, 60);
    play(events);
    EXPECT_EQ(engine.sounding(), 2);
    EventList off;
    off.noteOff(0, 60);
    play(off);
    for (int v : {1, 2})
        EXPECT_EQ(engine.voices()[v].flags & (kFlagHeld | kFlagReleased), kFlagReleased) << v;
}

TEST_F(Allocation, VelocityRoundingToZeroIsANoteOff) {
    EventList events;
    events.noteOn(0, 60);
    events.noteOn(2, 60, 0.003f);  // 0.381 rounds to 0
    play(events);
    EXPECT_EQ(engine.sounding(), 1);
    EXPECT_EQ(engine.voices()[1].flags & kFlagReleased, kFlagReleased);
}

TEST_F(Allocation, NoSoundingOperatorLeavesTheChosenVoiceFree) {
    EventList events;
    for (int k = 0; k < 8; ++k)
        events.noteOn(0, 60 + k);
    play(events);
    // Algorithm 0 (A alone) with TL A at 127: nothing can sound.
    engine.tone().setAlgorithm(0);
    engine.tone().setTotalLevel(0, 127);
    EXPECT_EQ(engine.tone().voiceFlagTemplate, 0);
    EventList steal;
    steal.noteOn(0, 90);
    play(steal);
    // Voice 1 was stolen and simply stopped.
    EXPECT_EQ(engine.voices()[1].flags, 0);
    EXPECT_EQ(engine.sounding(), 7);
}

TEST_F(Allocation, ANoteOnWithNoVoiceToTakeIsDroppedAndTheCursorRestored) {
    // Voices whose flags hold operator bits only are in none of the three classes.
    Voice* v = engine.voices();
    for (int i = 0; i < 8; ++i) {
        v[i].flags = kFlagA;
        v[i].key = 1;
    }
    v[3].flags = 0;  // free, but it is the cursor's voice and is never examined
    engine.allocCursor = 3;
    EventList events;
    events.noteOn(0, 60);
    float l[1] = {0}, r[1] = {0};
    engine.render(events.head(), l, r, 0, 0);
    EXPECT_EQ(engine.allocCursor, 3);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(v[i].key, 60) << i;
    EXPECT_EQ(v[3].flags, 0);
}

TEST(EngineEvents, UnknownIdsChangeNothing) {
    SynthEngine engine;
    engine.init(44100.0f);
    int32_t scaled = 0;
    EXPECT_FALSE(SynthEngine::scaleEventValue(0x30001, 0.5f, scaled));
    EXPECT_FALSE(SynthEngine::scaleEventValue(0x20008, 0.5f, scaled));
    EXPECT_FALSE(SynthEngine::scaleEventValue(0x400A0, 0.5f, scaled));  // B has no feedback
    EXPECT_FALSE(engine.setParameterValue(0x30001, 3));
    EXPECT_EQ(engine.parameterValue(0x30001), -1);
}

TEST(EngineEvents, ValueScaling) {
    int32_t v = 0;
    ASSERT_TRUE(SynthEngine::scaleEventValue(eventid::kBitDepth, 0.0f, v));
    EXPECT_EQ(v, 1);
    SynthEngine::scaleEventValue(eventid::kBitDepth, 1.0f, v);
    EXPECT_EQ(v, 16);
    SynthEngine::scaleEventValue(eventid::kStdPitch, 0.5f, v);
    EXPECT_EQ(v, 44000);
    SynthEngine::scaleEventValue(eventid::kBendRange, 1.0f, v);
    EXPECT_EQ(v, 24);
    SynthEngine::scaleEventValue(eventid::kPitchBend, 0.5f, v);
    EXPECT_EQ(v, 8192);
    SynthEngine::scaleEventValue(eventid::operatorParam(0, eventid::kFeedback), 1.0f, v);
    EXPECT_EQ(v, 128);
    SynthEngine::scaleEventValue(eventid::operatorParam(1, eventid::kVelocitySens), 0.5f, v);
    EXPECT_EQ(v, 4);  // 3.5 + 0.5
    // Out-of-range and NaN values are held to 0..1.
    SynthEngine::scaleEventValue(eventid::kVolume, 7.0f, v);
    EXPECT_EQ(v, 127);
    SynthEngine::scaleEventValue(eventid::kVolume, std::nanf(""), v);
    EXPECT_EQ(v, 0);
    SynthEngine::scaleEventValue(eventid::kVolume, -1.0f, v);
    EXPECT_EQ(v, 0);
}

TEST(EngineEvents, IntegerSettersClampToTheParameterRange) {
    SynthEngine engine;
    engine.init(44100.0f);
    EXPECT_TRUE(engine.setParameterValue(eventid::operatorParam(0, eventid::kMul), 99));
    EXPECT_EQ(engine.tone().opValue(0, kMul), 15);
    EXPECT_TRUE(engine.setParameterValue(eventid::kStdPitch, 1));
    EXPECT_EQ(engine.referencePitch, 42000u);
    EXPECT_FALSE(engine.setParameterValue(eventid::kStdPitch, 42000));
}

}  // namespace
}  // namespace taluma
