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

TEST_F(EditorGlueTest, KnobsFollowTheKnobModeTheHostSets) {
    struct {
        Vst::KnobMode host;
        int32_t knob;
    } modes[] = {{Vst::kLinearMode, kLinearMode},
                 {Vst::kRelativCircularMode, kRelativCircularMode},
                 {Vst::kCircularMode, kCircularMode}};
    auto* controller = new Vst::EditController;
    for (const auto& m : modes) {
        EXPECT_EQ(controller->setKnobMode(m.host), kResultTrue);
        EXPECT_EQ(editor->getKnobMode(), m.knob);
    }
    controller->release();
}

}  // namespace
