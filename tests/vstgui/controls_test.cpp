// Controls driven through the offscreen frame with synthetic mouse and wheel
// events, asserting what the listener receives.
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
        registerPng("ctl_handle.png", 8, 20,
                    [](int, int y) { return y < 10 ? 0x00000000u : 0xFF00FF00u; });
    }
    SharedPointer<CBitmap> bitmap(const char* name) {
        return owned(new CBitmap(CResourceDescription(name)));
    }

    RecordingListener listener;  // outlives the frame, which may report while closing
    OffscreenFrame frame{200, 150};
};

TEST_F(ControlsTest, KickButtonClickReportsPressThenRelease) {
    auto* button =
        new CKickButton(CRect(10, 10, 30, 20), &listener, 0x10001001, bitmap("ctl_kick.png"));
    frame->addView(button);
    Offscreen::mouseDown(frame.get(), CPoint(15, 15));
    EXPECT_TRUE(listener.changes().empty());  // nothing until release
    EXPECT_EQ(button->getValue(), 1.f);
    Offscreen::mouseUp(frame.get(), CPoint(15, 15));
    auto changes = listener.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].tag, 0x10001001);
    EXPECT_EQ(changes[0].value, 1.f);
    EXPECT_EQ(changes[1].value, 0.f);
    EXPECT_EQ(listener.events.front().kind, "begin");
    EXPECT_EQ(listener.events.back().kind, "end");
}

TEST_F(ControlsTest, KickButtonReleasedOutsideOnlyReportsTheMinimum) {
    frame->addView(new CKickButton(CRect(10, 10, 30, 20), &listener, 7, bitmap("ctl_kick.png")));
    Offscreen::mouseDown(frame.get(), CPoint(15, 15));
    Offscreen::mouseMove(frame.get(), CPoint(100, 100), kLButton);
    Offscreen::mouseUp(frame.get(), CPoint(100, 100));
    auto changes = listener.changes();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].value, 0.f);
}

TEST_F(ControlsTest, RightClickIsNotAPress) {
    auto* button = new CKickButton(CRect(10, 10, 30, 20), &listener, 7, bitmap("ctl_kick.png"));
    frame->addView(button);
    Offscreen::click(frame.get(), CPoint(15, 15), kRButton);
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(ControlsTest, KnobFollowsVerticalDragAndKeepsTheMouseOutsideItsRectangle) {
    auto* knob =
        new CAnimKnob(CRect(50, 50, 66, 66), &listener, 0x10001008, bitmap("ctl_knob.png"));
    frame->addView(knob);
    EXPECT_EQ(knob->getNumSubPixmaps(), 5);
    // 100 pixels up is half of the 200-pixel drag range; the pointer leaves the knob.
    Offscreen::drag(frame.get(), CPoint(58, 58), CPoint(58, -42));
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 0.5f);
    EXPECT_FLOAT_EQ(listener.changes().back().normalized, 0.5f);
    // Dragging far down clamps at 0.
    Offscreen::drag(frame.get(), CPoint(58, 58), CPoint(58, 400));
    EXPECT_EQ(knob->getValue(), 0.f);
    // Shift makes the drag ten times finer.
    Offscreen::drag(frame.get(), CPoint(58, 58), CPoint(58, 38), kLButton | kShift);
    EXPECT_NEAR(knob->getValueNormalized(), 0.01f, 1e-6);
}

TEST_F(ControlsTest, KnobWheelMovesByItsIncrement) {
    auto* knob = new CAnimKnob(CRect(50, 50, 66, 66), &listener, 3, bitmap("ctl_knob.png"));
    knob->setWheelInc(1.f / 127.f);
    frame->addView(knob);
    EXPECT_TRUE(Offscreen::wheel(frame.get(), CPoint(55, 55), 1.f));
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 1.f / 127.f);
    Offscreen::wheel(frame.get(), CPoint(55, 55), 2.f);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 3.f / 127.f);
    Offscreen::wheel(frame.get(), CPoint(55, 55), -10.f);
    EXPECT_EQ(knob->getValue(), 0.f);
    EXPECT_EQ(listener.changes().size(), 3u);
    EXPECT_FALSE(
        Offscreen::wheel(frame.get(), CPoint(150, 150), 1.f));  // nothing under the pointer
}

