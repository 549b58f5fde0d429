// The VSTGUIEditor glue on an offscreen frame: platform types, attach and remove, the
// idle timer, keys and wheel forwarded, the host's knob mode.
#include <gtest/gtest.h>
#include "sceneeditor.h"

using namespace Steinberg;
using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

#if defined(_WIN32)
const FIDString kNativeType = kPlatformTypeHWND;
const FIDString kOtherType = kPlatformTypeX11EmbedWindowID;
#else
const FIDString kNativeType = kPlatformTypeX11EmbedWindowID;
const FIDString kOtherType = kPlatformTypeHWND;
#endif

// The toolkit's test scene on an offscreen frame, whatever window the host offers.
struct OffscreenEditor : SceneEditor {
    OffscreenEditor() : SceneEditor("glue_button.png") {}
    bool PLUGIN_API open(void*, const PlatformType&) override {
        return !frame && SceneEditor::open(nullptr, PlatformType::kOffscreen);
    }
};

struct EditorGlueTest : ::testing::Test {
    void SetUp() override { Offscreen::setManualTimers(true); }
    void TearDown() override {
        editor->release();
        Offscreen::setManualTimers(false);
    }
    OffscreenEditor* editor{new OffscreenEditor};
    int parentWindow{0};
};

TEST_F(EditorGlueTest, AttachedItTicksAndTakesKeysAndTheWheelUntilRemoved) {
    EXPECT_EQ(editor->isPlatformTypeSupported(kNativeType), kResultTrue);
    EXPECT_EQ(editor->isPlatformTypeSupported(kOtherType), kResultFalse);
    EXPECT_EQ(editor->attached(&parentWindow, kOtherType), kResultFalse);
    EXPECT_EQ(editor->onKeyDown('1', 0, 0), kResultFalse);  // no frame yet
    ASSERT_EQ(editor->attached(&parentWindow, kNativeType), kResultTrue);
    EXPECT_EQ(editor->attached(&parentWindow, kNativeType), kResultFalse);  // already open
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 5);  // every 20 ms
    editor->setIdleRate(33);
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 8);

    CFrame* frame = editor->getFrame();
    EXPECT_EQ(editor->onKeyDown('1', 0, 0), kResultFalse);  // nothing focused
    Offscreen::click(frame, CPoint(250, 110));
    EXPECT_EQ(editor->onKeyDown('4', 0, 0), kResultTrue);
    EXPECT_EQ(editor->onKeyDown('2', 0, 0), kResultTrue);
    EXPECT_EQ(editor->onKeyDown(0, VKEY_RETURN, 0), kResultTrue);
    EXPECT_EQ(editor->edit->getText(), "42");
    EXPECT_EQ(editor->onKeyUp('2', 0, 0), kResultFalse);
    Offscreen::mouseMove(frame, CPoint(410, 110));
    EXPECT_EQ(editor->onWheel(1.f), kResultTrue);
    EXPECT_FLOAT_EQ(editor->knob->getValueNormalized(), 0.125f);

    EXPECT_EQ(editor->removed(), kResultTrue);
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 8);  // the timer stopped with the view
}

// The knob of the scene at (400, 100, 420, 120) under each knob mode the host sets.
TEST_F(EditorGlueTest, KnobsFollowTheHostsKnobModeAndDrawTheirValue) {
    // The editor's angles: the minimum points down, one turn less a hair clockwise. The
    // knob's centre is (410, 110): its left edge is a quarter turn, the top half way.
    constexpr float kPi = 3.14159265f;
    struct Step {
        CPoint at;
        float expected;
    };
    struct Case {
        Vst::KnobMode mode;
        float start;
        int32_t buttons;
        std::vector<Step> steps;  // the press, then moves
    } cases[] = {
        // Circular: the press jumps to the angle, the drag follows it round and stops
        // at the maximum instead of crossing the gap to the minimum.
        {Vst::kCircularMode,
         0.9f,
         kLButton,
         {{{401, 110}, 0.25f},
          {{410, 90}, 0.5f},
          {{430, 110}, 0.75f},
          {{411, 250}, 1.f},
          {{409, 250}, 1.f}}},
        // Relative circular: no jump; a quarter turn adds a quarter.
        {Vst::kRelativCircularMode, 0.3f, kLButton, {{{419, 110}, 0.3f}, {{410, 140}, 0.55f}}},
        // Linear: 200 pixels up for the whole range, pointer may leave the knob.
        {Vst::kLinearMode,
         0.f,
         kLButton,
         {{{410, 110}, 0.f}, {{410, 10}, 0.5f}, {{410, 450}, 0.f}}},
        // Shift: linear and ten times finer in any mode.
        {Vst::kCircularMode, 0.f, kLButton | kShift, {{{401, 110}, 0.f}, {{401, 10}, 0.05f}}},
    };
    registerStrip("glue_knob.png", 16, 16, 5);
    ASSERT_EQ(editor->attached(&parentWindow, kNativeType), kResultTrue);
    CFrame* frame = editor->getFrame();
    CAnimKnob* knob = editor->knob;
    knob->setBackground(VSTGUI::owned(new CBitmap(CResourceDescription("glue_knob.png"))));
    knob->setStartAngle(kPi / 2 + 0.001f);
    knob->setRangeAngle(2 * kPi - 0.001f);
    auto* controller = new Vst::EditController;
    for (const Case& c : cases) {
        EXPECT_EQ(controller->setKnobMode(c.mode), kResultTrue);
        knob->setValueNormalized(c.start);
        Offscreen::mouseDown(frame, c.steps[0].at, c.buttons);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            if (i > 0)
                Offscreen::mouseMove(frame, c.steps[i].at, c.buttons);
            EXPECT_NEAR(knob->getValueNormalized(), c.steps[i].expected, 0.002f)
                << "mode " << c.mode << " step " << i;
        }
        Offscreen::mouseUp(frame, c.steps.back().at);
    }
    controller->release();
    EXPECT_NEAR(editor->listener.changes().back().normalized, 0.05f, 0.002f);
    // The wheel where nothing is goes unanswered; the frame drawn follows the value.
    EXPECT_FALSE(Offscreen::wheel(frame, CPoint(150, 150), 1.f));
    knob->setValueNormalized(0.5f);  // frame 2 of 0..4
    EXPECT_EQ(Offscreen::render(frame).at(405, 105), frameColour(2));
    knob->setValueNormalized(1.f);
    EXPECT_EQ(Offscreen::render(frame).at(405, 105), frameColour(4));
    EXPECT_EQ(editor->removed(), kResultTrue);
}

}  // namespace
