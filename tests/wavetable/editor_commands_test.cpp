// The editor's commands as the processor dispatches them: conversions, table edits,
// generator settings, engine values and the replies the editor gets back.
#include <algorithm>
#include <limits>

#include "state_record.h"
#include "synth_fixture.h"

namespace taluma::test {
namespace {

using CommandsTest = SynthTest;
using Replies = std::vector<Reply>;

TEST_F(CommandsTest, EveryKindOfReply) {
    EXPECT_EQ(send(0x3001, 1.0), (Replies{{0x3001, 0.0}}));          // reply 0
    EXPECT_EQ(send(0x10003001, 1.0), (Replies{{0x10003001, 0.0}}));  // marker bits kept
    EXPECT_EQ(send(0x10002007, 1.0), (Replies{{0x10002007, 1.0}}));  // echo
    EXPECT_TRUE(store().linkAB.load());
    EXPECT_EQ(send(0x6006, 0.5), (Replies{{0x6006, 256.0 / 511.0}}));  // q/S
    EXPECT_EQ(synth.generator.amplitude, 0);
    EXPECT_EQ(send(0x3830, 0.0), Replies{});  // none
    EXPECT_EQ(send(0x7010, 1.0), Replies{});
    EXPECT_EQ(synth.settings.skin.load(), 1);
}

TEST_F(CommandsTest, UnknownTagsChangeNothingAndStaySilent) {
    const std::vector<uint8_t> before = writeStateRecord(synth);
    for (int32_t tag :
         {0x0005, 0x8001, 0xF00F, 0x3000, 0x300F, 0x3200, 0x3801, 0x3811, 0x2003, 0x501B, 0x5020,
          0x501F, 0x5113, 0x6003, 0x6041, 0x7004, 0x700C, 0x1108, 0x1007}) {
        EXPECT_EQ(send(tag, 0.75), Replies{}) << std::hex << tag;
    }
    EXPECT_EQ(writeStateRecord(synth), before);
}

TEST_F(CommandsTest, RotationsAndReverseOfAFourCellTable) {
    EXPECT_EQ(send(0x3810, sizeChoice(2)), (Replies{{0x3810, 0.0}}));
    ASSERT_EQ(store().size(0), 4);
    fill(0, {10, 20, 30, 40});
    send(0x3001, 1);  // left by 4
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(0x3002, 1);  // left by 1
    EXPECT_EQ(cells(0, 4), (std::vector<int>{20, 30, 40, 10}));
    send(0x3004, 1);  // right by 1
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(0x3005, 1);  // right by 4
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(0x3003, 1);  // reverse
    EXPECT_EQ(cells(0, 4), (std::vector<int>{40, 30, 20, 10}));
    // Cell k of a 4-cell table plays at wave position k << 5.
    EXPECT_EQ(wave(0, 3 << 5), store().sampleToWave(10));
    for (int i = 4; i < kTableCells; ++i)
        ASSERT_EQ(store().cell(0, i), 0);
}

TEST_F(CommandsTest, LevelAndScaleStepsAt0_127And255) {
    struct Case {
        int item;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {6, {4, 131, 255}},  {7, {1, 128, 255}},   {8, {255, 128, 0}},
        {9, {0, 126, 254}},  {10, {0, 123, 251}},  {11, {0, 126, 255}},
        {12, {0, 126, 255}}, {13, {43, 128, 212}}, {14, {64, 127, 191}},
    };
    for (const Case& c : cases) {
        fill(1, {0, 127, 255});
        EXPECT_EQ(send(0x4000 + c.item, 1.0), (Replies{{0x4000 + c.item, 0.0}}));
        EXPECT_EQ(cells(1, 3), c.expected) << "item " << c.item;
        EXPECT_EQ(wave(1, 2 << 2), store().sampleToWave(uint8_t(c.expected[2])));
    }
}

TEST_F(CommandsTest, ResizeBetween32And128Cells) {
    const std::vector<int> sine = cells(0, 32);
    EXPECT_EQ(send(0x3810, 1.0), (Replies{{0x3810, 1.0}}));
    ASSERT_EQ(store().size(0), 128);
    EXPECT_EQ(synth.engine->waveIndexMask[0], 127);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), sine[size_t(i / 4)]) << i;

    std::vector<int> ramp;
    for (int i = 0; i < 128; ++i)
        ramp.push_back(i);
    fill(0, ramp);
    send(0x3810, sizeChoice(5));
    ASSERT_EQ(store().size(0), 32);
    EXPECT_EQ(synth.engine->waveIndexMask[0], 124);
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(0, k), 4 * k + 3) << k;
    for (int k = 32; k < 128; ++k)
        ASSERT_EQ(store().cell(0, k), 0) << k;
}

