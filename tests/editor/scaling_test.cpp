// The window at content scale factors through the built module: the view's size agreed
// with the host, and presses at the scaled middle of every Logic control reaching it.
#include "editor_fixture.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace taluma {
namespace test {
namespace {

using EditorScaling = EditorFixture;
using namespace Steinberg;

std::pair<int32, int32> sizeOf(IPlugView* view) {
    ViewRect r;
    view->getSize(&r);
    return {r.getWidth(), r.getHeight()};
}

TEST_F(EditorScaling, TheViewsSizeFollowsTheFactorWithTheHostsConsent) {
    IPlugView* closed = plugin->controller()->createView(Vst::ViewType::kEditor);
    const struct {
        float factor;
        int32 width, height;
    } sizes[] = {{1.1f, 880, 660}, {0.5f, 800, 600}, {3.5f, 2400, 1800}};  // held to 1..3
    for (const auto& s : sizes) {
        EXPECT_EQ(
            FUnknownPtr<IPlugViewContentScaleSupport>(closed)->setContentScaleFactor(s.factor),
            kResultTrue);
        EXPECT_EQ(sizeOf(closed), std::make_pair(s.width, s.height));  // before it opens
    }
    closed->release();

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
    const Rect knob = bar(layout::menubar::volumeKnob);  // the host's wheel at the mouse
    mouse(IEditorProbe::kMove, knob.left + 4, knob.top + 4, 0);
    EXPECT_EQ(view->onWheel(-1), kResultTrue);
    EXPECT_LT(value(knob), 1.0f);
}

TEST_F(EditorScaling, APressAtTheScaledMiddleOfEveryLogicControlReachesIt) {
    click(layout::window::tabLeft);
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

}  // namespace
}  // namespace test
}  // namespace taluma
