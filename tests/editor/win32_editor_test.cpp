// The editor of the built Windows module under Wine, as a host embeds it: attached to a
// parent HWND without a host factor, opened at the monitor's DPI, painted through the
// message loop and dragged with window messages. The host's factors are negotiated
// offscreen (window_test.cpp).
#include "editor_fixture.h"

#include "engine/engine_event.h"

#include <windows.h>

#include <process.h>

#include <set>

namespace taluma::test {
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

using EditorWin32 = BundleFixture;

// Wine reads the desktop's DPI from the registry when a program starts: the test sets
// 168 DPI (factor 1.75) and runs itself again, where the window opens without a host
// factor, paints, and takes a drag on the volume knob where it is drawn.
TEST_F(EditorWin32, WithoutAHostFactorTheWindowOpensAtTheMonitorsDpiAndWorksThere) {
    const wchar_t* desktop = L"Control Panel\\Desktop";
    if (!GetEnvironmentVariableW(L"TALUMA_DPI_CHILD", nullptr, 0)) {
        const DWORD dpi = 168;
        ASSERT_EQ(
            RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi),
            ERROR_SUCCESS);
        SetEnvironmentVariableW(L"TALUMA_DPI_CHILD", L"1");
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const intptr_t exitCode =
            _wspawnl(_P_WAIT, self, L"child", L"--gtest_filter=*WithoutAHostFactor*", nullptr);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels");  // none in this prefix
        EXPECT_EQ(exitCode, 0);
        return;
    }
    HWND parent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 1440, 1080,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!parent)
        GTEST_SKIP() << "no window could be created: Wine needs an X server (xvfb-run)";
    IPlugView* view = plugin->controller()->createView(Vst::ViewType::kEditor);
    auto* host = new HostWindow;
    view->setFrame(host);
    ASSERT_EQ(view->attached(parent, kPlatformTypeHWND), kResultTrue);
    ASSERT_EQ(host->resizes.size(), 1u);  // the host learns the new size
    EXPECT_EQ(host->resizes[0].getWidth(), 1400);
    HWND child = GetWindow(parent, GW_CHILD);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(1400L, 1050L));
    pumpMessages(300);
    UpdateWindow(child);
    std::set<COLORREF> colours;  // sampled over the whole window
    HDC dc = GetDC(child);
    for (int y = 0; y < client.bottom; y += 11)
        for (int x = 0; x < client.right; x += 11)
            colours.insert(GetPixel(dc, x, y));
    ReleaseDC(child, dc);
    EXPECT_GT(colours.size(), 8u);  // a picture, not a blank window

    plugin->componentHandler().clear();
    const layout::Rect knob = layout::menubar::volumeKnob;
    const int x = int((knob.left + knob.width / 2.0) * 1.75),
              y = int((knob.top + knob.height / 2.0) * 1.75);
    SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + 80));
    SendMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 80));
    pumpMessages(100);
    const auto& edits = plugin->componentHandler().edits();
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front(), begin(eventid::kVolume));
    EXPECT_EQ(edits[1].kind, HostEdit::kPerform);
    EXPECT_LT(edits[1].value, 1.0);
    EXPECT_EQ(edits.back(), end(eventid::kVolume));
    EXPECT_EQ(view->removed(), kResultTrue);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    view->setFrame(nullptr);
    view->release();
    host->release();
    DestroyWindow(parent);
}

}  // namespace
}  // namespace taluma::test
