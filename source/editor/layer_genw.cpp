#include "editor/layer_genw.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/editor_tags.h"

#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
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

}  // namespace

MainVSTGUIEditor::Layer_Genw::Layer_Genw(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::page)), editor(e), skinBook(e->skin()) {
    skinBook.bitmap(this, "BackRmenuWgen.png");
    setBackground(loadBitmap(skinBook.name("BackRmenuWgen.png")));
    const int32_t skin = e->skin();
    const CColor ink = paletteColour(skin, Palette::Ink);
    const CColor paper = paletteColour(skin, Palette::Paper);
    auto makeKnobAt = [&](CViewContainer* in, int32_t command, const ControlRect& r,
                          const char* bitmap) {
        knob[item(command)] =
            skinBook.bitmap(makeKnob(e, in, cmd::editorTag(command), r, skinBook.name(bitmap),
                                     rangeOf(item(command)).steps),
                            bitmap);
    };
    auto makeFieldAt = [&](CViewContainer* in, int32_t command, const ControlRect& r) {
        field[item(command)] =
            skinBook.colours(makeTextEdit(e, in, cmd::typedEntryTag(command), r, ink, paper, "---"),
                             Palette::Ink, Palette::Paper);
    };
    auto panel = [&](const ControlRect& r, const char* bitmap) {
        return skinBook.bitmap(makeLayerContainer(this, r, skinBook.name(bitmap)), bitmap);
    };
    auto slideSwitch = [&](CViewContainer* in, int32_t command, const ControlRect& r) {
        return skinBook.bitmap(makeHorizontalSwitch(e, in, cmd::editorTag(command), r, 2,
                                                    skinBook.name("BtnSldSwt.png")),
                               "BtnSldSwt.png");
    };

    static const char* const kTypeBitmaps[6] = {"BtnWgen0.png", "BtnWgen1.png", "BtnWgen2.png",
                                                "BtnWgen3.png", "BtnWgen4.png", "BtnWgen5.png"};
    for (int32_t t = 0; t < cmd::control::kTypeButtonCount; ++t)
        typeButton[t] =
            skinBook.bitmap(makeSwitchButton(e, this, cmd::editorTag(cmd::control::kTypeButton + t),
                                             place::typeButton[t], skinBook.name(kTypeBitmaps[t])),
                            kTypeBitmaps[t]);

    cyclesPanel = panel(place::cyclesPanel, "BackWgenCycl.png");
    makeKnobAt(cyclesPanel, gen::kCycles, place::cyclesKnob, "KnbG22.png");
    makeKnobAt(cyclesPanel, gen::kPhase, place::phaseKnob, "KnbG22_C.png");
    makeFieldAt(cyclesPanel, gen::kCycles, place::cyclesField);
    makeFieldAt(cyclesPanel, gen::kPhase, place::phaseField);

    harmonicsPanel = panel(place::harmonicsPanel, "BackWgenAdd.png");
    harmonicsSwitch = slideSwitch(harmonicsPanel, gen::kHarmonicsOn, place::harmonicsSwitch);
    makeKnobAt(harmonicsPanel, gen::kHarmonicsCount, place::harmonicsKnob, "KnbG22.png");
    makeFieldAt(harmonicsPanel, gen::kHarmonicsCount, place::harmonicsField);

    noisePanel = panel(place::noisePanel, "BackWgenNois.png");
    makeKnobAt(noisePanel, gen::kNoisePoints, place::noisePointsKnob, "KnbG22.png");
    makeKnobAt(noisePanel, gen::kNoiseSeed, place::noiseSeedKnob, "KnbG22.png");
    makeFieldAt(noisePanel, gen::kNoisePoints, place::noisePointsField);
    makeFieldAt(noisePanel, gen::kNoiseSeed, place::noiseSeedField);
    interpolationMenu = skinBook.colours(
        makeOptionMenu(e, noisePanel, cmd::editorTag(gen::kInterpolation), place::interpolationMenu,
                       ink, paper, {"None", "Liner", "Spline 3", "Spline 5"}),
        Palette::Ink, Palette::Paper);
    interpolationMenu->setStyle(kMenuStyle);
    noiseSwitch = slideSwitch(noisePanel, gen::kNoiseLoop, place::noiseSwitch);

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
        applyButton[op] = skinBook.bitmap(makeKickButton(e, this, cmd::editorTag(applyCommands[op]),
                                                         place::applyButton[op],
                                                         skinBook.name(kApplyBitmaps[op])),
                                          kApplyBitmaps[op]);
}

std::string MainVSTGUIEditor::Layer_Genw::readOut(int32_t knobItem, int32_t value) const {
    const DisplayTables& tables = editor->tables();
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

void MainVSTGUIEditor::Layer_Genw::showKnob(int32_t knobItem, int32_t value) {
    const KnobRange range = rangeOf(knobItem);
    if (range.steps == 0 || !knob[knobItem])
        return;
    showNormalized(knob[knobItem], float(value - range.minimum) / float(range.steps));
    showText(field[knobItem], readOut(knobItem, value));
}

void MainVSTGUIEditor::Layer_Genw::showType(int32_t type) {
    selectRadio(typeButton, type);
    const bool constant = type == taluma::kGenConstant, noise = type == taluma::kGenNoise;
    cyclesPanel->setVisible(!constant && !noise);
    harmonicsPanel->setVisible(!constant && !noise && type != taluma::kGenSine);
    noisePanel->setVisible(noise);
}

void MainVSTGUIEditor::Layer_Genw::updateFromSynth(const EditorSource& source) {
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
    showNormalized(harmonicsSwitch, g.harmonicsOn ? 1.0f : 0.0f);
    showNormalized(noiseSwitch, g.noiseLoop ? 1.0f : 0.0f);
    showNormalized(interpolationMenu, float(g.interpolation) / 3.0f);
}

void MainVSTGUIEditor::Layer_Genw::showReply(int32_t replyItem, double val,
                                             const EditorSource& source) {
    const KnobRange range = rangeOf(replyItem);
    if (range.steps > 0) {
        // The processor answers q / S; the plain value is q + minimum.
        showKnob(replyItem, int32_t(val * range.steps + 0.5) + range.minimum);
        return;
    }
    taluma::GeneratorSettings g;
    switch (replyItem) {
    case item(gen::kHarmonicsOn):
    case item(gen::kNoiseLoop):
        // The answer is 0 whatever the switch was set to: the Synth says what it is.
        if (source.generator(g)) {
            showNormalized(harmonicsSwitch, g.harmonicsOn ? 1.0f : 0.0f);
            showNormalized(noiseSwitch, g.noiseLoop ? 1.0f : 0.0f);
        }
        return;
    case item(gen::kInterpolation): showNormalized(interpolationMenu, float(val)); return;
    case item(gen::kType): updateFromSynth(source); return;
    default: return;
    }
}

}  // namespace Vst
}  // namespace Steinberg
