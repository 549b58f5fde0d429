// A view that holds child views in drawing order (later ones on top), fills its
// background colour or bitmap, hit-tests its children and keeps the mouse with
// the child that took a button press until the button is released.
#pragma once
#include <vector>
#include "cview.h"
#include "ccolor.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);
    ~CViewContainer() override;

    // The container takes over the caller's reference.
    virtual bool addView(CView* view);
    virtual bool addView(CView* view, CView* before);
    virtual bool removeView(CView* view, bool withForget = true);
    virtual bool removeAll(bool withForget = true);
    uint32_t getNbViews() const { return static_cast<uint32_t>(children.size()); }
    CView* getView(uint32_t index) const {
        return index < children.size() ? children[index] : nullptr;
    }
    bool isChild(CView* view) const;

    virtual void setBackgroundColor(const CColor& color);
    CColor getBackgroundColor() const { return backgroundColor; }

    void draw(CDrawContext* context) override;
    void drawRect(CDrawContext* context, const CRect& updateRect) override;

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

    // The topmost visible, mouse-enabled child under a point in this view's
    // parent coordinates, or null.
    CView* getViewAt(const CPoint& where) const;

    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    bool isContainer() const override { return true; }
    // Marks every dirty descendant for redraw.
    void invalidateDirtyViews();

protected:
    void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);

    std::vector<CView*> children;
    CView* mouseDownView{nullptr};
    CColor backgroundColor{0, 0, 0, 0};
};

}  // namespace VSTGUI
