#include "vstgui/lib/cframe.h"
#include <algorithm>
#include <cmath>
#include "platform/platformfactory.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& r, VSTGUIEditorInterface* ed) : CViewContainer(r), editor(ed) {
    parentFrame = this;
    resizeCanvas(zoom);
}

CFrame::~CFrame() {
    clearMouseViews(CPoint(), 0, false);
    modalView = nullptr;
    focusView = nullptr;
    removeAll();
    platform.reset();
}

bool CFrame::open(void* systemWin, PlatformType type, IPlatformFrameConfig* config) {
    if (platform)
        return false;
    if (type == PlatformType::kOffscreen)
        platform = createOffscreenFrame(this);
    else
        platform = createNativeFrame(this, systemWin, type, config);
    if (!platform)
        return false;
    attached(nullptr);
    dirtyRects.clear();
    invalidRect(size);
    return true;
}

void CFrame::close() {
    clearMouseViews(CPoint(), 0, false);
    setModalView(nullptr);
    setFocusView(nullptr);
    removeAll();
    const auto callbacks = std::move(idleCallbacks);
    idleCallbacks.clear();
    for (const auto& cb : callbacks)
        if (cb.onClose)
            cb.onClose();
    platform.reset();
    attachedFlag = false;
    forget();
}

bool CFrame::attached(CView* /*parent*/) {
    if (attachedFlag)
        return false;
    attachedFlag = true;
    const std::vector<CView*> snapshot = children;
    for (CView* v : snapshot)
        v->attached(this);
    return true;
}

bool CFrame::removed(CView* parent) {
    return CViewContainer::removed(parent);
}

void CFrame::idle() {
    if (inIdle)
        return;
    SharedPointer<CFrame> guard(this);
    inIdle = true;
    invalidateDirtyViews();
    const auto callbacks = idleCallbacks;
    for (const auto& cb : callbacks)
        cb.fn();
    inIdle = false;
    if (platform)
        platform->onIdle();
}

void CFrame::addIdleCallback(const void* owner, std::function<void()> fn,
                             std::function<void()> onClose) {
    idleCallbacks.push_back({owner, std::move(fn), std::move(onClose)});
}

void CFrame::removeIdleCallback(const void* owner) {
    idleCallbacks.erase(std::remove_if(idleCallbacks.begin(), idleCallbacks.end(),
                                       [owner](const IdleCallback& c) { return c.owner == owner; }),
                        idleCallbacks.end());
}

void CFrame::setFocusView(CView* view) {
    if (view == focusView)
        return;
    CView* old = focusView;
    focusView = view;
    if (old)
        old->looseFocus();
    if (focusView == view && view)
        view->takeFocus();
}

bool CFrame::setModalView(CView* view) {
    if (view && modalView)
        return false;
    if (view)
        CViewContainer::onMouseCancel();
    modalView = view;
    return true;
}

void CFrame::onViewRemoved(CView* view) {
    if (focusView == view)
        focusView = nullptr;
    if (modalView == view)
        modalView = nullptr;
    auto it = std::find(mouseViews.begin(), mouseViews.end(), view);
    if (it != mouseViews.end()) {
        // Views nested inside the removed one leave with it.
        std::vector<CView*> gone(it, mouseViews.end());
        mouseViews.erase(it, mouseViews.end());
        for (CView* v : gone)
            v->forget();
    }
}

void CFrame::invalidRect(const CRect& rect) {
    CRect r = rect;
    r.bound(size);
    if (r.isEmpty())
        return;
    bool merged = true;
    while (merged) {
        merged = false;
        for (auto it = dirtyRects.begin(); it != dirtyRects.end(); ++it) {
            if (it->rectOverlap(r)) {
                r.unite(*it);
                dirtyRects.erase(it);
                merged = true;
                break;
            }
        }
    }
    dirtyRects.push_back(r);
    if (dirtyRects.size() > 16) {
        CRect all;
        for (const auto& d : dirtyRects)
            all.unite(d);
        dirtyRects.assign(1, all);
    }
    if (platform)
        platform->invalidate(deviceRect(r));
}

CRect CFrame::deviceRect(const CRect& r) const {
    return CRect(std::floor(r.left * zoom), std::floor(r.top * zoom), std::ceil(r.right * zoom),
                 std::ceil(r.bottom * zoom));
}

void CFrame::resizeCanvas(double z) {
    const auto w = static_cast<int32_t>(std::lround(size.getWidth() * z));
    const auto h = static_cast<int32_t>(std::lround(size.getHeight() * z));
    if (w != canvas.getWidth() || h != canvas.getHeight())
        canvas.resize(w, h);
    zoom = z;  // after the allocation: a failed one leaves the frame as it was
    if (platform)
        platform->resize(w, h);
}

bool CFrame::setZoom(double z) {
    if (!(z > 0) || !std::isfinite(z))
        return false;
    if (z == zoom)
        return true;
    resizeCanvas(z);
    invalidRect(size);
    return true;
}

void CFrame::setViewSize(const CRect& rect, bool invalidate) {
    CView::setViewSize(rect, false);
    resizeCanvas(zoom);
    if (invalidate)
        invalidRect(size);
}

void CFrame::setVisible(bool state) {
    visible = state;
    invalidRect(size);
}

CRect CFrame::updateCanvas() {
    CRect all;
    if (dirtyRects.empty())
        return all;
    const std::vector<CRect> rects = std::move(dirtyRects);
    dirtyRects.clear();
    CDrawContext context(canvas, zoom);
    for (const CRect& r : rects) {
        context.setOffset(CPoint());
        context.setClipRect(r);
        context.setGlobalAlpha(1.f);
        context.setFillColor(kBlackCColor);
        context.drawRect(r, kDrawFilled);
        if (visible && alphaValue > 0.f) {
            context.setGlobalAlpha(alphaValue);
            drawRect(&context, r);
        }
        all.unite(deviceRect(r));
    }
    return all;
}

