// The menu bar through the built module: each gesture with the host edits and the
// commands it must produce and what the bar shows afterwards.
#include "page_cases.h"

#include "engine_event.h"

namespace taluma {
namespace test {
namespace {

using MenuBar = PageFixture;
using Steinberg::Vst::KnobMode;
namespace global = cmd::global;
namespace eventid = taluma::eventid;
namespace place = layout::menubar;

TEST_F(MenuBar, GesturesGiveHostEditsAndCommands) {
    const int32_t volume = control(global::kVolume), pitch = control(global::kReferencePitch);
    const int32_t pitchField = field(global::kReferencePitch);
    // The host's knob mode (IEditController2) holds for every view of the module.
    auto knobs = [&](KnobMode mode) {
        return [=](testhost::OffscreenEditor&) {
            Steinberg::FUnknownPtr<Steinberg::Vst::IEditController2>(plugin->controller())
                ->setKnobMode(mode);
        };
    };
    auto decibels = [&](const char* db) {
        return [=] { EXPECT_EQ(labelText(place::volumeLabel, {0, 0, 800, 600}), db); };
    };
    const float s126 = step(126, 127), s1 = step(1, 127), s95 = step(95, 127), s64 = step(64, 127);
    const int32_t bits = control(global::kBitDepth), rate = control(global::kRateDivider),
                  voices = control(global::kVoiceCount);
    const int32_t leftTab = control(cmd::control::kLogicTab),
                  rightTab = control(cmd::control::kGeneratorTab);
    // clang-format off
    run({
        {"volume, one notch down", wheel(volume, -1), gesture(eventid::kVolume, s126),
            {{volume, s126}}, {}, decibels(" -0.13 dB")},
        {"volume at the bottom", wheel(volume, -127), gesture(eventid::kVolume, 0.0),
            {{volume, 0.0}}, {}, decibels("   inf   ")},
        {"volume one step up from the bottom", wheel(volume, -126), gesture(eventid::kVolume, s1),
            {{volume, s1}}, {}, decibels("-72.24 dB")},
        {"volume dragged 100 px down in linear knob mode is one gesture",
            then(knobs(Steinberg::Vst::kLinearMode), [&](auto& e) { e.drag(volume, 0, 100.0, 2); }),
            {begin(eventid::kVolume), perform(eventid::kVolume, s95), perform(eventid::kVolume, s64),
             end(eventid::kVolume)}, {{volume, s95}, {volume, s64}}, {{volume, nullptr, s64}}},
        {"volume pressed without moving in linear mode: an empty gesture",
            then(knobs(Steinberg::Vst::kLinearMode), press(volume)),
            {begin(eventid::kVolume), end(eventid::kVolume)}, {}, {}},
        {"volume pressed at 3 o'clock in circular knob mode: three quarters of the arc",
            then(knobs(Steinberg::Vst::kCircularMode), [&](auto& e) {
                const ProbeView v = e.view(volume);
                e.click(v.right - 1.0, (v.top + v.bottom) / 2.0); }),
            gesture(eventid::kVolume, s95), {{volume, s95}}, {}},
        {"pitch, one notch up: two fraction digits", wheel(pitch, 1),
            gesture(eventid::kStdPitch, step(201, 400)), {{pitch, step(201, 400)}},
            {{pitchField, "440.10 Hz"}}},
        {"typed pitch is clamped and shown in whole hertz", typeIn(pitchField, "999"),
            gesture(eventid::kStdPitch, 1.0), {{global::kReferencePitch, 1.0}},
            {{pitchField, "460.000000 Hz"}, {pitch, nullptr, 1.0f}}},
        {"typed text that is no number reads as 0, clamped to 420 Hz", typeIn(pitchField, "abc"),
            gesture(eventid::kStdPitch, 0.0), {{global::kReferencePitch, 0.0}}, {}},
        {"bit depth: 8 bit", pick(bits, 7), gesture(eventid::kBitDepth, step(7, 15)),
            {{bits, step(7, 15)}}, {{bits, "8 bit"}}},
        {"rate: 1/2, no host parameter", pick(rate, 1), {}, {{rate, step(1, 3)}}, {}},
        {"voices: 128", pick(voices, 4), {}, {{voices, step(4, 7)}}, {{voices, "128"}}},
        {"settings button shows the Settings page", press(control(cmd::control::kSettingsButton)),
            {}, {{global::kPage, 3.0}}, {{leftTab, nullptr, 0.0f}, {rightTab, nullptr, 0.0f}},
            [&] { EXPECT_TRUE(visible(control(cmd::setting::kBendRange)));
                  EXPECT_FALSE(visible(control(cmd::opValue::kLfoFreq))); }},
        {"right tab shows the Wave-generator page", press(rightTab), {}, {{global::kPage, 2.0}},
            {{rightTab, nullptr, 1.0f}, {leftTab, nullptr, 0.0f}},
            [&] { EXPECT_FALSE(visible(control(cmd::opValue::kLfoFreq))); }},
        {"the tab already on", press(leftTab), {}, {}, {}},
        {"the right button on a tab", press(rightTab, testhost::OffscreenEditor::kRight), {}, {},
            {{rightTab, nullptr, 0.0f}}},
    });
    // clang-format on
}

TEST_F(MenuBar, ShowsItsInitialEntriesUntilTheHostRateIsKnown) {
    EXPECT_EQ(editor->menuEntries(control(global::kRateDivider)),
              (std::vector<std::string>{"44100 Hz [1/1]", "22050 Hz [1/2]", "14700 Hz [1/3]",
                                        "11025 Hz [1/4]"}));
    EXPECT_EQ(editor->menuEntries(control(global::kBitDepth)).back(), "16 bit");
    EXPECT_EQ(text(field(global::kReferencePitch)), "440.00 Hz");
    EXPECT_EQ(labelText(place::volumeLabel, {0, 0, 800, 600}), "  0.00 dB");
}

}  // namespace
}  // namespace test
}  // namespace taluma
