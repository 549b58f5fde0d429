#include <gtest/gtest.h>

#include "engine/engine_tables.h"
#include "engine/log_math.h"

#include <vector>

namespace taluma {
namespace {

TEST(LogEncode, SilentCodeFullScaleAndSign) {
    // One octave = 256 units, doubled; the low bit is the sign; tiny values are silent.
    const std::pair<double, int32_t> cases[] = {
        {0.0, 8192}, {1.0 / 65536.0, 8192}, {-1.0 / 65536.0, 8192}, {1.0, 0}, {-1.0, 1},
        {0.5, 512},  {-0.25, 1025}};
    for (const auto& [value, code] : cases)
        EXPECT_EQ(logEncode(value), code) << value;
    EXPECT_EQ(logEncodeSingle(0.0f), 8192);
    EXPECT_EQ(logEncodeSingle(-1.0f), 1);
    EXPECT_EQ(logEncodeSingle(1.0f / 128.0f), 3584);
}

// The entries of `table` at `indices`, to compare samples of a table at once.
template <typename T>
std::vector<int64_t> at(const T* table, std::initializer_list<int> indices) {
    std::vector<int64_t> values;
    for (int i : indices)
        values.push_back(table[i]);
    return values;
}
using Values = std::vector<int64_t>;

TEST(EngineTables, ExpExponentAndShiftTables) {
    EngineTables t;
    EXPECT_EQ(at(t.expTable(), {0, 1, 512, 8190, 8191}), (Values{65536, -65536, 32768, 1, -1}));
    for (int i = 8192; i < kExpTableSize; ++i)
        ASSERT_EQ(t.expTable()[i], 0) << i;
    // Entry 4096 is 2^30.5.
    EXPECT_EQ(at(t.exponent(), {0, 8191, 4096}), (Values{1073741824, 2147301951, 1518500250}));
    // The pitch and rate shifts differ in their tails.
    EXPECT_EQ(at(t.pitchShift(), {0, 29, 30}), (Values{30, 1, 0}));
    EXPECT_EQ(at(t.rateShift(), {29, 30, 127}), (Values{1, 1, 1}));
}

TEST(EngineTables, PitchLevelAndRateTables) {
    EngineTables t;
    EXPECT_EQ(at(t.notePitch(), {69, 1}), (Values{47104, 683}));
    EXPECT_EQ(at(t.totalLevel(), {127, 128}), (Values{8128, 8192}));
    // Entry 2 is the attack's start position 0x80000.
    EXPECT_EQ(at(t.attackCurve(), {0, 2048, 1, 2}), (Values{8192, 512, 6144, 5632}));
    EXPECT_EQ(t.linearCurve()[4095], 8190);
    EXPECT_EQ(at(t.keyScale(), {128, 129, 127, 0}), (Values{0, 85, -85, -10922}));
    EXPECT_EQ(at(t.sustainLevel(), {126, 127}), (Values{126 << 23, 0x40000000}));
    EXPECT_EQ(at(t.multiplier(), {0, 1, 2, 3}), (Values{-8192, 0, 8192, 12984}));
}

TEST(EngineTables, GainTables) {
    EngineTables t;
    EXPECT_FLOAT_EQ(t.volumeCurve()[127], 1.0f);
    EXPECT_FLOAT_EQ(t.volumeCurve()[63], 0.25f);
    const std::pair<int, float> pan[] = {{0, 1.0f},          {63, 1.0f},  {64, 1.0f},
                                         {128, 0.70710677f}, {192, 0.0f}, {256, 0.0f}};
    for (const auto& [i, gain] : pan)
        EXPECT_NEAR(t.panLaw()[i], gain, 1e-7f) << i;
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
    const int32_t* w = t.lfoWaves();  // pitch and amplitude values of each step
    // Triangle: step 32 is the positive peak, half way up in AM.
    EXPECT_EQ(at(w, {64, 65, 192, 129}), (Values{8192, 4096, -8192, 8192}));
    EXPECT_EQ(at(w + 256, {0, 1, 254}), (Values{-8064, 8128, 8192}));      // saw
    EXPECT_EQ(at(w + 512, {126, 128, 129}), (Values{8192, -8192, 8192}));  // square
    // Random wave from seed 1635: the first draw is 5377.
    EXPECT_EQ(at(w + 768, {0, 1}), (Values{-5503, 1344}));
}

TEST(RateExp, MatchesPowersOfTwo) {
    EngineTables t;
    EXPECT_EQ(rateExp(8192 * 10, t.exponent(), t.pitchShift()), 1024u);
    EXPECT_EQ(rateExp(8192 * 10 + 4096, t.exponent(), t.pitchShift()), 1448u);  // 2^10.5 = 1448.15
    EXPECT_EQ(rateExp(0, t.exponent(), t.pitchShift()), 1u);
}

}  // namespace
}  // namespace taluma
