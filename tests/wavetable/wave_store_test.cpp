#include "store_fixture.h"

namespace taluma {
namespace {

using Store = test::StoreTest;

TEST_F(Store, DefaultsAreA32PointSineAndEmptySlots) {
    EXPECT_EQ(cells(0, 9), (std::vector<int>{128, 153, 177, 199, 218, 234, 245, 253, 255}));
    EXPECT_EQ(store->cell(0, 24), 1);  // round(-127) + 128
    EXPECT_EQ(store->cell(1, 31), 103);
    EXPECT_EQ(store->cell(0, 32), 0);
    EXPECT_EQ(store->slotCell(3, 127), 0x80);
    EXPECT_EQ(store->size(0), 32);
    // Committed: cell k sits at wave position k << 2.
    EXPECT_EQ(wave(0, 0), 8192u);
    EXPECT_EQ(wave(0, 8 * 4), store->sampleToWave(255));
    EXPECT_EQ(store->sampleToWave(0), 1u);
    EXPECT_EQ(store->sampleToWave(128), 8192u);
}

TEST_F(Store, RotationsOfAFourCellTable) {
    store->resizeTable(0, 2);
    fill(0, {10, 20, 30, 40});
    store->rotateLeft(0, 1);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{20, 30, 40, 10}));
    store->rotateRight(0, 1);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    store->rotateLeft(0, 4);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    store->reverse(0);
    EXPECT_EQ(cells(0, 4), (std::vector<int>{40, 30, 20, 10}));
    // A table of size 4 is read only at positions 0, 32, 64 and 96.
    EXPECT_EQ(wave(0, 32), store->sampleToWave(30));
    EXPECT_EQ(engine.waveIndexMask[0], 96);
}

TEST_F(Store, LevelAndScaleResults) {
    struct Case {
        LevelOp op;
        int in, out;
    };
    const Case cases[] = {
        {LevelOp::Amplify2, 0, 0},      {LevelOp::Amplify2, 255, 255},
        {LevelOp::Amplify2, 127, 126},  {LevelOp::ScaleHalf, 0, 64},
        {LevelOp::ScaleHalf, 127, 127}, {LevelOp::ScaleHalf, 255, 191},
        {LevelOp::Scale2_3, 127, 128},  {LevelOp::Scale2_3, 0, 43},
        {LevelOp::Scale2_3, 255, 212},  {LevelOp::Amplify1_5, 127, 126},
        {LevelOp::Amplify1_5, 0, 0},    {LevelOp::Amplify1_5, 255, 255},
        {LevelOp::Up4, 253, 255},       {LevelOp::Down4, 2, 0},
        {LevelOp::Up1, 255, 255},       {LevelOp::Down1, 0, 0},
        {LevelOp::Invert, 0, 255},      {LevelOp::Invert, 128, 127},
    };
    for (const Case& c : cases) {
        store->setCell(0, 0, uint8_t(c.in));
        store->applyLevel(0, c.op);
        EXPECT_EQ(store->cell(0, 0), c.out) << int(c.op) << " of " << c.in;
    }
}

TEST_F(Store, BitReductionKeepsTheTopBits) {
    fill(1, {0xFF, 0x7F});
    store->reduceBits(1, 0);
    EXPECT_EQ(cells(1, 2), (std::vector<int>{0x80, 0x00}));
    fill(1, {0xFF, 0x7F});
    store->reduceBits(1, 6);
    EXPECT_EQ(cells(1, 2), (std::vector<int>{0xFE, 0x7E}));
}

TEST_F(Store, ResizeRepeatsOrPicksTheLastOfEachGroup) {
    fill(0, seq(32, [](int i) { return i * 8; }));
    store->resizeTable(0, 7);
    EXPECT_EQ(cells(0, 128), seq(128, [](int i) { return i / 4 * 8; }));
    fill(0, seq(128, [](int i) { return i; }));
    store->resizeTable(0, 5);
    EXPECT_EQ(cells(0, 128), seq(128, [](int i) { return i < 32 ? 4 * i + 3 : 0; }));
    EXPECT_EQ(engine.waveIndexMask[0], 124);
}

TEST_F(Store, ResizeSilencesVoices) {
    engine.voices()[3].flags = kFlagA | kFlagHeld;
    store->resizeTable(1, 6);
    EXPECT_EQ(engine.sounding(), 0);
    EXPECT_EQ(engine.voices()[0].waveIndexMask[1], 126);
}

TEST_F(Store, CopyBetweenSizes) {
    store->resizeTable(0, 7);
    fill(0, seq(128, [](int i) { return i; }));
    store->copy(0, 1);  // 128 -> 32 takes cells 3, 7, 11, ...
    EXPECT_EQ(cells(1, 32), seq(32, [](int i) { return 4 * i + 3; }));
    fill(1, seq(32, [](int i) { return 200 - i; }));
    store->copy(1, 0);  // 32 -> 128 repeats each cell four times
    EXPECT_EQ(cells(0, 128), seq(128, [](int i) { return 200 - i / 4; }));
}

TEST_F(Store, ExchangeKeepsEachTablesSize) {
    store->resizeTable(1, 3);
    fill(1, {1, 2, 3, 4, 5, 6, 7, 8});
    const std::vector<int> a = cells(0, 32);
    store->exchange();
    EXPECT_EQ(store->size(0), 32);
    EXPECT_EQ(store->size(1), 8);
    EXPECT_EQ(cells(0, 5), (std::vector<int>{1, 1, 1, 1, 2}));
    EXPECT_EQ(store->cell(1, 0), a[3]);  // the last of each group of four
    EXPECT_EQ(store->cell(1, 7), a[31]);
}

TEST_F(Store, SlotsRoundTripAtFullResolution) {
    store->saveSlot(0, 2);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store->slotCell(2, i), store->cell(0, i / 4)) << i;
    store->clear(0);
    EXPECT_EQ(store->cell(0, 5), 0);
    store->loadSlot(0, 2);
    EXPECT_EQ(store->cell(0, 8), 255);
    EXPECT_EQ(wave(0, 32), store->sampleToWave(255));
}

TEST_F(Store, DrawingQuantisesAndLinks) {
    store->setStepQuantiser(0, 3);
    EXPECT_EQ(store->drawSample(0, 5, 256.0), 225.0);
    EXPECT_EQ(store->cell(0, 5), 0xE0);
    EXPECT_EQ(wave(0, 20), store->sampleToWave(0xE0));
    EXPECT_EQ(store->drawSample(0, 5, -10.0), 1.0);

    store->linkAB = true;
    store->resizeTable(1, 7);
    EXPECT_EQ(store->drawSample(0, 2, 100.4), 97.0);  // trunc(100.9) - 1 = 99, masked to 96
    for (int j = 8; j < 12; ++j)
        EXPECT_EQ(store->cell(1, j), 96) << j;
    EXPECT_EQ(store->cell(1, 12), 199);  // old cell 3, untouched
    // A cell beyond the table's size is not written.
    store->setStepQuantiser(0, 8);
    EXPECT_EQ(store->drawSample(0, 40, 50.0), 50.0);
    EXPECT_EQ(store->cell(0, 40), 0);
}

}  // namespace
}  // namespace taluma
