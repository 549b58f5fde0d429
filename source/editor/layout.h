// Where everything of the editor window sits, and the bitmaps that show it.
//
// One table for the editor's layers and for the skin generator (tools/skingen),
// so that a legend drawn into a background sits next to its control. Rectangles
// are left, top, width, height in pixels at 1x, relative to the layer (or panel)
// that holds the control; each namespace says what its coordinates are relative to.
#pragma once
#include <array>
#include <string>

namespace taluma {
namespace layout {

struct Rect {
    int left, top, width, height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    // This rectangle moved by the origin of its parent (to frame coordinates).
    constexpr Rect in(const Rect& parent) const {
        return {left + parent.left, top + parent.top, width, height};
    }
};

// The window: frame coordinates.
namespace window {
inline constexpr Rect frame{0, 0, 800, 600};
inline constexpr Rect tabLeft{572, 32, 110, 24};   // Logic page
inline constexpr Rect tabRight{682, 32, 110, 24};  // Wave-generator page
// The layers, in the order they are added (later ones above earlier ones).
inline constexpr Rect waveEditor{0, 0, 565, 592};
inline constexpr Rect menuBar{0, 0, 800, 24};
inline constexpr Rect page{572, 56, 220, 536};  // Logic, Wave generator and Settings
inline constexpr Rect credits{0, 0, 800, 600};
}  // namespace window

// Menu bar: relative to window::menuBar.
namespace menubar {
inline constexpr Rect settingsButton{760, 3, 18, 18};
inline constexpr Rect logoButton{290, 0, 72, 24};
// The preset browser: previous, the current preset's name (a click opens the preset
// menu), next.
inline constexpr Rect presetPrev{364, 4, 14, 16};
inline constexpr Rect presetName{380, 4, 90, 16};
inline constexpr Rect presetNext{472, 4, 14, 16};
inline constexpr Rect volumeKnob{56, 4, 16, 16};
inline constexpr Rect pitchKnob{203, 4, 16, 16};
inline constexpr Rect volumeLabel{75, 4, 68, 16};
inline constexpr Rect pitchField{222, 4, 64, 16};
inline constexpr Rect rateMenu{517, 4, 90, 16};
inline constexpr Rect bitDepthMenu{636, 4, 38, 16};
inline constexpr Rect voiceMenu{719, 4, 34, 16};
}  // namespace menubar

// Logic page: relative to window::page. Arrays of A and B are indexed by operator
// where both exist; envelope arrays run TL, AR, DR, SL, SR, RR.
namespace logic {
inline constexpr int kEnvelopeRows = 6;
inline constexpr Rect algorithm[4] = {
    {12, 26, 32, 18}, {48, 26, 32, 18}, {140, 26, 32, 18}, {176, 26, 32, 18}};
inline constexpr Rect feedbackKnobA{16, 72, 20, 20};
inline constexpr Rect multKnob[2] = {{50, 72, 20, 20}, {76, 72, 20, 20}};
inline constexpr Rect tuneKnob[2] = {{121, 72, 20, 20}, {173, 72, 20, 20}};
inline constexpr Rect feedbackFieldA{12, 103, 28, 16};
inline constexpr Rect multField[2] = {{48, 103, 24, 16}, {74, 103, 24, 16}};
inline constexpr Rect tuneField[2] = {{106, 95, 50, 16}, {158, 95, 50, 16}};
inline constexpr Rect centsLabel[2] = {{106, 112, 50, 16}, {158, 112, 50, 16}};
// An envelope column: six rows 24 pixels apart, from the first.
constexpr std::array<Rect, kEnvelopeRows> envelopeColumn(Rect first) {
    std::array<Rect, kEnvelopeRows> rows{};
    for (int row = 0; row < kEnvelopeRows; ++row)
        rows[row] = {first.left, first.top + 24 * row, first.width, first.height};
    return rows;
}
inline constexpr std::array<Rect, kEnvelopeRows> envelopeKnob[2] = {
    envelopeColumn({12, 152, 20, 20}), envelopeColumn({188, 152, 20, 20})};
inline constexpr std::array<Rect, kEnvelopeRows> envelopeField[2] = {
    envelopeColumn({36, 154, 46, 16}), envelopeColumn({138, 154, 46, 16})};
inline constexpr Rect keyCentreKnob[2] = {{23, 334, 20, 20}, {67, 334, 20, 20}};
inline constexpr Rect keyDepthSwitch[2] = {{13, 416, 40, 10}, {57, 416, 40, 10}};
inline constexpr Rect keyCentreField[2] = {{15, 357, 36, 16}, {59, 357, 36, 16}};
inline constexpr Rect noteLabel[2] = {{15, 374, 36, 16}, {59, 374, 36, 16}};
inline constexpr Rect velocityCurve[2][4] = {
    {{122, 336, 20, 20}, {144, 336, 20, 20}, {166, 336, 20, 20}, {188, 336, 20, 20}},
    {{122, 358, 20, 20}, {144, 358, 20, 20}, {166, 358, 20, 20}, {188, 358, 20, 20}}};
inline constexpr Rect velocitySensSwitch[2] = {{124, 404, 82, 10}, {124, 416, 82, 10}};
inline constexpr Rect lfoWave[4] = {
    {12, 470, 23, 26}, {37, 470, 23, 26}, {12, 498, 23, 26}, {37, 498, 23, 26}};
inline constexpr Rect lfoFreqKnob{94, 468, 20, 20};
inline constexpr Rect pmsSwitch[2] = {{148, 470, 11, 54}, {161, 470, 11, 54}};
inline constexpr Rect amsSwitch[2] = {{184, 470, 11, 54}, {197, 470, 11, 54}};
inline constexpr Rect lfoFreqField{75, 491, 58, 16};
inline constexpr Rect lfoHzLabel{72, 508, 64, 16};
}  // namespace logic

// Wave-generator page: relative to window::page; the controls of a panel relative
// to that panel.
namespace wavegen {
// Sine, triangle, saw, square, constant, noise.
inline constexpr Rect typeButton[6] = {{12, 48, 62, 32}, {79, 48, 62, 32}, {146, 48, 62, 32},
                                       {12, 85, 62, 32}, {79, 85, 62, 32}, {146, 85, 62, 32}};
inline constexpr Rect cyclesPanel{0, 150, 220, 56};
inline constexpr Rect cyclesKnob{11, 3, 22, 22};
inline constexpr Rect phaseKnob{11, 31, 22, 22};
inline constexpr Rect cyclesField{37, 5, 60, 18};
inline constexpr Rect phaseField{37, 33, 60, 18};
inline constexpr Rect harmonicsPanel{0, 227, 220, 56};
inline constexpr Rect harmonicsSwitch{165, 2, 44, 22};
inline constexpr Rect harmonicsKnob{187, 31, 22, 22};
inline constexpr Rect harmonicsField{123, 33, 60, 18};
inline constexpr Rect noisePanel{0, 150, 220, 133};
inline constexpr Rect noisePointsKnob{11, 3, 22, 22};
inline constexpr Rect noiseSeedKnob{11, 31, 22, 22};
inline constexpr Rect noisePointsField{37, 5, 60, 18};
inline constexpr Rect noiseSeedField{37, 33, 60, 18};
inline constexpr Rect interpolationMenu{16, 60, 60, 18};
inline constexpr Rect noiseSwitch{165, 106, 44, 22};
inline constexpr Rect amplitudeKnob{11, 314, 22, 22};
inline constexpr Rect offsetKnob{11, 342, 22, 22};
inline constexpr Rect rangeEndKnob{11, 398, 22, 22};
inline constexpr Rect rangeStartKnob{11, 426, 22, 22};
inline constexpr Rect amplitudeField{37, 316, 60, 18};
inline constexpr Rect offsetField{37, 344, 60, 18};
inline constexpr Rect rangeEndField{37, 400, 60, 18};
inline constexpr Rect rangeStartField{37, 428, 60, 18};
inline constexpr Rect applyButton[2] = {{12, 484, 92, 40}, {116, 484, 92, 40}};
}  // namespace wavegen

// Settings page: relative to window::page.
namespace settings {
inline constexpr Rect volumeKnob{11, 68, 22, 22};
inline constexpr Rect pitchKnob{11, 96, 22, 22};
inline constexpr Rect bendKnob{11, 124, 22, 22};
inline constexpr Rect volumeLabel{37, 70, 60, 18};
inline constexpr Rect pitchField{37, 98, 60, 18};
inline constexpr Rect bendField{37, 126, 60, 18};
inline constexpr Rect voiceMenu{16, 154, 60, 18};
inline constexpr Rect rateMenu{16, 182, 60, 18};
inline constexpr Rect bitDepthMenu{16, 210, 60, 18};
inline constexpr Rect importButton[2] = {{12, 266, 30, 38}, {46, 266, 30, 38}};
inline constexpr Rect exportButton[2] = {{144, 266, 30, 38}, {178, 266, 30, 38}};
inline constexpr Rect presetImportButton{12, 314, 42, 18};
inline constexpr Rect presetExportButton{166, 314, 42, 18};
inline constexpr Rect waveOpacityKnob{187, 368, 22, 22};
inline constexpr Rect gridOpacityKnob{187, 396, 22, 22};
inline constexpr Rect waveOpacityField{123, 370, 60, 18};
inline constexpr Rect gridOpacityField{123, 398, 60, 18};
inline constexpr Rect radixMenu{124, 426, 60, 18};
inline constexpr Rect skinMenu{124, 454, 60, 18};
inline constexpr Rect frameRateMenu{124, 482, 60, 18};
inline constexpr Rect versionLabel{14, 514, 192, 18};
}  // namespace settings

// Credits layer: relative to window::credits.
namespace credits {
inline constexpr Rect picture{24, 222, 770, 170};
inline constexpr Rect versionLabel{295, 307, 86, 14};
}  // namespace credits

// Wave editor: relative to window::waveEditor. Arrays of A and B are indexed by
// operator.
namespace waveeditor {
inline constexpr Rect radix[2] = {{31, 32, 30, 255}, {31, 337, 30, 255}};
inline constexpr Rect grid[2] = {{31, 32, 511, 255}, {31, 337, 511, 255}};
// The waveform views; their mouse area is one pixel wider and higher.
inline constexpr Rect waveView[2] = {{31, 32, 511, 255}, {31, 337, 511, 255}};
inline constexpr int kMouseAreaWidth = 512;
inline constexpr int kMouseAreaHeight = 256;
inline constexpr Rect info{190, 303, 193, 18};
inline constexpr Rect led{200, 308, 20, 8};
inline constexpr Rect cellLabel{246, 304, 32, 16};
inline constexpr Rect levelLabel{294, 304, 32, 16};
inline constexpr Rect linkSwitch{332, 306, 40, 12};

// The fifteen buttons of each table, indexed by their command item: 0 the menu
// button, then rotate left 4, rotate left 1, reverse, rotate right 1, rotate right 4
// in a row a pixel under view A and a pixel over view B (their bottoms level); up 4, up 1, invert,
// down 1, down 4 left of the view and amplify x2, x1.5, scale x2/3, x1/2 right of it
// (their tops relative to the view's).
inline constexpr int kButtons = 15;
inline constexpr int kRowButtons = 6;
inline constexpr Rect kRowButton[kRowButtons] = {{511, 0, 54, 23}, {63, 0, 63, 23},
                                                 {127, 0, 95, 23}, {223, 0, 127, 15},
                                                 {351, 0, 95, 23}, {447, 0, 63, 23}};
inline constexpr Rect kSideButton[kButtons - kRowButtons] = {
    {8, 0, 22, 47},   {8, 48, 22, 63},   {8, 112, 22, 31},   {8, 144, 22, 63},  {8, 208, 22, 47},
    {543, 0, 22, 63}, {543, 64, 22, 63}, {543, 128, 22, 63}, {543, 192, 22, 63}};
constexpr std::array<Rect, kButtons> buttonsOf(int op) {
    const Rect& view = waveView[op];
    std::array<Rect, kButtons> buttons{};
    for (int i = 0; i < kButtons; ++i) {
        Rect r = i < kRowButtons ? kRowButton[i] : kSideButton[i - kRowButtons];
        if (i >= kRowButtons)
            r.top += view.top;
        else
            r.top = op == 0 ? view.bottom() + 1 : view.top - 1 - r.height;
        buttons[i] = r;
    }
    return buttons;
}
inline constexpr std::array<Rect, kButtons> button[2] = {buttonsOf(0), buttonsOf(1)};
inline constexpr const char* buttonBitmap[2][kButtons] = {
    {"BtnAmenu.png", "BtnAll.png", "BtnAl.png", "BtnArev.png", "BtnAr.png", "BtnArr.png",
     "BtnAuu.png", "BtnAu.png", "BtnAVrev.png", "BtnAd.png", "BtnAdd.png", "BtnAup.png",
     "BtnAp.png", "BtnAm.png", "BtnAdm.png"},
    {"BtnBmenu.png", "BtnBll.png", "BtnBl.png", "BtnBrev.png", "BtnBr.png", "BtnBrr.png",
     "BtnBuu.png", "BtnBu.png", "BtnBVrev.png", "BtnBd.png", "BtnBdd.png", "BtnBup.png",
     "BtnBp.png", "BtnBm.png", "BtnBdm.png"}};

// A bar of a waveform view: its handle bitmap, whose lower half fills the bar up to
// its level (handle offset (0, -barTravel), travel 0..barTravel).
inline constexpr int kBarBitmapWidth = 127;
inline constexpr int kBarBitmapHeight = 512;
inline constexpr int kBarTravel = 256;
}  // namespace waveeditor

// Film strips: frames stacked top to bottom, each as high as the control. The knob
// strips have an odd count, so that the centre of a bipolar knob has a frame of its own.
inline constexpr int kKnobFrames = 129;  // knobs (CAnimKnob)
inline constexpr int kButtonFrames = 2;  // off/on, released/pressed
inline constexpr int kLedFrames = 3;     // "ShpLed.png": off, pointer over A, over B
inline constexpr int kKeyDepthPositions = 4;
inline constexpr int kSensitivityPositions = 8;  // velocity, PMS and AMS switches
inline constexpr int kSlideSwitchPositions = 2;

// Knob pointer angles in radians, clockwise on screen from 3 o'clock: the minimum
// points down and the knob turns once round, less a hair (pi/2 + 0.001, 2 pi - 0.001).
inline constexpr float kKnobStartAngle = 1.5717964f;
inline constexpr float kKnobRangeAngle = 6.282185f;

// Every bitmap of the editor. `name` is the skin-0 name; skin 1 uses the same name
// with "W_" in front, except the credits picture, which has one version.
inline constexpr const char* kSkin1Prefix = "W_";
inline constexpr const char* kCreditPicture = "BackCredit.png";  // the same in both skins
inline constexpr const char* kSkinNames[2] = {"TALUMA", "CINDRA"};

struct Bitmap {
    const char* name;
    int width;
    int frameHeight;
    int frames;
    bool skinned;
};

constexpr Bitmap single(const char* name, const Rect& r) {
    return {name, r.width, r.height, 1, true};
}
constexpr Bitmap strip(const char* name, const Rect& r, int frames) {
    return {name, r.width, r.height, frames, true};
}

inline constexpr Bitmap kFixedBitmaps[] = {
    // Window and backgrounds.
    single("BaclAppBase.png", window::frame),
    strip("BtnTabL.png", window::tabLeft, kButtonFrames),
    strip("BtnTabR.png", window::tabRight, kButtonFrames),
    single("BackRmenuLogic.png", window::page),
    single("BackRmenuWgen.png", window::page),
    single("BackRmenuSetting.png", window::page),
    single("BackWgenCycl.png", wavegen::cyclesPanel),
    single("BackWgenAdd.png", wavegen::harmonicsPanel),
    single("BackWgenNois.png", wavegen::noisePanel),
    single("BackWeditInfo.png", waveeditor::info),
    {kCreditPicture, credits::picture.width, credits::picture.height, 1, false},
    // Menu bar.
    strip("BtnSetting.png", menubar::settingsButton, kButtonFrames),
    strip("BtnLogo.png", menubar::logoButton, kButtonFrames),
    strip("BtnPresetPrev.png", menubar::presetPrev, kButtonFrames),
    strip("BtnPresetNext.png", menubar::presetNext, kButtonFrames),
    strip("KnbG16.png", menubar::volumeKnob, kKnobFrames),
    // Logic page.
    strip("BtnAlg0.png", logic::algorithm[0], kButtonFrames),
    strip("BtnAlg1.png", logic::algorithm[1], kButtonFrames),
    strip("BtnAlg2.png", logic::algorithm[2], kButtonFrames),
    strip("BtnAlg3.png", logic::algorithm[3], kButtonFrames),
    strip("KnbA.png", logic::feedbackKnobA, kKnobFrames),
    strip("KnbB.png", logic::multKnob[1], kKnobFrames),
    strip("KnbA_C.png", logic::tuneKnob[0], kKnobFrames),
    strip("KnbB_C.png", logic::tuneKnob[1], kKnobFrames),
    strip("KnbG20.png", logic::lfoFreqKnob, kKnobFrames),
    strip("SwtKSensA.png", logic::keyDepthSwitch[0], kKeyDepthPositions),
    strip("SwtKSensB.png", logic::keyDepthSwitch[1], kKeyDepthPositions),
    strip("BtnVcrvA0.png", logic::velocityCurve[0][0], kButtonFrames),
    strip("BtnVcrvA1.png", logic::velocityCurve[0][1], kButtonFrames),
    strip("BtnVcrvA2.png", logic::velocityCurve[0][2], kButtonFrames),
    strip("BtnVcrvA3.png", logic::velocityCurve[0][3], kButtonFrames),
    strip("BtnVcrvB0.png", logic::velocityCurve[1][0], kButtonFrames),
    strip("BtnVcrvB1.png", logic::velocityCurve[1][1], kButtonFrames),
    strip("BtnVcrvB2.png", logic::velocityCurve[1][2], kButtonFrames),
    strip("BtnVcrvB3.png", logic::velocityCurve[1][3], kButtonFrames),
    strip("SwtVSensA.png", logic::velocitySensSwitch[0], kSensitivityPositions),
    strip("SwtVSensB.png", logic::velocitySensSwitch[1], kSensitivityPositions),
    strip("BtnLfoOsc0.png", logic::lfoWave[0], kButtonFrames),
    strip("BtnLfoOsc1.png", logic::lfoWave[1], kButtonFrames),
    strip("BtnLfoOsc2.png", logic::lfoWave[2], kButtonFrames),
    strip("BtnLfoOsc3.png", logic::lfoWave[3], kButtonFrames),
    strip("SwtLSensA.png", logic::pmsSwitch[0], kSensitivityPositions),
    strip("SwtLSensB.png", logic::pmsSwitch[1], kSensitivityPositions),
    // Wave-generator page.
    strip("BtnWgen0.png", wavegen::typeButton[0], kButtonFrames),
    strip("BtnWgen1.png", wavegen::typeButton[1], kButtonFrames),
    strip("BtnWgen2.png", wavegen::typeButton[2], kButtonFrames),
    strip("BtnWgen3.png", wavegen::typeButton[3], kButtonFrames),
    strip("BtnWgen4.png", wavegen::typeButton[4], kButtonFrames),
    strip("BtnWgen5.png", wavegen::typeButton[5], kButtonFrames),
    strip("KnbG22.png", wavegen::cyclesKnob, kKnobFrames),
    strip("KnbG22_C.png", wavegen::phaseKnob, kKnobFrames),
    strip("BtnSldSwt.png", wavegen::harmonicsSwitch, kSlideSwitchPositions),
    strip("BtnAplyA.png", wavegen::applyButton[0], kButtonFrames),
    strip("BtnAplyB.png", wavegen::applyButton[1], kButtonFrames),
    // Settings page.
    strip("BtnImpA.png", settings::importButton[0], kButtonFrames),
    strip("BtnImpB.png", settings::importButton[1], kButtonFrames),
    strip("BtnExpA.png", settings::exportButton[0], kButtonFrames),
    strip("BtnExpB.png", settings::exportButton[1], kButtonFrames),
    strip("BtnImp.png", settings::presetImportButton, kButtonFrames),
    strip("BtnExp.png", settings::presetExportButton, kButtonFrames),
    // Wave editor.
    single("shpRadixA.png", waveeditor::radix[0]),
    single("shpRadixB.png", waveeditor::radix[1]),
    single("ShpGrid.png", waveeditor::grid[0]),
    {"SldBar.png", waveeditor::kBarBitmapWidth, waveeditor::kBarBitmapHeight, 1, true},
    strip("ShpLed.png", waveeditor::led, kLedFrames),
    strip("BtnSync.png", waveeditor::linkSwitch, kButtonFrames),
};
constexpr int kFixedBitmapCount = sizeof(kFixedBitmaps) / sizeof(kFixedBitmaps[0]);
inline constexpr int kBitmapCount = kFixedBitmapCount + 2 * waveeditor::kButtons;
// The fixed bitmaps, then the wave editor's buttons, A's and B's.
constexpr std::array<Bitmap, kBitmapCount> allBitmaps() {
    std::array<Bitmap, kBitmapCount> all{};
    int i = 0;
    for (const Bitmap& b : kFixedBitmaps)
        all[i++] = b;
    for (int op = 0; op < 2; ++op)
        for (int k = 0; k < waveeditor::kButtons; ++k)
            all[i++] =
                strip(waveeditor::buttonBitmap[op][k], waveeditor::button[op][k], kButtonFrames);
    return all;
}
inline constexpr std::array<Bitmap, kBitmapCount> kBitmaps = allBitmaps();

// The resource name of the skin-0 bitmap `name` in skin 0 or 1.
inline std::string skinnedName(const std::string& name, int skin) {
    return skin == 1 && name != kCreditPicture ? kSkin1Prefix + name : name;
}

}  // namespace layout
}  // namespace taluma
