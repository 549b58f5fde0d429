// The base of everything on screen: a rectangle in its parent's coordinates with
// an optional background bitmap, visibility, mouse enabling, alpha and dirty state.
#pragma once
#include "vstguibase.h"
#include "crect.h"
#include "cbuttonstate.h"
#include "vstkeycode.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;
class CViewContainer;

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);
    // Draws the part of the view inside updateRect (both in the parent's coordinates).
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);

    // Mouse positions are in the parent's coordinates, like the view size.
    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseCancel();
    virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    // Keyboard events reach the focus view: 1 when handled, -1 otherwise.
    virtual int32_t onKeyDown(VstKeyCode& keyCode);
    virtual int32_t onKeyUp(VstKeyCode& keyCode);

    virtual void setDirty(bool state = true);
    virtual bool isDirty() const { return dirty; }
    virtual void invalid();
    virtual void invalidRect(const CRect& rect);

    virtual void setVisible(bool state);
    bool isVisible() const { return visible; }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    // A click or wheel turn the view does not handle goes on to the views beneath it
    // only when the view is transparent; by default it stops at the first view hit.
    void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    virtual void setAlphaValue(float alpha);
    float getAlphaValue() const { return alphaValue; }
    virtual void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }

    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& rect, bool invalidate = true);
    CCoord getWidth() const { return size.getWidth(); }
    CCoord getHeight() const { return size.getHeight(); }
    virtual bool hitTest(const CPoint& where, const CButtonState& buttons = -1);

    CFrame* getFrame() const { return parentFrame; }
    bool isAttached() const { return attachedFlag; }
    virtual bool attached(CView* parent);
    virtual bool removed(CView* parent);

    virtual bool wantsFocus() const { return false; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    // Converts a point between the view's own (parent) coordinates and the frame's.
    CPoint& localToFrame(CPoint& point) const;
    CPoint& frameToLocal(CPoint& point) const;
    // The view rectangle in frame coordinates.
    CRect getFrameRect() const;

    virtual bool isContainer() const { return false; }

protected:
    CRect size;
    CView* parentView{nullptr};
    CFrame* parentFrame{nullptr};
    CBitmap* background{nullptr};
    float alphaValue{1.f};
    bool visible{true};
    bool mouseEnabled{true};
    bool transparent{false};
    bool dirty{false};
    bool attachedFlag{false};
};

}  // namespace VSTGUI
