// The Settings page through the built module: its own controls, the twins of the menu
// bar, and the file dialogs with their titles, names and filters.
#include "page_cases.h"

#include "engine_event.h"
#include "vstgui/lib/vstkeycode.h"

namespace taluma {
namespace test {
namespace {

using SettingsPage = PageFixture;
namespace setting = cmd::setting;
namespace global = cmd::global;
namespace eventid = taluma::eventid;
namespace place = layout::settings;

const Act kShowSettings = press(control(cmd::control::kSettingsButton));

TEST_F(SettingsPage, GesturesGiveHostEditsAndCommands) {
    const int32_t bend = setting::kBendRange, wave = setting::kWaveOpacity,
                  grid = setting::kGridOpacity, volume = control(global::kVolume),
                  pitchField = field(global::kReferencePitch), bits = control(global::kBitDepth);
    // clang-format off
    run({
        {"bend range, one notch up from its default 2", wheel(control(bend), 1),
            gesture(eventid::kBendRange, step(3, 24)), {{control(bend), step(3, 24)}},
            {{field(bend), "3"}}},
        {"typed bend range above 24", typeIn(field(bend), "30"), gesture(eventid::kBendRange, 1.0),
            {{bend, 1.0}}, {{control(bend), nullptr, 1.0f}}},
        {"typed wave opacity", typeIn(field(wave), "35"), {}, {{wave, 35.0}},
            {{field(wave), "35 %"}, {control(wave), nullptr, 0.35f}}},
        {"grid opacity, ten notches down", wheel(control(grid), -10), {}, {{control(grid), 20.0}},
            {{field(grid), "20 %"}}},
        {"number radix 16", pick(control(setting::kNumberRadix), 1), {},
            {{control(setting::kNumberRadix), 1.0}}, {{control(setting::kNumberRadix), "16"}}},
        {"frame rate 25 FPS", pick(control(setting::kFrameRateIndex), 1), {},
            {{control(setting::kFrameRateIndex), 1.0}}, {},
            [&] { EXPECT_EQ(editor->probe()->idleRate(), 40); }},
        {"the volume twin moves the menu bar's knob and label too", wheel(volume, -127, 1),
            gesture(eventid::kVolume, 0.0), {{volume, 0.0}}, {{volume, nullptr, 0.0f}},
            [&] { EXPECT_EQ(labelText(layout::menubar::volumeLabel, {0, 0, 800, 600}), "   inf   ");
                  EXPECT_EQ(labelText(place::volumeLabel), "   inf   "); }},
        {"typed pitch into the twin field", typeIn(pitchField, "430.4", 1),
            gesture(eventid::kStdPitch, 0.25), {{global::kReferencePitch, 0.25}},
            {{pitchField, "430.000000 Hz"}, {pitchField, "430.000000 Hz", 0, 1}}},
        {"bit depth twin", pick(bits, 0, 1), gesture(eventid::kBitDepth, 0.0), {{bits, 0.0}},
            {{bits, "1 bit"}}},
    }, kShowSettings);
    // clang-format on
}

TEST_F(SettingsPage, ShowsTheSettingsAndItsTwinsFollowOnlyWhileShown) {
    const int32_t volume = control(global::kVolume);
    kShowSettings(*editor);
    EXPECT_EQ(text(field(setting::kWaveOpacity)), "85 %");
    EXPECT_EQ(text(control(setting::kFrameRateIndex)), "30 FPS");
    EXPECT_EQ(editor->menuEntries(control(setting::kSkin)),
              (std::vector<std::string>{"TALUMA", "CINDRA"}));
    EXPECT_EQ(editor->menuEntries(control(global::kRateDivider), 1),
              (std::vector<std::string>{"44100 Hz", "22050 Hz", "14700 Hz", "11025 Hz"}));
    EXPECT_EQ(labelText(place::versionLabel), "TALUMA W / Ver:24.9.0");
    editor->clickView(control(cmd::control::kLogicTab));
    editor->wheel(volume, 0, -127);
    EXPECT_EQ(value(volume, 0), 0.0f);
    EXPECT_EQ(value(volume, 1), 1.0f);
    kShowSettings(*editor);
    EXPECT_EQ(value(volume, 1), 0.0f);  // read from the Synth when shown
}

// Each button opens its dialog; a chosen path goes to the processor with the dialog's
// code, a cancelled dialog sends nothing. The preset import starts where the last
// preset came from.
TEST_F(SettingsPage, FileDialogsAskForAPathAndSendIt) {
    struct DialogCase {
        int32_t button, code;
        bool save;
        const char *title, *defaultName, *filters;
    };
    const char* const textOrWave = "txt|text files(.txt),txt;wave files(.wav),wav;";
    const char* const preset = "|preset files(.tlmprst),tlmprst;";
    // clang-format off
    const DialogCase cases[] = {
        {setting::kImportTableA, 0x7000, false, "Import text or WAV FIle", "", textOrWave},
        {setting::kImportTableB, 0x7001, false, "Import text or WAV FIle", "", textOrWave},
        {setting::kExportTableA, 0xB000, true, "Export text or WAV FIle", "waveTable.txt", textOrWave},
        {setting::kExportTableB, 0xB001, true, "Export text or WAV FIle", "waveTable.txt", textOrWave},
        {setting::kImportPreset, 0x10000, false, "Import Preset File", "", preset},
        {setting::kExportPreset, 0x20000, true, "Export Preset File", "preset.tlmprst", preset},
    };
    // clang-format on
    const std::string path = "/tmp/chosen.file";
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.title);
        freshInstance();
        kShowSettings(*editor);
        int accepted = 0;
        for (bool cancel : {true, false, false}) {
            clearLogs();
            editor->clickView(control(c.button));
            ProbeFileDialog dialog{};
            ASSERT_EQ(editor->probe()->fileDialog(dialog), Steinberg::kResultOk);
            EXPECT_TRUE(dialog.running);
            EXPECT_EQ(dialog.code, c.code);
            EXPECT_EQ(bool(dialog.save), c.save);
            EXPECT_STREQ(dialog.title, c.title);
            EXPECT_STREQ(dialog.defaultName, c.defaultName);
            EXPECT_STREQ(dialog.extensions, c.filters);
            if (cancel) {
                editor->key(0, VSTGUI::VKEY_ESCAPE);
                EXPECT_TRUE(fileRequests().empty());
                continue;
            }
            if (c.code == 0x10000 && accepted > 0) {
                EXPECT_STREQ(dialog.initialDirectory, "/tmp");
            }
            for (int i = 0; i < 64; ++i)  // whatever the entry holds
                editor->key(0, VSTGUI::VKEY_BACK);
            for (char ch : path)
                editor->key(ch);
            editor->key(0, VSTGUI::VKEY_RETURN);
            const auto requests = fileRequests();
            ASSERT_EQ(requests.size(), 1u);
            EXPECT_EQ(requests[0].tag, c.code);
            EXPECT_EQ(requests[0].path,
                      std::vector<uint8_t>(path.c_str(), path.c_str() + path.size() + 1));
            ++accepted;
        }
    }
}

}  // namespace
}  // namespace test
}  // namespace taluma
