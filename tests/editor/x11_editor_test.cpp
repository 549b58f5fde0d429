// The editor of the built Linux module in a real X window on a private Xvfb, as a
// host embeds it: IPlugView::attached with the parent window id, the host's run loop
// through the plug-in frame, and a mouse drag on the volume knob made with XTest.
#include "editor_fixture.h"
#include "testhostframe.h"
#include "xvfbserver.h"

#include "engine_event.h"
#include "pluginterfaces/gui/iplugview.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <map>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;

TEST(EditorX11, AttachedToAnXWindowItDrawsAndADragOnTheVolumeKnobReachesTheHost) {
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
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 800, 600, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    auto* frame = new VSTGUI::Test::TestHostFrame;
    IPlugView* view = plugin->controller()->createView(Vst::ViewType::kEditor);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    view->setFrame(frame);
    ASSERT_EQ(view->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID),
              kResultTrue);
    frame->runFor(300);
    EXPECT_GE(frame->handlerCount(), 2u);  // the display connection and the idle timer

    // The plug-in's own child window shows the window's picture: not one flat colour.
    ::Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, parent, &root, &parentOut, &children, &count);
    ASSERT_EQ(count, 1u);
    XImage* image = XGetImage(display, children[0], 0, 0, 800, 600, AllPlanes, ZPixmap);
    XFree(children);
    ASSERT_NE(image, nullptr);
    std::map<unsigned long, int> colours;
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7)
            ++colours[XGetPixel(image, x, y)];
    XDestroyImage(image);
    EXPECT_GT(colours.size(), 8u);

    plugin->componentHandler().clear();
    const layout::Rect knob = layout::menubar::volumeKnob;
    const int x = knob.left + knob.width / 2, y = knob.top + knob.height / 2;
    const int screen = DefaultScreen(display);
    XTestFakeMotionEvent(display, screen, x, y, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XFlush(display);
    frame->runFor(60);
    XTestFakeMotionEvent(display, screen, x, y + 50, CurrentTime);
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
    view->release();
    frame->release();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

}  // namespace
}  // namespace test
}  // namespace taluma
