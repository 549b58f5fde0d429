#include "editor/layer_genw.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"
#include "wavetable/wave_generators.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace gen = taluma::cmd::generator;
namespace place = taluma::layout::wavegen;

namespace {

constexpr int32_t item(int32_t command) {
    return cmd::itemOf(command);
}

// Each knob's steps and lowest plain value: plain = step + minimum.
struct KnobRange {
    int32_t steps, minimum;
};

KnobRange rangeOf(int32_t knobItem) {
    switch (knobItem) {
    case item(gen::kAmplitude):
    case item(gen::kOffset): return {511, -256};
    case item(gen::kRangeEnd): return {127, 1};
    case item(gen::kRangeStart): return {127, 0};
    case item(gen::kCycles): return {511, 1};
    case item(gen::kPhase): return {255, -128};
    case item(gen::kHarmonicsCount): return {63, 1};
    case item(gen::kNoisePoints): return {127, 1};
    case item(gen::kNoiseSeed): return {65535, 0};
    default: return {0, 0};
    }
}

// The plain value typed into a knob's field: whole steps within the knob's range; the
// cycles typed in whole cycles and shown in quarters. Text that is no number reads as 0.
int32_t typedValue(int32_t knobItem, const std::string& text) {
    const float typed = std::strtof(text.c_str(), nullptr);
    const double x = std::isfinite(typed) ? typed : 0.0;  // "nan" and "inf" are no numbers
    const KnobRange r = rangeOf(knobItem);
    if (knobItem == item(gen::kCycles))
        return int32_t(std::ceil(4.0 * std::clamp(x, 0.25, (r.minimum + r.steps) / 4.0)));
    return int32_t(std::clamp(x, double(r.minimum), double(r.minimum + r.steps)));
}

}  // namespace

