// Controls driven through the offscreen frame with synthetic mouse and wheel
// events, asserting what the listener receives and what is drawn.
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

constexpr float kPi = 3.14159265f;

// An editor interface that only answers the knob mode.
struct KnobModeEditor : VSTGUIEditorInterface {
    int32_t mode{kCircularMode};
    int32_t getKnobMode() const override { return mode; }
};

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
    KnobModeEditor editor;
    OffscreenFrame frame{200, 150, &editor};
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

TEST_F(ControlsTest, KnobFollowsTheHostsKnobModeAndTheWheelMovesItByItsIncrement) {
    // The editor's angles: the minimum points down, one turn less a hair clockwise.
    // The knob's centre is (60, 60): its left edge is a quarter turn, the top half way.
    struct Step {
        CPoint at;
        float expected;
    };
    struct Case {
        int32_t mode;
        float start;
        int32_t buttons;
        std::vector<Step> steps;  // the press, then moves
    } cases[] = {
        // Circular: the press jumps to the angle, the drag follows it round and stops
        // at the maximum instead of crossing the gap to the minimum.
        {kCircularMode,
         0.9f,
         kLButton,
         {{{51, 60}, 0.25f},
          {{60, 40}, 0.5f},
          {{80, 60}, 0.75f},
          {{61, 200}, 1.f},
          {{59, 200}, 1.f}}},
        // Relative circular: no jump; a quarter turn adds a quarter.
        {kRelativCircularMode, 0.3f, kLButton, {{{69, 60}, 0.3f}, {{60, 90}, 0.55f}}},
        // Linear: 200 pixels up for the whole range, pointer may leave the knob.
        {kLinearMode, 0.f, kLButton, {{{60, 60}, 0.f}, {{60, -40}, 0.5f}, {{60, 400}, 0.f}}},
        // Shift: linear and ten times finer in any mode.
        {kCircularMode, 0.f, kLButton | kShift, {{{51, 60}, 0.f}, {{51, -40}, 0.05f}}},
    };
    auto* knob =
        new CAnimKnob(CRect(50, 50, 70, 70), &listener, 0x10001008, bitmap("ctl_knob.png"));
    knob->setStartAngle(kPi / 2 + 0.001f);
    knob->setRangeAngle(2 * kPi - 0.001f);
    frame->addView(knob);
    for (const Case& c : cases) {
        editor.mode = c.mode;
        knob->setValueNormalized(c.start);
        Offscreen::mouseDown(frame.get(), c.steps[0].at, c.buttons);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            if (i > 0)
                Offscreen::mouseMove(frame.get(), c.steps[i].at, c.buttons);
            EXPECT_NEAR(knob->getValueNormalized(), c.steps[i].expected, 0.002f)
                << "mode " << c.mode << " step " << i;
        }
        Offscreen::mouseUp(frame.get(), c.steps.back().at);
    }
    EXPECT_NEAR(listener.changes().back().normalized, 0.05f, 0.002f);
    // The wheel moves by the increment in any mode; the frame drawn follows the value.
    listener.events.clear();
    knob->setValueNormalized(0.f);
    knob->setWheelInc(1.f / 127.f);
    EXPECT_TRUE(Offscreen::wheel(frame.get(), CPoint(55, 55), 1.f));
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 1.f / 127.f);
    Offscreen::wheel(frame.get(), CPoint(55, 55), 2.f);
    EXPECT_FLOAT_EQ(knob->getValueNormalized(), 3.f / 127.f);
    Offscreen::wheel(frame.get(), CPoint(55, 55), -10.f);
    EXPECT_EQ(knob->getValue(), 0.f);
    EXPECT_EQ(listener.changes().size(), 3u);
    EXPECT_FALSE(Offscreen::wheel(frame.get(), CPoint(150, 150), 1.f));  // nothing there
    knob->setValueNormalized(0.5f);                                      // frame 2 of 0..4
    EXPECT_EQ(Offscreen::render(frame.get()).at(55, 55), frameColour(2));
    knob->setValueNormalized(1.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(55, 55), frameColour(4));
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
