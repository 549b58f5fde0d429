#include "vstgui/lib/cviewcontainer.h"
#include <algorithm>
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& r) : CView(r) {}

CViewContainer::~CViewContainer() {
    for (CView* v : children) {
        if (v->isAttached())
            v->removed(this);
        v->forget();
    }
    children.clear();
}

bool CViewContainer::addView(CView* view) {
    return addView(view, nullptr);
}

bool CViewContainer::addView(CView* view, CView* before) {
    if (!view || view == this || isChild(view))
        return false;
    auto pos = std::find(children.begin(), children.end(), before);
    children.insert(pos, view);
    if (attachedFlag)
        view->attached(this);
    return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end())
        return false;
    if (mouseDownView == view)
        mouseDownView = nullptr;
    if (view->isAttached())
        view->removed(this);
    children.erase(std::find(children.begin(), children.end(), view));
    if (withForget)
        view->forget();
    return true;
}

bool CViewContainer::removeAll(bool withForget) {
    while (!children.empty())
        removeView(children.back(), withForget);
    return true;
}

bool CViewContainer::isChild(CView* view) const {
    return std::find(children.begin(), children.end(), view) != children.end();
}

void CViewContainer::setBackgroundColor(const CColor& color) {
    if (color == backgroundColor)
        return;
    backgroundColor = color;
    invalid();
}

void CViewContainer::draw(CDrawContext* context) {
    drawRect(context, size);
}

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect) {
    if (backgroundColor.alpha) {
        context->setFillColor(backgroundColor);
        context->drawRect(updateRect, kDrawFilled);
    }
    if (background)
        context->drawBitmap(background, size);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    CRect area = updateRect;
    area.bound(size);
    if (area.isEmpty())
        return;
    const CPoint savedOffset = context->getOffset();
    const CRect savedClip = context->getClipRect();
    const float savedAlpha = context->getGlobalAlpha();

    CRect clip = area;
    clip.bound(savedClip);
    context->setClipRect(clip);
    drawBackgroundRect(context, clip);

    // Children live in this container's own coordinates.
    context->setOffset(savedOffset + size.getTopLeft());
    CRect local = clip;
    local.offset(-size.left, -size.top);
    const std::vector<CView*> snapshot = children;
    for (CView* v : snapshot) {
        if (!v->isVisible() || v->getAlphaValue() <= 0.f)
            continue;
        CRect childArea = v->getViewSize();
        childArea.bound(local);
        if (childArea.isEmpty())
            continue;
        context->setClipRect(childArea);
        context->setGlobalAlpha(savedAlpha * v->getAlphaValue());
        v->drawRect(context, childArea);
        context->setGlobalAlpha(savedAlpha);
        if (childArea == v->getViewSize())
            v->setDirty(false);
    }
    context->setOffset(savedOffset);
    context->setClipRect(savedClip);
}

CView* CViewContainer::getViewAt(const CPoint& where) const {
    CPoint local(where.x - size.left, where.y - size.top);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* v = *it;
        if (v->isVisible() && v->getMouseEnabled() && v->hitTest(local))
            return v;
    }
    return nullptr;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    const CPoint local(where.x - size.left, where.y - size.top);
    const std::vector<CView*> snapshot = children;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        CView* v = *it;
        if (!isChild(v) || !v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        CPoint p = local;
        CMouseEventResult result = v->onMouseDown(p, buttons);
        if (result == kMouseEventHandled)
            mouseDownView = isChild(v) ? v : nullptr;
        bool unhandled = result == kMouseEventNotHandled || result == kMouseEventNotImplemented;
        if (!unhandled || !v->getTransparency())
            return result;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
    CView* v = mouseDownView;
    if (!v)
        return kMouseEventNotHandled;
    mouseDownView = nullptr;
    CPoint p(where.x - size.left, where.y - size.top);
    return v->onMouseUp(p, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    CPoint p(where.x - size.left, where.y - size.top);
    if (mouseDownView) {
        CMouseEventResult r = mouseDownView->onMouseMoved(p, buttons);
        if (r == kMouseMoveEventHandledButDontNeedMoreEvents)
            mouseDownView = nullptr;
        return r;
    }
    if (CView* v = getViewAt(where))
        return v->onMouseMoved(p, buttons);
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseCancel() {
    CView* v = mouseDownView;
    mouseDownView = nullptr;
    return v ? v->onMouseCancel() : kMouseEventNotHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis,
                             const float& distance, const CButtonState& buttons) {
    const CPoint local(where.x - size.left, where.y - size.top);
    const std::vector<CView*> snapshot = children;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        CView* v = *it;
        if (!v->isVisible() || !v->getMouseEnabled() || !v->hitTest(local, buttons))
            continue;
        bool handled = v->onWheel(local, axis, distance, buttons);
        if (handled || !v->getTransparency())
            return handled;
    }
    return false;
}

bool CViewContainer::attached(CView* parent) {
    if (!CView::attached(parent))
        return false;
    const std::vector<CView*> snapshot = children;
    for (CView* v : snapshot)
        v->attached(this);
    return true;
}

bool CViewContainer::removed(CView* parent) {
    if (!attachedFlag)
        return false;
    mouseDownView = nullptr;
    const std::vector<CView*> snapshot = children;
    for (CView* v : snapshot)
        v->removed(this);
    return CView::removed(parent);
}

void CViewContainer::invalidateDirtyViews() {
    for (CView* v : children) {
        if (!v->isVisible())
            continue;
        if (v->isContainer())
            static_cast<CViewContainer*>(v)->invalidateDirtyViews();
        if (v->isDirty())
            v->invalid();
    }
}

}  // namespace VSTGUI
