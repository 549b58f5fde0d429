// Linux: the frame as a child window of the host's X11 window. Events arrive
// through the host's run loop (or the frame's idle when there is none); the
// canvas is copied to the window with XPutImage.
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cstdlib>
#include "../platformfactory.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/x11runloop.h"

namespace VSTGUI {
namespace {

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int32_t modifiersOf(unsigned int state) {
    int32_t m = 0;
    if (state & ShiftMask)
        m |= kShift;
    if (state & ControlMask)
        m |= kControl;
    if (state & Mod1Mask)
        m |= kAlt;
    return m;
}

int32_t buttonsOf(unsigned int state) {
    int32_t b = modifiersOf(state);
    if (state & Button1Mask)
        b |= kLButton;
    if (state & Button2Mask)
        b |= kMButton;
    if (state & Button3Mask)
        b |= kRButton;
    return b;
}

uint8_t virtualKeyOf(KeySym sym) {
    switch (sym) {
    case XK_BackSpace: return VKEY_BACK;
    case XK_Tab: return VKEY_TAB;
    case XK_Return: return VKEY_RETURN;
    case XK_KP_Enter: return VKEY_ENTER;
    case XK_Escape: return VKEY_ESCAPE;
    case XK_space: return VKEY_SPACE;
    case XK_End: return VKEY_END;
    case XK_Home: return VKEY_HOME;
    case XK_Left: return VKEY_LEFT;
    case XK_Up: return VKEY_UP;
    case XK_Right: return VKEY_RIGHT;
    case XK_Down: return VKEY_DOWN;
    case XK_Page_Up: return VKEY_PAGEUP;
    case XK_Page_Down: return VKEY_PAGEDOWN;
    case XK_Delete: return VKEY_DELETE;
    default: return 0;
    }
}

class X11Frame : public IPlatformFrame, public X11::IEventHandler {
public:
    X11Frame(CFrame* f, ::Window p) : frame(f), parent(p) {}

    ~X11Frame() override {
        if (loop)
            loop->unregisterEventHandler(this);
        if (display) {
            if (window)
                XDestroyWindow(display, window);
            if (gc)
                XFreeGC(display, gc);
            XCloseDisplay(display);
        }
    }

