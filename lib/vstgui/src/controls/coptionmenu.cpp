#include "vstgui/lib/controls/coptionmenu.h"
#include <cmath>
#include "vstgui/lib/cframe.h"
#include "menupopup.h"

namespace VSTGUI {

CMenuItem::CMenuItem(const UTF8String& t, int32_t tg, int32_t f) : title(t), tag(tg), flags(f) {}

CMenuItem::CMenuItem(const UTF8String& t, COptionMenu* menu) : title(t), tag(-1), flags(kNoFlags) {
    setSubmenu(menu);
}

CMenuItem::~CMenuItem() {
    if (submenu)
        submenu->forget();
}

void CMenuItem::setSubmenu(COptionMenu* menu) {
    if (menu)
        menu->remember();
    if (submenu)
        submenu->forget();
    submenu = menu;
}

void CMenuItem::setEnabled(bool state) {
    flags = state ? (flags & ~kDisabled) : (flags | kDisabled);
}

void CMenuItem::setChecked(bool state) {
    flags = state ? (flags | kChecked) : (flags & ~kChecked);
}

COptionMenu::COptionMenu() : CParamDisplay(CRect(0, 0, 0, 0), nullptr, 0) {
    vmax = 0;
}

COptionMenu::COptionMenu(const CRect& r, IControlListener* l, int32_t t, CBitmap* bg, CBitmap*,
                         int32_t s)
    : CParamDisplay(r, bg, s) {
    setListener(l);
    tag = t;
    vmax = 0;
}

COptionMenu::~COptionMenu() {
    for (CMenuItem* item : items)
        item->forget();
}

void COptionMenu::updateMax() {
    vmax = items.empty() ? 0.f : static_cast<float>(items.size() - 1);
    invalid();
}

CMenuItem* COptionMenu::addEntry(CMenuItem* item, int32_t index) {
    if (!item)
        return nullptr;
    if (index < 0 || index >= getNbEntries())
        items.push_back(item);
    else
        items.insert(items.begin() + index, item);
    updateMax();
    return item;
}

CMenuItem* COptionMenu::addEntry(const UTF8String& title, int32_t index, int32_t itemFlags) {
    if (title == "-")
        return addSeparator(index);
    return addEntry(new CMenuItem(title, -1, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator(int32_t index) {
    return addEntry(new CMenuItem("", -1, CMenuItem::kSeparator), index);
}

bool COptionMenu::removeAllEntry() {
    for (CMenuItem* item : items)
        item->forget();
    items.clear();
    lastMenu = nullptr;
    lastResult = -1;
    updateMax();
    value = 0;
    return true;
}

CMenuItem* COptionMenu::getEntry(int32_t index) const {
    return index >= 0 && index < getNbEntries() ? items[static_cast<size_t>(index)] : nullptr;
}

int32_t COptionMenu::getCurrentIndex(bool countSeparator) const {
    auto index = static_cast<int32_t>(std::floor(value + 0.5f));
    if (countSeparator)
        return index;
    int32_t result = 0;
    for (int32_t i = 0; i < index && i < getNbEntries(); ++i)
        if (!items[static_cast<size_t>(i)]->isSeparator())
            ++result;
    return result;
}

CMenuItem* COptionMenu::getCurrent() const {
    return getEntry(getCurrentIndex(true));
}

bool COptionMenu::setCurrent(int32_t index, bool countSeparator) {
    if (!countSeparator) {
        int32_t seen = -1;
        for (int32_t i = 0; i < getNbEntries(); ++i)
            if (!items[static_cast<size_t>(i)]->isSeparator() && ++seen == index) {
                index = i;
                break;
            }
    }
    if (index < 0 || index >= getNbEntries())
        return false;
    setValue(static_cast<float>(index));
    invalid();
    return true;
}

COptionMenu* COptionMenu::getLastItemMenu(int32_t& idxInMenu) const {
    idxInMenu = lastMenu ? lastResult : -1;
    return lastMenu;
}

void COptionMenu::setValue(float val) {
    // The value is an entry index; normalised values from the editor land
    // between indices by float rounding, so take the nearest one.
    auto index = static_cast<int32_t>(std::floor(val + 0.5f));
    if (index < 0 || index >= getNbEntries())
        return;
    CControl::setValue(static_cast<float>(index));
}

UTF8String COptionMenu::getDisplayText() const {
    CMenuItem* item = getCurrent();
    return item && !item->isSeparator() ? item->getTitle() : UTF8String();
}

bool COptionMenu::popup() {
    CFrame* frame = getFrame();
    if (!frame)
        return false;
    CRect r = getFrameRect();
    return popup(frame, CPoint(r.left, r.bottom));
}

bool COptionMenu::popup(CFrame* frame, const CPoint& frameLocation) {
    if (!frame || !frame->isOpen() || items.empty() || popupOpen || frame->getModalView())
        return false;
    auto* view = new MenuPopupView(this, frame, frameLocation);
    frame->addView(view);
    frame->setModalView(view);
    popupOpen = true;
    return true;
}

void COptionMenu::popupClosed(COptionMenu* chosenMenu, int32_t index) {
    popupOpen = false;
    if (!chosenMenu)
        return;
    SharedPointer<COptionMenu> guard(this);
    lastMenu = chosenMenu;
    lastResult = index;
    beginEdit();
    chosenMenu->setValue(static_cast<float>(index));
    invalid();
    valueChanged();
    endEdit();
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    popup();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COptionMenu::onKeyDown(VstKeyCode&) {
    return -1;
}

}  // namespace VSTGUI
