// Controls driven through the offscreen frame with synthetic mouse and wheel
// events, asserting what the listener receives and what is drawn. The knob, which
// follows the host's knob mode, is tested through the editor glue (editorglue_test).
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

struct ControlsTest : ::testing::Test {
    static void SetUpTestSuite() {
        registerStrip("ctl_kick.png", 20, 10, 2);
        registerStrip("ctl_knob.png", 16, 16, 5);
        registerStrip("ctl_switch4.png", 40, 10, 4);
        registerStrip("ctl_vswitch.png", 11, 54, 8);
        registerStrip("ctl_handle.png", 8, 20, 1);
    }
    SharedPointer<CBitmap> bitmap(const char* name) {
        return owned(new CBitmap(CResourceDescription(name)));
    }
    CKickButton* kick(const CRect& r, int32_t tag) {
        auto* b = new CKickButton(r, &listener, tag, bitmap("ctl_kick.png"));
        frame->addView(b);
        return b;
    }

    RecordingListener listener;  // outlives the frame, which may report while closing
    OffscreenFrame frame{200, 150};
};

TEST_F(ControlsTest, KickButtonReportsPressAndReleaseOnRelease) {
    kick(CRect(10, 10, 30, 20), 0x10001001);
    Offscreen::mouseDown(frame.get(), CPoint(15, 15));
    EXPECT_TRUE(listener.changes().empty());  // nothing until release
    EXPECT_EQ(Offscreen::render(frame.get()).at(15, 15), frameColour(1));
    Offscreen::mouseUp(frame.get(), CPoint(15, 15));
    EXPECT_EQ(listener.log(), "begin 0x10001001 0, change 0x10001001 1, change 0x10001001 0, "
                              "end 0x10001001 0");
    // Released outside: only the minimum. The right button is no press at all.
    listener.events.clear();
    Offscreen::mouseDown(frame.get(), CPoint(15, 15));
    Offscreen::mouseMove(frame.get(), CPoint(100, 100), kLButton);
    Offscreen::mouseUp(frame.get(), CPoint(100, 100));
    EXPECT_EQ(listener.log(), "begin 0x10001001 0, change 0x10001001 0, end 0x10001001 0");
    listener.events.clear();
    Offscreen::click(frame.get(), CPoint(15, 15), kRButton);
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(ControlsTest, SwitchesStepToThePositionUnderThePointer) {
    auto* sw = new CHorizontalSwitch(CRect(10, 100, 50, 110), &listener, 0x1000501A, 4, 10, 4,
                                     bitmap("ctl_switch4.png"));
    frame->addView(sw);
    Offscreen::click(frame.get(), CPoint(31, 105));  // third of four cells
    ASSERT_EQ(listener.changes().size(), 1u);
    EXPECT_FLOAT_EQ(listener.changes()[0].normalized, 2.f / 3.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(12, 102), frameColour(2));
    Offscreen::drag(frame.get(), CPoint(31, 105), CPoint(0, 105));  // dragging left clamps at 0
    EXPECT_EQ(sw->getValue(), 0.f);
    Offscreen::wheel(frame.get(), CPoint(31, 105), 1.f);  // a notch: the next position
    EXPECT_FLOAT_EQ(sw->getValueNormalized(), 1.f / 3.f);
    Offscreen::wheel(frame.get(), CPoint(31, 105), 0.1f);  // a touchpad's nudge: one too
    EXPECT_FLOAT_EQ(sw->getValueNormalized(), 2.f / 3.f);
    Offscreen::wheel(frame.get(), CPoint(31, 105), 3.f);  // held at the last position
    EXPECT_EQ(sw->getValueNormalized(), 1.f);
    const size_t reported = listener.changes().size();
    Offscreen::wheel(frame.get(), CPoint(31, 105), 1.f);  // nothing left to report
    EXPECT_EQ(listener.changes().size(), reported);
    Offscreen::wheel(frame.get(), CPoint(31, 105), -1.f);
    EXPECT_FLOAT_EQ(sw->getValueNormalized(), 2.f / 3.f);
    auto* vertical = new CVerticalSwitch(CRect(100, 10, 111, 64), &listener, 9,
                                         bitmap("ctl_vswitch.png"));  // 8 frames of 54
    frame->addView(vertical);
    EXPECT_EQ(vertical->getNumPositions(), 8);
    Offscreen::click(frame.get(), CPoint(105, 10 + 54 * 7 / 8 + 1));  // last cell
    EXPECT_EQ(vertical->getValue(), 1.f);
    Offscreen::click(frame.get(), CPoint(105, 11));
    EXPECT_EQ(vertical->getValue(), 0.f);
}

// Where the handle is drawn is pinned by the editor's pictures (tests/editor).
TEST_F(ControlsTest, BottomStyleSliderFollowsTheDragAndACancelRestores) {
    // A handle 20 pixels high whose top half sits above the position; travel 0..100 pixels
    // below the top, the maximum at the top.
    auto* slider = new CVerticalSlider(CRect(20, 20, 28, 140), &listener, 0x10003105, 20, 120,
                                       bitmap("ctl_handle.png"), nullptr, CPoint(), kBottom);
    slider->setOffsetHandle(CPoint(0, -10));
    slider->setMax(256);
    slider->setValue(128);
    frame->addView(slider);
    Offscreen::mouseDown(frame.get(), CPoint(24, 20));  // the top of the travel
    EXPECT_FLOAT_EQ(slider->getValue(), 256.f);
    Offscreen::mouseMove(frame.get(), CPoint(24, 70), kLButton);
    EXPECT_FLOAT_EQ(slider->getValue(), 128.f);
    Offscreen::mouseMove(frame.get(), CPoint(24, 500), kLButton);  // far below: minimum
    EXPECT_EQ(slider->getValue(), 0.f);
    slider->onMouseCancel();
    EXPECT_FLOAT_EQ(slider->getValue(), 128.f);
    EXPECT_EQ(listener.events.back().kind, "end");
    slider->setWheelInc(1.f / 256.f);
    Offscreen::wheel(frame.get(), CPoint(24, 60), 1.f);
    EXPECT_FLOAT_EQ(slider->getValue(), 129.f);
}

TEST_F(ControlsTest, OnOffButtonTogglesAndMovieBitmapOnlyShows) {
    auto* button =
        new COnOffButton(CRect(0, 0, 20, 10), &listener, 0x10002007, bitmap("ctl_kick.png"));
    frame->addView(button);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(Offscreen::render(frame.get()).at(5, 5), frameColour(1));
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(button->getValue(), 0.f);
    EXPECT_EQ(listener.changes().size(), 2u);
    auto* led =
        new CMovieBitmap(CRect(0, 20, 16, 36), nullptr, 0x10002001, 5, 16, bitmap("ctl_knob.png"));
    frame->addView(led);
    led->setValueNormalized(0.25f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(8, 28), frameColour(1));
    Offscreen::click(frame.get(), CPoint(8, 28));
    EXPECT_FLOAT_EQ(led->getValueNormalized(), 0.25f);  // not interactive
}

TEST_F(ControlsTest, ClicksAndWheelStopAtTheTopmostViewHit) {
    auto* lower = kick(CRect(0, 0, 20, 10), 1);
    auto* upper = kick(CRect(0, 0, 20, 10), 2);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(listener.changes().front().tag, 2);  // the later view is on top
    upper->setMouseEnabled(false);
    listener.events.clear();
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(listener.changes().front().tag, 1);
    lower->setVisible(false);
    listener.events.clear();
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_TRUE(listener.events.empty());
    // An overlay that handles nothing still keeps clicks and wheel turns from the
    // controls under it, unless it is transparent.
    lower->setVisible(true);
    auto* knob = new CAnimKnob(CRect(50, 0, 66, 16), &listener, 3, bitmap("ctl_knob.png"));
    frame->addView(knob);
    auto* overlay = new CViewContainer(CRect(0, 0, 200, 150));
    auto* picture = new CView(CRect(0, 0, 200, 150));
    picture->setMouseEnabled(false);
    overlay->addView(picture);
    frame->addView(overlay);
    Offscreen::click(frame.get(), CPoint(5, 5));
    Offscreen::wheel(frame.get(), CPoint(55, 5), 1.f);
    EXPECT_TRUE(listener.events.empty());
    overlay->setTransparency(true);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(listener.changes().front().tag, 1);
    // Nested containers pass the click on in their own coordinates.
    auto* outer = new CViewContainer(CRect(100, 50, 200, 150));
    auto* inner = new CViewContainer(CRect(10, 10, 90, 90));
    auto* button = new CKickButton(CRect(5, 5, 25, 15), &listener, 4, bitmap("ctl_kick.png"));
    inner->addView(button);
    outer->addView(inner);
    frame->addView(outer);
    listener.events.clear();
    Offscreen::click(frame.get(), CPoint(114, 64));
    EXPECT_TRUE(listener.events.empty());
    Offscreen::click(frame.get(), CPoint(115, 65));
    EXPECT_EQ(listener.changes().back().tag, 4);
}

TEST(ControlValues, NormalisedValueMapsTheRangeAndClamps) {
    CControl c(CRect(0, 0, 1, 1));
    c.setMin(-10);
    c.setMax(30);
    c.setValueNormalized(0.25f);
    EXPECT_FLOAT_EQ(c.getValue(), 0.f);
    c.setValueNormalized(2.f);
    EXPECT_FLOAT_EQ(c.getValue(), 30.f);
    c.setValue(100);  // not clamped until bounced
    c.bounceValue();
    EXPECT_FLOAT_EQ(c.getValue(), 30.f);
    c.setMax(-10);
    EXPECT_EQ(c.getValueNormalized(), 0.f);  // empty range
}

}  // namespace
