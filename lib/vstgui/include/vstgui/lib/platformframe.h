// What a frame needs from its platform: show canvas regions on screen. Each
// platform (X11 child window, Win32 child window, offscreen) implements it.
#pragma once
#include <cstdint>
#include "crect.h"

namespace VSTGUI {

class CFrame;

enum class PlatformType { kHWND, kX11EmbedWindowID, kOffscreen, kDefaultNative };

// Platform-specific options handed to CFrame::open.
class IPlatformFrameConfig {
public:
    virtual ~IPlatformFrameConfig() = default;
};

class IPlatformFrame {
public:
    virtual ~IPlatformFrame() = default;
    // Some region of the canvas (device pixels) became dirty: arrange for a repaint soon.
    virtual void invalidate(const CRect& rect) = 0;
    // The canvas changed its size (the frame's zoom): the window follows.
    virtual void resize(int32_t /*width*/, int32_t /*height*/) {}
    // Device pixels per frame pixel the desktop asks for on this window's screen;
    // 1 when it says nothing.
    virtual double getScaleFactor() const { return 1.0; }
    // Called at the end of every frame idle and after each event batch.
    virtual void onIdle() {}
    virtual PlatformType getType() const = 0;
    // The platform's own window (HWND, X11 window id), or null offscreen.
    virtual void* getNativeHandle() const { return nullptr; }
};

}  // namespace VSTGUI
