// Option menus: entries, item tags, separators, values, and the in-frame pop-up
// driven by keyboard and mouse into sub-menus. The main menu is built as the wave
// editor builds its table menu: entries first, separators inserted afterwards (where they
// land and the titles are pinned by the editor's menu pictures, tests/editor).
#include <gtest/gtest.h>
#include "../../lib/vstgui/src/controls/menupopup.h"
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// Entry i of a menu with tag T gets the tag T + 1 + i.
COptionMenu* makeMenu(IControlListener* listener, int32_t tag, std::vector<std::string> entries,
                      int32_t style) {
    auto* menu = new COptionMenu(CRect(0, 0, 1, 1), listener, tag, nullptr, nullptr, 0);
    menu->setStyle(style);
    for (size_t i = 0; i < entries.size(); ++i)
        menu->addEntry(entries[i].c_str())->setTag(tag + 1 + static_cast<int32_t>(i));
    return menu;
}

struct MenuTest : ::testing::Test {
    void SetUp() override {
        main = makeMenu(&listener, 0x10003800,
                        {"TableSize", "Clear", "Copy", "Replace", "Load", "Save", "Bits", "Steps",
                         "Import Text", "Export Text", "Import WAV", "Export WAV"},
                        kPopupStyle);
        sizes = makeMenu(&listener, 0x10003810, {"4", "8", "16", "32", "64", "128"}, kCheckStyle);
        main->getEntry(0)->setSubmenu(sizes);
        sizes->forget();  // the entry keeps it
        for (int at : {1, 7, 9, 11, 14})
            main->addSeparator(at);
    }
    void TearDown() override { main->forget(); }
    MenuPopupView* popupView() const { return dynamic_cast<MenuPopupView*>(frame->getModalView()); }
    void keys(std::initializer_list<uint8_t> virtualKeys) { pressKeys(frame.get(), virtualKeys); }
    int32_t chosenTag(COptionMenu* expectedMenu) {
        int32_t index = -1;
        EXPECT_EQ(main->getLastItemMenu(index), expectedMenu);
        return expectedMenu->getEntry(index)->getTag();
    }

    RecordingListener listener;  // outlives the frame, which may report while closing
    OffscreenFrame frame{800, 600};
    COptionMenu* main{nullptr};
    COptionMenu* sizes{nullptr};
};

TEST_F(MenuTest, NormalisedValuesLandOnTheNearestEntry) {
    auto* bits = new COptionMenu(CRect(0, 0, 40, 16), &listener, 0x1000100B);
    for (int i = 1; i <= 16; ++i)
        bits->addEntry((std::to_string(i) + " bit").c_str());
    for (int b = 1; b <= 16; ++b) {
        bits->setValueNormalized(static_cast<float>(b - 1) / 15.f);
        EXPECT_EQ(bits->getCurrent()->getTitle(), std::to_string(b) + " bit");
    }
    bits->setValue(99);  // outside the entries: ignored
    EXPECT_EQ(bits->getCurrentIndex(), 15);
    bits->removeAllEntry();
    EXPECT_EQ(bits->getCurrent(), nullptr);
    bits->forget();
}

TEST_F(MenuTest, KeyboardSkipsSeparatorsAndOpensSubMenus) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(565, 288)));
    EXPECT_TRUE(main->isPopupOpen());
    keys({VKEY_DOWN, VKEY_RIGHT, VKEY_DOWN, VKEY_DOWN});  // "TableSize", then "16"
    EXPECT_TRUE(listener.changes().empty());
    keys({VKEY_RETURN});
    EXPECT_EQ(frame->getModalView(), nullptr);
    ASSERT_EQ(listener.changes().size(), 1u);
    EXPECT_EQ(listener.changes()[0].tag, 0x10003800);  // the popped-up menu reports
    EXPECT_EQ(chosenTag(sizes), 0x10003813);
    EXPECT_FLOAT_EQ(sizes->getValueNormalized(), 2.f / 5.f);
    ASSERT_TRUE(main->popup(frame.get(), CPoint(565, 288)));
    for (int k = 0; k < 9; ++k)  // the ninth entry down is "Import Text"
        keys({VKEY_DOWN});
    keys({VKEY_RETURN});
    EXPECT_EQ(chosenTag(main), 0x10003809);
    EXPECT_EQ(main->getCurrentIndex(false), 8);  // separators not counted
}

