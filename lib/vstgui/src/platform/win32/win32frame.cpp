// Windows: the frame as a child HWND of the host's window. WM_PAINT repaints the
// dirty canvas regions and copies them with SetDIBitsToDevice; mouse, wheel and
// keyboard messages become the frame's platform events.
#include <windows.h>
#include <windowsx.h>
#include <string>
#include "../platformfactory.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {
namespace {

LRESULT CALLBACK frameWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HINSTANCE moduleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&frameWindowProc), &module);
    return module;
}

// One class per loaded module, so that two builds of the plug-in never share it;
// unregistered when the module unloads, so that a reload registers it afresh.
class WindowClass {
public:
    WindowClass()
        : name(L"TalumaVstguiFrame" +
               std::to_wstring(reinterpret_cast<uintptr_t>(moduleInstance()))) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = frameWindowProc;
        wc.hInstance = moduleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name.c_str();
        registered = RegisterClassExW(&wc) != 0;
    }
    ~WindowClass() {
        if (registered)
            UnregisterClassW(name.c_str(), moduleInstance());
    }
    const wchar_t* get() const { return name.c_str(); }

private:
    std::wstring name;
    bool registered{false};
};

const wchar_t* windowClass() {
    static WindowClass windowClassOfModule;
    return windowClassOfModule.get();
}

int32_t modifiers(WPARAM wParam) {
    int32_t m = 0;
    if (wParam & MK_SHIFT)
        m |= kShift;
    if (wParam & MK_CONTROL)
        m |= kControl;
    if (GetKeyState(VK_MENU) < 0)
        m |= kAlt;
    return m;
}

int32_t buttons(WPARAM wParam) {
    int32_t b = modifiers(wParam);
    if (wParam & MK_LBUTTON)
        b |= kLButton;
    if (wParam & MK_MBUTTON)
        b |= kMButton;
    if (wParam & MK_RBUTTON)
        b |= kRButton;
    return b;
}

// Ctrl+A .. Ctrl+Z arrive as the characters 1..26; backspace, tab, line feed and
// return share that range and came as virtual keys.
bool isControlLetter(WPARAM c) {
    return c >= 1 && c <= 26 && c != 8 && c != 9 && c != 10 && c != 13;
}

uint8_t modifierKeys() {
    uint8_t m = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        m |= MODIFIER_SHIFT;
    if (GetKeyState(VK_MENU) < 0)
        m |= MODIFIER_ALTERNATE;
    if (GetKeyState(VK_CONTROL) < 0)
        m |= MODIFIER_CONTROL;
    return m;
}

uint8_t virtualKey(WPARAM vk) {
    switch (vk) {
    case VK_BACK: return VKEY_BACK;
    case VK_TAB: return VKEY_TAB;
    case VK_RETURN: return VKEY_RETURN;
    case VK_ESCAPE: return VKEY_ESCAPE;
    case VK_END: return VKEY_END;
    case VK_HOME: return VKEY_HOME;
    case VK_LEFT: return VKEY_LEFT;
    case VK_UP: return VKEY_UP;
    case VK_RIGHT: return VKEY_RIGHT;
    case VK_DOWN: return VKEY_DOWN;
    case VK_PRIOR: return VKEY_PAGEUP;
    case VK_NEXT: return VKEY_PAGEDOWN;
    case VK_DELETE: return VKEY_DELETE;
    default: return 0;
    }
}

