// Tables of gestures on the menu bar and the Logic, Wave-generator and Settings pages
// through the built module: the host edits and the command each must produce and what
// the window shows once the processor has answered. The Settings page's file dialogs.
#include "editor_fixture.h"

#include "engine/engine_event.h"
#include "scratch_dir.h"

namespace taluma::test {
namespace {

using EditorPages = EditorFixture;
using namespace taluma::eventid;
namespace M = layout::menubar;
namespace L = layout::logic;
namespace G = layout::wavegen;
namespace S = layout::settings;
namespace global = cmd::global;
namespace op = cmd::opValue;
namespace gen = cmd::generator;
namespace setting = cmd::setting;
constexpr Rect kTabLeft = layout::window::tabLeft, kTabRight = layout::window::tabRight;

// Near the right end of a switch: its last position.
constexpr Rect rightEnd(const Rect& r) {
    return {r.right() - 4, r.top, 4, r.height};
}

TEST_F(EditorPages, MenuBar) {
    const int32_t volume = control(global::kVolume), pitch = control(global::kReferencePitch);
    const int32_t bitsTag = control(global::kBitDepth), typedPitch = global::kReferencePitch;
    const Rect knob = bar(M::volumeKnob), dB = bar(M::volumeLabel), field = bar(M::pitchField);
    const Rect bits = bar(M::bitDepthMenu), rate = bar(M::rateMenu), voices = bar(M::voiceMenu);
    const double s126 = step(126, 127), s1 = step(1, 127), s201 = step(201, 400);
    const double s7 = step(7, 15), s13 = step(1, 3), s47 = step(4, 7);
    const std::vector<Row> rows = {
        {turn(knob, -1), kVolume, s126, volume, s126, {{dB, " -0.13 dB"}}},
        {turn(knob, -127), kVolume, 0.0, volume, 0.0, {{dB, "   inf   "}}},
        {turn(knob, -126), kVolume, s1, volume, s1, {{dB, "-72.24 dB"}}},
        {turn(bar(M::pitchKnob), 1), kStdPitch, s201, pitch, s201, {{field, "440.10 Hz"}}},
        {typeIn(field, "999"), kStdPitch, 1.0, typedPitch, 1.0, {{field, "460.000000 Hz"}}},
        {typeIn(field, "abc"), kStdPitch, 0.0, typedPitch, 0.0, {{field, "420.000000 Hz"}}},
        {pick(bits, 7), kBitDepth, s7, bitsTag, s7, {{bits, "8 bit"}}},
        {pick(rate, 1), 0, 0, control(global::kRateDivider), s13, {{rate, s13}}},
        {pick(voices, 4), 0, 0, control(global::kVoiceCount), s47, {{voices, "128"}}},
        {press(bar(M::settingsButton)), 0, 0, global::kPage, 3.0, {{kTabLeft, 0.0}}},
        {press(kTabRight), 0, 0, global::kPage, 2.0, {{kTabRight, 1.0}, {kTabLeft, 0.0}}},
        {press(kTabLeft), 0, 0, 0, 0, {{kTabLeft, 1.0}}},
        {press(kTabRight, kRight), 0, 0, 0, 0, {{kTabRight, 0.0}}},
    };
    run(rows);
}

TEST_F(EditorPages, KnobsFollowTheHostsKnobModeWithOneGesturePerPress) {
    Steinberg::FUnknownPtr<Steinberg::Vst::IEditController2> host(plugin->controller());
    host->setKnobMode(Steinberg::Vst::kLinearMode);  // for every view of the module
    const Rect knob = bar(M::volumeKnob);
    const int32_t volume = control(global::kVolume);
    const double s95 = step(95, 127), s64 = step(64, 127);
    const double x = knob.left + knob.width / 2.0, y = knob.top + knob.height / 2.0;
    stroke({{x, y}, {x, y + 50.0}, {x, y + 100.0}}, kLeft);  // 100 pixels down in two moves
    EXPECT_EQ(sent(), (std::vector<Sent>{{volume, s95}, {volume, s64}}));
    EXPECT_FLOAT_EQ(value(knob), float(s64));
    click(knob);  // no move: an empty gesture
    host->setKnobMode(Steinberg::Vst::kCircularMode);
    EXPECT_EQ(edits(),
              (std::vector<HostEdit>{begin(kVolume), perform(kVolume, s95), perform(kVolume, s64),
                                     end(kVolume), begin(kVolume), end(kVolume)}));
}

TEST_F(EditorPages, Logic) {
    // p: the host parameter, c: the command of operator o's setting k.
    auto p = [](int o, OperatorParam k) { return operatorParam(o, k); };
    auto c = [](int o, OperatorParam k) { return op::operatorParam(o, k); };
    const Rect alg[] = {page(L::algorithm[0]), page(L::algorithm[1]), page(L::algorithm[2]),
                        page(L::algorithm[3])};
    const Rect tuneA = page(L::tuneField[0]), tuneB = page(L::tuneField[1]);
    const Rect centsA = page(L::centsLabel[0]), centsB = page(L::centsLabel[1]);
    const Rect tlKnob = page(L::envelopeKnob[0][0]), tlField = page(L::envelopeField[0][0]);
    const Rect curveB3 = page(L::velocityCurve[1][3]), lfoWave1 = page(L::lfoWave[1]);
    const Rect pmsB = page(L::pmsSwitch[1]), depthA = page(L::keyDepthSwitch[0]);
    const Rect centreA = page(L::keyCentreField[0]), note = page(L::noteLabel[0]);
    const Rect lfoField = page(L::lfoFreqField), lfoHz = page(L::lfoHzLabel);
    const uint32_t pTl = p(0, kTotalLevel), pTuneA = p(0, kTune), pTuneB = p(1, kTune);
    const int32_t cTl = c(0, kTotalLevel), cTuneA = c(0, kTune), cTuneB = c(1, kTune);
    const int32_t cPmsB = control(c(1, kPms)), cDepthA = control(c(0, kKeyScale));
    const int32_t cFeedback = control(c(0, kFeedback)), cCurveB = op::kVelocityCurveB;
    const double s99 = step(99, 127), s8292 = step(8292, 16384), s60 = step(60, 127);
    const double s6 = step(6, 7);
    const std::vector<Row> rows = {
        {press(alg[2]), kAlgorithm, 2.0 / 3.0, op::kAlgorithm, 2.0, {{alg[2], 1.0}, {alg[3], 0.0}}},
        {press(alg[3]), 0, 0, 0, 0, {{alg[3], 1.0}}},
        {press(alg[1], kLeft | kShift), 0, 0, 0, 0, {{alg[1], 0.0}}},
        {press(curveB3), p(1, kVelocityCurve), 1.0, cCurveB, 3.0, {{curveB3, 1.0}}},
        {press(lfoWave1), kLfoWave, 1.0 / 3.0, op::kLfoWave, 1.0, {{lfoWave1, 1.0}}},
        {turn(tlKnob, -127), pTl, 0.0, control(cTl), 0.0, {{tlField, "0"}}},
        {typeIn(tlField, "-5"), pTl, 0.0, cTl, 0.0, {{tlKnob, 0.0}, {tlField, "0"}}},
        {typeIn(tlField, "99.9"), pTl, s99, cTl, 99.0, {{tlField, "99"}}},
        {typeIn(tuneB, "100"), pTuneB, s8292, cTuneB, 8292.0, {{tuneB, "100"}, {centsB, "15 c"}}},
        {typeIn(tuneA, "-9000"), pTuneA, 0.0, cTuneA, 0.0, {{tuneA, "-8192"}, {centsA, "-1200 c"}}},
        {typeIn(centreA, "60"), p(0, kKeyCenter), s60, c(0, kKeyCenter), 60.0, {{note, "C 4"}}},
        {typeIn(lfoField, "20000"), kLfoFreq, 1.0, op::kLfoFreq, 16384.0, {{lfoHz, "32.00 Hz"}}},
        {turn(page(L::feedbackKnobA), 1), p(0, kFeedback), step(1, 128), cFeedback, 1.0, {}},
        {turn(pmsB, 1), p(1, kPms), step(1, 7), cPmsB, 1.0, {}},
        // A switch under the wheel: held at its end, one notch back is one position.
        {after(turn(pmsB, 9), turn(pmsB, -1)), p(1, kPms), s6, cPmsB, 6.0, {{pmsB, s6}}},
        {press(rightEnd(depthA)), p(0, kKeyScale), 1.0, cDepthA, 3.0, {{depthA, 1.0}}},
    };
    run(rows);
}

TEST_F(EditorPages, WaveGenerator) {
    Rect type[6];
    for (int t = 0; t < 6; ++t)
        type[t] = page(G::typeButton[t]);
    const Rect cycles = page(G::cyclesField, G::cyclesPanel);
    const Rect phase = page(G::phaseField, G::cyclesPanel), apply = page(G::applyButton[0]);
    const Rect menu = page(G::interpolationMenu, G::noisePanel);
    const Rect harmonics = page(G::harmonicsSwitch, G::harmonicsPanel);
    const Rect ampField = page(G::amplitudeField), ampKnob = page(G::amplitudeKnob);
    const Rect rangeStart = page(G::rangeStartField);
    const int32_t menuTag = control(gen::kInterpolation), onTag = control(gen::kHarmonicsOn);
    // Sent as it is, answered quantised.
    const double oneNotchDown = double(float(383.0 / 511.0) - 1.0f / 511.0f);
    const std::vector<Row> rows = {
        {press(type[2]), 0, 0, gen::kType, 2.0, {{type[0], 0.0}, {type[2], 1.0}}},
        {typeIn(cycles, "1.5"), 0, 0, gen::kCycles, 5.0 / 511.0, {{cycles, "1 2/4"}}},
        {typeIn(cycles, "0.1"), 0, 0, gen::kCycles, 0.0, {{cycles, "1/4"}}},
        {typeIn(cycles, "2"), 0, 0, gen::kCycles, 7.0 / 511.0, {{cycles, "2"}}},
        {typeIn(phase, "-5"), 0, 0, gen::kPhase, 123.0 / 255.0, {{phase, "-5/128"}}},
        {typeIn(ampField, "300"), 0, 0, gen::kAmplitude, 1.0, {{ampField, "255"}, {ampKnob, 1.0}}},
        {typeIn(rangeStart, "64"), 0, 0, gen::kRangeStart, 64.0 / 127.0, {{rangeStart, "64"}}},
        {turn(ampKnob, -1), 0, 0, control(gen::kAmplitude), oneNotchDown, {{ampField, "126"}}},
        {press(apply), 0, 0, control(gen::kApplyA), 1.0, {{apply, 0.0}}},
        {after(press(type[5]), pick(menu, 1)), 0, 0, menuTag, step(1, 3), {{menu, "Liner"}}},
        // It stays on although the answer is 0.
        {after(press(type[3]), press(rightEnd(harmonics))), 0, 0, onTag, 1.0, {{harmonics, 1.0}}},
    };
    run(rows, press(kTabRight));
    // The panels each type shows: cycles, harmonics, noise.
    const bool panels[6][3] = {{1, 0, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {0, 0, 0}, {0, 0, 1}};
    for (int t = 0; t < 6; ++t) {
        SCOPED_TRACE(t);
        click(type[t]);
        EXPECT_EQ(at(page(G::cyclesPanel)).visible, panels[t][0]);
        EXPECT_EQ(at(page(G::harmonicsPanel)).visible, panels[t][1]);
        EXPECT_EQ(at(page(G::noisePanel)).visible, panels[t][2]);
    }
    EXPECT_EQ(menuEntries(menu),
              (std::vector<std::string>{"None", "Liner", "Spline 3", "Spline 5"}));
}

TEST_F(EditorPages, SettingsAndTheTwinsOfTheMenuBar) {
    const Rect bend = page(S::bendField), wave = page(S::waveOpacityField);
    const Rect pitch = page(S::pitchField), radix = page(S::radixMenu);
    const Rect frameRate = page(S::frameRateMenu), grid = page(S::gridOpacityField);
    const Rect barPitch = bar(M::pitchField), barBits = bar(M::bitDepthMenu);
    const int32_t bendTag = control(setting::kBendRange), gridTag = control(setting::kGridOpacity);
    const int32_t radixTag = control(setting::kNumberRadix);
    const int32_t frameRateTag = control(setting::kFrameRateIndex);
    const int32_t volume = control(global::kVolume), bits = control(global::kBitDepth);
    const int32_t typedPitch = global::kReferencePitch;
    const double s3 = step(3, 24);
    const std::vector<Row> rows = {
        {turn(page(S::bendKnob), 1), kBendRange, s3, bendTag, s3, {{bend, "3"}}},
        {typeIn(bend, "30"), kBendRange, 1.0, setting::kBendRange, 1.0, {{bend, "24"}}},
        {typeIn(wave, "35"), 0, 0, setting::kWaveOpacity, 35.0, {{wave, "35 %"}}},
        {turn(page(S::gridOpacityKnob), -10), 0, 0, gridTag, 20.0, {{grid, "20 %"}}},
        {pick(radix, 1), 0, 0, radixTag, 1.0, {{radix, "16"}}},
        {pick(frameRate, 1), 0, 0, frameRateTag, 1.0, {{frameRate, "25 FPS"}}},
        {turn(page(S::volumeKnob), -127), kVolume, 0.0, volume, 0.0, {{bar(M::volumeKnob), 0.0}}},
        {typeIn(pitch, "430.4"), kStdPitch, 0.25, typedPitch, 0.25, {{barPitch, "430.000000 Hz"}}},
        {pick(page(S::bitDepthMenu), 0), kBitDepth, 0.0, bits, 0.0, {{barBits, "1 bit"}}},
    };
    run(rows, press(bar(M::settingsButton)));
    EXPECT_EQ(menuEntries(page(S::skinMenu)), (std::vector<std::string>{"TALUMA", "CINDRA"}));
    // The twins are read from the Synth when the page is shown.
    click(kTabLeft);
    wheel(bar(M::volumeKnob), -127);
    EXPECT_EQ(value(page(S::volumeKnob)), 1.0f);
    EXPECT_EQ(text(page(S::volumeLabel)), "  0.00 dB");
    showSettings();
    EXPECT_EQ(value(page(S::volumeKnob)), 0.0f);
    EXPECT_EQ(text(page(S::volumeLabel)), "   inf   ");
}

// Each button opens its dialog; a chosen path goes to the processor with the dialog's
// code.
TEST_F(EditorPages, SettingsFileDialogsAskForAPathAndSendIt) {
    namespace file = cmd::file;
    struct Dialog {
        Rect button;
        int32_t code;
        const char *title, *defaultName, *filters;
    };
    const char* const table = "txt|text files(.txt),txt;wave files(.wav),wav;";
    const char* const preset = "|preset files(.tlmprst),tlmprst;";
    const char *const import = "Import text or WAV FIle", *exportTo = "Export text or WAV FIle";
    const Dialog dialogs[] = {
        {S::importButton[0], file::importTable(0, file::kByName), import, "", table},
        {S::importButton[1], file::importTable(1, file::kByName), import, "", table},
        {S::exportButton[0], file::exportTable(0, file::kByName), exportTo, "waveTable.txt", table},
        {S::exportButton[1], file::exportTable(1, file::kByName), exportTo, "waveTable.txt", table},
        {S::presetExportButton, file::kExportPreset, "Export Preset File", "preset.tlmprst",
         preset},
        {S::presetImportButton, file::kImportPreset, "Import Preset File", "", preset},
    };
    const std::string path = "/tmp/chosen.file";
    showSettings();
    ProbeFileDialog dialog{};
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.title);
        clearLogs();
        click(page(d.button));
        ASSERT_EQ(probe->fileDialog(dialog), Steinberg::kResultOk);
        EXPECT_TRUE(dialog.running);
        EXPECT_EQ(dialog.code, d.code);
        EXPECT_EQ(bool(dialog.save), bool(d.code & (file::kExportTable | file::kExportPreset)));
        EXPECT_STREQ(dialog.title, d.title);
        EXPECT_STREQ(dialog.defaultName, d.defaultName);
        EXPECT_STREQ(dialog.extensions, d.filters);
        answerFileDialog(path);
        ASSERT_EQ(fileRequests().size(), 1u);
        EXPECT_EQ(fileRequests()[0].tag, d.code);
        EXPECT_EQ(fileRequests()[0].path,
                  std::vector<uint8_t>(path.c_str(), path.c_str() + path.size() + 1));
    }
}

// A preset imported in the window changes values the host keeps a list of: the host is
// told once, from the window's timer on the user-interface thread, never inside a call
// of its own; a state the host loads itself tells it nothing (it asks the controller).
TEST_F(EditorPages, APresetImportedInTheWindowTellsTheHostOnce) {
    constexpr uint32_t kTlA = kOperatorA + kTotalLevel;
    testhost::ScratchDir dir;
    const std::string presetPath = dir.file("loud.tlmprst");
    automate(kTlA, 0.0);
    showSettings();
    click(page(S::presetExportButton));
    answerFileDialog(presetPath);
    automate(kTlA, 1.0);

    // The host has asked for no state yet: the window names the Synth.
    plugin->componentHandler().clear();
    click(page(S::presetImportButton));
    answerFileDialog(presetPath);
    tick(400);
    const auto& restarts = plugin->componentHandler().restarts();
    ASSERT_EQ(restarts.size(), 1u);
    EXPECT_EQ(restarts[0].flags, Steinberg::Vst::kParamValuesChanged);
    EXPECT_EQ(restarts[0].thread, std::this_thread::get_id());
    EXPECT_FALSE(restarts[0].insideHostCall);
    EXPECT_EQ(plugin->controller()->getParamNormalized(kTlA), 0.0);

    automate(kTlA, 1.0);
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));
    plugin->componentHandler().clear();
    ASSERT_EQ(plugin->setState(state), Steinberg::kResultOk);
    tick(400);
    EXPECT_TRUE(plugin->componentHandler().restarts().empty());
    EXPECT_EQ(plugin->controller()->getParamNormalized(kTlA), 1.0);
}

}  // namespace
}  // namespace taluma::test
