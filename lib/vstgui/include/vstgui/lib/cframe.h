// The root container: owns the canvas, collects dirty regions and repaints them,
// routes platform mouse, wheel and keyboard events, keeps the focus view and an
// optional modal view (pop-up menus, the in-frame file entry).
#pragma once
#include <functional>
#include <memory>
#include <vector>
#include "cviewcontainer.h"
#include "cdrawcontext.h"
#include "platformframe.h"

namespace VSTGUI {

class CFrame;

class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    virtual int32_t getKnobMode() const { return kCircularMode; }
    virtual bool beginEdit(int32_t /*index*/) { return false; }
    virtual bool endEdit(int32_t /*index*/) { return false; }
    virtual CFrame* getFrame() const { return frame; }

protected:
    CFrame* frame{nullptr};
};

// Sees every key before the focus or modal view does; returns 1 when it handled the
// key (the views then never see it), -1 otherwise.
class IKeyboardHook {
public:
    virtual ~IKeyboardHook() = default;
    virtual int32_t onKeyDown(const VstKeyCode& code, CFrame* frame) = 0;
    virtual int32_t onKeyUp(const VstKeyCode& code, CFrame* frame) = 0;
};

class CFrame : public CViewContainer {
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);
    ~CFrame() override;

    // Opens the frame on a platform parent (an X11 window id or an HWND), or
    // offscreen. Returns false when already open or the platform cannot create it.
    bool open(void* systemWin, PlatformType type = PlatformType::kDefaultNative,
              IPlatformFrameConfig* config = nullptr);
    // Closes the platform window, removes every view and drops the caller's reference.
    void close();
    bool isOpen() const { return platform != nullptr; }
    IPlatformFrame* getPlatformFrame() const { return platform.get(); }
    // The editor's knob mode (CKnobMode); circular without an editor.
    int32_t getKnobMode() const { return editor ? editor->getKnobMode() : kCircularMode; }

    // Called by the editor's idle timer: invalidates dirty views, runs idle
    // callbacks and lets the platform repaint.
    void idle();
    // Functions run on every idle (file dialog processes are polled this way);
    // onClose runs once if the frame closes while the callback is registered.
    void addIdleCallback(const void* owner, std::function<void()> fn,
                         std::function<void()> onClose = {});
    void removeIdleCallback(const void* owner);

    // The last mouse position the platform reported, in frame coordinates.
    CPoint getCurrentMouseLocation() const { return mouseLocation; }

    // Device pixels per frame pixel (1 to 3 for the editor's content scale): the canvas
    // and the platform window are the frame's size times the zoom, rounded; views keep
    // their frame coordinates. False, and no change, for a zoom that is not positive.
    bool setZoom(double zoom);
    double getZoom() const { return zoom; }
    // A position on the canvas (device pixels) in frame coordinates, and back.
    CPoint deviceToFrame(const CPoint& p) const { return CPoint(p.x / zoom, p.y / zoom); }
    CPoint frameToDevice(const CPoint& p) const { return CPoint(p.x * zoom, p.y * zoom); }

    // Hooks are asked in the order they were registered; the frame does not own them.
    void registerKeyboardHook(IKeyboardHook* hook);
    void unregisterKeyboardHook(IKeyboardHook* hook);

    CView* getFocusView() const { return focusView; }
    void setFocusView(CView* view);
    bool setModalView(CView* view);
    CView* getModalView() const { return modalView; }

    void invalidRect(const CRect& rect) override;
    void setViewSize(const CRect& rect, bool invalidate = true) override;
    void setVisible(bool state) override;

    // Platform entry points; positions are in device pixels of the canvas.
    CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons);
    CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons);
    CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons);
    CMouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons);
    bool platformOnMouseWheel(const CPoint& where, const CMouseWheelAxis& axis,
                              const float& distance, const CButtonState& buttons);
    // Keys go to the modal view, else to the focus view: 1 when handled, else -1.
    int32_t platformOnKeyDown(VstKeyCode& keyCode) { return dispatchKey(keyCode, true); }
    int32_t platformOnKeyUp(VstKeyCode& keyCode) { return dispatchKey(keyCode, false); }

    // The canvas and its repaint: draws every dirty region and returns their union in
    // device pixels (empty when nothing was dirty).
    const PixelBuffer& getCanvas() const { return canvas; }
    bool hasDirtyRegion() const { return !dirtyRects.empty(); }
    CRect updateCanvas();

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    // A view is leaving the frame: forget it as focus, modal or hovered view.
    void onViewRemoved(CView* view);
    // The deepest visible, mouse-enabled view under a point of the frame.
    CView* getViewAtDeep(const CPoint& where) const;

private:
    int32_t dispatchKey(VstKeyCode& keyCode, bool down);
    void updateMouseViews(const CPoint& where, const CButtonState& buttons);
    void clearMouseViews(const CPoint& where, const CButtonState& buttons, bool notify = true);
    // The device pixels a region of the frame touches.
    CRect deviceRect(const CRect& r) const;
    void resizeCanvas(double zoom);

    VSTGUIEditorInterface* editor;
    std::unique_ptr<IPlatformFrame> platform;
    PixelBuffer canvas;
    double zoom{1.0};
    std::vector<CRect> dirtyRects;
    CView* focusView{nullptr};
    CPoint mouseLocation;
    CView* modalView{nullptr};
    std::vector<CView*> mouseViews;  // views under the mouse, outermost first (each remembered)
    struct IdleCallback {
        const void* owner;
        std::function<void()> fn;
        std::function<void()> onClose;
    };
    std::vector<IdleCallback> idleCallbacks;
    std::vector<IKeyboardHook*> keyboardHooks;
    bool inIdle{false};
};

}  // namespace VSTGUI
