// The Windows view under Wine (with an X server): attached to a parent HWND,
// painted, driven through window messages, and its idle timer driven by the
// thread's message loop.
#include <gtest/gtest.h>
#include <windows.h>
#include "sceneeditor.h"

using namespace Steinberg;
using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// Runs the message loop until `done` holds, for 5 s at the most (a loaded machine delays
// timers and paints).
template <typename Done>
void pumpUntil(Done done) {
    const DWORD end = GetTickCount() + 5000;
    while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(2);
    }
}

struct Win32ViewTest : ::testing::Test {
    static void SetUpTestSuite() { registerStrip("win_button.png", 40, 20, 2); }
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 840,
                                 660, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!parent)
            GTEST_SKIP()
                << "no window could be created: Wine needs an X server (run under xvfb-run)";
    }
    void TearDown() override {
        editor->release();
        if (parent)
            DestroyWindow(parent);
    }
    HWND child() const { return GetWindow(parent, GW_CHILD); }
    uint32_t pixelAt(int x, int y) const {
        HDC dc = GetDC(child());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(child(), dc);
        return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    HWND parent{nullptr};
    SceneEditor* editor{new SceneEditor("win_button.png")};
};

TEST_F(Win32ViewTest, AttachedViewPaintsAndAnswersMouseKeysAndWheel) {
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(uintptr_t{0x1234}), kPlatformTypeHWND),
              kResultFalse);  // no such parent window
    ASSERT_EQ(editor->attached(parent, kPlatformTypeHWND), kResultTrue);
    HWND view = child();
    ASSERT_NE(view, nullptr);
    RECT r;
    GetClientRect(view, &r);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.bottom, 600);
    pumpUntil([&] { return editor->idles > 2; });
    EXPECT_GT(editor->idles, 2);  // SetTimer ticks through the message loop
    UpdateWindow(view);
    EXPECT_EQ(pixelAt(10, 10), 0x336699u);
    EXPECT_EQ(pixelAt(110, 110), 0xFF0000u);

    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
    EXPECT_EQ(editor->button->getValue(), 1.f);
    pumpUntil([&] { return pixelAt(110, 110) == 0x00FF00u; });
    EXPECT_EQ(pixelAt(110, 110), 0x00FF00u);  // drawn pressed
    SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(110, 110));
    editor->expectOneClickReported();

    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 110));
    SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(250, 110));
    ASSERT_TRUE(editor->edit->isEditingText());
    SendMessageW(view, WM_CHAR, '4', 0);
    SendMessageW(view, WM_CHAR, '2', 0);
    SendMessageW(view, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(editor->edit->isEditingText());
    EXPECT_EQ(editor->edit->getText(), "42");
    struct Hook : IKeyboardHook {
        int32_t onKeyDown(const VstKeyCode& code, CFrame*) override {
            keys.push_back(code);
            return 1;
        }
        int32_t onKeyUp(const VstKeyCode&, CFrame*) override { return -1; }
        std::vector<VstKeyCode> keys;
    } hook;
    editor->getFrame()->registerKeyboardHook(&hook);
    SendMessageW(view, WM_CHAR, 0x1A, 0);  // Ctrl+Z
    editor->getFrame()->unregisterKeyboardHook(&hook);
    ASSERT_EQ(hook.keys.size(), 1u);
    EXPECT_EQ(hook.keys[0].character, 'z');
    EXPECT_TRUE(hook.keys[0].modifier & MODIFIER_CONTROL);
    POINT p{410, 110};
    ClientToScreen(view, &p);
    SendMessageW(view, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(p.x, p.y));
    EXPECT_FLOAT_EQ(editor->knob->getValueNormalized(), 0.125f);

    EXPECT_EQ(editor->removed(), kResultTrue);
    EXPECT_EQ(child(), nullptr);
}

}  // namespace
