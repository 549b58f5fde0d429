// The in-frame pop-up of an option menu: a modal view over the whole frame that
// shows the menu and its open sub-menus as columns, follows the mouse and the
// arrow keys, and reports the choice (or cancellation) back to the menu.
#pragma once
#include <vector>
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/cview.h"

namespace VSTGUI {

class MenuPopupView : public CView {
public:
    MenuPopupView(COptionMenu* root, CFrame* frame, const CPoint& location);
    ~MenuPopupView() override;

    void draw(CDrawContext* context) override;
    bool hitTest(const CPoint&, const CButtonState&) override { return true; }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint&, const CMouseWheelAxis&, const float&,
                 const CButtonState&) override {
        return true;
    }
    int32_t onKeyDown(VstKeyCode& key) override;
    bool removed(CView* parent) override;

    static constexpr CCoord kItemHeight = 18;
    static constexpr CCoord kSeparatorHeight = 7;
    static constexpr CCoord kSideMargin = 18;

    // For tests: the columns on screen (frame coordinates) and their highlighted rows.
    size_t getLevelCount() const { return levels.size(); }
    CRect getLevelRect(size_t level) const { return levels[level].rect; }
    CRect getItemRect(size_t level, int32_t index) const;
    int32_t getHover(size_t level) const { return levels[level].hover; }

private:
    struct Level {
        COptionMenu* menu;
        CRect rect;
        int32_t hover;
    };
    // Opens a column at `at`, kept inside the frame. A sub-menu that does not fit on
    // the right of its parent opens on its left, against `parentLeft` (negative: none).
    void pushLevel(COptionMenu* menu, CPoint at, CCoord parentLeft = -1);
    void popLevelsAbove(size_t level);
    bool locate(const CPoint& where, size_t& level, int32_t& index) const;
    bool selectable(const CMenuItem* item) const;
    void hoverItem(size_t level, int32_t index, bool openSubmenu);
    void moveHover(int32_t direction);
    void finish(COptionMenu* chosen, int32_t index);
    void invalidLevels();

    SharedPointer<COptionMenu> root;
    CFrame* frame;
    std::vector<Level> levels;
    bool pressInside{false};
    bool finished{false};
};

}  // namespace VSTGUI
