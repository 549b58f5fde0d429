// Menus: a list of entries (title, tag, optional sub-menu, separator, checked,
// enabled). As a control it shows its current entry; a click, or popup() at a
// point of the frame, opens it as an in-frame pop-up driven by mouse and keys.
// Choosing an entry sets the value of the entry's own menu to its index and
// reports valueChanged on the menu that was popped up; getLastItemMenu tells which
// (sub-)menu the chosen entry belongs to.
#pragma once
#include <vector>
#include "cparamdisplay.h"

namespace VSTGUI {

class COptionMenu;
class CFrame;

class CMenuItem : public CBaseObject {
public:
    enum Flags {
        kNoFlags = 0,
        kDisabled = 1 << 0,
        kTitle = 1 << 1,
        kChecked = 1 << 2,
        kSeparator = 1 << 3
    };

    explicit CMenuItem(const UTF8String& title, int32_t tag = -1, int32_t flags = kNoFlags);
    CMenuItem(const UTF8String& title, COptionMenu* submenu);
    ~CMenuItem() override;

    const UTF8String& getTitle() const { return title; }
    void setTitle(const UTF8String& t) { title = t; }
    int32_t getTag() const { return tag; }
    void setTag(int32_t t) { tag = t; }
    COptionMenu* getSubmenu() const { return submenu; }
    void setSubmenu(COptionMenu* menu);
    bool isEnabled() const { return !(flags & kDisabled); }
    void setEnabled(bool state);
    bool isChecked() const { return (flags & kChecked) != 0; }
    void setChecked(bool state);
    bool isSeparator() const { return (flags & kSeparator) != 0; }
    bool isTitle() const { return (flags & kTitle) != 0; }

private:
    UTF8String title;
    int32_t tag;
    int32_t flags;
    COptionMenu* submenu{nullptr};
};

enum COptionMenuStyle {
    kPopupStyle = 1 << 8,           // plain pop-up of actions
    kCheckStyle = 1 << 9,           // the current entry carries a checkmark
    kMultipleCheckStyle = 1 << 10,  // every entry shows its own checked flag
};

class COptionMenu : public CParamDisplay {
public:
    COptionMenu();
    COptionMenu(const CRect& size, IControlListener* listener, int32_t tag,
                CBitmap* background = nullptr, CBitmap* bgWhenClick = nullptr, int32_t style = 0);
    ~COptionMenu() override;

    // The menu takes over the item's reference; index -1 appends.
    CMenuItem* addEntry(CMenuItem* item, int32_t index = -1);
    CMenuItem* addEntry(const UTF8String& title, int32_t index = -1,
                        int32_t itemFlags = CMenuItem::kNoFlags);
    CMenuItem* addSeparator(int32_t index = -1);
    bool removeAllEntry();
    int32_t getNbEntries() const { return static_cast<int32_t>(items.size()); }
    CMenuItem* getEntry(int32_t index) const;
    CMenuItem* getCurrent() const;
    int32_t getCurrentIndex(bool countSeparator = true) const;
    bool setCurrent(int32_t index, bool countSeparator = true);

    // The result of the last choice: the menu holding the chosen entry and its index.
    COptionMenu* getLastItemMenu(int32_t& idxInMenu) const;
    int32_t getLastResult() const { return lastResult; }

    // Opens the menu under the control (it must be in an open frame).
    bool popup();
    // Opens the menu with its top-left corner at a point of the frame; the menu
    // need not be a view of the frame. False when the frame is not open or the
    // menu has no entries.
    bool popup(CFrame* frame, const CPoint& frameLocation);
    bool isPopupOpen() const { return popupOpen; }

    void setValue(float val) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;

    // Called by the pop-up when it closes: menu and index of the choice, or null.
    void popupClosed(COptionMenu* chosenMenu, int32_t index);

protected:
    UTF8String getDisplayText() const override;

private:
    void updateMax();

    std::vector<CMenuItem*> items;
    COptionMenu* lastMenu{nullptr};
    int32_t lastResult{-1};
    bool popupOpen{false};
};

}  // namespace VSTGUI
