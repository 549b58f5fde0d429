#include "menupopup.h"
#include <algorithm>
#include <cmath>
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"

namespace VSTGUI {
namespace {
constexpr CColor kMenuBack{240, 240, 240, 255};
constexpr CColor kMenuBorder{128, 128, 128, 255};
constexpr CColor kMenuText{0, 0, 0, 255};
constexpr CColor kMenuDisabled{150, 150, 150, 255};
constexpr CColor kMenuHighlight{48, 112, 192, 255};
constexpr CColor kMenuHighlightText{255, 255, 255, 255};
}  // namespace

MenuPopupView::MenuPopupView(COptionMenu* menu, CFrame* f, const CPoint& location)
    : CView(f->getViewSize()), root(menu), frame(f) {
    pushLevel(menu, location);
}

MenuPopupView::~MenuPopupView() = default;

void MenuPopupView::pushLevel(COptionMenu* menu, CPoint at, CCoord parentLeft) {
    CFontRef font = menu->getFont() ? menu->getFont() : kNormalFont;
    CCoord width = 60, height = 2;
    for (int32_t i = 0; i < menu->getNbEntries(); ++i) {
        CMenuItem* item = menu->getEntry(i);
        height += item->isSeparator() ? kSeparatorHeight : kItemHeight;
        width = std::max(width, std::ceil(font->getStringWidth(item->getTitle().c_str())) +
                                    2 * kSideMargin + 2);
    }
    const CRect bounds = frame->getViewSize();
    if (at.x + width > bounds.right) {
        if (parentLeft >= 0 && parentLeft - width >= bounds.left)
            at.x = parentLeft - width;
        else
            at.x = std::max(bounds.left, bounds.right - width);
    }
    if (at.y + height > bounds.bottom)
        at.y = std::max(bounds.top, bounds.bottom - height);
    Level level{menu, CRect(at.x, at.y, at.x + width, at.y + height), -1};
    levels.push_back(level);
    invalidRect(level.rect);
}

void MenuPopupView::popLevelsAbove(size_t level) {
    while (levels.size() > level + 1) {
        invalidRect(levels.back().rect);
        levels.pop_back();
    }
}

CRect MenuPopupView::getItemRect(size_t level, int32_t index) const {
    const Level& l = levels[level];
    CCoord y = l.rect.top + 1;
    for (int32_t i = 0; i < index; ++i)
        y += l.menu->getEntry(i)->isSeparator() ? kSeparatorHeight : kItemHeight;
    CCoord h = l.menu->getEntry(index)->isSeparator() ? kSeparatorHeight : kItemHeight;
    return CRect(l.rect.left + 1, y, l.rect.right - 1, y + h);
}

bool MenuPopupView::locate(const CPoint& where, size_t& level, int32_t& index) const {
    for (size_t li = levels.size(); li-- > 0;) {
        if (!levels[li].rect.pointInside(where))
            continue;
        level = li;
        index = -1;
        for (int32_t i = 0; i < levels[li].menu->getNbEntries(); ++i)
            if (getItemRect(li, i).pointInside(where))
                index = i;
        return true;
    }
    return false;
}

bool MenuPopupView::selectable(const CMenuItem* item) const {
    return item && !item->isSeparator() && !item->isTitle() && item->isEnabled();
}

void MenuPopupView::invalidLevels() {
    for (const Level& l : levels)
        invalidRect(l.rect);
}

void MenuPopupView::hoverItem(size_t level, int32_t index, bool openSubmenu) {
    popLevelsAbove(level);
    Level& l = levels[level];
    CMenuItem* item = index >= 0 ? l.menu->getEntry(index) : nullptr;
    l.hover = selectable(item) ? index : -1;
    invalidRect(l.rect);
    if (openSubmenu && l.hover >= 0 && item->getSubmenu() &&
        item->getSubmenu()->getNbEntries() > 0) {
        CRect r = getItemRect(level, index);
        pushLevel(item->getSubmenu(), CPoint(l.rect.right - 2, r.top - 1), l.rect.left + 2);
    }
}

void MenuPopupView::moveHover(int32_t direction) {
    Level& l = levels.back();
    int32_t n = l.menu->getNbEntries();
    int32_t i = l.hover;
    for (int32_t step = 0; step < n; ++step) {
        i = i < 0 ? (direction > 0 ? 0 : n - 1) : i + direction;
        if (i < 0 || i >= n)
            return;
        if (selectable(l.menu->getEntry(i))) {
            hoverItem(levels.size() - 1, i, false);
            return;
        }
    }
}

void MenuPopupView::finish(COptionMenu* chosen, int32_t index) {
    if (finished)
        return;
    finished = true;
    SharedPointer<MenuPopupView> keep(this);
    SharedPointer<COptionMenu> menu = root;
    invalidLevels();
    frame->setModalView(nullptr);
    frame->removeView(this);
    menu->popupClosed(chosen, index);
}

bool MenuPopupView::removed(CView* parent) {
    // Removed without a choice (the frame is closing): the menu may pop up again later.
    if (!finished) {
        finished = true;
        root->popupClosed(nullptr, -1);
    }
    return CView::removed(parent);
}

CMouseEventResult MenuPopupView::onMouseDown(CPoint& where, const CButtonState& buttons) {
    SharedPointer<MenuPopupView> keep(this);  // a choice removes the pop-up from the frame
    size_t level;
    int32_t index;
    if (!locate(where, level, index)) {
        finish(nullptr, -1);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    pressInside = (buttons & (kLButton | kRButton)) != 0;
    hoverItem(level, index, true);
    return kMouseEventHandled;
}

CMouseEventResult MenuPopupView::onMouseMoved(CPoint& where, const CButtonState&) {
    size_t level;
    int32_t index;
    if (locate(where, level, index) && index >= 0) {
        bool sameAsOpen = levels.size() > level + 1 && levels[level].hover == index;
        if (!sameAsOpen)
            hoverItem(level, index, true);
    }
    return kMouseEventHandled;
}

CMouseEventResult MenuPopupView::onMouseUp(CPoint& where, const CButtonState&) {
    SharedPointer<MenuPopupView> keep(this);  // a choice removes the pop-up from the frame
    size_t level;
    int32_t index;
    if (pressInside && locate(where, level, index) && index >= 0) {
        CMenuItem* item = levels[level].menu->getEntry(index);
        if (selectable(item) && !item->getSubmenu())
            finish(levels[level].menu, index);
    }
    pressInside = false;
    return kMouseEventHandled;
}

int32_t MenuPopupView::onKeyDown(VstKeyCode& key) {
    SharedPointer<MenuPopupView> keep(this);  // a choice removes the pop-up from the frame
    Level& top = levels.back();
    CMenuItem* item = top.hover >= 0 ? top.menu->getEntry(top.hover) : nullptr;
    switch (key.virt) {
    case VKEY_DOWN: moveHover(1); return 1;
    case VKEY_UP: moveHover(-1); return 1;
    case VKEY_RIGHT:
        if (item && item->getSubmenu()) {
            hoverItem(levels.size() - 1, top.hover, true);
            if (levels.size() > 1)
                moveHover(1);
        }
        return 1;
    case VKEY_LEFT:
        if (levels.size() > 1)
            popLevelsAbove(levels.size() - 2);
        return 1;
    case VKEY_ESCAPE:
        if (levels.size() > 1)
            popLevelsAbove(levels.size() - 2);
        else
            finish(nullptr, -1);
        return 1;
    case VKEY_RETURN:
    case VKEY_ENTER:
    case VKEY_SPACE:
        if (item && item->getSubmenu()) {
            hoverItem(levels.size() - 1, top.hover, true);
            moveHover(1);
        } else if (item) {
            finish(top.menu, top.hover);
        }
        return 1;
    default: return 1;  // the pop-up is modal: keys go nowhere else
    }
}

void MenuPopupView::draw(CDrawContext* context) {
    for (size_t li = 0; li < levels.size(); ++li) {
        const Level& l = levels[li];
        CFontRef font = l.menu->getFont() ? l.menu->getFont() : kNormalFont;
        context->setFillColor(kMenuBack);
        context->setFrameColor(kMenuBorder);
        context->drawRect(l.rect, kDrawFilledAndStroked);
        context->setFont(font);
        const int32_t current = l.menu->getCurrentIndex(true);
        const int32_t style = l.menu->getStyle();
        for (int32_t i = 0; i < l.menu->getNbEntries(); ++i) {
            CMenuItem* item = l.menu->getEntry(i);
            CRect r = getItemRect(li, i);
            if (item->isSeparator()) {
                context->setFrameColor(kMenuBorder);
                CCoord y = r.top + kSeparatorHeight / 2;
                context->drawLine(CPoint(r.left + 4, y), CPoint(r.right - 5, y));
                continue;
            }
            bool highlighted = i == l.hover;
            if (highlighted) {
                context->setFillColor(kMenuHighlight);
                context->drawRect(r, kDrawFilled);
            }
            CColor ink =
                !item->isEnabled() ? kMenuDisabled : (highlighted ? kMenuHighlightText : kMenuText);
            context->setFontColor(ink);
            context->setFrameColor(ink);
            CRect textRect(r.left + kSideMargin, r.top, r.right - kSideMargin, r.bottom);
            context->drawString(item->getTitle().c_str(), textRect, kLeftText);
            bool checked = item->isChecked() || ((style & kCheckStyle) &&
                                                 !(style & kMultipleCheckStyle) && i == current);
            if (checked) {
                CCoord x = r.left + 5, y = r.top + r.getHeight() / 2;
                context->drawLine(CPoint(x, y), CPoint(x + 3, y + 3));
                context->drawLine(CPoint(x + 3, y + 3), CPoint(x + 9, y - 3));
            }
            if (item->getSubmenu()) {
                CCoord x = r.right - 10, y = r.top + r.getHeight() / 2;
                for (int k = 0; k < 4; ++k)
                    context->drawLine(CPoint(x + k, y - 3 + k), CPoint(x + k, y + 3 - k));
            }
        }
    }
}

}  // namespace VSTGUI
