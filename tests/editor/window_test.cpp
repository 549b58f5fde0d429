// The window as a whole through the built module: views and their size at content scale
// factors agreed with the host, presses at the scaled middle of every Logic control, the
// credits, the refresh paths (the refresh tick at the frame rate, the rate menus, state
// loads), the skins, and a window without the processor's address.
#include "editor_fixture.h"

#include "engine/engine_event.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace taluma::test {
namespace {

using EditorWindow = EditorFixture;
using namespace Steinberg;
using namespace taluma::eventid;
namespace M = layout::menubar;
namespace S = layout::settings;
constexpr Rect kTabLeft = layout::window::tabLeft, kTabRight = layout::window::tabRight;
constexpr Rect kCredits = layout::credits::picture.in(layout::window::credits);
constexpr Rect kLfoField = page(layout::logic::lfoFreqField);
constexpr Rect kVolume = bar(M::volumeKnob), kPitch = bar(M::pitchField);

std::pair<int32, int32> sizeOf(IPlugView* view) {
    ViewRect r;
    view->getSize(&r);
    return {r.getWidth(), r.getHeight()};
}

// Views created, scaled and dropped before one is shown leave the open one working.
TEST_F(EditorWindow, TheViewsSizeFollowsTheFactorWithTheHostsConsent) {
    IPlugView* early = plugin->controller()->createView(Vst::ViewType::kEditor);
    IPlugView* late = plugin->controller()->createView(Vst::ViewType::kEditor);
    ASSERT_TRUE(early && late);
    const struct {
        float factor;
        int32 width, height;
    } sizes[] = {{1.1f, 880, 660}, {0.5f, 800, 600}, {3.5f, 2400, 1800}};  // held to 1..3
    for (const auto& s : sizes) {
        EXPECT_EQ(FUnknownPtr<IPlugViewContentScaleSupport>(late)->setContentScaleFactor(s.factor),
                  kResultTrue);
        EXPECT_EQ(sizeOf(late), std::make_pair(s.width, s.height));  // before it opens
    }
    late->release();
    early->release();
    EXPECT_EQ(sizeOf(view), std::make_pair(800, 600));
    // The open window still gets the processor's answers: the field shows the answer.
    click(kTabRight);
    wheel(page(layout::wavegen::amplitudeKnob), -1);
    EXPECT_EQ(text(page(layout::wavegen::amplitudeField)), "126");

    ASSERT_EQ(setScale(1.5f), kResultTrue);
    ASSERT_EQ(host->resizes.size(), 1u);  // asked while open, confirmed by onSize
    EXPECT_EQ(sizeOf(view), std::make_pair(host->resizes[0].getWidth(), 900));
    EXPECT_EQ(host->resizes[0].getWidth(), 1200);
    ViewRect other(0, 0, 800, 600);
    EXPECT_EQ(view->onSize(&other), kResultFalse);  // the size follows the factor only
    host->refuse = true;
    EXPECT_EQ(setScale(2.0f), kResultFalse);
    EXPECT_EQ(sizeOf(view), std::make_pair(1200, 900));
    int32 w = 0, h = 0;
    probe->render(w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(1200, 900));
    mouse(IEditorProbe::kMove, kVolume.left + 4, kVolume.top + 4, 0);  // the host's wheel
    EXPECT_EQ(view->onWheel(-1), kResultTrue);                         // at the mouse
    EXPECT_LT(value(kVolume), 1.0f);
}

TEST_F(EditorWindow, APressAtTheScaledMiddleOfEveryLogicControlReachesIt) {
    click(kTabLeft);
    const Rect area = layout::window::page;
    for (float factor : {1.25f, 1.5f, 2.0f, 3.0f}) {
        SCOPED_TRACE(factor);
        ASSERT_EQ(setScale(factor), kResultTrue);
        const std::vector<ProbeView> all = views();
        int controls = 0;
        for (int32_t i = 0; i < int32_t(all.size()); ++i) {
            const ProbeView& v = all[size_t(i)];
            if (v.tag == -1 || !v.visible || !v.mouseEnabled || v.left < area.left ||
                v.top < area.top)
                continue;
            ++controls;
            const double x = (v.left + v.right) / 2.0, y = (v.top + v.bottom) / 2.0;
            EXPECT_EQ(probe->viewUnder(x * factor, y * factor), i) << std::hex << v.tag;
        }
        EXPECT_GE(controls, 60);
    }
}

// Hidden at first in the pictures of the pages.
TEST_F(EditorWindow, CreditsOpenFromTheLogoAndCloseOnALeftClick) {
    click(bar(M::logoButton));
    click(kVolume, kRight);
    EXPECT_TRUE(at(kCredits).visible);
    click(kVolume);
    EXPECT_FALSE(at(kCredits).visible);
    EXPECT_TRUE(edits().empty());
    EXPECT_TRUE(sent().empty());
}

TEST_F(EditorWindow, RefreshTickFollowsHostAutomationAtTheFrameRateButLeavesTheFieldBeingTypedIn) {
    ASSERT_TRUE(plugin->start(48000.0, 256));
    showSettings();
    choose(page(S::frameRateMenu), 1);  // 25 FPS
    EXPECT_EQ(probe->idleRate(), 40);
    tick(80);  // whatever phase the counter is in
    automate(eventid::kVolume, 0.0);
    tick(40);
    const bool afterOneTick = value(kVolume) == 0.0f;
    tick(40);
    EXPECT_EQ(value(kVolume), 0.0f);  // within two ticks (80 ms)
    automate(eventid::kVolume, 1.0);
    tick(40);
    EXPECT_EQ(value(kVolume) == 1.0f, afterOneTick);  // every second tick

    automate(eventid::kVolume, 0.5);
    automate(kStdPitch, 0.75);
    automate(kBitDepth, 1.0 / 3.0);
    automate(kBendRange, 0.5);
    automate(operatorParam(1, kTotalLevel), 1.0);
    tick(100);
    for (const Rect& r : {kVolume, page(S::volumeKnob)})
        EXPECT_FLOAT_EQ(value(r), 64.0f / 127.0f);
    for (const Rect& r : {kPitch, page(S::pitchField)})
        EXPECT_EQ(text(r), "450.00 Hz");
    for (const Rect& r : {bar(M::bitDepthMenu), page(S::bitDepthMenu)})
        EXPECT_EQ(text(r), "6 bit");
    EXPECT_EQ(text(page(S::bendField)), "12");
    // The Logic page follows while it is shown.
    const Rect tlB = page(layout::logic::envelopeField[1][0]);
    EXPECT_NE(text(tlB), "127");
    click(kTabLeft);
    automate(operatorParam(1, kTotalLevel), 0.5);
    tick(100);
    EXPECT_EQ(text(tlB), "64");
    // Never in a field with the keyboard focus.
    click(kPitch);
    key('4');
    automate(kStdPitch, 1.0);
    tick(100);
    EXPECT_EQ(probe->focusTag(), cmd::typedEntryTag(cmd::global::kReferencePitch));
    EXPECT_EQ(text(kPitch), "450.00 Hz");
    EXPECT_FLOAT_EQ(value(bar(M::pitchKnob)), 1.0f);
}

TEST_F(EditorWindow, RateMenusListTheRatesOfTheHostRateUntilTheDividerGivesNone) {
    // The entries before a start (44100 Hz) are in the pictures.
    struct Case {
        double hostRate;
        std::vector<std::string> menuBar, settings;
    };
    const std::vector<std::string> none(4, "---");
    const Case cases[] = {
        {44100.5, none, none},
        {48000.0,
         {"48000 Hz [1/1]", "24000 Hz [1/2]", "16000 Hz [1/3]", "12000 Hz [1/4]"},
         {"48000 Hz", "24000 Hz", "16000 Hz", "12000 Hz"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostRate);
        freshInstance();
        // A start sends "Processor:uiUpdate", which refreshes.
        ASSERT_TRUE(plugin->start(c.hostRate, 256));
        tick(100);
        EXPECT_EQ(menuEntries(bar(M::rateMenu)), c.menuBar);
        showSettings();
        EXPECT_EQ(menuEntries(page(S::rateMenu)), c.settings);
    }
    // While audio runs, the divider and the voice count change at the end of a block; the
    // change notice brings them to both menus.
    choose(bar(M::rateMenu), 2);
    choose(bar(M::voiceMenu), 7);
    render(64);
    tick(100);
    for (const Rect& r : {bar(M::rateMenu), page(S::rateMenu)})
        EXPECT_FLOAT_EQ(value(r), 2.0f / 3.0f);
    for (const Rect& r : {bar(M::voiceMenu), page(S::voiceMenu)})
        EXPECT_EQ(text(r), "1024");
}

TEST_F(EditorWindow, AStateLoadRefreshesEveryPage) {
    const Rect sine = page(layout::wavegen::typeButton[0]);
    std::vector<uint8_t> defaults;
    ASSERT_TRUE(plugin->getState(defaults));
    wheel(kVolume, -127);
    type(kLfoField, "100");
    click(kTabRight);
    click(page(layout::wavegen::typeButton[4]));
    showSettings();
    type(page(S::waveOpacityField), "10");
    choose(page(S::skinMenu), 1);
    click(bar(M::logoButton));
    ASSERT_EQ(plugin->setState(defaults), kResultOk);
    tick(100);
    EXPECT_EQ(value(kVolume), 1.0f);
    EXPECT_EQ(text(kLfoField), "2048");
    EXPECT_TRUE(at(kLfoField).visible);  // the saved page: Logic
    EXPECT_EQ(value(kTabLeft), 1.0f);
    EXPECT_FALSE(at(kCredits).visible);
    EXPECT_EQ(views()[0].bitmap, std::string("BaclAppBase.png"));  // the saved skin
    click(kTabRight);
    EXPECT_EQ(value(sine), 1.0f);
    showSettings();
    EXPECT_EQ(text(page(S::waveOpacityField)), "85 %");
    EXPECT_EQ(text(page(S::skinMenu)), "TALUMA");
}

TEST_F(EditorWindow, SkinChangeSwapsEveryBitmapOfTheSameViews) {
    showSettings();
    clearLogs();
    const std::vector<ProbeView> before = views();
    choose(page(S::skinMenu), 1);  // "CINDRA"
    EXPECT_EQ(sent(), (std::vector<Sent>{{control(cmd::setting::kSkin), 1.0}}));
    const std::vector<ProbeView> after = views();
    ASSERT_EQ(before.size(), after.size());
    int swapped = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(before[i].bitmap);
        EXPECT_EQ(before[i].identity, after[i].identity);
        const std::string name = before[i].bitmap;
        const bool skinned = !name.empty() && name != layout::kCreditPicture;
        EXPECT_EQ(skinned ? layout::kSkin1Prefix + name : name, after[i].bitmap);
        swapped += int(skinned) + int(before[i].fontColour != after[i].fontColour);
    }
    EXPECT_GT(swapped, 80);
}

// Processor and controller in different processes: no address ever arrives. The window
// works from the controller's parameters for everything that is one.
TEST_F(EditorWindow, WithoutTheProcessorsAddressTheWindowFollowsTheParameters) {
    closeEditor();
    plugin->setMessagesDelivered(false);
    plugin->controller()->setParamNormalized(eventid::kVolume, 0.5);
    plugin->controller()->setParamNormalized(kStdPitch, 0.25);
    openEditor();
    EXPECT_FLOAT_EQ(value(kVolume), 64.0f / 127.0f);
    EXPECT_EQ(text(kPitch), "430.00 Hz");
    wheel(kVolume, 1);
    const double v = step(65, 127);
    EXPECT_EQ(edits(), (std::vector<HostEdit>{begin(eventid::kVolume), perform(eventid::kVolume, v),
                                              end(eventid::kVolume)}));
    plugin->controller()->setParamNormalized(operatorParam(0, kMul), 1.0);
    tick(100);
    EXPECT_EQ(text(page(layout::logic::multField[0])), "15");
    click(kTabRight);  // nothing to read: no crash
    showSettings();
    tick(100);
}

}  // namespace
}  // namespace taluma::test
