// The dispatch of the editor's commands: which operation each tag runs, with which
// value, and how it answers. The operations themselves are tested where they live
// (store, generators, engine); here each command must do to a Synth exactly what
// calling its operation directly does to a twin, as the state record shows.
#include <functional>

#include "synth_fixture.h"
#include "wavetable/wave_generators.h"

namespace taluma::test {
namespace {

using Change = std::function<void(Synth&)>;
using cmd::Reply;

Change onWaves(std::function<void(WaveStore&)> f) {
    return [f](Synth& s) { f(Synth::Edit(s).waves()); };
}
Change onEngine(std::function<void(SynthEngine&)> f) {
    return [f](Synth& s) {
        Synth::StructuralEdit edit(s);
        f(s.engine());
    };
}
Change onGenerator(std::function<void(GeneratorSettings&)> f) {
    return [f](Synth& s) { f(Synth::Edit(s).generator()); };
}
Change onSettings(std::function<void(SynthSettings&)> f) {
    return [f](Synth& s) { f(Synth::Edit(s).settings()); };
}
Change setTo(uint32_t id, int32_t v) {
    return onEngine([id, v](SynthEngine& e) { e.setParameterValue(id, v); });
}
Change generate(int op, bool constant) {
    return [op, constant](Synth& s) {
        Synth::Edit edit(s);
        if (constant)
            fillConstant(edit.waves(), op, edit.generator());
        else
            generateWave(edit.waves(), op, edit.generator());
    };
}
int32_t menuTag(int op, int32_t item) {
    return tableCommand(op, kTableMenu, item);
}

struct Case {
    int32_t tag;
    double value;
    cmd::Reply kind;
    double replyValue;  // kStep, kLevel, kDone
    Change expected;    // what the command must amount to
    Change before = nullptr;
    bool changes = true;  // whether the record changes
};

// Rows of one kind each: an edit button runs its operation on the tag's table and
// answers 0; a menu entry mostly echoes; drawing answers the stored level plus one.
Case editButton(int op, int32_t item, std::function<void(WaveStore&, int)> operation) {
    return {tableCommand(op, kEditButtons, item), 1, Reply::kZero, 0,
            onWaves([=](WaveStore& w) { operation(w, op); })};
}
Case levelButton(int op, int32_t item, LevelOp level) {
    return editButton(op, item, [level](WaveStore& w, int t) { w.applyLevel(t, level); });
}
Case menuEntry(int op, int32_t item, double value, std::function<void(WaveStore&)> operation) {
    return {menuTag(op, item), value, Reply::kEcho, 0, onWaves(operation)};
}
Case draw(int op, int cell, double value) {
    return {drawCommand(op, cell), value, Reply::kLevel, value,
            onWaves([=](WaveStore& w) { w.drawSample(op, cell, value); })};
}
Case opKnob(int op, eventid::OperatorParam k, double value, int32_t stored) {
    return {opValue::operatorParam(op, k), value, Reply::kEcho, 0,
            setTo(eventid::operatorParam(op, k), stored)};
}
Case generatorValue(int32_t tag, double value, double step, int32_t GeneratorSettings::*field,
                    int32_t stored, Reply kind = Reply::kStep) {
    return {tag, value, kind, step, onGenerator([=](GeneratorSettings& g) { g.*field = stored; })};
}
Case generatorSwitch(int32_t tag, bool GeneratorSettings::*field) {
    return {tag, 0.7, Reply::kZero, 0, onGenerator([=](GeneratorSettings& g) { g.*field = true; })};
}
Case settingValue(int32_t tag, double value, std::atomic<int32_t> SynthSettings::*field,
                  int32_t stored) {
    return {tag, value, Reply::kNone, 0, onSettings([=](SynthSettings& s) { s.*field = stored; })};
}

// A tag of no operation: it changes nothing and stays silent.
Case unknown(int32_t tag) {
    return {tag, 0.75, Reply::kNone, 0, nullptr, nullptr, false};
}

Updates expectedReplies(const Case& c) {
    switch (c.kind) {
    case cmd::Reply::kNone: return {};
    case cmd::Reply::kEcho: return {{c.tag, c.value}};
    case cmd::Reply::kZero: return {{c.tag, 0.0}};
    default: return {{c.tag, c.replyValue}};
    }
}

TEST(EditorCommands, EachTagRunsItsOperationAndAnswersInItsKind) {
    using G = GeneratorSettings;
    using S = SynthSettings;
    const Case cases[] = {
        editButton(0, button::kRotateLeft4, [](WaveStore& w, int t) { w.rotateLeft(t, 4); }),
        editButton(0, button::kRotateLeft1, [](WaveStore& w, int t) { w.rotateLeft(t, 1); }),
        editButton(0, button::kReverse, [](WaveStore& w, int t) { w.reverse(t); }),
        editButton(0, button::kRotateRight1, [](WaveStore& w, int t) { w.rotateRight(t, 1); }),
        editButton(0, button::kRotateRight4, [](WaveStore& w, int t) { w.rotateRight(t, 4); }),
        levelButton(0, button::kUp4, LevelOp::Up4),
        levelButton(0, button::kUp1, LevelOp::Up1),
        levelButton(0, button::kInvert, LevelOp::Invert),
        levelButton(0, button::kDown1, LevelOp::Down1),
        levelButton(0, button::kDown4, LevelOp::Down4),
        levelButton(0, button::kAmplify2, LevelOp::Amplify2),
        levelButton(0, button::kAmplify1_5, LevelOp::Amplify1_5),
        levelButton(0, button::kScale2_3, LevelOp::Scale2_3),
        levelButton(1, button::kScaleHalf, LevelOp::ScaleHalf),
        draw(0, 5, 200),
        draw(1, 7, 256),
        {drawCommand(0, 200), 77, Reply::kEcho, 0, nullptr, nullptr, false},  // beyond 128 cells
        {menuTag(0, menu::kClear), 0, Reply::kZero, 0, onWaves([](WaveStore& w) { w.clear(0); })},
        menuEntry(0, menu::kCopy, 0.25, [](WaveStore& w) { w.copy(0, 1); }),
        menuEntry(1, menu::kCopy, 0, [](WaveStore& w) { w.copy(1, 0); }),
        menuEntry(1, menu::kExchange, 1, [](WaveStore& w) { w.exchange(); }),
        menuEntry(0, menu::kTableSize, 0, [](WaveStore& w) { w.resizeTable(0, 2); }),
        menuEntry(1, menu::kTableSize, 1, [](WaveStore& w) { w.resizeTable(1, 7); }),
        menuEntry(0, menu::kLoadSlot, 1, [](WaveStore& w) { w.loadSlot(0, 3); }),
        {menuTag(1, menu::kSaveSlot), 2.0 / 3, Reply::kNone, 0,
         onWaves([](WaveStore& w) { w.saveSlot(1, 2); })},
        menuEntry(0, menu::kBitReduction, 0, [](WaveStore& w) { w.reduceBits(0, 0); }),
        menuEntry(1, menu::kBitReduction, 1, [](WaveStore& w) { w.reduceBits(1, 6); }),
        menuEntry(0, menu::kSteps, 2.0 / 7, [](WaveStore& w) { w.setStepQuantiser(0, 3); }),
        menuEntry(1, menu::kSteps, 0, [](WaveStore& w) { w.setStepQuantiser(1, 1); }),
        // Switches and the history (nothing to undo or redo yet).
        {waveSwitch::kLinkAB, 1, Reply::kEcho, 0, onWaves([](WaveStore& w) { w.linkAB = true; })},
        {history::kUndo, 0, Reply::kDone, 0.0, nullptr, nullptr, false},
        {history::kRedo, 0, Reply::kDone, 0.0, nullptr, nullptr, false},
        // Global values.
        {global::kVolume, 0.5, Reply::kNone, 0, setTo(eventid::kVolume, 64)},
        {global::kReferencePitch, 1, Reply::kNone, 0, setTo(eventid::kStdPitch, 46000)},
        {global::kRateDivider, 1, Reply::kNone, 0,
         [](Synth& s) {
             Synth::StructuralEdit edit(s);
             s.setRateDivider(3);
         }},
        {global::kBitDepth, 0, Reply::kNone, 0, setTo(eventid::kBitDepth, 1)},
        {global::kBitDepth, 0.5, Reply::kNone, 0, setTo(eventid::kBitDepth, 9)},
        {global::kVoiceCount, 1, Reply::kNone, 0,
         onEngine([](SynthEngine& e) { e.setVoiceCount(1024); })},
        settingValue(global::kPage, 3, &S::page, 3),
        settingValue(global::kPage, 9, &S::page, 3),
        // Operator and LFO values: plain integers, echoed.
        opKnob(0, eventid::kTotalLevel, 40.9, 40),
        opKnob(0, eventid::kAttackRate, 500, 127),
        {opValue::operatorParam(1, eventid::kTune), 16384, Reply::kEcho, 0,
         onEngine([](SynthEngine& e) { e.tone().setTune(1, 16384); })},
        {opValue::operatorParam(0, eventid::kTune), 0, Reply::kEcho, 0,
         onEngine([](SynthEngine& e) { e.tone().setTune(0, 0); })},
        opKnob(0, eventid::kFeedback, 64, 64),
        opKnob(1, eventid::kAms, 5, 5),
        {opValue::kVelocityCurveA, 2, Reply::kEcho, 0,
         setTo(eventid::operatorParam(0, eventid::kVelocityCurve), 2)},
        {opValue::kVelocityCurveB, 3, Reply::kEcho, 0,
         setTo(eventid::operatorParam(1, eventid::kVelocityCurve), 3)},
        {opValue::kAlgorithm, 1, Reply::kEcho, 0, setTo(eventid::kAlgorithm, 1)},
        {opValue::kLfoWave, 2, Reply::kEcho, 0, setTo(eventid::kLfoWave, 2)},
        {opValue::kLfoFreq, 5000, Reply::kEcho, 0, setTo(eventid::kLfoFreq, 5000)},
        // The wave generator: knobs answer their step, switches 0.
        {generator::kApplyA, 1, Reply::kEcho, 0, generate(0, false)},
        {generator::kApplyB, 1, Reply::kEcho, 0, generate(1, true),
         onGenerator([](GeneratorSettings& g) { g.type = kGenConstant; })},
        generatorValue(generator::kAmplitude, 0.5, 256.0 / 511, &G::amplitude, 0),
        generatorValue(generator::kAmplitude, -3, 0, &G::amplitude, -256),
        generatorValue(generator::kOffset, 1, 1, &G::offset, 255),
        generatorValue(generator::kRangeEnd, 0, 0, &G::rangeEnd, 1),
        generatorValue(generator::kRangeStart, 1, 1, &G::rangeStart, 127),
        generatorValue(generator::kCycles, 0, 0, &G::cyclesQuarter, 1),
        generatorValue(generator::kPhase, 0, 0, &G::phase, -128),
        generatorValue(generator::kHarmonicsCount, 1, 1, &G::harmonicsCount, 64),
        generatorValue(generator::kInterpolation, 1.0 / 3, 1.0 / 3, &G::interpolation, 1),
        generatorValue(generator::kNoisePoints, 1, 1, &G::noisePoints, 128),
        generatorValue(generator::kNoiseSeed, 1, 1, &G::noiseSeed, 65535),
        generatorSwitch(generator::kHarmonicsOn, &G::harmonicsOn),
        generatorSwitch(generator::kNoiseLoop, &G::noiseLoop),
        generatorValue(generator::kType, 3.9, 0, &G::type, kGenSquare, Reply::kEcho),
        generatorValue(generator::kType, 99, 0, &G::type, kGenNoise, Reply::kEcho),
        // Settings.
        {setting::kBendRange, 1, Reply::kNone, 0, setTo(eventid::kBendRange, 24)},
        {setting::kBendRange, 0.5, Reply::kNone, 0, setTo(eventid::kBendRange, 12)},
        settingValue(setting::kWaveOpacity, 1e12, &S::waveOpacity, 100),
        settingValue(setting::kGridOpacity, 20, &S::gridOpacity, 20),
        settingValue(setting::kNumberRadix, 1, &S::numberRadix, 1),
        settingValue(setting::kSkin, 7, &S::skin, 1),
        settingValue(setting::kFrameRateIndex, -5, &S::frameRateIndex, 0),
        // Tags of no operation.
        unknown(0x0005),  // group 0
        unknown(0x8001),  // no such group
        unknown(0xF00F),
        unknown(tableCommand(0, kEditButtons, button::kMenu)),  // opens a menu in the editor
        unknown(tableCommand(0, kEditButtons, 0x0F)),
        unknown(tableCommand(0, 0x200, 0)),      // no such sub-group
        unknown(menuTag(0, menu::kImportText)),  // file entries open dialogs
        unknown(menuTag(0, menu::kTableSize + 1)),
        unknown(kWaveSwitches | 0x03),
        unknown(kOpValues | 0x1B),                               // A has no velocity-curve knob
        unknown(opValue::operatorParam(1, eventid::kFeedback)),  // B has no feedback
        unknown(kOpValues | 0x1F),
        unknown(kOpValues | 0x0113),  // a sub-group where there is none
        unknown(kGenerator | 0x03),
        unknown(generator::kType + 1),
        unknown(kSettings | 0x04),
        unknown(setting::kExportPreset),  // settings file buttons open dialogs
        unknown(global::kVolume | 0x100),
        unknown(kGlobal | 0x07),
    };
    for (const Case& c : cases) {
        Synth synth(512, 44100.0f), twin(512, 44100.0f);
        for (Synth* s : {&synth, &twin}) {
            markTables(*s);
            if (c.before)
                c.before(*s);
        }
        const std::vector<uint8_t> initial = writeStateRecord(twin);
        if (c.expected)
            c.expected(twin);
        EXPECT_EQ(send(synth, c.tag, c.value), expectedReplies(c)) << std::hex << c.tag;
        EXPECT_EQ(writeStateRecord(synth), writeStateRecord(twin)) << std::hex << c.tag;
        EXPECT_EQ(writeStateRecord(twin) != initial, c.changes) << std::hex << c.tag;
    }
}

using CommandsTest = SynthTest;

TEST_F(CommandsTest, RepliesCarryTheTagAsReceivedAndLinkedDrawingAnswersTwice) {
    send(waveSwitch::kLinkAB, 1);
    // B's quantiser and value, mirrored onto A; the mirror carries no marker bits.
    send(menuTag(1, menu::kSteps), 2.0 / 7.0);
    const int32_t drawB = editorTag(drawCommand(1, 7));
    EXPECT_EQ(send(drawB, 100.4), (Updates{{drawB, 97}, {linkedDrawReply(1, 7), 97}}));
}

TEST_F(CommandsTest, WhileAudioRunsHostValuesAreLeftToTheHostAndStructureWaits) {
    synth.setRunning(true);
    const std::vector<uint8_t> before = record();
    for (int32_t tag : {opValue::operatorParam(0, eventid::kTotalLevel), global::kBitDepth,
                        setting::kBendRange, global::kVolume, global::kReferencePitch})
        EXPECT_EQ(send(tag, 0.0), Updates{}) << std::hex << tag;
    send(global::kVoiceCount, 0.0);
    send(global::kRateDivider, 1.0);
    EXPECT_EQ(record(), before);
    // What the audio thread does after its next block:
    ASSERT_TRUE(synth.applyDeferredChanges());
    synth.publishEngineValues();
    EXPECT_EQ(synth.takeChangeNotice(), change::kVoiceCount | change::kRateDivider);
    EXPECT_EQ(synth.snapshot().voiceCount(), 8);
    EXPECT_EQ(synth.snapshot().rateDivider(), 3);
    EXPECT_EQ(synth.snapshot().sampleRate(), 11025.0f);
}

}  // namespace
}  // namespace taluma::test
