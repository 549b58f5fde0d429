// The Linux view under a private Xvfb: attached to a real parent X window through
// a test run loop (the host's Linux::IRunLoop), drawn, and clicked with XTest.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <map>
#include <poll.h>
#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "public.sdk/source/vst/vstguieditor.h"
#include "testsupport.h"
#include "xvfbserver.h"

using namespace Steinberg;
using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// The host side: a plug-in frame that offers its run loop, driven by poll().
class TestHostFrame : public FObject, public IPlugFrame, public Linux::IRunLoop {
public:
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultTrue; }
    tresult PLUGIN_API registerEventHandler(Linux::IEventHandler* h,
                                            Linux::FileDescriptor fd) override {
        handlers[h] = fd;
        h->addRef();
        return kResultTrue;
    }
    tresult PLUGIN_API unregisterEventHandler(Linux::IEventHandler* h) override {
        if (!handlers.erase(h))
            return kResultFalse;
        h->release();
        return kResultTrue;
    }
    tresult PLUGIN_API registerTimer(Linux::ITimerHandler* h, Linux::TimerInterval ms) override {
        timers[h] = {ms, now() + ms};
        h->addRef();
        ++timerRegistrations;
        return kResultTrue;
    }
    tresult PLUGIN_API unregisterTimer(Linux::ITimerHandler* h) override {
        if (!timers.erase(h))
            return kResultFalse;
        h->release();
        return kResultTrue;
    }

    void runFor(int milliseconds) {
        const uint64_t end = now() + static_cast<uint64_t>(milliseconds);
        while (now() < end) {
            std::vector<pollfd> fds;
            std::vector<Linux::IEventHandler*> owners;
            for (auto& h : handlers) {
                fds.push_back({h.second, POLLIN, 0});
                owners.push_back(h.first);
            }
            poll(fds.data(), fds.size(), 5);
            for (size_t i = 0; i < fds.size(); ++i)
                if (fds[i].revents && handlers.count(owners[i]))
                    owners[i]->onFDIsSet(fds[i].fd);
            for (auto it = timers.begin(); it != timers.end();) {
                auto current = it++;
                if (current->second.due <= now()) {
                    current->second.due = now() + current->second.interval;
                    current->first->onTimer();  // may unregister
                }
            }
        }
    }
    size_t handlerCount() const { return handlers.size() + timers.size(); }
    int timerRegistrations{0};

    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    DEF_INTERFACE(Linux::IRunLoop)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    static uint64_t now() {
        using namespace std::chrono;
        return static_cast<uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    struct Timer {
        uint64_t interval, due;
    };
    std::map<Linux::IEventHandler*, Linux::FileDescriptor> handlers;
    std::map<Linux::ITimerHandler*, Timer> timers;
};

class SceneEditor : public Vst::VSTGUIEditor {
public:
    SceneEditor() : VSTGUIEditor(nullptr) {}
    bool PLUGIN_API open(void* parent, const PlatformType& type) override {
        frame = new CFrame(CRect(0, 0, 800, 600), this);
        auto* back = new CViewContainer(CRect(0, 0, 800, 600));
        back->setBackgroundColor(CColor(0x33, 0x66, 0x99));
        frame->addView(back);
        button =
            new CKickButton(CRect(100, 100, 140, 120), &listener, 0x10001001,
                            VSTGUI::owned(new CBitmap(CResourceDescription("x11_button.png"))));
        frame->addView(button);
        edit = new CTextEdit(CRect(200, 100, 300, 120), &listener, 0x20001009, "0");
        frame->addView(edit);
        knob = new CAnimKnob(CRect(400, 100, 420, 120), &listener, 0x10001008, nullptr);
        knob->setWheelInc(0.125f);
        frame->addView(knob);
        frame->addIdleCallback(this, [this] { ++idles; });
        if (!frame->open(parent, type)) {
            frame->forget();
            frame = nullptr;
            return false;
        }
        setIdleRate(20);
        return true;
    }
    void PLUGIN_API close() override {
        frame->close();
        frame = nullptr;
    }
    RecordingListener listener;
    CKickButton* button{nullptr};
    CTextEdit* edit{nullptr};
    CAnimKnob* knob{nullptr};
    int idles{0};
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
        parent = XCreateSimpleWindow(host, DefaultRootWindow(host), 0, 0, 800, 600, 0, 0, 0);
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
    uint32_t pixelAt(int x, int y) {
        XSync(host, False);
        ::Window root, parentOut, *children = nullptr;
        unsigned count = 0;
        XQueryTree(host, parent, &root, &parentOut, &children, &count);
        if (count == 0)
            return 0xDEADBEEF;
        ::Window child = children[0];
        XFree(children);
        XImage* image = XGetImage(host, child, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xDEADBEEF;
        auto p = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return p;
    }

    static XvfbServer* server;
    Display* host{nullptr};
    ::Window parent{0};
    TestHostFrame* hostFrame{new TestHostFrame};
    SceneEditor* editor{new SceneEditor};
};
XvfbServer* X11ViewTest::server = nullptr;

TEST_F(X11ViewTest, AttachedViewDrawsAndAnswersAClick) {
    editor->setFrame(hostFrame);
    ASSERT_EQ(editor->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID),
              kResultTrue);
    EXPECT_GE(hostFrame->handlerCount(), 2u);  // the display connection and the idle timer
    hostFrame->runFor(300);
    EXPECT_GT(editor->idles, 3);  // timer ticks arrive through the host's loop
    EXPECT_EQ(pixelAt(10, 10), 0x336699u);
    EXPECT_EQ(pixelAt(110, 110), 0xFF0000u);

