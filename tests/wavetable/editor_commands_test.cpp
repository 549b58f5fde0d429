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
    EXPECT_EQ(send(tableCommand(0, kEditButtons, button::kRotateLeft4), 1.0),
              (Replies{{tableCommand(0, kEditButtons, button::kRotateLeft4), 0.0}}));  // reply 0
    EXPECT_EQ(send(editorTag(tableCommand(0, kEditButtons, button::kRotateLeft4)), 1.0),
              (Replies{{editorTag(tableCommand(0, kEditButtons, button::kRotateLeft4)),
                        0.0}}));  // marker bits kept
    EXPECT_EQ(send(editorTag(waveSwitch::kLinkAB), 1.0),
              (Replies{{editorTag(waveSwitch::kLinkAB), 1.0}}));  // echo
    EXPECT_TRUE(store().linkAB.load());
    EXPECT_EQ(send(generator::kAmplitude, 0.5),
              (Replies{{generator::kAmplitude, 256.0 / 511.0}}));  // q/S
    EXPECT_EQ(synth.generator().amplitude, 0);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kSaveSlot), 0.0), Replies{});  // none
    EXPECT_EQ(send(setting::kSkin, 1.0), Replies{});
    EXPECT_EQ(synth.settings().skin.load(), 1);
}

TEST_F(CommandsTest, UnknownTagsChangeNothingAndStaySilent) {
    const std::vector<uint8_t> before = writeStateRecord(synth);
    for (int32_t tag :
         {0x0005, 0x8001, 0xF00F, tableCommand(0, kEditButtons, button::kMenu), 0x300F, 0x3200,
          0x3801, 0x3811, 0x2003, 0x501B, opValue::operatorParam(1, eventid::kFeedback), 0x501F,
          0x5113, 0x6003, 0x6041, 0x7004, 0x700C, 0x1108, 0x1007}) {
        EXPECT_EQ(send(tag, 0.75), Replies{}) << std::hex << tag;
    }
    EXPECT_EQ(writeStateRecord(synth), before);
}

TEST_F(CommandsTest, RotationsAndReverseOfAFourCellTable) {
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kTableSize), sizeChoice(2)),
              (Replies{{tableCommand(0, kTableMenu, menu::kTableSize), 0.0}}));
    ASSERT_EQ(store().size(0), 4);
    fill(0, {10, 20, 30, 40});
    send(tableCommand(0, kEditButtons, button::kRotateLeft4), 1);  // left by 4
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(tableCommand(0, kEditButtons, button::kRotateLeft1), 1);  // left by 1
    EXPECT_EQ(cells(0, 4), (std::vector<int>{20, 30, 40, 10}));
    send(tableCommand(0, kEditButtons, button::kRotateRight1), 1);  // right by 1
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(tableCommand(0, kEditButtons, button::kRotateRight4), 1);  // right by 4
    EXPECT_EQ(cells(0, 4), (std::vector<int>{10, 20, 30, 40}));
    send(tableCommand(0, kEditButtons, button::kReverse), 1);  // reverse
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
        EXPECT_EQ(send(tableCommand(1, kEditButtons, button::kMenu) + c.item, 1.0),
                  (Replies{{tableCommand(1, kEditButtons, button::kMenu) + c.item, 0.0}}));
        EXPECT_EQ(cells(1, 3), c.expected) << "item " << c.item;
        EXPECT_EQ(wave(1, 2 << 2), store().sampleToWave(uint8_t(c.expected[2])));
    }
}

