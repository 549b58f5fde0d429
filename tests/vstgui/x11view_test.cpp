// The Linux view under a private Xvfb: attached to a real parent X window through
// the host's Linux::IRunLoop, drawn, and clicked with XTest, at the factor the host or the
// desktop gives.
#include <gtest/gtest.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include "lv2/ui_frame.h"
#include "sceneeditor.h"
#include "xvfbserver.h"

using namespace Steinberg;
using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// The host side of the embedded view: the LV2 window's plug-in frame and run loop
// (source/lv2/ui_frame.h), served as a DAW's GUI thread does, counting what the view has
// registered on it.
class TestHostFrame : public taluma::lv2::UiFrame {
public:
    TestHostFrame() : UiFrame(nullptr) {}
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* h,
                                            Linux::FileDescriptor fd) override {
        return count(UiFrame::registerEventHandler(h, fd), 1);
    }
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* h) override {
        return count(UiFrame::unregisterEventHandler(h), -1);
    }
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* h, Linux::TimerInterval ms) override {
        return count(UiFrame::registerTimer(h, ms), 1);
    }
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* h) override {
        return count(UiFrame::unregisterTimer(h), -1);
    }
    void runFor(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    int handlerCount() const { return registered; }

private:
    tresult count(tresult result, int step) {
        registered += result == kResultTrue ? step : 0;
        return result;
    }
    int registered{0};
};

struct X11ViewTest : ::testing::Test {
    static void SetUpTestSuite() {
        server = new XvfbServer;
        registerStrip("x11_button.png", 40, 20, 2);  // off red, on green
    }
    static void TearDownTestSuite() { delete server; }
    void SetUp() override {
        if (!server->isRunning())
            GTEST_SKIP() << "X server unavailable: " << server->failure();
        host = XOpenDisplay(nullptr);
        ASSERT_NE(host, nullptr);
        parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 2400, 1800, 0, 0, 0);
        XMapWindow(host, parent);
        XSync(host, False);
    }
    void TearDown() override {
        if (editor)
            editor->release();
        if (hostFrame)
            hostFrame->release();
        if (host) {
            XDestroyWindow(host, parent);
            XCloseDisplay(host);
        }
    }
    ::Window child() {
        XSync(host, False);
        ::Window root, parentOut, *children = nullptr;
        unsigned count = 0;
        XQueryTree(host, parent, &root, &parentOut, &children, &count);
        ::Window first = count ? children[0] : 0;
        if (children)
            XFree(children);
        return first;
    }
    uint32_t pixelAt(int x, int y) {
        ::Window view = child();
        if (!view)
            return 0xDEADBEEF;
        XImage* image = XGetImage(host, view, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xDEADBEEF;
        auto p = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return p;
    }
    // An XTest button press or release at a screen position, handled through the host's loop.
    void button(int x, int y, unsigned number, bool down) {
        XTestFakeMotionEvent(host, DefaultScreen(host), x, y, CurrentTime);
        XTestFakeButtonEvent(host, number, down, CurrentTime);
        XFlush(host);
        hostFrame->runFor(100);
    }

    static XvfbServer* server;
    Display* host{nullptr};
    ::Window parent{0};
    TestHostFrame* hostFrame{new TestHostFrame};
    SceneEditor* editor{new SceneEditor("x11_button.png")};
};
XvfbServer* X11ViewTest::server = nullptr;

// At the factor the host or the desktop gives: the window's size, and the view drawn and
// answering mouse, keys and wheel where it is drawn.
TEST_F(X11ViewTest, AttachedViewDrawsAndAnswersInputAtTheDesktopsFactorOrTheHosts) {
    struct Case {
        const char* resources;  // the X resources of the root window
        const char* gdkScale;
        float hostFactor;  // 0: none
        int width;
    } cases[] = {{"Xft.dpi:\t144\n", nullptr, 0, 1200},
                 {"Xft.antialias:\t1\n", "2", 0, 1600},
                 {"Xft.dpi:\t96\n", "2", 0, 800},        // the X resources come first
                 {"Xft.dpi:\t480\n", nullptr, 0, 2400},  // at most 3
                 {"Xft.dpi:\t144\n", nullptr, 1.25f, 1000}};
    editor->setFrame(hostFrame);
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(uintptr_t{0x7FFFFF0}),
                               kPlatformTypeX11EmbedWindowID),
              kResultFalse);  // no such parent window
    EXPECT_EQ(hostFrame->handlerCount(), 0);
    auto key = [&](KeySym sym) {
        KeyCode code = XKeysymToKeycode(host, sym);
        XTestFakeKeyEvent(host, code, True, CurrentTime);
        XTestFakeKeyEvent(host, code, False, CurrentTime);
        XFlush(host);
        hostFrame->runFor(50);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resources);
        XChangeProperty(host, DefaultRootWindow(host), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(c.resources),
                        static_cast<int>(std::strlen(c.resources)));
        XSync(host, False);  // before the view's own connection reads them
        if (c.gdkScale)
            setenv("GDK_SCALE", c.gdkScale, 1);
        if (c.hostFactor > 0) {
            ASSERT_EQ(editor->setContentScaleFactor(c.hostFactor), kResultTrue);
        }
        ASSERT_EQ(editor->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID),
                  kResultTrue);
        EXPECT_GE(hostFrame->handlerCount(), 2);  // the display connection and the idle timer
        ViewRect size;
        editor->getSize(&size);
        EXPECT_EQ(size.getWidth(), c.width);
        XWindowAttributes attributes{};
        XGetWindowAttributes(host, child(), &attributes);
        EXPECT_EQ(attributes.width, c.width);
        EXPECT_EQ(attributes.height, c.width * 3 / 4);
        const double factor = c.width / 800.0;
        auto at = [factor](int logical) { return int(logical * factor); };
        const int idles = editor->idles;
        hostFrame->runFor(300);
        EXPECT_GT(editor->idles, idles + 3);  // timer ticks arrive through the host's loop
        EXPECT_EQ(pixelAt(at(10), at(10)), 0x336699u);
        EXPECT_EQ(pixelAt(at(110), at(110)), 0xFF0000u);

        editor->listener.events.clear();
        button(at(110), at(110), 1, true);
        EXPECT_EQ(pixelAt(at(110), at(110)), 0x00FF00u);  // drawn pressed
        button(at(110), at(110), 1, false);
        editor->expectOneClickReported();

        button(at(250), at(110), 1, true);  // focuses the field, which takes the keyboard
        button(at(250), at(110), 1, false);
        ASSERT_TRUE(editor->edit->isEditingText());
        key(XK_4);
        key(XK_2);
        key(XK_Return);
        EXPECT_FALSE(editor->edit->isEditingText());
        EXPECT_EQ(editor->edit->getText(), "42");
        button(at(410), at(110), 4, true);  // a wheel notch up
        button(at(410), at(110), 4, false);
        EXPECT_FLOAT_EQ(editor->knob->getValueNormalized(), 0.125f);

        EXPECT_EQ(editor->removed(), kResultTrue);
        EXPECT_EQ(hostFrame->handlerCount(), 0);  // everything unregistered
        EXPECT_EQ(child(), 0u);                   // the child window is gone
        unsetenv("GDK_SCALE");
    }
}

}  // namespace