class Win32Frame : public IPlatformFrame {
public:
    explicit Win32Frame(CFrame* f) : frame(f) {}
    ~Win32Frame() override {
        if (hwnd) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            DestroyWindow(hwnd);
        }
    }

    bool init(HWND parent) {
        if (!parent || !IsWindow(parent))
            return false;
        hwnd = CreateWindowExW(0, windowClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                               frame->getCanvas().getWidth(), frame->getCanvas().getHeight(),
                               parent, nullptr, moduleInstance(), nullptr);
        if (!hwnd)
            return false;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return true;
    }

    void invalidate(const CRect& r) override {
        RECT rc{static_cast<LONG>(r.left), static_cast<LONG>(r.top), static_cast<LONG>(r.right),
                static_cast<LONG>(r.bottom)};
        InvalidateRect(hwnd, &rc, FALSE);
    }
    void resize(int32_t w, int32_t h) override {
        SetWindowPos(hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The DPI of the window's monitor (96 is 1): GetDpiForWindow where Windows has it
    // (10 and later), else the screen's pixels per logical inch.
    double getScaleFactor() const override {
        using DpiForWindow = UINT(WINAPI*)(HWND);
        UINT dpi = 0;
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll"))
            if (auto query = reinterpret_cast<DpiForWindow>(
                    reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow"))))
                dpi = query(hwnd);
        if (dpi == 0) {
            HDC dc = GetDC(hwnd);
            dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSX));
            ReleaseDC(hwnd, dc);
        }
        return dpi > 0 ? dpi / 96.0 : 1.0;
    }
    PlatformType getType() const override { return PlatformType::kHWND; }
    void* getNativeHandle() const override { return hwnd; }

    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) {
        SharedPointer<CFrame> guard(frame);
        CPoint where(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paint(); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: {
            int32_t b = buttons(wParam);
            if (msg == WM_LBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK)
                b |= kDoubleClick;
            SetCapture(hwnd);
            frame->platformOnMouseDown(where, b);
            if (frame->getFocusView() || frame->getModalView())
                SetFocus(hwnd);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP: {
            int32_t b = msg == WM_LBUTTONUP ? kLButton : msg == WM_MBUTTONUP ? kMButton : kRButton;
            if (!(wParam & (MK_LBUTTON | MK_MBUTTON | MK_RBUTTON)))
                ReleaseCapture();
            frame->platformOnMouseUp(where, b | modifiers(wParam));
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!tracking) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, 0};
                tracking = TrackMouseEvent(&tme) != 0;
            }
            frame->platformOnMouseMoved(where, buttons(wParam));
            return 0;
        case WM_MOUSELEAVE:
            tracking = false;
            frame->platformOnMouseExited(where, 0);
            return 0;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd, &p);
            float distance = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
            auto axis = msg == WM_MOUSEWHEEL ? kMouseWheelAxisY : kMouseWheelAxisX;
            frame->platformOnMouseWheel(CPoint(p.x, p.y), axis, distance,
                                        modifiers(GET_KEYSTATE_WPARAM(wParam)));
            return 0;
        }
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            VstKeyCode key;
            key.virt = virtualKey(wParam);
            if (key.virt == 0)
                break;  // characters arrive with WM_CHAR
            key.modifier = modifierKeys();
            int32_t r =
                msg == WM_KEYDOWN ? frame->platformOnKeyDown(key) : frame->platformOnKeyUp(key);
            if (r == 1)
                return 0;
            break;
        }
        case WM_CHAR: {
            VstKeyCode key;
            key.character = static_cast<int32_t>(wParam);
            key.modifier = modifierKeys();
            if (isControlLetter(wParam)) {
                key.character = static_cast<int32_t>('a' + wParam - 1);
                key.modifier |= MODIFIER_CONTROL;
            } else if (wParam < 0x20 || wParam == 0x7F) {
                return 0;  // the other control characters came as virtual keys
            }
            if (frame->platformOnKeyDown(key) == 1)
                return 0;
            break;
        }
        default: break;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

private:
    void paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        frame->updateCanvas();
        const PixelBuffer& canvas = frame->getCanvas();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = canvas.getWidth();
        info.bmiHeader.biHeight = -canvas.getHeight();  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        // The whole image at the origin: BeginPaint has clipped the DC to the
        // update region, so only that part reaches the screen.
        SetDIBitsToDevice(
            dc, 0, 0, static_cast<DWORD>(canvas.getWidth()), static_cast<DWORD>(canvas.getHeight()),
            0, 0, 0, static_cast<UINT>(canvas.getHeight()), canvas.data(), &info, DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
    }

    CFrame* frame;
    HWND hwnd{nullptr};
    bool tracking{false};
};

LRESULT CALLBACK frameWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self)
        return self->handle(msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

std::unique_ptr<IPlatformFrame> createNativeFrame(CFrame* frame, void* parent, PlatformType type,
                                                  IPlatformFrameConfig*) {
    if (type != PlatformType::kHWND && type != PlatformType::kDefaultNative)
        return nullptr;
    auto win = std::make_unique<Win32Frame>(frame);
    if (!win->init(static_cast<HWND>(parent)))
        return nullptr;
    return win;
}

}  // namespace VSTGUI
