#include "editor/layer_logc.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"
#include "editor/parameter_entry.h"
#include "engine/engine_event.h"

#include <algorithm>
#include <string>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace ev = taluma::eventid;
namespace place = taluma::layout::logic;

namespace {

constexpr int32_t kLfoFreqItem = cmd::opValue::kLfoFreq & cmd::kItemMask;

// Item of operator op's parameter k (0x10 + k for A, 0x20 + k for B).
constexpr int32_t opItem(int op, int32_t k) {
    return cmd::itemOf(cmd::opValue::operatorParam(op, uint32_t(k)));
}

const char* const kRadioBitmaps[4][4] = {
    {"BtnAlg0.png", "BtnAlg1.png", "BtnAlg2.png", "BtnAlg3.png"},
    {"BtnVcrvA0.png", "BtnVcrvA1.png", "BtnVcrvA2.png", "BtnVcrvA3.png"},
    {"BtnVcrvB0.png", "BtnVcrvB1.png", "BtnVcrvB2.png", "BtnVcrvB3.png"},
    {"BtnLfoOsc0.png", "BtnLfoOsc1.png", "BtnLfoOsc2.png", "BtnLfoOsc3.png"}};

// The host parameter of an item's knob, field or switch; 0 for the radio groups, whose
// buttons are chosen, not turned.
uint32_t parameterOfItem(int32_t item) {
    if (item < 0 || item >= Layer_Logc::kItems)
        return 0;
    return cmd::parameterOf(cmd::kOpValues | item);
}

int32_t stepsOf(int32_t item) {
    const uint32_t id = parameterOfItem(item);
    return id ? knobSteps(id) : 0;
}

// The radio group of a command item (0x80.. 0xB3), or -1.
int32_t radioGroupOf(int32_t item) {
    for (int32_t g = 0; g < Layer_Logc::kRadioGroups; ++g) {
        const int32_t first = cmd::itemOf(cmd::control::kRadioGroups[g]);
        if (item >= first && item < first + 4)
            return g;
    }
    return -1;
}

}  // namespace

Layer_Logc::Layer_Logc(EditorContext& context) : PageLayer(context, taluma::layout::window::page) {
    skinBook_.bitmap(this, "BackRmenuLogic.png");
    setBackground(loadBitmap(skinBook_.name("BackRmenuLogic.png")));
    IControlListener* e = context.listener();
    auto tagOf = [](int32_t item) { return cmd::editorTag(cmd::kOpValues | item); };
    auto knob = [&](int32_t item, const ControlRect& r, const char* bitmap) {
        control_[item] = skinBook_.bitmap(
            makeKnob(e, this, tagOf(item), r, skinBook_.name(bitmap), stepsOf(item)), bitmap);
    };
    auto text = [&](int32_t item, const ControlRect& r, Palette back) {
        field_[item] =
            skinBook_.colours(makeTextEdit(e, this, cmd::typedEntryTag(cmd::kOpValues | item), r,
                                           colour(back), colour(Palette::Paper), "0"),
                              back, Palette::Paper);
    };
    auto readOut = [&](int32_t item, const ControlRect& r, Palette back) {
        label_[item] = skinBook_.colours(makeLabel(this, r, colour(back), colour(Palette::Paper),
                                                   kNormalFontSmall, kCenterText, "0"),
                                         back, Palette::Paper);
    };
    auto radioGroup = [&](int32_t g, const ControlRect* rects) {
        for (int32_t k = 0; k < 4; ++k)
            radio_[g][k] = skinBook_.bitmap(
                makeSwitchButton(e, this, cmd::editorTag(cmd::control::kRadioGroups[g] + k),
                                 rects[k], skinBook_.name(kRadioBitmaps[g][k])),
                kRadioBitmaps[g][k]);
    };
    auto hSwitch = [&](int32_t item, const ControlRect& r, int32_t positions, const char* bitmap) {
        control_[item] = skinBook_.bitmap(
            makeHorizontalSwitch(e, this, tagOf(item), r, positions, skinBook_.name(bitmap)),
            bitmap);
    };
    auto vSwitch = [&](int32_t item, const ControlRect& r, const char* bitmap) {
        control_[item] = skinBook_.bitmap(
            makeVerticalSwitch(e, this, tagOf(item), r, skinBook_.name(bitmap)), bitmap);
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

void Layer_Logc::show(int32_t item, int32_t n, const CView* focus) {
    const int32_t steps = stepsOf(item);
    if (steps == 0)
        return;
    n = std::clamp(n, 0, steps);
    showNormalized(control_[item], float(n) / float(steps));
    const uint32_t id = parameterOfItem(item);
    showText(field_[item], std::to_string(plainOfStep(id, n)), focus);
    if (label_[item])
        showText(label_[item], stepText(id, n));
}

void Layer_Logc::select(int32_t group, int32_t k) {
    if (group >= 0 && group < kRadioGroups)
        selectRadio(radio_[group], k);
}

void Layer_Logc::handleChange(CControl* control) {
    const int32_t tag = control->getTag();
    const int32_t item = cmd::itemOf(tag);
    const int32_t group = radioGroupOf(item);
    if (group >= 0) {
        const int32_t first = cmd::control::kRadioGroups[group];
        const int32_t k = item - cmd::itemOf(first);
        select(group, k);
        context_.hostEdit(tag, k / 3.0);
        context_.sendValueChange(first, k);
        return;
    }
    const int32_t steps = stepsOf(item);
    if (steps == 0)
        return;
    const int32_t n = snapStep(control->getValueNormalized(), steps);
    show(item, n);
    context_.hostEdit(tag, float(n) / float(steps));
    context_.sendValueChange(tag, n);
}

void Layer_Logc::handleTypedEntry(int32_t command, const std::string& text) {
    const int32_t item = cmd::itemOf(command);
    const int32_t steps = stepsOf(item);
    if (steps == 0)
        return;
    const int32_t n = typedStep(parameterOfItem(item), text);
    show(item, n);
    context_.hostEdit(command, float(n) / float(steps));
    context_.sendValueChange(command, n);
}

void Layer_Logc::showReply(int32_t tag, double value) {
    if (cmd::groupOf(tag) != cmd::kOpValues)
        return;
    const int32_t item = cmd::itemOf(tag);
    const int32_t group = radioGroupOf(item);
    if (group >= 0)
        select(group, int32_t(value));
    else
        show(item, int32_t(value));
}

void Layer_Logc::tick(const EditorSource& source, const CView* focus, uint32_t) {
    if (isShown(this))
        show(source, focus);
}

void Layer_Logc::show(const EditorSource& source, const CView* focus) {
    for (int32_t item = 0; item < kItems; ++item) {
        if (!stepsOf(item))
            continue;
        const int32_t v = source.value(parameterOfItem(item));
        if (v >= 0)
            show(item, v, focus);
    }
    for (int32_t g = 0; g < kRadioGroups; ++g) {
        const int32_t v = source.value(cmd::parameterOf(cmd::control::kRadioGroups[g]));
        if (v >= 0)
            select(g, v);
    }
}

}  // namespace Steinberg::Vst