TEST_F(CommandsTest, ResizeBetween32And128Cells) {
    const std::vector<int> sine = cells(0, 32);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kTableSize), 1.0),
              (Replies{{tableCommand(0, kTableMenu, menu::kTableSize), 1.0}}));
    ASSERT_EQ(store().size(0), 128);
    EXPECT_EQ(synth.engine().waveIndexMask[0], 127);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), sine[size_t(i / 4)]) << i;

    std::vector<int> ramp;
    for (int i = 0; i < 128; ++i)
        ramp.push_back(i);
    fill(0, ramp);
    send(tableCommand(0, kTableMenu, menu::kTableSize), sizeChoice(5));
    ASSERT_EQ(store().size(0), 32);
    EXPECT_EQ(synth.engine().waveIndexMask[0], 124);
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(0, k), 4 * k + 3) << k;
    for (int k = 32; k < 128; ++k)
        ASSERT_EQ(store().cell(0, k), 0) << k;
}

TEST_F(CommandsTest, CopyAndExchangeBetweenSizes) {
    send(tableCommand(0, kTableMenu, menu::kTableSize), 1.0);  // A: 128 cells, B stays at 32
    std::vector<int> ramp;
    for (int i = 0; i < 128; ++i)
        ramp.push_back(i);
    fill(0, ramp);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kCopy), 0.25),
              (Replies{{tableCommand(0, kTableMenu, menu::kCopy), 0.25}}));  // A's menu: A -> B
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(1, k), 4 * k + 3);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), i);  // source unchanged

    std::vector<int> sevens(32, 7);
    sevens[31] = 9;
    fill(1, sevens);
    send(tableCommand(1, kTableMenu, menu::kCopy), 0.0);  // B's menu: B -> A
    for (int i = 0; i < 124; ++i)
        ASSERT_EQ(store().cell(0, i), 7);
    for (int i = 124; i < 128; ++i)
        ASSERT_EQ(store().cell(0, i), 9);

    fill(1, std::vector<int>(32, 200));
    EXPECT_EQ(send(tableCommand(1, kTableMenu, menu::kExchange), 1.0),
              (Replies{{tableCommand(1, kTableMenu, menu::kExchange), 1.0}}));
    EXPECT_EQ(store().cell(0, 0), 200);
    EXPECT_EQ(store().cell(1, 31), 9);
    EXPECT_EQ(store().size(0), 128);  // each table keeps its size
    EXPECT_EQ(store().size(1), 32);
}

TEST_F(CommandsTest, MenuClearSlotsAndBitReduction) {
    const std::vector<int> sine = cells(0, 32);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kSaveSlot), 1.0),
              Replies{});  // save into slot 4
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(store().slotCell(3, i), sine[size_t(i / 4)]);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kClear), 0.0),
              (Replies{{tableCommand(0, kTableMenu, menu::kClear), 0.0}}));
    EXPECT_EQ(table(0), std::vector<int>(128, 0));
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kLoadSlot), 1.0),
              (Replies{{tableCommand(0, kTableMenu, menu::kLoadSlot), 1.0}}));  // load slot 4
    EXPECT_EQ(cells(0, 32), sine);
    EXPECT_EQ(
        send(tableCommand(0, kTableMenu, menu::kBitReduction), 0.0),
        (Replies{{tableCommand(0, kTableMenu, menu::kBitReduction), 0.0}}));  // "1 bit": keeps 0x80
    for (int k = 0; k < 32; ++k)
        ASSERT_EQ(store().cell(0, k), sine[size_t(k)] & 0x80);
    fill(1, {0xFF});
    send(tableCommand(1, kTableMenu, menu::kBitReduction), 1.0);  // "7 bit": keeps 0xFE
    EXPECT_EQ(store().cell(1, 0), 0xFE);
}