TEST_F(MenuTest, MouseChoosesEntriesAndHoverOpensSubMenus) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(100, 100)));
    MenuPopupView* view = popupView();
    ASSERT_NE(view, nullptr);
    CRect clear = view->getItemRect(0, 2);
    Offscreen::mouseMove(frame.get(), CPoint(clear.left + 5, clear.top + 5));
    EXPECT_EQ(view->getHover(0), 2);
    Offscreen::click(frame.get(), CPoint(clear.left + 5, clear.top + 5));
    EXPECT_EQ(chosenTag(main), 0x10003802);
    EXPECT_EQ(main->getLastResult(), 2);
    ASSERT_TRUE(main->popup(frame.get(), CPoint(100, 100)));
    view = popupView();
    CRect table = view->getItemRect(0, 0);
    Offscreen::mouseMove(frame.get(), CPoint(table.left + 5, table.top + 5));
    ASSERT_EQ(view->getLevelCount(), 2u);
    CRect last = view->getItemRect(1, 5);
    EXPECT_GE(last.left, view->getLevelRect(0).right - 3);  // beside its parent
    Offscreen::click(frame.get(), CPoint(last.left + 5, last.top + 5));
    EXPECT_EQ(chosenTag(sizes), 0x10003816);
}

TEST_F(MenuTest, EscapeOutsideClicksAndClosingTheFrameCancelSilentlyAndAFrameMustBeOpen) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(10, 10)));
    keys({VKEY_DOWN, VKEY_RIGHT, VKEY_ESCAPE});  // closes the sub-menu only
    EXPECT_NE(frame->getModalView(), nullptr);
    keys({VKEY_ESCAPE});
    EXPECT_EQ(frame->getModalView(), nullptr);
    ASSERT_TRUE(main->popup(frame.get(), CPoint(10, 10)));
    Offscreen::click(frame.get(), CPoint(700, 500));
    EXPECT_FALSE(main->isPopupOpen());
    auto* other = new CFrame(CRect(0, 0, 300, 200), nullptr);
    EXPECT_FALSE(main->popup(other, CPoint(5, 5)));  // not open yet
    ASSERT_TRUE(other->open(nullptr, PlatformType::kOffscreen));
    ASSERT_TRUE(main->popup(other, CPoint(5, 5)));
    other->close();
    EXPECT_FALSE(main->isPopupOpen());
    EXPECT_TRUE(listener.changes().empty());
}

TEST_F(MenuTest, PopupNeedsEntriesAndStaysInsideTheFrame) {
    auto* empty = new COptionMenu();
    EXPECT_FALSE(empty->popup(frame.get(), CPoint(0, 0)));
    empty->forget();
    ASSERT_TRUE(main->popup(frame.get(), CPoint(790, 590)));
    CRect r = popupView()->getLevelRect(0);
    EXPECT_LE(r.right, 800);
    EXPECT_LE(r.bottom, 600);
    EXPECT_FALSE(main->popup(frame.get(), CPoint(0, 0)));  // already open
    keys({VKEY_DOWN, VKEY_RIGHT});  // no room on the right: the sub-menu opens on the left
    const CRect sub = popupView()->getLevelRect(1);
    EXPECT_LE(sub.right, r.left + 2);
    EXPECT_GE(sub.left, 0);
}

// At the editor's content scale factor too, the pop-up opens and chooses where it is drawn.
TEST_F(MenuTest, ClickingAMenuControlPopsItUpBelowWhereverItIsDrawn) {
    auto* menu = new COptionMenu(CRect(20, 20, 80, 36), &listener, 0x1000100C);
    for (const char* t : {"8", "16", "32"})
        menu->addEntry(t);
    frame->addView(menu);
    for (double zoom : {1.0, 1.5}) {
        SCOPED_TRACE(zoom);
        ASSERT_TRUE(frame->setZoom(zoom));
        const CPoint edge(toDevicePixel(20 * zoom), toDevicePixel(28 * zoom));
        Offscreen::click(frame.get(), CPoint(edge.x - 1, edge.y));
        EXPECT_EQ(popupView(), nullptr);
        Offscreen::click(frame.get(), edge);
        ASSERT_NE(popupView(), nullptr);
        EXPECT_EQ(popupView()->getLevelRect(0).top, 36);
        keys({VKEY_UP, VKEY_RETURN});  // from nothing: the last entry
        EXPECT_EQ(menu->getCurrent()->getTitle(), "32");
        EXPECT_FLOAT_EQ(listener.changes().back().normalized, 1.f);
        Offscreen::click(frame.get(), edge);
        const CPoint second = popupView()->getItemRect(0, 1).getCenter();
        Offscreen::click(frame.get(), frame->frameToDevice(second));
        EXPECT_EQ(menu->getValue(), 1.f);
    }
}

}  // namespace