TEST_F(CommandsTest, CopyAndExchangeBetweenSizes) {
    send(0x3810, 1.0);  // A: 128 cells, B stays at 32
    std::vector<int> ramp;
    for (int i = 0; i < 128; ++i)
        ramp.push_back(i);
    fill(0, ramp);
    EXPECT_EQ(send(0x3803, 0.25), (Replies{{0x3803, 0.25}}));  // A's menu: A -> B
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(1, k), 4 * k + 3);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), i);  // source unchanged

    fill(1, std::vector<int>(32, 7));
    store().setCell(1, 31, 9);
    store().commitTable(1);
    send(0x4803, 0.0);  // B's menu: B -> A
    for (int i = 0; i < 124; ++i)
        ASSERT_EQ(store().cell(0, i), 7);
    for (int i = 124; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), 9);

    fill(1, std::vector<int>(32, 200));
    EXPECT_EQ(send(0x4804, 1.0), (Replies{{0x4804, 1.0}}));
    EXPECT_EQ(store().cell(0, 0), 200);
    EXPECT_EQ(store().cell(1, 31), 9);
    EXPECT_EQ(store().size(0), 128);  // each table keeps its size
    EXPECT_EQ(store().size(1), 32);
}

TEST_F(CommandsTest, MenuClearSlotsAndBitReduction) {
    const std::vector<int> sine = cells(0, 32);
    EXPECT_EQ(send(0x3830, 1.0), Replies{});  // save into slot 4
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().slotCell(3, i), sine[size_t(i / 4)]);
    EXPECT_EQ(send(0x3802, 0.0), (Replies{{0x3802, 0.0}}));
    EXPECT_EQ(table(0), std::vector<int>(128, 0));
    EXPECT_EQ(send(0x3820, 1.0), (Replies{{0x3820, 1.0}}));  // load slot 4
    EXPECT_EQ(cells(0, 32), sine);
    EXPECT_EQ(send(0x3840, 0.0), (Replies{{0x3840, 0.0}}));  // "1 bit": keeps 0x80
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(0, k), sine[size_t(k)] & 0x80);
    fill(1, {0xFF});
    send(0x4840, 1.0);  // "7 bit": keeps 0xFE
    EXPECT_EQ(store().cell(1, 0), 0xFE);
}

TEST_F(CommandsTest, DrawingWithStepBitsAndLinkAB) {
    const std::vector<int> b = cells(1, 32);
    EXPECT_EQ(send(0x3850, 2.0 / 7.0), (Replies{{0x3850, 2.0 / 7.0}}));
    EXPECT_EQ(store().stepBits(0), 3);
    EXPECT_EQ(send(0x10003105, 256.0), (Replies{{0x10003105, 225.0}}));
    EXPECT_EQ(store().cell(0, 5), 0xE0);
    EXPECT_EQ(wave(0, 5 << 2), store().sampleToWave(0xE0));
    EXPECT_EQ(store().cell(1, 5), b[5]);

    send(0x2007, 1.0);
    EXPECT_EQ(send(0x10004107, 100.4), (Replies{{0x10004107, 100.0}, {0x3907, 100.0}}));
    EXPECT_EQ(store().cell(1, 7), 99);
    EXPECT_EQ(store().cell(0, 7), 99);  // B's quantiser, not A's
    EXPECT_EQ(send(0x3109, 256.0), (Replies{{0x3109, 225.0}, {0x4909, 225.0}}));
    EXPECT_EQ(store().cell(1, 9), 0xE0);

    // A 32-cell A drawn onto a 128-cell B fills the four cells it covers.
    send(0x4810, 1.0);
    send(0x3102, 129.0);
    for (int j = 8; j < 12; ++j)
        EXPECT_EQ(store().cell(1, j), 128);
    EXPECT_EQ(wave(1, 11), store().sampleToWave(128));

    send(0x2007, 0.0);
    EXPECT_EQ(send(0x3102, 1.0), (Replies{{0x3102, 1.0}}));  // link off: one reply
}

