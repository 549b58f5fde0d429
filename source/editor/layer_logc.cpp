#include "editor/layer_logc.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/editor_tags.h"
#include "editor/host_edits.h"

#include "engine/engine_event.h"
#include "engine/parameter_descriptions.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace ev = taluma::eventid;
namespace place = taluma::layout::logic;

namespace {

constexpr int32_t kLfoFreqItem = cmd::opValue::kLfoFreq & cmd::kItemMask;
constexpr int32_t kTuneCentre = 8192;
constexpr double kCentsPerTuneStep = 1200.0 / 8192.0;

// Item of operator op's parameter k (0x10 + k for A, 0x20 + k for B).
constexpr int32_t opItem(int op, int32_t k) {
    return cmd::itemOf(cmd::opValue::operatorParam(op, uint32_t(k)));
}

const char* const kRadioBitmaps[4][4] = {
    {"BtnAlg0.png", "BtnAlg1.png", "BtnAlg2.png", "BtnAlg3.png"},
    {"BtnVcrvA0.png", "BtnVcrvA1.png", "BtnVcrvA2.png", "BtnVcrvA3.png"},
    {"BtnVcrvB0.png", "BtnVcrvB1.png", "BtnVcrvB2.png", "BtnVcrvB3.png"},
    {"BtnLfoOsc0.png", "BtnLfoOsc1.png", "BtnLfoOsc2.png", "BtnLfoOsc3.png"}};

std::string centsText(int32_t n) {
    const double cents = double(n - kTuneCentre) * kCentsPerTuneStep;
    return std::to_string(int32_t(std::round(cents))) + " c";  // halves away from zero
}

}  // namespace

int32_t logicSteps(int32_t item) {
    // Knobs, fields and switches of the operators and the LFO frequency; the velocity
    // curves, like the other radio groups, are chosen by their buttons.
    const int32_t op = (item & 0xF0) == 0x10 ? 0 : (item & 0xF0) == 0x20 ? 1 : -1;
    if (item != kLfoFreqItem && (op < 0 || item == opItem(op, ev::kVelocityCurve)))
        return 0;
    const ParamID id = hostParameterOf(cmd::kOpValues | item);
    const taluma::ParameterDescription* p = id ? taluma::describeParameter(id) : nullptr;
    return p ? p->steps : 0;
}

int32_t logicTypedMin(int32_t item) {
    return (item & 0x0F) == ev::kTune && item != kLfoFreqItem ? -kTuneCentre : 0;
}

int32_t MainVSTGUIEditor::Layer_Logc::radioGroupOf(int32_t item) {
    for (int32_t g = 0; g < kRadioGroups; ++g) {
        const int32_t first = cmd::itemOf(cmd::control::kRadioGroups[g]);
        if (item >= first && item < first + 4)
            return g;
    }
    return -1;
}