CView* CFrame::getViewAtDeep(const CPoint& where) const {
    CView* found = nullptr;
    const CViewContainer* container = this;
    CPoint p = where;
    while (container) {
        CView* v = container->getViewAt(p);
        if (!v)
            break;
        found = v;
        p.offset(-container->getViewSize().left, -container->getViewSize().top);
        container = v->isContainer() ? static_cast<const CViewContainer*>(v) : nullptr;
    }
    return found;
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint& devicePoint, const CButtonState& buttons) {
    SharedPointer<CFrame> guard(this);
    const CPoint where = deviceToFrame(devicePoint);
    mouseLocation = where;
    if (modalView) {
        SharedPointer<CView> modal(modalView);
        CPoint p = where;
        CMouseEventResult r = modal->onMouseDown(p, buttons);
        if (r == kMouseEventHandled && isChild(modal))
            mouseDownView = modal;
        return r;
    }
    if (focusView && getViewAtDeep(where) != focusView)
        setFocusView(nullptr);
    CPoint p = where;
    return CViewContainer::onMouseDown(p, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& devicePoint, const CButtonState& buttons) {
    SharedPointer<CFrame> guard(this);
    const CPoint where = deviceToFrame(devicePoint);
    mouseLocation = where;
    CPoint p = where;
    if (modalView && !mouseDownView) {
        SharedPointer<CView> modal(modalView);
        return modal->onMouseMoved(p, buttons);
    }
    if (!mouseDownView)
        updateMouseViews(where, buttons);
    return CViewContainer::onMouseMoved(p, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& devicePoint, const CButtonState& buttons) {
    SharedPointer<CFrame> guard(this);
    const CPoint where = deviceToFrame(devicePoint);
    mouseLocation = where;
    CPoint p = where;
    CMouseEventResult r = CViewContainer::onMouseUp(p, buttons);
    if (!modalView)
        updateMouseViews(where, 0);
    return r;
}

CMouseEventResult CFrame::platformOnMouseExited(CPoint& devicePoint, const CButtonState& buttons) {
    SharedPointer<CFrame> guard(this);
    clearMouseViews(deviceToFrame(devicePoint), buttons);
    return kMouseEventHandled;
}

bool CFrame::platformOnMouseWheel(const CPoint& devicePoint, const CMouseWheelAxis& axis,
                                  const float& distance, const CButtonState& buttons) {
    SharedPointer<CFrame> guard(this);
    const CPoint where = deviceToFrame(devicePoint);
    if (modalView) {
        SharedPointer<CView> modal(modalView);
        return modal->onWheel(where, axis, distance, buttons);
    }
    return CViewContainer::onWheel(where, axis, distance, buttons);
}

void CFrame::registerKeyboardHook(IKeyboardHook* hook) {
    if (hook && std::find(keyboardHooks.begin(), keyboardHooks.end(), hook) == keyboardHooks.end())
        keyboardHooks.push_back(hook);
}

void CFrame::unregisterKeyboardHook(IKeyboardHook* hook) {
    keyboardHooks.erase(std::remove(keyboardHooks.begin(), keyboardHooks.end(), hook),
                        keyboardHooks.end());
}

int32_t CFrame::dispatchKey(VstKeyCode& keyCode, bool down) {
    SharedPointer<CFrame> guard(this);
    const std::vector<IKeyboardHook*> hooks = keyboardHooks;  // a hook may unregister
    for (IKeyboardHook* hook : hooks)
        if ((down ? hook->onKeyDown(keyCode, this) : hook->onKeyUp(keyCode, this)) == 1)
            return 1;
    CView* target = modalView ? modalView : focusView;
    if (!target)
        return -1;
    SharedPointer<CView> keep(target);
    return down ? target->onKeyDown(keyCode) : target->onKeyUp(keyCode);
}

void CFrame::updateMouseViews(const CPoint& where, const CButtonState& buttons) {
    std::vector<CView*> chain;
    const CViewContainer* container = this;
    CPoint p = where;
    while (container) {
        CView* v = container->getViewAt(p);
        if (!v)
            break;
        chain.push_back(v);
        p.offset(-container->getViewSize().left, -container->getViewSize().top);
        container = v->isContainer() ? static_cast<const CViewContainer*>(v) : nullptr;
    }
    size_t common = 0;
    while (common < chain.size() && common < mouseViews.size() &&
           chain[common] == mouseViews[common])
        ++common;
    while (mouseViews.size() > common) {
        CView* v = mouseViews.back();
        mouseViews.pop_back();
        CPoint lp = where;
        v->frameToLocal(lp);
        v->onMouseExited(lp, buttons);
        v->forget();
    }
    for (size_t i = common; i < chain.size(); ++i) {
        chain[i]->remember();
        mouseViews.push_back(chain[i]);
        CPoint lp = where;
        chain[i]->frameToLocal(lp);
        chain[i]->onMouseEntered(lp, buttons);
    }
}

void CFrame::clearMouseViews(const CPoint& where, const CButtonState& buttons, bool notify) {
    while (!mouseViews.empty()) {
        CView* v = mouseViews.back();
        mouseViews.pop_back();
        CPoint lp = where;
        v->frameToLocal(lp);
        if (notify && v->isAttached())
            v->onMouseExited(lp, buttons);
        v->forget();
    }
}

}  // namespace VSTGUI
