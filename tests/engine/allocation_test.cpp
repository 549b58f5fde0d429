#include <gtest/gtest.h>

#include <cmath>

#include "engine_harness.h"

namespace taluma {
namespace {

using test::EventList;

class Allocation : public test::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.setVoiceCount(8);
    }
    // Keys 60..67 on all eight voices.
    static EventList eightNotes() {
        EventList events;
        for (int k = 0; k < 8; ++k)
            events.noteOn(0, 60 + k);
        return events;
    }
    // The key of each voice, -1 for a free one.
    std::vector<int> keys() const {
        std::vector<int> out;
        for (int v = 0; v < 8; ++v)
            out.push_back(engine.voices()[v].flags ? engine.voices()[v].key : -1);
        return out;
    }
};

TEST_F(Allocation, FreeVoicesAreTakenInRingOrderAfterTheCursor) {
    play(eightNotes(), 4);
    // The cursor starts at 0, so the first note takes voice 1 and voice 0 comes last.
    EXPECT_EQ(keys(), (std::vector<int>{67, 60, 61, 62, 63, 64, 65, 66}));
    EXPECT_EQ(engine.allocCursor, 0);
}

TEST_F(Allocation, StealsTheFirstHeldVoiceButNeverTheNewest) {
    // 80: cursor at voice 0 (key 67), voice 1 is stolen; 81: cursor at 1, voice 2.
    play(eightNotes().noteOn(0, 80).noteOn(0, 81), 4);
    EXPECT_EQ(keys(), (std::vector<int>{67, 80, 81, 62, 63, 64, 65, 66}));
    EXPECT_EQ(engine.allocCursor, 2);
}

TEST_F(Allocation, ReleasedVoicesGoBeforeHeldOnes) {
    play(eightNotes().noteOff(0, 64).noteOn(0, 90), 4);
    EXPECT_EQ(keys(), (std::vector<int>{67, 60, 61, 62, 63, 90, 65, 66}));
    EXPECT_EQ(engine.voices()[5].flags & kFlagHeld, kFlagHeld);
}

TEST_F(Allocation, SameKeyTwiceStartsTwoVoicesAndOneNoteOffReleasesBoth) {
    play(EventList().noteOn(0, 60).noteOn(0, 60), 4);
    EXPECT_EQ(engine.sounding(), 2);
    play(EventList().noteOff(0, 60), 4);
    for (int v : {1, 2})
        EXPECT_EQ(engine.voices()[v].flags & (kFlagHeld | kFlagReleased), kFlagReleased) << v;
}

TEST_F(Allocation, VelocityRoundingToZeroIsANoteOff) {
    play(EventList().noteOn(0, 60).noteOn(2, 60, 0.003f), 4);  // 0.381 rounds to 0
    EXPECT_EQ(engine.sounding(), 1);
    EXPECT_EQ(engine.voices()[1].flags & kFlagReleased, kFlagReleased);
}

TEST_F(Allocation, NoSoundingOperatorLeavesTheChosenVoiceFree) {
    play(eightNotes(), 4);
    // Algorithm 0 (A alone) with TL A at 127: nothing can sound.
    engine.tone().setAlgorithm(0);
    engine.tone().setTotalLevel(0, 127);
    EXPECT_EQ(engine.tone().voiceFlagTemplate, 0);
    play(EventList().noteOn(0, 90), 4);
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
    float l[1] = {0}, r[1] = {0};
    engine.render(EventList().noteOn(0, 60).head(), l, r, 0, 0);
    EXPECT_EQ(engine.allocCursor, 3);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(v[i].key, 60) << i;
    EXPECT_EQ(v[3].flags, 0);
}

TEST(EngineEvents, ValueScaling) {
    const struct {
        uint32_t id;
        float value;
        int32_t scaled;
    } cases[] = {
        {eventid::kBitDepth, 1.0f, 16},
        {eventid::kStdPitch, 0.5f, 44000},
        {eventid::kBendRange, 1.0f, 24},
        {eventid::kPitchBend, 0.5f, 8192},
        {eventid::operatorParam(0, eventid::kFeedback), 1.0f, 128},
        {eventid::operatorParam(1, eventid::kVelocitySens), 0.5f, 4},  // 3.5 + 0.5
        // Out-of-range and NaN values are held to 0..1.
        {eventid::kVolume, 7.0f, 127},
        {eventid::kVolume, std::nanf(""), 0},
        {eventid::kVolume, -1.0f, 0},
    };
    for (const auto& c : cases) {
        int32_t v = -1;
        EXPECT_TRUE(SynthEngine::scaleEventValue(c.id, c.value, v));
        EXPECT_EQ(v, c.scaled) << std::hex << c.id << " " << c.value;
    }
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
