// The window as a whole through the built module: views and pages, the credits, the
// refresh paths (processor messages, the refresh tick, state loads), the timer, the
// skins, and a window without the processor's address.
#include "editor_fixture.h"

#include "engine_event.h"

#include "pluginterfaces/vst/ivstmessage.h"

#include <map>

namespace taluma {
namespace test {
namespace {

using EditorWindow = EditorFixture;
using namespace Steinberg;
namespace global = cmd::global;
namespace setting = cmd::setting;
namespace eventid = taluma::eventid;

bool creditsShown(const testhost::OffscreenEditor& editor) {
    const layout::Rect r = layout::credits::picture;
    return editor.viewAt("view", r.left, r.top, r.width, r.height).visible;
}

TEST_F(EditorWindow, OneWindowPerViewOfTheFixedSize) {
    static int parent = 0;
    EXPECT_EQ(editor->plugView()->attached(&parent, kPlatformTypeOffscreen), kResultFalse);
    ViewRect size;
    ASSERT_EQ(editor->plugView()->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), layout::window::frame.width);
    EXPECT_EQ(size.getHeight(), layout::window::frame.height);
}

TEST_F(EditorWindow, ViewsCreatedAndDroppedBeforeOneIsShownLeaveItWorking) {
    IPlugView* early = plugin->controller()->createView(Vst::ViewType::kEditor);
    IPlugView* late = plugin->controller()->createView(Vst::ViewType::kEditor);
    ASSERT_TRUE(early && late);
    late->release();
    early->release();
    // The open window still gets the processor's answers.
    editor->clickView(control(cmd::control::kGeneratorTab));
    editor->type(field(cmd::generator::kCycles), 0, "3");
    EXPECT_EQ(text(field(cmd::generator::kCycles)), "3");
}

TEST_F(EditorWindow, CreditsOpenFromTheLogoAndCloseOnALeftClick) {
    EXPECT_FALSE(creditsShown(*editor));
    editor->clickView(control(cmd::control::kLogoButton));
    EXPECT_TRUE(creditsShown(*editor));
    EXPECT_EQ(std::string(label(layout::credits::versionLabel).text), "Ver:24.9.0");
    // Clicks over the volume knob stay with the credits.
    editor->clickView(control(global::kVolume), 0, testhost::OffscreenEditor::kRight);
    EXPECT_TRUE(creditsShown(*editor));
    editor->clickView(control(global::kVolume));
    EXPECT_FALSE(creditsShown(*editor));
    EXPECT_TRUE(edits().empty());
    EXPECT_TRUE(sent().empty());
}

TEST_F(EditorWindow, RefreshTickFollowsHostAutomation) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    editor->clickView(control(cmd::control::kSettingsButton));
    automate(eventid::kVolume, 0.5);
    automate(eventid::kStdPitch, 0.75);
    automate(eventid::kBitDepth, 1.0 / 3.0);
    automate(eventid::kBendRange, 0.5);
    automate(eventid::operatorParam(1, eventid::kTotalLevel), 1.0);
    editor->tick(100);
    for (int twin = 0; twin < 2; ++twin) {
        SCOPED_TRACE(twin);
        EXPECT_FLOAT_EQ(value(control(global::kVolume), twin), 64.0f / 127.0f);
        EXPECT_EQ(text(field(global::kReferencePitch), twin), "450.00 Hz");
        EXPECT_EQ(text(control(global::kBitDepth), twin), "6 bit");
    }
    EXPECT_EQ(text(field(setting::kBendRange)), "12");
    // The Logic page follows while it is shown.
    const int32_t tlB = cmd::opValue::operatorParam(1, eventid::kTotalLevel);
    EXPECT_NE(text(field(tlB)), "127");
    editor->clickView(control(cmd::control::kLogicTab));
    automate(eventid::operatorParam(1, eventid::kTotalLevel), 0.5);
    editor->tick(100);
    EXPECT_EQ(text(field(tlB)), "64");
}

TEST_F(EditorWindow, TickLeavesTheFieldBeingTypedIn) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    editor->clickView(field(global::kReferencePitch));
    editor->key('4');
    editor->key('3');
    automate(eventid::kStdPitch, 1.0);
    editor->tick(100);
    EXPECT_EQ(editor->probe()->focusTag(), field(global::kReferencePitch));
    EXPECT_EQ(text(field(global::kReferencePitch)), "440.00 Hz");  // what it showed
    EXPECT_FLOAT_EQ(value(control(global::kReferencePitch)), 1.0f);
}

