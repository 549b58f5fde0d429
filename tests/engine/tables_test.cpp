#include <gtest/gtest.h>

#include "engine_tables.h"
#include "log_math.h"

namespace taluma {
namespace {

TEST(LogEncode, ZeroAndTinyMagnitudesGiveTheSilentCode) {
    EXPECT_EQ(logEncode(0.0), 8192);
    EXPECT_EQ(logEncode(1.0 / 65536.0), 8192);
    EXPECT_EQ(logEncode(-1.0 / 65536.0), 8192);
    EXPECT_EQ(logEncodeSingle(0.0f), 8192);
}

TEST(LogEncode, FullScaleAndSign) {
    EXPECT_EQ(logEncode(1.0), 0);
    EXPECT_EQ(logEncode(-1.0), 1);
    EXPECT_EQ(logEncode(0.5), 512);  // one octave = 256 units, doubled
    EXPECT_EQ(logEncode(-0.25), 1025);
    EXPECT_EQ(logEncodeSingle(-1.0f), 1);
    EXPECT_EQ(logEncodeSingle(1.0f / 128.0f), 3584);
}

TEST(EngineTables, ExpTableEndPoints) {
    EngineTables t;
    const int32_t* e = t.expTable();
    EXPECT_EQ(e[0], 65536);
    EXPECT_EQ(e[1], -65536);
    EXPECT_EQ(e[512], 32768);
    EXPECT_EQ(e[8190], 1);
    EXPECT_EQ(e[8191], -1);
    for (int i = 8192; i < kExpTableSize; ++i)
        ASSERT_EQ(e[i], 0) << i;
}

TEST(EngineTables, ExponentTable) {
    EngineTables t;
    EXPECT_EQ(t.exponent()[0], 1073741824u);
    EXPECT_EQ(t.exponent()[8191], 2147301951u);
    EXPECT_EQ(t.exponent()[4096], 1518500250u);  // 2^30.5
}

TEST(EngineTables, ShiftTablesDifferInTheirTails) {
    EngineTables t;
    EXPECT_EQ(t.pitchShift()[0], 30);
    EXPECT_EQ(t.pitchShift()[29], 1);
    EXPECT_EQ(t.pitchShift()[30], 0);
    EXPECT_EQ(t.rateShift()[29], 1);
    EXPECT_EQ(t.rateShift()[30], 1);
    EXPECT_EQ(t.rateShift()[127], 1);
}

TEST(EngineTables, PitchLevelAndRateTables) {
    EngineTables t;
    EXPECT_EQ(t.notePitch()[69], 47104);
    EXPECT_EQ(t.notePitch()[1], 683);
    EXPECT_EQ(t.totalLevel()[127], 8128);
    EXPECT_EQ(t.totalLevel()[128], 8192);
    EXPECT_EQ(t.attackCurve()[0], 8192);
    EXPECT_EQ(t.attackCurve()[2048], 512);
    EXPECT_EQ(t.attackCurve()[1], 6144);
    EXPECT_EQ(t.attackCurve()[2], 5632);  // the attack start position 0x80000
    EXPECT_EQ(t.linearCurve()[4095], 8190);
    EXPECT_EQ(t.keyScale()[128], 0);
    EXPECT_EQ(t.keyScale()[129], 85);
    EXPECT_EQ(t.keyScale()[127], -85);
    EXPECT_EQ(t.keyScale()[0], -10922);
    EXPECT_EQ(t.sustainLevel()[126], 126u << 23);
    EXPECT_EQ(t.sustainLevel()[127], 0x40000000u);
    EXPECT_EQ(t.multiplier()[0], -8192);
    EXPECT_EQ(t.multiplier()[1], 0);
    EXPECT_EQ(t.multiplier()[2], 8192);
    EXPECT_EQ(t.multiplier()[3], 12984);
}

TEST(EngineTables, GainTables) {
    EngineTables t;
    EXPECT_FLOAT_EQ(t.volumeCurve()[127], 1.0f);
    EXPECT_FLOAT_EQ(t.volumeCurve()[63], 0.25f);
    EXPECT_FLOAT_EQ(t.panLaw()[0], 1.0f);
    EXPECT_FLOAT_EQ(t.panLaw()[63], 1.0f);
    EXPECT_FLOAT_EQ(t.panLaw()[64], 1.0f);
    EXPECT_NEAR(t.panLaw()[128], 0.70710677f, 1e-7f);
    EXPECT_FLOAT_EQ(t.panLaw()[192], 0.0f);
    EXPECT_FLOAT_EQ(t.panLaw()[256], 0.0f);
}

TEST(EngineTables, VelocityCurveSamples) {
    EngineTables t;
    const int32_t* c = t.velocityCurves();
    const int at[6] = {0, 31, 63, 95, 126, 127};
    const int32_t expected[4][6] = {
        {0, 0, 0, 0, 0, 0},
        {3074, 610, 212, 48, 0, 0},
        {3584, 1024, 512, 212, 6, 0},
        {7168, 2048, 1024, 424, 12, 0},
    };
    for (int curve = 0; curve < 4; ++curve)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(c[curve * 128 + at[i]], expected[curve][i]) << curve << " " << at[i];
}

TEST(EngineTables, LfoWaveSamples) {
    EngineTables t;
    const int32_t* w = t.lfoWaves();
    // Triangle: step 32 is the positive peak, half way up in AM.
    EXPECT_EQ(w[2 * 32], 8192);
    EXPECT_EQ(w[2 * 32 + 1], 4096);
    EXPECT_EQ(w[2 * 96], -8192);
    EXPECT_EQ(w[2 * 64 + 1], 8192);
    // Saw.
    EXPECT_EQ(w[256 + 0], -8064);
    EXPECT_EQ(w[256 + 1], 8128);
    EXPECT_EQ(w[256 + 2 * 127], 8192);
    // Square.
    EXPECT_EQ(w[512 + 2 * 63], 8192);
    EXPECT_EQ(w[512 + 2 * 64], -8192);
    EXPECT_EQ(w[512 + 2 * 64 + 1], 8192);
    // Random wave from seed 1635: the first draw is 5377.
    EXPECT_EQ(w[768], -5503);
    EXPECT_EQ(w[769], 1344);
    for (int s = 0; s < 128; ++s) {
        ASSERT_GE(w[768 + 2 * s], -8192);
        ASSERT_LE(w[768 + 2 * s], 8192);
        ASSERT_GE(w[768 + 2 * s + 1], 0);
        ASSERT_LE(w[768 + 2 * s + 1], 8192);
    }
}

TEST(RateExp, MatchesPowersOfTwo) {
    EngineTables t;
    EXPECT_EQ(rateExp(8192 * 10, t.exponent(), t.pitchShift()), 1024u);
    EXPECT_EQ(rateExp(8192 * 10 + 4096, t.exponent(), t.pitchShift()), 1448u);  // 2^10.5 = 1448.15
    EXPECT_EQ(rateExp(0, t.exponent(), t.pitchShift()), 1u);
}

}  // namespace
}  // namespace taluma