TEST_F(CommandsTest, DrawingWithStepBitsAndLinkAB) {
    const std::vector<int> b = cells(1, 32);
    EXPECT_EQ(send(tableCommand(0, kTableMenu, menu::kSteps), 2.0 / 7.0),
              (Replies{{tableCommand(0, kTableMenu, menu::kSteps), 2.0 / 7.0}}));
    EXPECT_EQ(store().stepBits(0), 3);
    EXPECT_EQ(send(editorTag(drawCommand(0, 5)), 256.0),
              (Replies{{editorTag(drawCommand(0, 5)), 225.0}}));
    EXPECT_EQ(store().cell(0, 5), 0xE0);
    EXPECT_EQ(wave(0, 5 << 2), store().sampleToWave(0xE0));
    EXPECT_EQ(store().cell(1, 5), b[5]);

    send(waveSwitch::kLinkAB, 1.0);
    EXPECT_EQ(send(editorTag(drawCommand(1, 7)), 100.4),
              (Replies{{editorTag(drawCommand(1, 7)), 100.0}, {linkedDrawReply(1, 7), 100.0}}));
    EXPECT_EQ(store().cell(1, 7), 99);
    EXPECT_EQ(store().cell(0, 7), 99);  // B's quantiser, not A's
    EXPECT_EQ(send(drawCommand(0, 9), 256.0),
              (Replies{{drawCommand(0, 9), 225.0}, {linkedDrawReply(0, 9), 225.0}}));
    EXPECT_EQ(store().cell(1, 9), 0xE0);

    // A 32-cell A drawn onto a 128-cell B fills the four cells it covers.
    send(tableCommand(1, kTableMenu, menu::kTableSize), 1.0);
    send(drawCommand(0, 2), 129.0);
    for (int j = 8; j < 12; ++j)
        EXPECT_EQ(store().cell(1, j), 128);
    EXPECT_EQ(wave(1, 11), store().sampleToWave(128));

    send(waveSwitch::kLinkAB, 0.0);
    EXPECT_EQ(send(drawCommand(0, 2), 1.0),
              (Replies{{drawCommand(0, 2), 1.0}}));  // link off: one reply
}