TEST_F(EditorWindow, FrameRateSetsTheTimerAndTheRefreshFollowsEverySecondTick) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    editor->clickView(control(cmd::control::kSettingsButton));
    editor->choose(control(setting::kFrameRateIndex), 0, 1);  // 25 FPS
    EXPECT_EQ(editor->probe()->idleRate(), 40);
    editor->tick(80);  // whatever phase the counter is in
    automate(eventid::kVolume, 0.0);
    editor->tick(40);
    const bool afterOneTick = value(control(global::kVolume)) == 0.0f;
    editor->tick(40);
    EXPECT_EQ(value(control(global::kVolume)), 0.0f);  // within two ticks (80 ms)
    automate(eventid::kVolume, 1.0);
    editor->tick(40);
    EXPECT_EQ(value(control(global::kVolume)) == 1.0f, afterOneTick);  // every second tick
}

TEST_F(EditorWindow, HostRateAndDividerRebuildTheRateMenus) {
    ASSERT_TRUE(plugin->start(48000.0, 256));  // "Processor:uiUpdate" refreshes
    editor->tick(100);
    EXPECT_EQ(editor->menuEntries(control(global::kRateDivider), 0),
              (std::vector<std::string>{"48000 Hz [1/1]", "24000 Hz [1/2]", "16000 Hz [1/3]",
                                        "12000 Hz [1/4]"}));
    editor->clickView(control(cmd::control::kSettingsButton));
    EXPECT_EQ(editor->menuEntries(control(global::kRateDivider), 1),
              (std::vector<std::string>{"48000 Hz", "24000 Hz", "16000 Hz", "12000 Hz"}));
    // While audio runs, the divider and the voice count change at the end of a block;
    // the change notice brings them to both menus.
    editor->choose(control(global::kRateDivider), 0, 2);
    editor->choose(control(global::kVoiceCount), 0, 7);
    render(64);
    editor->tick(100);
    for (int twin = 0; twin < 2; ++twin) {
        EXPECT_FLOAT_EQ(value(control(global::kRateDivider), twin), 2.0f / 3.0f);
        EXPECT_EQ(text(control(global::kVoiceCount), twin), "1024");
    }
}

TEST_F(EditorWindow, AHostRateWithoutReductionShowsDashes) {
    ASSERT_TRUE(plugin->start(44100.5, 256));
    editor->tick(100);
    EXPECT_EQ(editor->menuEntries(control(global::kRateDivider), 0),
              (std::vector<std::string>{"---", "---", "---", "---"}));
}

TEST_F(EditorWindow, AStateLoadRefreshesEveryPage) {
    std::vector<uint8_t> defaults;
    ASSERT_TRUE(plugin->getState(defaults));
    editor->wheel(control(global::kVolume), 0, -127);
    editor->type(field(cmd::opValue::kLfoFreq), 0, "100");
    editor->clickView(control(cmd::control::kGeneratorTab));
    editor->clickView(control(cmd::control::kTypeButton + 4));
    editor->clickView(control(cmd::control::kSettingsButton));
    editor->type(field(setting::kWaveOpacity), 0, "10");
    editor->clickView(control(cmd::control::kLogoButton));
    ASSERT_EQ(plugin->setState(defaults), kResultOk);
    editor->tick(100);
    EXPECT_EQ(value(control(global::kVolume)), 1.0f);
    EXPECT_EQ(text(field(cmd::opValue::kLfoFreq)), "2048");
    EXPECT_TRUE(visible(control(cmd::opValue::kLfoFreq)));  // the saved page: Logic
    EXPECT_EQ(value(control(cmd::control::kLogicTab)), 1.0f);
    EXPECT_FALSE(creditsShown(*editor));
    editor->clickView(control(cmd::control::kGeneratorTab));
    EXPECT_EQ(value(control(cmd::control::kTypeButton)), 1.0f);  // sine again
    editor->clickView(control(cmd::control::kSettingsButton));
    EXPECT_EQ(text(field(setting::kWaveOpacity)), "85 %");
}

