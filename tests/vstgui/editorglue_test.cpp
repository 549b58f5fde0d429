// The VSTGUIEditor glue on an offscreen frame: attach and remove, the idle timer
// reaching the frame, keys and wheel forwarded, platform type checks, knob mode.
#include <gtest/gtest.h>
#include "public.sdk/source/vst/vstguieditor.h"
#include "testsupport.h"

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

class OffscreenEditor : public Vst::VSTGUIEditor {
public:
    explicit OffscreenEditor(ViewRect* r) : VSTGUIEditor(nullptr, r) {}
    bool PLUGIN_API open(void*, const PlatformType&) override {
        if (frame)
            return false;
        frame = new CFrame(CRect(0, 0, 800, 600), this);
        frame->open(nullptr, PlatformType::kOffscreen);
        frame->addIdleCallback(this, [this] { ++idles; });
        edit = new CTextEdit(CRect(10, 10, 110, 26), &listener, 0x20001009, "0");
        frame->addView(edit);
        knob = new CAnimKnob(CRect(200, 200, 216, 216), &listener, 0x10001008, nullptr);
        knob->setWheelInc(0.25f);
        frame->addView(knob);
        setIdleRate(33);
        ++opens;
        return true;
    }
    void PLUGIN_API close() override {
        frame->close();
        frame = nullptr;
        ++closes;
    }
    int opens{0}, closes{0}, idles{0};
    RecordingListener listener;
    CTextEdit* edit{nullptr};
    CAnimKnob* knob{nullptr};
};

struct EditorGlueTest : ::testing::Test {
    void SetUp() override { Offscreen::setManualTimers(true); }
    void TearDown() override {
        editor->release();
        Offscreen::setManualTimers(false);
    }
    ViewRect rect{0, 0, 800, 600};
    OffscreenEditor* editor{new OffscreenEditor(&rect)};
    int parentWindow{0};
};

TEST_F(EditorGlueTest, AttachOpensTheFrameAndStartsTheIdleTimer) {
    EXPECT_EQ(editor->isPlatformTypeSupported(kNativeType), kResultTrue);
    EXPECT_EQ(editor->isPlatformTypeSupported(kOtherType), kResultFalse);
    EXPECT_EQ(editor->attached(&parentWindow, kOtherType), kResultFalse);
    ASSERT_EQ(editor->attached(&parentWindow, kNativeType), kResultTrue);
    EXPECT_EQ(editor->opens, 1);
    ViewRect size;
    editor->getSize(&size);
    EXPECT_EQ(size.getWidth(), 800);
    EXPECT_EQ(size.getHeight(), 600);
    EXPECT_EQ(editor->getIdleRate(), 33);
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 3);
    editor->setIdleRate(20);
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 8);
    EXPECT_EQ(editor->attached(&parentWindow, kNativeType), kResultFalse);  // already open
    EXPECT_EQ(editor->removed(), kResultTrue);
    EXPECT_EQ(editor->closes, 1);
    Offscreen::advanceTime(100);
    EXPECT_EQ(editor->idles, 8);  // the timer stopped with the view
}

TEST_F(EditorGlueTest, KeysReachTheFocusedFieldAndTheWheelTheViewUnderTheMouse) {
    EXPECT_EQ(editor->onKeyDown('1', 0, 0), kResultFalse);  // no frame yet
    ASSERT_EQ(editor->attached(&parentWindow, kNativeType), kResultTrue);
    CFrame* frame = editor->getFrame();
    EXPECT_EQ(editor->onKeyDown('1', 0, 0), kResultFalse);  // nothing focused
    Offscreen::click(frame, CPoint(20, 15));
    EXPECT_EQ(editor->onKeyDown('4', 0, 0), kResultTrue);
    EXPECT_EQ(editor->onKeyDown('2', 0, 0), kResultTrue);
    EXPECT_EQ(editor->onKeyDown(0, VKEY_RETURN, 0), kResultTrue);
    EXPECT_EQ(editor->edit->getText(), "42");
    EXPECT_EQ(editor->onKeyUp('2', 0, 0), kResultFalse);
    Offscreen::mouseMove(frame, CPoint(205, 205));
    EXPECT_EQ(editor->onWheel(1.f), kResultTrue);
    EXPECT_FLOAT_EQ(editor->knob->getValueNormalized(), 0.25f);
    editor->removed();
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