TEST_F(CommandsTest, DrawingOutsideTheTableWritesNothing) {
    const std::vector<int> a = table(0), b = cells(1, 32);
    EXPECT_EQ(send(0x3180, 77.0), (Replies{{0x3180, 77.0}}));  // item 128 only echoes
    EXPECT_EQ(send(0x31FF, 3.0), (Replies{{0x31FF, 3.0}}));
    send(0x3140, 200.0);  // cell 64 of a 32-cell table
    EXPECT_EQ(table(0), a);
    send(0x3810, sizeChoice(2));
    send(0x2007, 1.0);
    send(0x3107, 50.0);  // cell 7 of a 4-cell table, linked
    EXPECT_EQ(store().cell(0, 7), 0);
    EXPECT_EQ(cells(1, 32), b);
    send(0x3100, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(store().cell(0, 0), 0);
}

TEST_F(CommandsTest, GeneratorSettingsAndSteps) {
    struct Case {
        int32_t tag;
        double norm;
        double reply;
    };
    const Case cases[] = {
        {0x6007, 1.0, 1.0},
        {0x6008, 0.0, 0.0},
        {0x6009, 1.0, 1.0},
        {0x600A, 0.0, 0.0},
        {0x600B, 0.0, 0.0},
        {0x600D, 1.0, 1.0},
        {0x600F, 1.0 / 3.0, 1.0 / 3.0},
        {0x6010, 1.0, 1.0},
        {0x6011, 1.0, 1.0},
        {0x600C, 0.7, 0.0},
        {0x600E, 0.7, 0.0},
        {0x6040, 3.9, 3.9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(send(c.tag, c.norm), (Replies{{c.tag, c.reply}})) << std::hex << c.tag;
    const GeneratorSettings& g = synth.generator;
    EXPECT_EQ(g.offset, 255);
    EXPECT_EQ(g.rangeEnd, 1);
    EXPECT_EQ(g.rangeStart, 127);
    EXPECT_EQ(g.cyclesQuarter, 1);
    EXPECT_EQ(g.phase, -128);
    EXPECT_EQ(g.harmonicsCount, 64);
    EXPECT_EQ(g.interpolation, 1);
    EXPECT_EQ(g.noisePoints, 128);
    EXPECT_EQ(g.noiseSeed, 65535);
    EXPECT_TRUE(g.harmonicsOn);
    EXPECT_TRUE(g.noiseLoop);
    EXPECT_EQ(g.type, 3);
    send(0x6040, 99.0);
    EXPECT_EQ(g.type, 5);
    send(0x6006, -3.0);  // beyond the knob's travel
    EXPECT_EQ(g.amplitude, -256);
}

TEST_F(CommandsTest, GeneratedWaves) {
    fill(0, std::vector<int>(32, 0));
    EXPECT_EQ(send(0x6001, 1.0), (Replies{{0x6001, 1.0}}));  // defaults: one sine cycle
    EXPECT_EQ(store().cell(0, 0), 128);
    EXPECT_EQ(store().cell(0, 8), 255);
    EXPECT_EQ(store().cell(0, 24), 1);

    send(0x6040, 3.0);  // square at amplitude 255 clips
    send(0x6006, 1.0);
    send(0x6002, 1.0);
    const std::vector<int> square = cells(1, 32);
    EXPECT_EQ(std::count(square.begin(), square.end(), 255), 16);
    EXPECT_EQ(std::count(square.begin(), square.end(), 0), 16);

    send(0x6040, 5.0);  // noise: the same seed gives the same table
    send(0x6006, 383.0 / 511.0);
    send(0x6011, 1234.0 / 65535.0);
    send(0x600F, 1.0);
    send(0x6001, 1.0);
    send(0x6002, 1.0);
    EXPECT_EQ(cells(0, 32), cells(1, 32));
    send(0x6011, 1235.0 / 65535.0);
    send(0x6002, 1.0);
    EXPECT_NE(cells(0, 32), cells(1, 32));

    send(0x6040, 4.0);  // constant offset 50 into cells 20..24 of B
    send(0x6006, 256.0 / 511.0);
    send(0x6007, 306.0 / 511.0);
    send(0x6009, 20.0 / 127.0);
    send(0x6008, 4.0 / 127.0);
    const std::vector<int> before = cells(1, 32);
    send(0x6002, 1.0);
    for (int k = 0; k < 32; ++k)
        EXPECT_EQ(store().cell(1, k), k >= 20 && k < 25 ? 178 : before[size_t(k)]) << k;
}

TEST_F(CommandsTest, GlobalValuesWhileAudioIsStopped) {
    SynthEngine& e = *synth.engine;
    EXPECT_EQ(send(0x100B, 0.0), Replies{});
    EXPECT_EQ(e.bitDepth, 1);
    EXPECT_EQ(e.outputMask, 0xFFFF0000u);
    send(0x100B, 1.0);
    EXPECT_EQ(e.bitDepth, 16);
    EXPECT_EQ(send(0x100C, 0.0), Replies{});
    EXPECT_EQ(e.voiceCount, 8);
    send(0x100C, 1.0);
    EXPECT_EQ(e.voiceCount, 1024);
    EXPECT_EQ(e.voiceMask, 1023);
    EXPECT_EQ(send(0x7003, 1.0), Replies{});
    EXPECT_EQ(e.tone().bendRange, 24);
    send(0x7003, 0.5);
    EXPECT_EQ(e.tone().bendRange, 12);
    EXPECT_EQ(send(0x1009, 1.0), Replies{});
    EXPECT_EQ(e.referencePitch, 46000u);
    EXPECT_EQ(send(0x1008, 0.5), Replies{});
    EXPECT_EQ(e.tone().volume, 64);
    EXPECT_EQ(send(0x100A, 1.0), Replies{});
    EXPECT_EQ(synth.rate.rateDivider, 3);
    EXPECT_EQ(e.sampleRate, 11025.0f);
    EXPECT_EQ(synth.pendingChanges.load(), 0u);
    EXPECT_FALSE(synth.editBusy.load());
    EXPECT_EQ(synth.snapshot.voiceCount(), 1024);  // published for the editor
    send(0x1040, 3.0);
    EXPECT_EQ(synth.settings.page.load(), 3);
}

TEST_F(CommandsTest, StructuralChangesWaitForTheAudioThreadWhileRunning) {
    synth.audioRunning.store(true);
    SynthEngine& e = *synth.engine;
    send(0x100C, 0.0);
    EXPECT_EQ(synth.pendingChanges.load(), change::kVoiceCount);
    EXPECT_EQ(synth.pendingVoiceValue.load(), 0.0f);
    send(0x100A, 1.0);
    EXPECT_EQ(synth.pendingChanges.load(), change::kVoiceCount | change::kRateDivider);
    EXPECT_EQ(synth.pendingRateValue.load(), 1.0f);
    EXPECT_EQ(e.voiceCount, 128);
    EXPECT_EQ(synth.rate.rateDivider, 0);
    // Host parameters carry these while audio runs.
    EXPECT_EQ(send(0x5013, 40.0), Replies{});
    send(0x100B, 0.0);
    send(0x7003, 1.0);
    send(0x1008, 0.0);
    send(0x1009, 1.0);
    EXPECT_EQ(e.tone().opValue(0, kTl), 16);
    EXPECT_EQ(e.bitDepth, 16);
    EXPECT_EQ(e.tone().bendRange, 2);
    EXPECT_EQ(e.tone().volume, 127);
    EXPECT_EQ(e.referencePitch, 44000u);
}

TEST_F(CommandsTest, OperatorAndLfoValues) {
    struct Case {
        int32_t tag;
        double value;
        uint32_t id;
        int32_t expected;
    };
    const Case cases[] = {
        {0x5013, 40.9, 0x40093, 40},   {0x5022, 16384.0, 0x400A2, 16384},
        {0x5012, 0.0, 0x40092, 0},     {0x5090, 2.0, 0x4009B, 2},
        {0x50A0, 3.0, 0x400AB, 3},     {0x5080, 1.0, 0x40002, 1},
        {0x50B0, 2.0, 0x40003, 2},     {0x5003, 5000.0, 0x40004, 5000},
        {0x5010, 64.0, 0x40090, 64},   {0x502E, 5.0, 0x400AE, 5},
        {0x501C, 6.0, 0x4009C, 6},     {0x5029, 70.0, 0x400A9, 70},
        {0x5014, 500.0, 0x40094, 127},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(send(c.tag, c.value), (Replies{{c.tag, c.value}})) << std::hex << c.tag;
        EXPECT_EQ(synth.engine->parameterValue(c.id), c.expected) << std::hex << c.tag;
    }
}

TEST_F(CommandsTest, DisplaySettingsAreKeptInRange) {
    send(0x700D, 50.0);
    send(0x700E, 20.0);
    send(0x700F, 1.0);
    send(0x7011, 4.0);
    EXPECT_EQ(synth.settings.waveOpacity.load(), 50);
    EXPECT_EQ(synth.settings.gridOpacity.load(), 20);
    EXPECT_EQ(synth.settings.numberRadix.load(), 1);
    EXPECT_EQ(synth.settings.frameRateIndex.load(), 4);
    send(0x7010, 7.0);
    send(0x700D, 1e12);
    send(0x7011, -5.0);
    EXPECT_EQ(synth.settings.skin.load(), 1);
    EXPECT_EQ(synth.settings.waveOpacity.load(), 100);
    EXPECT_EQ(synth.settings.frameRateIndex.load(), 0);
}

}  // namespace
}  // namespace taluma::test