Layer_Genw::Layer_Genw(EditorContext& context) : PageLayer(context, taluma::layout::window::page) {
    IControlListener* e = context.listener();
    skinBook_.bitmap(this, "BackRmenuWgen.png");
    setBackground(loadBitmap(skinBook_.name("BackRmenuWgen.png")));
    const CColor ink = colour(Palette::Ink);
    const CColor paper = colour(Palette::Paper);
    auto makeKnobAt = [&](CViewContainer* in, int32_t command, const ControlRect& r,
                          const char* bitmap) {
        knob_[item(command)] =
            skinBook_.bitmap(makeKnob(e, in, cmd::editorTag(command), r, skinBook_.name(bitmap),
                                      rangeOf(item(command)).steps),
                             bitmap);
    };
    auto makeFieldAt = [&](CViewContainer* in, int32_t command, const ControlRect& r) {
        field_[item(command)] = skinBook_.colours(
            makeTextEdit(e, in, cmd::typedEntryTag(command), r, ink, paper, "---"), Palette::Ink,
            Palette::Paper);
    };
    auto panel = [&](const ControlRect& r, const char* bitmap) {
        return skinBook_.bitmap(makeLayerContainer(this, r, skinBook_.name(bitmap)), bitmap);
    };
    auto slideSwitch = [&](CViewContainer* in, int32_t command, const ControlRect& r) {
        return skinBook_.bitmap(makeHorizontalSwitch(e, in, cmd::editorTag(command), r, 2,
                                                     skinBook_.name("BtnSldSwt.png")),
                                "BtnSldSwt.png");
    };

    static const char* const kTypeBitmaps[6] = {"BtnWgen0.png", "BtnWgen1.png", "BtnWgen2.png",
                                                "BtnWgen3.png", "BtnWgen4.png", "BtnWgen5.png"};
    for (int32_t t = 0; t < cmd::control::kTypeButtonCount; ++t)
        typeButton_[t] = skinBook_.bitmap(
            makeSwitchButton(e, this, cmd::editorTag(cmd::control::kTypeButton + t),
                             place::typeButton[t], skinBook_.name(kTypeBitmaps[t])),
            kTypeBitmaps[t]);

    cyclesPanel_ = panel(place::cyclesPanel, "BackWgenCycl.png");
    makeKnobAt(cyclesPanel_, gen::kCycles, place::cyclesKnob, "KnbG22.png");
    makeKnobAt(cyclesPanel_, gen::kPhase, place::phaseKnob, "KnbG22_C.png");
    makeFieldAt(cyclesPanel_, gen::kCycles, place::cyclesField);
    makeFieldAt(cyclesPanel_, gen::kPhase, place::phaseField);

    harmonicsPanel_ = panel(place::harmonicsPanel, "BackWgenAdd.png");
    harmonicsSwitch_ = slideSwitch(harmonicsPanel_, gen::kHarmonicsOn, place::harmonicsSwitch);
    makeKnobAt(harmonicsPanel_, gen::kHarmonicsCount, place::harmonicsKnob, "KnbG22.png");
    makeFieldAt(harmonicsPanel_, gen::kHarmonicsCount, place::harmonicsField);

    noisePanel_ = panel(place::noisePanel, "BackWgenNois.png");
    makeKnobAt(noisePanel_, gen::kNoisePoints, place::noisePointsKnob, "KnbG22.png");
    makeKnobAt(noisePanel_, gen::kNoiseSeed, place::noiseSeedKnob, "KnbG22.png");
    makeFieldAt(noisePanel_, gen::kNoisePoints, place::noisePointsField);
    makeFieldAt(noisePanel_, gen::kNoiseSeed, place::noiseSeedField);
    interpolationMenu_ =
        skinBook_.colours(makeOptionMenu(e, noisePanel_, cmd::editorTag(gen::kInterpolation),
                                         place::interpolationMenu, ink, paper,
                                         {"None", "Liner", "Spline 3", "Spline 5"}),
                          Palette::Ink, Palette::Paper);
    interpolationMenu_->setStyle(kMenuStyle);
    noiseSwitch_ = slideSwitch(noisePanel_, gen::kNoiseLoop, place::noiseSwitch);

    makeKnobAt(this, gen::kAmplitude, place::amplitudeKnob, "KnbG22_C.png");
    makeKnobAt(this, gen::kOffset, place::offsetKnob, "KnbG22_C.png");
    makeKnobAt(this, gen::kRangeEnd, place::rangeEndKnob, "KnbG22.png");
    makeKnobAt(this, gen::kRangeStart, place::rangeStartKnob, "KnbG22.png");
    makeFieldAt(this, gen::kAmplitude, place::amplitudeField);
    makeFieldAt(this, gen::kOffset, place::offsetField);
    makeFieldAt(this, gen::kRangeEnd, place::rangeEndField);
    makeFieldAt(this, gen::kRangeStart, place::rangeStartField);
    static const char* const kApplyBitmaps[2] = {"BtnAplyA.png", "BtnAplyB.png"};
    const int32_t applyCommands[2] = {gen::kApplyA, gen::kApplyB};
    for (int op = 0; op < 2; ++op)
        skinBook_.bitmap(makeKickButton(e, this, cmd::editorTag(applyCommands[op]),
                                        place::applyButton[op], skinBook_.name(kApplyBitmaps[op])),
                         kApplyBitmaps[op]);
}

std::string Layer_Genw::readOut(int32_t knobItem, int32_t value) const {
    const DisplayTables& tables = context_.tables();
    const auto small = [&](int32_t v) {
        return v >= 0 && v <= 256 ? std::string(tables.decimal[v]) : std::to_string(v);
    };
    if (knobItem == item(gen::kCycles)) {
        const int32_t whole = value / 4, quarters = value % 4;
        if (quarters == 0)
            return small(whole);
        const std::string part = std::to_string(quarters) + "/4";
        return whole >= 1 ? small(whole) + " " + part : part;
    }
    if (knobItem == item(gen::kPhase))
        return value == 0 ? "0" : std::to_string(value) + "/128";
    return small(value);
}

