// The editor of the built Windows module under Wine, as a host embeds it: attached to a
// parent HWND, painted through the message loop, and dragged with window messages.
#include "editor_fixture.h"

#include "engine_event.h"

#include <windows.h>

#include <set>

namespace taluma {
namespace test {
namespace {

using namespace Steinberg;

void pumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (LONG(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(2);
    }
}

TEST(EditorWin32, InAParentWindowItPaintsAndADragOnTheVolumeKnobReachesTheHost) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  840, 660, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!parent)
        GTEST_SKIP() << "no window could be created: Wine needs an X server (run under xvfb-run)";
    auto module = loadBundle();
    ASSERT_TRUE(module);
    std::string error;
    auto plugin = testhost::PluginInstance::create(*module, error);
    ASSERT_TRUE(plugin) << error;
    IPlugView* view = plugin->controller()->createView(Vst::ViewType::kEditor);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->attached(parent, kPlatformTypeHWND), kResultTrue);
    HWND child = GetWindow(parent, GW_CHILD);
    ASSERT_NE(child, nullptr);
    pumpMessages(300);
    UpdateWindow(child);

    std::set<COLORREF> colours;
    HDC dc = GetDC(child);
    for (int y = 0; y < 600; y += 11)
        for (int x = 0; x < 800; x += 11)
            colours.insert(GetPixel(dc, x, y));
    ReleaseDC(child, dc);
    EXPECT_GT(colours.size(), 8u);  // a picture, not a blank window

    plugin->componentHandler().clear();
    const layout::Rect knob = layout::menubar::volumeKnob;
    const int x = knob.left + knob.width / 2, y = knob.top + knob.height / 2;
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 50));
    SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 50));
    pumpMessages(100);
    const auto& edits = plugin->componentHandler().edits();
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front(), begin(eventid::kVolume));
    EXPECT_EQ(edits[1].kind, HostEdit::kPerform);
    EXPECT_LT(edits[1].value, 1.0);
    EXPECT_EQ(edits.back(), end(eventid::kVolume));

    EXPECT_EQ(view->removed(), kResultTrue);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    view->release();
    plugin.reset();
    DestroyWindow(parent);
}

}  // namespace
}  // namespace test
}  // namespace taluma