// A skin change gives every view its bitmap of the other skin; no view is rebuilt.
TEST_F(EditorWindow, SkinChangeSwapsEveryBitmapOfTheSameViews) {
    editor->clickView(control(cmd::control::kSettingsButton));
    clearLogs();
    const std::vector<ProbeView> before = editor->views();
    editor->choose(control(setting::kSkin), 0, 1);  // "CINDRA"
    EXPECT_EQ(sent(), (std::vector<Sent>{{control(setting::kSkin), 1.0}}));
    const std::vector<ProbeView> after = editor->views();
    ASSERT_EQ(before.size(), after.size());
    int swapped = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(before[i].bitmap);
        EXPECT_EQ(before[i].identity, after[i].identity);
        const std::string name = before[i].bitmap;
        if (name.empty() || name == layout::kCreditPicture) {
            EXPECT_EQ(name, after[i].bitmap);
            continue;
        }
        EXPECT_EQ(std::string(layout::kSkin1Prefix) + name, after[i].bitmap);
        ++swapped;
        if (before[i].fontColour != after[i].fontColour)
            ++swapped;
    }
    EXPECT_GT(swapped, 80);
    // The other text colours of the palette.
    EXPECT_EQ(editor->view(field(global::kReferencePitch)).backColour, 0xC7C1B7FFu);
    EXPECT_EQ(editor->view(field(global::kReferencePitch)).fontColour, 0x403B32FFu);
}

TEST_F(EditorWindow, TheWindowShowsTheSkinTheSynthKeeps) {
    // Built before the address was known (skin 1); the Synth keeps skin 0.
    EXPECT_EQ(editor->views()[0].bitmap, std::string("BaclAppBase.png"));
    editor->clickView(control(cmd::control::kSettingsButton));
    editor->choose(control(setting::kSkin), 0, 1);
    std::vector<uint8_t> cindra;
    ASSERT_TRUE(plugin->getState(cindra));
    editor->choose(control(setting::kSkin), 0, 0);
    EXPECT_EQ(editor->views()[0].bitmap, std::string("BaclAppBase.png"));
    ASSERT_EQ(plugin->setState(cindra), kResultOk);
    EXPECT_EQ(editor->views()[0].bitmap, std::string("W_BaclAppBase.png"));
    EXPECT_EQ(text(control(setting::kSkin)), "CINDRA");
}

// Processor and controller in different processes: no address ever arrives. The
// window works from the controller's parameters for everything that is one.
TEST_F(EditorWindow, WithoutTheProcessorsAddressTheWindowFollowsTheParameters) {
    closeEditor();
    freshInstance();
    closeEditor();
    plugin->setMessagesDelivered(false);
    plugin->controller()->setParamNormalized(eventid::kVolume, 0.5);
    plugin->controller()->setParamNormalized(eventid::kStdPitch, 0.25);
    openEditor();
    EXPECT_FLOAT_EQ(value(control(global::kVolume)), 64.0f / 127.0f);
    EXPECT_EQ(text(field(global::kReferencePitch)), "430.00 Hz");
    editor->wheel(control(global::kVolume), 0, 1);
    EXPECT_EQ(edits(), gesture(eventid::kVolume, 65.0f / 127.0f));
    plugin->controller()->setParamNormalized(eventid::operatorParam(0, eventid::kMul), 1.0);
    editor->tick(100);
    EXPECT_EQ(text(field(cmd::opValue::operatorParam(0, eventid::kMul))), "15");
    editor->clickView(control(cmd::control::kGeneratorTab));  // nothing to read: no crash
    editor->clickView(control(cmd::control::kSettingsButton));
    editor->tick(100);
}

}  // namespace
}  // namespace test
}  // namespace taluma