    bool init() {
        display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        // A bad parent id must fail the open, not end the process.
        auto previous = XSetErrorHandler(ignoreErrors);
        XWindowAttributes attributes;
        Status ok = XGetWindowAttributes(display, parent, &attributes);
        XSetErrorHandler(previous);
        if (!ok)
            return false;
        width = static_cast<unsigned>(frame->getCanvas().getWidth());
        height = static_cast<unsigned>(frame->getCanvas().getHeight());
        // The default visual, stated explicitly: the parent may use another depth,
        // and the canvas is copied in the default visual's format.
        const int screen = DefaultScreen(display);
        XSetWindowAttributes wa{};
        wa.colormap = DefaultColormap(display, screen);
        wa.border_pixel = 0;
        wa.background_pixel = BlackPixel(display, screen);
        window = XCreateWindow(
            display, parent, 0, 0, width, height, 0, DefaultDepth(display, screen), InputOutput,
            DefaultVisual(display, screen), CWColormap | CWBorderPixel | CWBackPixel, &wa);
        XSelectInput(display, window,
                     ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                         LeaveWindowMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask);
        gc = XCreateGC(display, window, 0, nullptr);
        Visual* visual = DefaultVisual(display, DefaultScreen(display));
        int depth = DefaultDepth(display, DefaultScreen(display));
        directPixels = (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
                       visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
        XMapWindow(display, window);
        XFlush(display);
        loop = X11::RunLoop::get();
        if (loop)
            loop->registerEventHandler(ConnectionNumber(display), this);
        return true;
    }

    ::Window getWindow() const { return window; }

    void invalidate(const CRect&) override {}
    void resize(int32_t w, int32_t h) override {
        width = static_cast<unsigned>(w);
        height = static_cast<unsigned>(h);
        if (display && window) {
            XResizeWindow(display, window, width, height);
            XFlush(display);
        }
    }
    // Xft.dpi of the X resources (96 is 1), else GDK_SCALE.
    double getScaleFactor() const override {
        if (const char* resources = display ? XResourceManagerString(display) : nullptr) {
            XrmInitialize();
            if (XrmDatabase db = XrmGetStringDatabase(resources)) {
                char* type = nullptr;
                XrmValue value{};
                double dpi = 0;
                if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
                    dpi = std::atof(value.addr);
                XrmDestroyDatabase(db);
                if (dpi > 0)
                    return dpi / 96.0;
            }
        }
        const char* gdkScale = std::getenv("GDK_SCALE");
        const int scale = gdkScale ? std::atoi(gdkScale) : 0;
        return scale > 0 ? scale : 1.0;
    }
    PlatformType getType() const override { return PlatformType::kX11EmbedWindowID; }
    void* getNativeHandle() const override {
        return reinterpret_cast<void*>(static_cast<uintptr_t>(window));
    }

    void onIdle() override { pump(); }
    void onEvent() override { pump(); }

private:
    // Writing a large image can make Xlib read pending events into its queue,
    // where the socket no longer signals them: keep going until the queue is empty.
    void pump() {
        do {
            processEvents();
            paint();
        } while (display && XEventsQueued(display, QueuedAlready) > 0);
    }

    void processEvents() {
        SharedPointer<CFrame> guard(frame);
        while (display && XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            dispatch(e);
        }
    }

    void dispatch(XEvent& e) {
        switch (e.type) {
        case Expose:
            exposed.unite(CRect(e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
                                e.xexpose.y + e.xexpose.height));
            break;
        case ButtonPress: {
            CPoint p(e.xbutton.x, e.xbutton.y);
            int32_t mods = modifiersOf(e.xbutton.state);
            if (e.xbutton.button >= 4 && e.xbutton.button <= 7) {
                float d = (e.xbutton.button == 4 || e.xbutton.button == 6) ? 1.f : -1.f;
                auto axis = e.xbutton.button <= 5 ? kMouseWheelAxisY : kMouseWheelAxisX;
                frame->platformOnMouseWheel(p, axis, d, mods);
                break;
            }
            int32_t b = e.xbutton.button == 1   ? kLButton
                        : e.xbutton.button == 2 ? kMButton
                                                : kRButton;
            bool doubleClick =
                e.xbutton.button == lastButton && e.xbutton.time - lastPressTime < 250;
            lastButton = e.xbutton.button;
            lastPressTime = e.xbutton.time;
            frame->platformOnMouseDown(p, b | mods | (doubleClick ? kDoubleClick : 0));
            if (frame->getFocusView() || frame->getModalView())
                XSetInputFocus(display, window, RevertToParent, CurrentTime);
            break;
        }
        case ButtonRelease: {
            if (e.xbutton.button >= 4 && e.xbutton.button <= 7)
                break;
            CPoint p(e.xbutton.x, e.xbutton.y);
            int32_t b = e.xbutton.button == 1   ? kLButton
                        : e.xbutton.button == 2 ? kMButton
                                                : kRButton;
            frame->platformOnMouseUp(p, b | modifiersOf(e.xbutton.state));
            break;
        }
        case MotionNotify: {
            CPoint p(e.xmotion.x, e.xmotion.y);
            frame->platformOnMouseMoved(p, buttonsOf(e.xmotion.state));
            break;
        }
        case LeaveNotify: {
            CPoint p(e.xcrossing.x, e.xcrossing.y);
            frame->platformOnMouseExited(p, buttonsOf(e.xcrossing.state));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            char text[8] = {};
            KeySym sym = 0;
            int n = XLookupString(&e.xkey, text, sizeof(text) - 1, &sym, nullptr);
            VstKeyCode key;
            key.virt = virtualKeyOf(sym);
            if (key.virt == 0) {
                if (sym >= 0x20 && sym <= 0xFF)
                    key.character = static_cast<int32_t>(sym);
                else if ((sym & 0xFF000000) == 0x01000000)
                    key.character = static_cast<int32_t>(sym & 0x00FFFFFF);
                else if (n == 1)
                    key.character = static_cast<unsigned char>(text[0]);
            }
            unsigned st = e.xkey.state;
            key.modifier = static_cast<uint8_t>(((st & ShiftMask) ? MODIFIER_SHIFT : 0) |
                                                ((st & Mod1Mask) ? MODIFIER_ALTERNATE : 0) |
                                                ((st & ControlMask) ? MODIFIER_CONTROL : 0));
            if (e.type == KeyPress)
                frame->platformOnKeyDown(key);
            else
                frame->platformOnKeyUp(key);
            break;
        }
        default: break;
        }
    }

    void paint() {
        if (!display)
            return;
        CRect r = frame->updateCanvas();
        r.unite(exposed);
        exposed = CRect();
        // Exposures from before a zoom change may reach past the canvas.
        const PixelBuffer& canvas = frame->getCanvas();
        r.bound(CRect(0, 0, canvas.getWidth(), canvas.getHeight()));
        if (r.isEmpty() || !directPixels)
            return;
        Visual* visual = DefaultVisual(display, DefaultScreen(display));
        int depth = DefaultDepth(display, DefaultScreen(display));
        XImage* image =
            XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                         reinterpret_cast<char*>(const_cast<uint32_t*>(canvas.data())),
                         static_cast<unsigned>(canvas.getWidth()),
                         static_cast<unsigned>(canvas.getHeight()), 32, canvas.getWidth() * 4);
        if (!image)
            return;
        image->byte_order = LSBFirst;
        auto x = static_cast<int>(r.left), y = static_cast<int>(r.top);
        XPutImage(display, window, gc, image, x, y, x, y, static_cast<unsigned>(r.getWidth()),
                  static_cast<unsigned>(r.getHeight()));
        image->data = nullptr;  // the canvas owns the pixels
        XDestroyImage(image);
        XFlush(display);
    }

    CFrame* frame;
    ::Window parent;
    Display* display{nullptr};
    ::Window window{0};
    GC gc{nullptr};
    SharedPointer<X11::IRunLoop> loop;
    unsigned width{0}, height{0};
    bool directPixels{false};
    CRect exposed;
    unsigned lastButton{0};
    Time lastPressTime{0};
};

}  // namespace

std::unique_ptr<IPlatformFrame> createNativeFrame(CFrame* frame, void* parent, PlatformType type,
                                                  IPlatformFrameConfig*) {
    if (type != PlatformType::kX11EmbedWindowID && type != PlatformType::kDefaultNative)
        return nullptr;
    auto x11 = std::make_unique<X11Frame>(
        frame, static_cast<::Window>(reinterpret_cast<uintptr_t>(parent)));
    if (!x11->init())
        return nullptr;
    return x11;
}

}  // namespace VSTGUI