void Layer_Genw::showKnob(int32_t knobItem, int32_t value) {
    const KnobRange range = rangeOf(knobItem);
    if (range.steps == 0 || !knob_[knobItem])
        return;
    showNormalized(knob_[knobItem], float(value - range.minimum) / float(range.steps));
    showText(field_[knobItem], readOut(knobItem, value));
}

void Layer_Genw::showType(int32_t type) {
    selectRadio(typeButton_, type);
    const bool constant = type == taluma::kGenConstant, noise = type == taluma::kGenNoise;
    cyclesPanel_->setVisible(!constant && !noise);
    harmonicsPanel_->setVisible(!constant && !noise && type != taluma::kGenSine);
    noisePanel_->setVisible(noise);
}

void Layer_Genw::refresh(const EditorSource& source) {
    taluma::GeneratorSettings g;
    if (!source.generator(g))
        return;
    showType(g.type);
    showKnob(item(gen::kCycles), g.cyclesQuarter);
    showKnob(item(gen::kPhase), g.phase);
    showKnob(item(gen::kHarmonicsCount), g.harmonicsCount);
    showKnob(item(gen::kNoisePoints), g.noisePoints);
    showKnob(item(gen::kNoiseSeed), g.noiseSeed);
    showKnob(item(gen::kAmplitude), g.amplitude);
    showKnob(item(gen::kOffset), g.offset);
    showKnob(item(gen::kRangeEnd), g.rangeEnd);
    showKnob(item(gen::kRangeStart), g.rangeStart);
    showSwitches(source);
    showNormalized(interpolationMenu_, float(g.interpolation) / 3.0f);
}

void Layer_Genw::showSwitches(const EditorSource& source) {
    taluma::GeneratorSettings g;
    if (!source.generator(g))
        return;
    showNormalized(harmonicsSwitch_, g.harmonicsOn ? 1.0f : 0.0f);
    showNormalized(noiseSwitch_, g.noiseLoop ? 1.0f : 0.0f);
}

void Layer_Genw::handleChange(CControl* control) {
    const int32_t tag = control->getTag();
    const int32_t command = cmd::commandOf(tag);
    const float norm = control->getValueNormalized();
    if (command == gen::kApplyA || command == gen::kApplyB) {
        if (norm >= 0.5f)
            context_.sendValueChange(tag, norm);
    } else if (command >= gen::kAmplitude && command <= gen::kNoiseSeed) {
        context_.sendValueChange(tag, norm);
    } else if (command >= cmd::control::kTypeButton &&
               command < cmd::control::kTypeButton + cmd::control::kTypeButtonCount) {
        context_.sendValueChange(gen::kType, command - cmd::control::kTypeButton);
    }
}

void Layer_Genw::handleTypedEntry(int32_t command, const std::string& text) {
    const KnobRange r = rangeOf(cmd::itemOf(command));
    if (r.steps > 0)
        context_.sendValueChange(command, (typedValue(cmd::itemOf(command), text) - r.minimum) /
                                              double(r.steps));
}

void Layer_Genw::showReply(int32_t tag, double val) {
    if (cmd::groupOf(tag) != cmd::kGenerator)
        return;
    const int32_t replyItem = cmd::itemOf(tag);
    const KnobRange range = rangeOf(replyItem);
    if (range.steps > 0) {
        // The processor answers q / S; the plain value is q + minimum.
        showKnob(replyItem, int32_t(val * range.steps + 0.5) + range.minimum);
        return;
    }
    switch (replyItem) {
    case item(gen::kHarmonicsOn):
    case item(gen::kNoiseLoop):
        // The answer is 0 whatever the switch was set to: the Synth says what it is.
        showSwitches(context_.source());
        return;
    case item(gen::kInterpolation): showNormalized(interpolationMenu_, float(val)); return;
    case item(gen::kType): refresh(context_.source()); return;
    default: return;
    }
}

}  // namespace Steinberg::Vst
