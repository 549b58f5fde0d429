// The Wave-generator page through the built module: every change goes to the processor
// as it is, and the processor's answer sets the knobs, read-outs and panels.
#include "page_cases.h"

namespace taluma {
namespace test {
namespace {

using GeneratorPage = PageFixture;
namespace gen = cmd::generator;
namespace place = layout::wavegen;

TEST_F(GeneratorPage, GesturesSendCommandsAndTheAnswersShowThem) {
    auto panels = [&](bool cycles, bool harmonics, bool noise) {
        return [=] {
            auto shown = [&](const layout::Rect& r) {
                const layout::Rect at = r.in(layout::window::page);
                return editor->viewAt("container", at.left, at.top, at.width, at.height).visible;
            };
            EXPECT_EQ(shown(place::cyclesPanel), cycles);
            EXPECT_EQ(shown(place::harmonicsPanel), harmonics);
            EXPECT_EQ(shown(place::noisePanel), noise);
        };
    };
    const int32_t type = control(cmd::control::kTypeButton), cycles = gen::kCycles,
                  amplitude = gen::kAmplitude, menu = control(gen::kInterpolation);
    // clang-format off
    run({
        {"noise type", press(type + 5), {}, {{gen::kType, 5.0}}, {}, panels(false, false, true)},
        {"constant type hides every panel", press(type + 4), {}, {{gen::kType, 4.0}}, {},
            panels(false, false, false)},
        {"saw type shows cycles and harmonics", press(type + 2), {}, {{gen::kType, 2.0}},
            {{type, nullptr, 0.0f}, {type + 2, nullptr, 1.0f}}, panels(true, true, false)},
        {"sine type shows cycles alone", then(press(type + 2), press(type)), {},
            {{gen::kType, 2.0}, {gen::kType, 0.0}}, {}, panels(true, false, false)},
        {"typed cycles in quarters", typeIn(field(cycles), "1.5"), {}, {{cycles, 5.0 / 511.0}},
            {{field(cycles), "1 2/4"}}},
        {"typed cycles below a quarter", typeIn(field(cycles), "0.1"), {}, {{cycles, 0.0}},
            {{field(cycles), "1/4"}}},
        {"typed whole cycles", typeIn(field(cycles), "2"), {}, {{cycles, 7.0 / 511.0}},
            {{field(cycles), "2"}}},
        {"typed phase", typeIn(field(gen::kPhase), "-5"), {}, {{gen::kPhase, 123.0 / 255.0}},
            {{field(gen::kPhase), "-5/128"}}},
        {"typed amplitude above the range", typeIn(field(amplitude), "300"), {}, {{amplitude, 1.0}},
            {{field(amplitude), "255"}, {control(amplitude), nullptr, 1.0f}}},
        {"typed range start", typeIn(field(gen::kRangeStart), "64"), {},
            {{gen::kRangeStart, 64.0 / 127.0}}, {{field(gen::kRangeStart), "64"}}},
        {"amplitude, one notch down from 127: sent as it is, answered quantised",
            wheel(control(amplitude), -1), {},
            {{control(amplitude), double(float(383.0 / 511.0) - 1.0f / 511.0f)}},
            {{field(amplitude), "126"}}},
        {"apply to A sends once, on the press", press(control(gen::kApplyA)), {},
            {{control(gen::kApplyA), 1.0}}, {}},
        {"interpolation menu of the noise panel: Liner", then(press(type + 5), pick(menu, 1)), {},
            {{gen::kType, 5.0}, {menu, step(1, 3)}}, {{menu, "Liner"}}},
        {"the harmonics switch stays on although the answer is 0",
            then(press(type + 3), pressRightEnd(control(gen::kHarmonicsOn))), {},
            {{gen::kType, 3.0}, {control(gen::kHarmonicsOn), 1.0}},
            {{control(gen::kHarmonicsOn), nullptr, 1.0f}}},
    }, press(control(cmd::control::kGeneratorTab)));
    // clang-format on
}

TEST_F(GeneratorPage, ShowsTheGeneratorSettings) {
    editor->clickView(control(cmd::control::kGeneratorTab));
    EXPECT_EQ(text(field(gen::kCycles)), "1");  // 4 quarters
    EXPECT_EQ(text(field(gen::kRangeEnd)), "128");
    EXPECT_EQ(text(field(gen::kPhase)), "0");
    EXPECT_EQ(editor->menuEntries(control(gen::kInterpolation)),
              (std::vector<std::string>{"None", "Liner", "Spline 3", "Spline 5"}));
}

}  // namespace
}  // namespace test
}  // namespace taluma