TEST_F(ControlsTest, KnobShowsTheFilmStripFrameOfItsValue) {
    auto* knob = new CAnimKnob(CRect(50, 50, 66, 66), &listener, 3, bitmap("ctl_knob.png"));
    frame->addView(knob);
    knob->setValueNormalized(0.5f);  // frame 2 of 0..4
    const PixelBuffer& canvas = Offscreen::render(frame.get());
    EXPECT_EQ(canvas.at(55, 55), frameColour(2));
    knob->setValueNormalized(1.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(55, 55), frameColour(4));
}

TEST_F(ControlsTest, HorizontalSwitchStepsToTheClickedPosition) {
    auto* sw = new CHorizontalSwitch(CRect(10, 100, 50, 110), &listener, 0x1000501A, 4, 10, 4,
                                     bitmap("ctl_switch4.png"));
    sw->setWheelInc(0.25f);
    frame->addView(sw);
    Offscreen::click(frame.get(), CPoint(31, 105));  // third of four cells
    ASSERT_EQ(listener.changes().size(), 1u);
    EXPECT_FLOAT_EQ(listener.changes()[0].normalized, 2.f / 3.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(12, 102), frameColour(2));
    Offscreen::drag(frame.get(), CPoint(31, 105), CPoint(0, 105));  // dragging left clamps at 0
    EXPECT_EQ(sw->getValue(), 0.f);
    Offscreen::wheel(frame.get(), CPoint(31, 105), 1.f);
    EXPECT_FLOAT_EQ(sw->getValueNormalized(), 0.25f);
}

TEST_F(ControlsTest, VerticalSwitchUsesTheVerticalPosition) {
    auto* sw = new CVerticalSwitch(CRect(100, 10, 111, 64), &listener, 9, 8, 54, 8,
                                   bitmap("ctl_vswitch.png"));
    frame->addView(sw);
    Offscreen::click(frame.get(), CPoint(105, 10 + 54 * 7 / 8 + 1));  // last cell
    EXPECT_EQ(sw->getValue(), 1.f);
    Offscreen::click(frame.get(), CPoint(105, 11));
    EXPECT_EQ(sw->getValue(), 0.f);
    // Without counts the bitmap's height gives the frames and positions.
    auto* sized =
        new CVerticalSwitch(CRect(150, 10, 161, 64), &listener, 10, bitmap("ctl_vswitch.png"));
    frame->addView(sized);
    EXPECT_EQ(sized->getNumPositions(), 8);
}

TEST_F(ControlsTest, BottomStyleSliderGrowsUpwardsAndFollowsTheDrag) {
    // Handle 20 pixels high centred on the pointer; travel 0..100 pixels below the top.
    auto* slider = new CVerticalSlider(CRect(20, 20, 28, 140), &listener, 0x10003105, 20, 120,
                                       bitmap("ctl_handle.png"), nullptr, CPoint(), kBottom);
    slider->setOffsetHandle(CPoint(0, 0));
    slider->setMax(256);
    slider->setValue(128);
    frame->addView(slider);
    Offscreen::mouseDown(frame.get(), CPoint(24, 30));  // the top of the travel (handle centre)
    EXPECT_FLOAT_EQ(slider->getValue(), 256.f);
    Offscreen::mouseMove(frame.get(), CPoint(24, 80), kLButton);
    EXPECT_FLOAT_EQ(slider->getValue(), 128.f);
    Offscreen::mouseMove(frame.get(), CPoint(24, 500), kLButton);  // far below: minimum
    Offscreen::mouseUp(frame.get(), CPoint(24, 500));
    EXPECT_EQ(slider->getValue(), 0.f);
    EXPECT_EQ(listener.changes().back().tag, 0x10003105);
    slider->setWheelInc(1.f / 256.f);
    Offscreen::wheel(frame.get(), CPoint(24, 60), 1.f);
    EXPECT_FLOAT_EQ(slider->getValue(), 1.f);
}

