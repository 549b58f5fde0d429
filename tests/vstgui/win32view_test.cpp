// The Windows view under Wine (with an X server): attached to a parent HWND,
// painted, clicked through window messages, and its idle timer driven by the
// thread's message loop.
#include <gtest/gtest.h>
#include <windows.h>
#include "public.sdk/source/vst/vstguieditor.h"
#include "testsupport.h"

using namespace Steinberg;
using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

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
                            VSTGUI::owned(new CBitmap(CResourceDescription("win_button.png"))));
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

void pumpMessages(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
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
    SceneEditor* editor{new SceneEditor};
};

TEST_F(Win32ViewTest, AttachedViewPaintsAndAnswersAClick) {
    ASSERT_EQ(editor->attached(parent, kPlatformTypeHWND), kResultTrue);
    ASSERT_NE(child(), nullptr);
    RECT r;
    GetClientRect(child(), &r);
    EXPECT_EQ(r.right, 800);
    EXPECT_EQ(r.bottom, 600);
    pumpMessages(200);
    EXPECT_GT(editor->idles, 2);  // SetTimer ticks through the message loop
    UpdateWindow(child());
    EXPECT_EQ(pixelAt(10, 10), 0x336699u);
    EXPECT_EQ(pixelAt(110, 110), 0xFF0000u);

    SendMessageW(child(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
    EXPECT_EQ(editor->button->getValue(), 1.f);
    pumpMessages(100);
    EXPECT_EQ(pixelAt(110, 110), 0x00FF00u);  // drawn pressed
    SendMessageW(child(), WM_LBUTTONUP, 0, MAKELPARAM(110, 110));
    auto changes = editor->listener.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].tag, 0x10001001);
    EXPECT_EQ(changes[0].value, 1.f);
    EXPECT_EQ(changes[1].value, 0.f);

    EXPECT_EQ(editor->removed(), kResultTrue);
    EXPECT_EQ(child(), nullptr);
}

TEST_F(Win32ViewTest, KeysAndTheWheelArriveAsWindowMessages) {
    ASSERT_EQ(editor->attached(parent, kPlatformTypeHWND), kResultTrue);
    HWND view = child();
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
    editor->removed();
}

TEST_F(Win32ViewTest, InvalidParentFailsTheAttach) {
    EXPECT_EQ(editor->attached(reinterpret_cast<void*>(uintptr_t{0x1234}), kPlatformTypeHWND),
              kResultFalse);
}

}  // namespace
