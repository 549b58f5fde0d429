#include <algorithm>

#include "store_fixture.h"
#include "wavetable/wave_generators.h"

namespace taluma {
namespace {

using Generators = test::StoreTest;

TEST_F(Generators, EmptyRangeLeavesTableAndEngineUntouched) {
    fill(1, {7, 7, 7});
    engine.waveLog[1][0].store(12345);
    GeneratorSettings s;
    s.rangeStart = 40;  // above min(size 32, rangeEnd 128)
    generateWave(*store, 1, s);
    EXPECT_EQ(store->cell(1, 0), 7);
    EXPECT_EQ(wave(1, 0), 12345u);
}

TEST_F(Generators, PlainShapes) {
    store->resizeTable(0, 2);
    GeneratorSettings s;
    s.type = kGenSquare;
    s.amplitude = 255;
    generateWave(*store, 0, s);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{255, 255, 0, 0}));  // clipped at both ends
    s.type = kGenSaw;
    s.amplitude = 100;
    generateWave(*store, 0, s);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{228, 178, 128, 78}));
    s.type = kGenTriangle;
    generateWave(*store, 0, s);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{128, 228, 128, 28}));
}

// Default settings draw the store's default sine, as do the other shapes with one harmonic.
TEST_F(Generators, OneHarmonicTurnsEveryShapeIntoTheDefaultSine) {
    const std::vector<int> expected = cells(0, 32);
    store->clear(0);
    generateWave(*store, 0, GeneratorSettings());
    EXPECT_EQ(cells(0, 32), expected);
    EXPECT_EQ(wave(0, 8 * 4), store->sampleToWave(255));
    for (int type : {kGenTriangle, kGenSaw, kGenSquare}) {
        GeneratorSettings s;
        s.type = type;
        s.harmonicsOn = true;
        s.harmonicsCount = 1;
        store->clear(1);
        generateWave(*store, 1, s);
        EXPECT_EQ(cells(1, 32), expected) << type;
    }
}

TEST_F(Generators, BandLimitedShapesAreNormalisedToTheirPeak) {
    GeneratorSettings s;
    s.type = kGenSquare;
    s.harmonicsOn = true;
    s.harmonicsCount = 8;
    store->resizeTable(0, 7);
    generateWave(*store, 0, s);
    const std::vector<int> c = cells(0, 128);
    EXPECT_EQ(*std::max_element(c.begin(), c.end()), 255);
    EXPECT_EQ(*std::min_element(c.begin(), c.end()), 1);
}

TEST_F(Generators, AZeroPeakRangeIsNotDivided) {
    GeneratorSettings s;
    s.type = kGenSaw;
    s.harmonicsOn = true;
    s.rangeEnd = 1;  // one cell at phase 0: every partial is 0 there
    s.offset = 5;
    generateWave(*store, 0, s);
    EXPECT_EQ(store->cell(0, 0), 133);
}

// Two points over 32 cells: segments of 16, cells 0, 4, 8, 12 at fractions 0, 1/4, 1/2,
// 3/4 of the first, 16 on the second point, 31 near the third. The points come from the
// seeded generator: (1234 * 214013 + 2531011) >> 16 & 0x7FFF = 4068 gives
// round(127 * (4068 / 32767 * 2 - 1)) + 128 = 33, then 3 and 100.
TEST_F(Generators, NoiseFollowsItsSeedAndInterpolation) {
    struct Row {
        int interpolation;
        std::vector<int> cells;  // at 0, 4, 8, 12, 16 and 31
    };
    const Row rows[] = {{0, {33, 33, 33, 33, 3, 3}},
                        {1, {33, 25, 18, 10, 3, 94}},
                        {2, {33, 28, 18, 7, 3, 99}},
                        {3, {33, 29, 18, 6, 3, 100}}};
    GeneratorSettings s;
    s.type = kGenNoise;
    s.noiseSeed = 1234;
    s.noisePoints = 2;
    for (const Row& row : rows) {
        s.interpolation = row.interpolation;
        generateWave(*store, 0, s);
        std::vector<int> seen;
        for (int i : {0, 4, 8, 12, 16, 31})
            seen.push_back(store->cell(0, i));
        EXPECT_EQ(seen, row.cells) << row.interpolation;
    }
    s.noiseSeed = 40000;
    generateWave(*store, 0, s);
    EXPECT_NE(store->cell(0, 0), 33);
}

TEST_F(Generators, LoopedNoiseJoinsItsEnds) {
    GeneratorSettings s;
    s.type = kGenNoise;
    s.noisePoints = 2;
    s.noiseLoop = true;
    s.interpolation = 1;
    s.amplitude = 255;
    store->resizeTable(0, 7);
    generateWave(*store, 0, s);
    // The last cell approaches the first point again.
    EXPECT_NEAR(store->cell(0, 127), store->cell(0, 0), 8);
}

TEST_F(Generators, ConstantFillsItsRangeOnly) {
    store->resizeTable(1, 7);
    GeneratorSettings s;
    s.type = kGenConstant;
    s.rangeStart = 120;
    s.rangeEnd = 128;
    s.amplitude = 50;
    s.offset = 20;
    const int before = store->cell(1, 119);
    fillConstant(*store, 1, s);
    EXPECT_EQ(store->cell(1, 119), before);
    for (int c = 120; c < 128; ++c)
        EXPECT_EQ(store->cell(1, c), 198) << c;
    s.amplitude = 255;
    fillConstant(*store, 1, s);
    EXPECT_EQ(store->cell(1, 127), 255);
}

}  // namespace
}  // namespace taluma
