#include "vstgui/lib/cview.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {

CView::CView(const CRect& r) : size(r) {}

CView::~CView() {
    if (background)
        background->forget();
}

void CView::draw(CDrawContext* context) {
    if (background)
        context->drawBitmap(background, size);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) {
    draw(context);
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) {
    return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseCancel() {
    return kMouseEventNotImplemented;
}

bool CView::onWheel(const CPoint&, const float&, const CButtonState&) {
    return false;
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons) {
    return axis == kMouseWheelAxisY && onWheel(where, distance, buttons);
}

int32_t CView::onKeyDown(VstKeyCode&) {
    return -1;
}
int32_t CView::onKeyUp(VstKeyCode&) {
    return -1;
}

void CView::setDirty(bool state) {
    dirty = state;
    if (state)
        invalid();
}

void CView::invalid() {
    invalidRect(size);
}

void CView::invalidRect(const CRect& rect) {
    if (!attachedFlag || !parentFrame)
        return;
    CPoint tl(rect.left, rect.top);
    localToFrame(tl);
    parentFrame->invalidRect(CRect(tl.x, tl.y, tl.x + rect.getWidth(), tl.y + rect.getHeight()));
}

void CView::setVisible(bool state) {
    if (visible == state)
        return;
    if (state) {
        visible = true;
        invalid();
    } else {
        invalid();
        visible = false;
    }
}

void CView::setAlphaValue(float alpha) {
    if (alphaValue == alpha)
        return;
    alphaValue = alpha;
    invalid();
}

void CView::setBackground(CBitmap* bitmap) {
    if (bitmap)
        bitmap->remember();
    if (background)
        background->forget();
    background = bitmap;
    invalid();
}

void CView::setViewSize(const CRect& rect, bool invalidate) {
    if (invalidate)
        invalid();
    size = rect;
    if (invalidate)
        invalid();
}

bool CView::hitTest(const CPoint& where, const CButtonState&) {
    return size.pointInside(where);
}

bool CView::attached(CView* parent) {
    if (attachedFlag)
        return false;
    parentView = parent;
    parentFrame = parent ? parent->getFrame() : parentFrame;
    attachedFlag = true;
    invalid();
    return true;
}

bool CView::removed(CView* /*parent*/) {
    if (!attachedFlag)
        return false;
    invalid();
    if (parentFrame && parentFrame != this)
        parentFrame->onViewRemoved(this);
    attachedFlag = false;
    parentView = nullptr;
    parentFrame = nullptr;
    return true;
}

CPoint& CView::localToFrame(CPoint& point) const {
    for (const CView* v = parentView; v; v = v->parentView)
        point.offset(v->size.left, v->size.top);
    return point;
}

CPoint& CView::frameToLocal(CPoint& point) const {
    for (const CView* v = parentView; v; v = v->parentView)
        point.offset(-v->size.left, -v->size.top);
    return point;
}

CRect CView::getFrameRect() const {
    CPoint tl = size.getTopLeft();
    localToFrame(tl);
    return CRect(tl.x, tl.y, tl.x + size.getWidth(), tl.y + size.getHeight());
}

}  // namespace VSTGUI