TEST_F(CommandsTest, DrawingOutsideTheTableWritesNothing) {
    const std::vector<int> a = table(0), b = cells(1, 32);
    EXPECT_EQ(send(drawCommand(0, 128), 77.0),
              (Replies{{drawCommand(0, 128), 77.0}}));  // item 128 only echoes
    EXPECT_EQ(send(drawCommand(0, 255), 3.0), (Replies{{drawCommand(0, 255), 3.0}}));
    send(drawCommand(0, 64), 200.0);  // cell 64 of a 32-cell table
    EXPECT_EQ(table(0), a);
    send(tableCommand(0, kTableMenu, menu::kTableSize), sizeChoice(2));
    send(waveSwitch::kLinkAB, 1.0);
    send(drawCommand(0, 7), 50.0);  // cell 7 of a 4-cell table, linked
    EXPECT_EQ(store().cell(0, 7), 0);
    EXPECT_EQ(cells(1, 32), b);
    send(drawCommand(0, 0), std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(store().cell(0, 0), 0);
}

TEST_F(CommandsTest, GeneratorSettingsAndSteps) {
    struct Case {
        int32_t tag;
        double norm;
        double reply;
    };
    const Case cases[] = {
        {generator::kOffset, 1.0, 1.0},
        {generator::kRangeEnd, 0.0, 0.0},
        {generator::kRangeStart, 1.0, 1.0},
        {generator::kCycles, 0.0, 0.0},
        {generator::kPhase, 0.0, 0.0},
        {generator::kHarmonicsCount, 1.0, 1.0},
        {generator::kInterpolation, 1.0 / 3.0, 1.0 / 3.0},
        {generator::kNoisePoints, 1.0, 1.0},
        {generator::kNoiseSeed, 1.0, 1.0},
        {generator::kHarmonicsOn, 0.7, 0.0},
        {generator::kNoiseLoop, 0.7, 0.0},
        {generator::kType, 3.9, 3.9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(send(c.tag, c.norm), (Replies{{c.tag, c.reply}})) << std::hex << c.tag;
    const GeneratorSettings g = synth.generator();
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
    send(generator::kType, 99.0);
    EXPECT_EQ(synth.generator().type, 5);
    send(generator::kAmplitude, -3.0);  // beyond the knob's travel
    EXPECT_EQ(synth.generator().amplitude, -256);
}

TEST_F(CommandsTest, GeneratedWaves) {
    fill(0, std::vector<int>(32, 0));
    EXPECT_EQ(send(generator::kApplyA, 1.0),
              (Replies{{generator::kApplyA, 1.0}}));  // defaults: one sine cycle
    EXPECT_EQ(store().cell(0, 0), 128);
    EXPECT_EQ(store().cell(0, 8), 255);
    EXPECT_EQ(store().cell(0, 24), 1);

    send(generator::kType, 3.0);  // square at amplitude 255 clips
    send(generator::kAmplitude, 1.0);
    send(generator::kApplyB, 1.0);
    const std::vector<int> square = cells(1, 32);
    EXPECT_EQ(std::count(square.begin(), square.end(), 255), 16);
    EXPECT_EQ(std::count(square.begin(), square.end(), 0), 16);

    send(generator::kType, 5.0);  // noise: the same seed gives the same table
    send(generator::kAmplitude, 383.0 / 511.0);
    send(generator::kNoiseSeed, 1234.0 / 65535.0);
    send(generator::kInterpolation, 1.0);
    send(generator::kApplyA, 1.0);
    send(generator::kApplyB, 1.0);
    EXPECT_EQ(cells(0, 32), cells(1, 32));
    send(generator::kNoiseSeed, 1235.0 / 65535.0);
    send(generator::kApplyB, 1.0);
    EXPECT_NE(cells(0, 32), cells(1, 32));

    send(generator::kType, 4.0);  // constant offset 50 into cells 20..24 of B
    send(generator::kAmplitude, 256.0 / 511.0);
    send(generator::kOffset, 306.0 / 511.0);
    send(generator::kRangeStart, 20.0 / 127.0);
    send(generator::kRangeEnd, 4.0 / 127.0);
    const std::vector<int> before = cells(1, 32);
    send(generator::kApplyB, 1.0);
    for (int k = 0; k < 32; ++k)
        EXPECT_EQ(store().cell(1, k), k >= 20 && k < 25 ? 178 : before[size_t(k)]) << k;
}

TEST_F(CommandsTest, GlobalValuesWhileAudioIsStopped) {
    SynthEngine& e = synth.engine();
    EXPECT_EQ(send(global::kBitDepth, 0.0), Replies{});
    EXPECT_EQ(e.bitDepth, 1);
    EXPECT_EQ(e.outputMask, 0xFFFF0000u);
    send(global::kBitDepth, 1.0);
    EXPECT_EQ(e.bitDepth, 16);
    EXPECT_EQ(send(global::kVoiceCount, 0.0), Replies{});
    EXPECT_EQ(e.voiceCount, 8);
    send(global::kVoiceCount, 1.0);
    EXPECT_EQ(e.voiceCount, 1024);
    EXPECT_EQ(e.voiceMask, 1023);
    EXPECT_EQ(send(setting::kBendRange, 1.0), Replies{});
    EXPECT_EQ(e.tone().bendRange, 24);
    send(setting::kBendRange, 0.5);
    EXPECT_EQ(e.tone().bendRange, 12);
    EXPECT_EQ(send(global::kReferencePitch, 1.0), Replies{});
    EXPECT_EQ(e.referencePitch, 46000u);
    EXPECT_EQ(send(global::kVolume, 0.5), Replies{});
    EXPECT_EQ(e.tone().volume, 64);
    EXPECT_EQ(send(global::kRateDivider, 1.0), Replies{});
    EXPECT_EQ(synth.audio().rate.rateDivider, 3);
    EXPECT_EQ(e.sampleRate, 11025.0f);
    EXPECT_EQ(synth.snapshot().sampleRate(), 11025.0f);  // published for the editor
    EXPECT_FALSE(synth.applyDeferredChanges());          // nothing left for the audio thread
    ASSERT_TRUE(synth.enterEngineSection());             // and it is not held off
    synth.leaveEngineSection();
    EXPECT_EQ(synth.snapshot().voiceCount(), 1024);  // published for the editor
    send(global::kPage, 3.0);
    EXPECT_EQ(synth.settings().page.load(), 3);
}

TEST_F(CommandsTest, StructuralChangesWaitForTheAudioThreadWhileRunning) {
    synth.setRunning(true);
    SynthEngine& e = synth.engine();
    send(global::kVoiceCount, 0.0);
    send(global::kRateDivider, 1.0);
    EXPECT_EQ(e.voiceCount, 128);
    EXPECT_EQ(synth.audio().rate.rateDivider, 0);
    ASSERT_TRUE(synth.applyDeferredChanges());  // what the audio thread does after a block
    EXPECT_EQ(e.voiceCount, 8);
    EXPECT_EQ(synth.audio().rate.rateDivider, 3);
    EXPECT_EQ(synth.takeChangeNotice(), change::kVoiceCount | change::kRateDivider);
    // Host parameters carry these while audio runs.
    EXPECT_EQ(send(opValue::operatorParam(0, eventid::kTotalLevel), 40.0), Replies{});
    send(global::kBitDepth, 0.0);
    send(setting::kBendRange, 1.0);
    send(global::kVolume, 0.0);
    send(global::kReferencePitch, 1.0);
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
        {opValue::operatorParam(0, eventid::kTotalLevel), 40.9, 0x40093, 40},
        {opValue::operatorParam(1, eventid::kTune), 16384.0, 0x400A2, 16384},
        {opValue::operatorParam(0, eventid::kTune), 0.0, 0x40092, 0},
        {opValue::kVelocityCurveA, 2.0, 0x4009B, 2},
        {opValue::kVelocityCurveB, 3.0, 0x400AB, 3},
        {opValue::kAlgorithm, 1.0, 0x40002, 1},
        {opValue::kLfoWave, 2.0, 0x40003, 2},
        {opValue::kLfoFreq, 5000.0, 0x40004, 5000},
        {opValue::operatorParam(0, eventid::kFeedback), 64.0, 0x40090, 64},
        {opValue::operatorParam(1, eventid::kAms), 5.0, 0x400AE, 5},
        {opValue::operatorParam(0, eventid::kVelocitySens), 6.0, 0x4009C, 6},
        {opValue::operatorParam(1, eventid::kKeyCenter), 70.0, 0x400A9, 70},
        {opValue::operatorParam(0, eventid::kAttackRate), 500.0, 0x40094, 127},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(send(c.tag, c.value), (Replies{{c.tag, c.value}})) << std::hex << c.tag;
        EXPECT_EQ(synth.engine().parameterValue(c.id), c.expected) << std::hex << c.tag;
    }
}

TEST_F(CommandsTest, DisplaySettingsAreKeptInRange) {
    send(setting::kWaveOpacity, 50.0);
    send(setting::kGridOpacity, 20.0);
    send(setting::kNumberRadix, 1.0);
    send(setting::kFrameRateIndex, 4.0);
    EXPECT_EQ(synth.settings().waveOpacity.load(), 50);
    EXPECT_EQ(synth.settings().gridOpacity.load(), 20);
    EXPECT_EQ(synth.settings().numberRadix.load(), 1);
    EXPECT_EQ(synth.settings().frameRateIndex.load(), 4);
    send(setting::kSkin, 7.0);
    send(setting::kWaveOpacity, 1e12);
    send(setting::kFrameRateIndex, -5.0);
    EXPECT_EQ(synth.settings().skin.load(), 1);
    EXPECT_EQ(synth.settings().waveOpacity.load(), 100);
    EXPECT_EQ(synth.settings().frameRateIndex.load(), 0);
}

}  // namespace
}  // namespace taluma::test
