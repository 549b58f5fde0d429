// The editor of the built Linux module in a real X window on a private Xvfb, as a
// host embeds it: IPlugView::attached with the parent window id, the host's run loop
// through the plug-in frame, and at every content scale factor a mouse drag on the volume
// knob made with XTest. That it draws is checked inside Ardour
// (tests/host).
#include "editor_fixture.h"
#include "testhostframe.h"
#include "xvfbserver.h"

#include "engine_event.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cmath>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;

TEST(EditorX11, AttachedToAnXWindowAtEveryFactorADragOnTheVolumeKnobReachesTheHost) {
    VSTGUI::Test::XvfbServer server;
    if (!server.isRunning())
        GTEST_SKIP() << "X server unavailable: " << server.failure();
    auto module = loadBundle();
    ASSERT_TRUE(module);
    std::string error;
    auto plugin = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(plugin) << error;

    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    ::Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 2400, 1800, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    auto* frame = new VSTGUI::Test::TestHostFrame;
    for (float factor : {1.0f, 1.25f, 1.5f, 2.0f, 3.0f}) {
        SCOPED_TRACE(factor);
        IPlugView* view = plugin->controller()->createView(Vst::ViewType::kEditor);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
        view->setFrame(frame);
        ASSERT_EQ(FUnknownPtr<IPlugViewContentScaleSupport>(view)->setContentScaleFactor(factor),
                  kResultTrue);
        ASSERT_EQ(view->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID),
                  kResultTrue);
        frame->runFor(300);
        EXPECT_GE(frame->handlerCount(), 2u);  // the display connection and the idle timer

        plugin->componentHandler().clear();
        const Rect knob = bar(layout::menubar::volumeKnob);
        const int x = int((knob.left + knob.width / 2) * factor),
                  y = int((knob.top + knob.height / 2) * factor);
        const int screen = DefaultScreen(display);
        XTestFakeMotionEvent(display, screen, x, y, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XFlush(display);
        frame->runFor(60);
        XTestFakeMotionEvent(display, screen, x, y + int(50 * factor), CurrentTime);
        XFlush(display);
        frame->runFor(60);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        frame->runFor(100);
        const auto& edits = plugin->componentHandler().edits();
        ASSERT_GE(edits.size(), 3u);
        EXPECT_EQ(edits.front(), begin(eventid::kVolume));
        EXPECT_EQ(edits[1].kind, HostEdit::kPerform);
        EXPECT_EQ(edits[1].id, eventid::kVolume);
        EXPECT_LT(edits[1].value, 1.0);
        EXPECT_EQ(edits.back(), end(eventid::kVolume));

        EXPECT_EQ(view->removed(), kResultTrue);
        EXPECT_EQ(frame->handlerCount(), 0u);
        view->setFrame(nullptr);
        view->release();
    }
    frame->release();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

}  // namespace
}  // namespace test
}  // namespace taluma