TEST_F(ControlsTest, SliderHandleIsDrawnAtItsValueWithItsOffset) {
    auto* slider = new CVerticalSlider(CRect(20, 20, 28, 140), &listener, 1, 20, 120,
                                       bitmap("ctl_handle.png"), nullptr, CPoint(), kBottom);
    slider->setOffsetHandle(CPoint(0, -10));  // the transparent top half sits above the position
    slider->setValueNormalized(0.5f);
    frame->addView(slider);
    const PixelBuffer& c = Offscreen::render(frame.get());
    // position 50 below the top: the green half covers 70..79.
    EXPECT_EQ(rgbOf(c.at(24, 69)), 0u);
    EXPECT_EQ(c.at(24, 70), 0xFF00FF00u);
    EXPECT_EQ(c.at(24, 79), 0xFF00FF00u);
    EXPECT_EQ(rgbOf(c.at(24, 80)), 0u);
}

TEST_F(ControlsTest, OnOffButtonTogglesOnEveryPress) {
    auto* button =
        new COnOffButton(CRect(0, 0, 20, 10), &listener, 0x10002007, bitmap("ctl_kick.png"));
    frame->addView(button);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(5, 5), frameColour(1));
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(button->getValue(), 0.f);
    ASSERT_EQ(listener.changes().size(), 2u);
}

TEST_F(ControlsTest, MovieBitmapShowsTheFrameOfItsValue) {
    auto* led =
        new CMovieBitmap(CRect(0, 0, 16, 16), nullptr, 0x10002001, 5, 16, bitmap("ctl_knob.png"));
    frame->addView(led);
    led->setValueNormalized(0.25f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(8, 8), frameColour(1));
    Offscreen::click(frame.get(), CPoint(8, 8));
    EXPECT_FLOAT_EQ(led->getValueNormalized(), 0.25f);  // not interactive
}

TEST_F(ControlsTest, HiddenOrMouseDisabledViewsAreSkippedByHitTesting) {
    auto* lower = new CKickButton(CRect(0, 0, 20, 10), &listener, 1, bitmap("ctl_kick.png"));
    auto* upper = new CKickButton(CRect(0, 0, 20, 10), &listener, 2, bitmap("ctl_kick.png"));
    frame->addView(lower);
    frame->addView(upper);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(listener.changes().front().tag, 2);  // the later view is on top
    listener.events.clear();
    upper->setMouseEnabled(false);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_EQ(listener.changes().front().tag, 1);
    listener.events.clear();
    lower->setVisible(false);
    Offscreen::click(frame.get(), CPoint(5, 5));
    EXPECT_TRUE(listener.events.empty());
}

TEST_F(ControlsTest, NestedContainersPassLocalCoordinates) {
    auto* outer = new CViewContainer(CRect(100, 50, 200, 150));
    auto* inner = new CViewContainer(CRect(10, 10, 90, 90));
    auto* button = new CKickButton(CRect(5, 5, 25, 15), &listener, 4, bitmap("ctl_kick.png"));
    inner->addView(button);
    outer->addView(inner);
    frame->addView(outer);
    EXPECT_EQ(button->getFrameRect(), CRect(115, 65, 135, 75));
    Offscreen::click(frame.get(), CPoint(114, 64));
    EXPECT_TRUE(listener.events.empty());
    Offscreen::click(frame.get(), CPoint(115, 65));
    EXPECT_EQ(listener.changes().size(), 2u);
}

TEST(ControlValues, NormalisedValueMapsTheRangeAndClamps) {
    CControl c(CRect(0, 0, 1, 1));
    c.setMin(-10);
    c.setMax(30);
    c.setValueNormalized(0.25f);
    EXPECT_FLOAT_EQ(c.getValue(), 0.f);
    c.setValueNormalized(2.f);
    EXPECT_FLOAT_EQ(c.getValue(), 30.f);
    c.setValue(100);  // setValue does not clamp
    EXPECT_FLOAT_EQ(c.getValue(), 100.f);
    c.bounceValue();
    EXPECT_FLOAT_EQ(c.getValue(), 30.f);
    c.setMax(-10);
    EXPECT_EQ(c.getValueNormalized(), 0.f);  // empty range
}

TEST(ButtonBits, MaskOf0x30ESelectsButtonsShiftAndControl) {
    EXPECT_EQ(kLButton | kMButton | kRButton | kShift | kControl, 0x30E);
    EXPECT_EQ((kLButton | kDoubleClick) & 0x30E, kLButton);
    EXPECT_EQ((kLButton | kAlt) & 0x30E, kLButton);
    EXPECT_NE((kLButton | kShift) & 0x30E, kLButton);
    EXPECT_EQ(kMouseEventNotImplemented, 0);
}

}  // namespace