MainVSTGUIEditor::Layer_Logc::Layer_Logc(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::page)), editor(e), skinBook(e->skin()) {
    skinBook.bitmap(this, "BackRmenuLogic.png");
    setBackground(loadBitmap(skinBook.name("BackRmenuLogic.png")));
    const int32_t skin = e->skin();
    auto tagOf = [](int32_t item) { return cmd::editorTag(cmd::kOpValues | item); };
    auto knob = [&](int32_t item, const ControlRect& r, const char* bitmap) {
        control[item] = skinBook.bitmap(
            makeKnob(e, this, tagOf(item), r, skinBook.name(bitmap), logicSteps(item)), bitmap);
    };
    auto text = [&](int32_t item, const ControlRect& r, Palette back) {
        field[item] = skinBook.colours(
            makeTextEdit(e, this, cmd::typedEntryTag(cmd::kOpValues | item), r,
                         paletteColour(skin, back), paletteColour(skin, Palette::Paper), "0"),
            back, Palette::Paper);
    };
    auto readOut = [&](int32_t item, const ControlRect& r, Palette back) {
        label[item] = skinBook.colours(makeLabel(this, r, paletteColour(skin, back),
                                                 paletteColour(skin, Palette::Paper),
                                                 kNormalFontSmall, kCenterText, "0"),
                                       back, Palette::Paper);
    };
    auto radioGroup = [&](int32_t g, const ControlRect* rects) {
        for (int32_t k = 0; k < 4; ++k)
            radio[g][k] = skinBook.bitmap(
                makeSwitchButton(e, this, cmd::editorTag(cmd::control::kRadioGroups[g] + k),
                                 rects[k], skinBook.name(kRadioBitmaps[g][k])),
                kRadioBitmaps[g][k]);
    };
    auto hSwitch = [&](int32_t item, const ControlRect& r, int32_t positions, const char* bitmap) {
        control[item] = skinBook.bitmap(
            makeHorizontalSwitch(e, this, tagOf(item), r, positions, skinBook.name(bitmap)),
            bitmap);
    };
    auto vSwitch = [&](int32_t item, const ControlRect& r, const char* bitmap) {
        control[item] = skinBook.bitmap(
            makeVerticalSwitch(e, this, tagOf(item), r, skinBook.name(bitmap)), bitmap);
    };
    const char* const knobBitmap[2] = {"KnbA.png", "KnbB.png"};

    radioGroup(0, place::algorithm);
    knob(opItem(0, ev::kFeedback), place::feedbackKnobA, "KnbA.png");
    knob(opItem(0, ev::kMul), place::multKnob[0], "KnbA.png");
    knob(opItem(1, ev::kMul), place::multKnob[1], "KnbB.png");
    knob(opItem(0, ev::kTune), place::tuneKnob[0], "KnbA_C.png");
    knob(opItem(1, ev::kTune), place::tuneKnob[1], "KnbB_C.png");
    text(opItem(0, ev::kFeedback), place::feedbackFieldA, Palette::AccentA);
    text(opItem(0, ev::kMul), place::multField[0], Palette::AccentA);
    text(opItem(1, ev::kMul), place::multField[1], Palette::AccentB);
    for (int op = 0; op < 2; ++op)
        text(opItem(op, ev::kTune), place::tuneField[op], accentOf(op));
    for (int op = 0; op < 2; ++op)
        readOut(opItem(op, ev::kTune), place::centsLabel[op], accentOf(op, true));
    for (int op = 0; op < 2; ++op) {
        for (int32_t row = 0; row < place::kEnvelopeRows; ++row)
            knob(opItem(op, ev::kTotalLevel + row), place::envelopeKnob[op][row], knobBitmap[op]);
        for (int32_t row = 0; row < place::kEnvelopeRows; ++row)
            text(opItem(op, ev::kTotalLevel + row), place::envelopeField[op][row], accentOf(op));
    }
    for (int op = 0; op < 2; ++op)
        knob(opItem(op, ev::kKeyCenter), place::keyCentreKnob[op], knobBitmap[op]);
    hSwitch(opItem(0, ev::kKeyScale), place::keyDepthSwitch[0], 4, "SwtKSensA.png");
    hSwitch(opItem(1, ev::kKeyScale), place::keyDepthSwitch[1], 4, "SwtKSensB.png");
    for (int op = 0; op < 2; ++op)
        text(opItem(op, ev::kKeyCenter), place::keyCentreField[op], accentOf(op));
    for (int op = 0; op < 2; ++op)
        readOut(opItem(op, ev::kKeyCenter), place::noteLabel[op], accentOf(op, true));
    radioGroup(1, place::velocityCurve[0]);
    radioGroup(2, place::velocityCurve[1]);
    hSwitch(opItem(0, ev::kVelocitySens), place::velocitySensSwitch[0], 8, "SwtVSensA.png");
    hSwitch(opItem(1, ev::kVelocitySens), place::velocitySensSwitch[1], 8, "SwtVSensB.png");
    radioGroup(3, place::lfoWave);
    knob(kLfoFreqItem, place::lfoFreqKnob, "KnbG20.png");
    vSwitch(opItem(0, ev::kPms), place::pmsSwitch[0], "SwtLSensA.png");
    vSwitch(opItem(1, ev::kPms), place::pmsSwitch[1], "SwtLSensB.png");
    vSwitch(opItem(0, ev::kAms), place::amsSwitch[0], "SwtLSensA.png");
    vSwitch(opItem(1, ev::kAms), place::amsSwitch[1], "SwtLSensB.png");
    text(kLfoFreqItem, place::lfoFreqField, Palette::Ink);
    readOut(kLfoFreqItem, place::lfoHzLabel, Palette::ClearInk);
}

void MainVSTGUIEditor::Layer_Logc::show(int32_t item, int32_t n, const CView* focus) {
    const int32_t steps = logicSteps(item);
    if (steps == 0)
        return;
    n = std::clamp(n, 0, steps);
    showNormalized(control[item], float(n) / float(steps));
    const DisplayTables& tables = editor->tables();
    if (item == kLfoFreqItem) {
        showText(field[item], std::to_string(n), focus);
        showText(label[item], tables.hundredths(n * 3200 / 16384, " Hz"));
    } else if ((item & 0x0F) == ev::kTune) {
        showText(field[item], std::to_string(n - kTuneCentre), focus);
        showText(label[item], centsText(n));
    } else if (field[item]) {
        showText(field[item], tables.decimal[n], focus);
        if (label[item])
            showText(label[item], tables.noteName[n]);
    }
}

void MainVSTGUIEditor::Layer_Logc::select(int32_t group, int32_t k) {
    if (group >= 0 && group < kRadioGroups)
        selectRadio(radio[group], k);
}

void MainVSTGUIEditor::Layer_Logc::updateFromSynth(const EditorSource& source, const CView* focus) {
    for (int32_t item = 0; item < kItems; ++item) {
        if (!logicSteps(item))
            continue;
        const int32_t v = source.value(hostParameterOf(cmd::kOpValues | item));
        if (v >= 0)
            show(item, v, focus);
    }
    for (int32_t g = 0; g < kRadioGroups; ++g) {
        const int32_t v = source.value(hostParameterOf(cmd::control::kRadioGroups[g]));
        if (v >= 0)
            select(g, v);
    }
}

}  // namespace Vst
}  // namespace Steinberg