    int screen = DefaultScreen(host);
    XTestFakeMotionEvent(host, screen, 110, 110, CurrentTime);
    XTestFakeButtonEvent(host, 1, True, CurrentTime);
    XFlush(host);
    hostFrame->runFor(150);
    EXPECT_EQ(editor->button->getValue(), 1.f);
    EXPECT_EQ(pixelAt(110, 110), 0x00FF00u);  // drawn pressed
    XTestFakeButtonEvent(host, 1, False, CurrentTime);
    XFlush(host);
    hostFrame->runFor(150);
    auto changes = editor->listener.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].tag, 0x10001001);
    EXPECT_EQ(changes[0].value, 1.f);
    EXPECT_EQ(changes[1].value, 0.f);

    EXPECT_EQ(editor->removed(), kResultTrue);
    EXPECT_EQ(hostFrame->handlerCount(), 0u);  // everything unregistered
    XSync(host, False);
    ::Window root, parentOut, *children = nullptr;
    unsigned count = 0;
    XQueryTree(host, parent, &root, &parentOut, &children, &count);
    if (children)
        XFree(children);
    EXPECT_EQ(count, 0u);  // the child window is gone
}

TEST_F(X11ViewTest, KeysAndTheWheelArriveAsXEvents) {
    editor->setFrame(hostFrame);
    ASSERT_EQ(editor->attached(reinterpret_cast<void*>(parent), kPlatformTypeX11EmbedWindowID),
              kResultTrue);
    hostFrame->runFor(100);
    int screen = DefaultScreen(host);
    auto click = [&](int x, int y, unsigned button) {
        XTestFakeMotionEvent(host, screen, x, y, CurrentTime);
        XTestFakeButtonEvent(host, button, True, CurrentTime);
        XTestFakeButtonEvent(host, button, False, CurrentTime);
        XFlush(host);
        hostFrame->runFor(100);
    };
    auto key = [&](KeySym sym) {
        KeyCode code = XKeysymToKeycode(host, sym);
        XTestFakeKeyEvent(host, code, True, CurrentTime);
        XTestFakeKeyEvent(host, code, False, CurrentTime);
        XFlush(host);
        hostFrame->runFor(50);
    };
    click(250, 110, 1);  // focuses the field, which takes the keyboard
    ASSERT_TRUE(editor->edit->isEditingText());
    key(XK_4);
    key(XK_2);
    key(XK_Return);
    EXPECT_FALSE(editor->edit->isEditingText());
    EXPECT_EQ(editor->edit->getText(), "42");
    click(410, 110, 4);  // wheel up over the knob
    EXPECT_FLOAT_EQ(editor->knob->getValueNormalized(), 0.125f);
    click(410, 110, 5);
    EXPECT_EQ(editor->knob->getValue(), 0.f);
    editor->removed();
}

TEST_F(X11ViewTest, BadParentWindowFailsTheAttach) {
    editor->setFrame(hostFrame);
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(uintptr_t{0x7FFFFF0}),
                               kPlatformTypeX11EmbedWindowID),
              kResultFalse);
    EXPECT_EQ(hostFrame->handlerCount(), 0u);
}

}  // namespace
