// Option menus: entries, item tags, separators, values, and the in-frame pop-up
// driven by keyboard and mouse into sub-menus.
#include <gtest/gtest.h>
#include "../../lib/vstgui/src/controls/menupopup.h"
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// A menu built like the editor's pop-up menus: entry i gets tag + 1 + i.
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
        main = makeMenu(&listener, 0x10003800, {"TableSize", "Clear", "Copy", "Load"}, kPopupStyle);
        sizes = makeMenu(&listener, 0x10003810, {"4", "8", "16", "32", "64", "128"}, kCheckStyle);
        main->getEntry(0)->setSubmenu(sizes);
        main->addSeparator(1);
        sizes->forget();  // the entry keeps it
    }
    void TearDown() override { main->forget(); }
    MenuPopupView* popupView() const { return dynamic_cast<MenuPopupView*>(frame->getModalView()); }

    RecordingListener listener;  // outlives the frame, which may report while closing
    OffscreenFrame frame{800, 600};
    COptionMenu* main{nullptr};
    COptionMenu* sizes{nullptr};
};

TEST_F(MenuTest, EntriesKeepTheirTagsWhenSeparatorsAreInserted) {
    ASSERT_EQ(main->getNbEntries(), 5);
    EXPECT_TRUE(main->getEntry(1)->isSeparator());
    EXPECT_EQ(main->getEntry(2)->getTitle(), "Clear");
    EXPECT_EQ(main->getEntry(2)->getTag(), 0x10003802);
    EXPECT_EQ(main->getSubMenu(0), sizes);
    EXPECT_EQ(main->getMax(), 4.f);
    EXPECT_EQ(sizes->getEntry(2)->getTag(), 0x10003813);
}

TEST_F(MenuTest, NormalisedValuesLandOnTheNearestEntry) {
    auto* bits = new COptionMenu(CRect(0, 0, 40, 16), &listener, 0x1000100B);
    for (int i = 1; i <= 16; ++i)
        bits->addEntry((std::to_string(i) + " bit").c_str());
    for (int b = 1; b <= 16; ++b) {
        bits->setValueNormalized(static_cast<float>(b - 1) / 15.f);
        EXPECT_EQ(bits->getCurrentIndex(), b - 1);
        EXPECT_EQ(bits->getCurrent()->getTitle(), std::to_string(b) + " bit");
    }
    bits->setValue(99);  // outside the entries: ignored
    EXPECT_EQ(bits->getCurrentIndex(), 15);
    bits->removeAllEntry();
    EXPECT_EQ(bits->getNbEntries(), 0);
    EXPECT_EQ(bits->getCurrent(), nullptr);
    bits->forget();
}

TEST_F(MenuTest, CurrentIndexCountsSeparatorsOnlyWhenAsked) {
    main->setCurrent(3);
    EXPECT_EQ(main->getCurrentIndex(true), 3);
    EXPECT_EQ(main->getCurrentIndex(false), 2);
    main->setCurrent(2, false);
    EXPECT_EQ(main->getCurrentIndex(true), 3);
}

TEST_F(MenuTest, KeyboardNavigatesIntoASubMenuAndChooses) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(565, 288)));
    ASSERT_NE(popupView(), nullptr);
    EXPECT_TRUE(main->isPopupOpen());
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);   // "TableSize"
    Offscreen::keyDown(frame.get(), 0, VKEY_RIGHT);  // opens the sizes, first entry highlighted
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);  // "16"
    EXPECT_TRUE(listener.changes().empty());
    Offscreen::keyDown(frame.get(), 0, VKEY_RETURN);
    EXPECT_EQ(frame->getModalView(), nullptr);
    ASSERT_EQ(listener.changes().size(), 1u);
    EXPECT_EQ(listener.changes()[0].tag, 0x10003800);  // the popped-up menu reports
    int32_t index = -1;
    COptionMenu* chosen = main->getLastItemMenu(index);
    EXPECT_EQ(chosen, sizes);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(chosen->getEntry(index)->getTag(), 0x10003813);
    EXPECT_FLOAT_EQ(sizes->getValueNormalized(), 2.f / 5.f);
}

TEST_F(MenuTest, MouseChoosesAnEntrySkippingTheSeparator) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(100, 100)));
    MenuPopupView* view = popupView();
    ASSERT_NE(view, nullptr);
    CRect clear = view->getItemRect(0, 2);
    CPoint p(clear.left + 5, clear.top + 5);
    Offscreen::mouseMove(frame.get(), p);
    EXPECT_EQ(view->getHover(0), 2);
    Offscreen::click(frame.get(), p);
    ASSERT_EQ(listener.changes().size(), 1u);
    int32_t index = -1;
    EXPECT_EQ(main->getLastItemMenu(index), main);
    EXPECT_EQ(main->getEntry(index)->getTag(), 0x10003802);
    EXPECT_EQ(main->getLastResult(), 2);
}

TEST_F(MenuTest, MouseHoverOpensTheSubMenuAndAClickInItChooses) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(100, 100)));
    MenuPopupView* view = popupView();
    CRect table = view->getItemRect(0, 0);
    Offscreen::mouseMove(frame.get(), CPoint(table.left + 5, table.top + 5));
    ASSERT_EQ(view->getLevelCount(), 2u);
    CRect last = view->getItemRect(1, 5);
    EXPECT_GE(last.left, view->getLevelRect(0).right - 3);  // beside its parent
    Offscreen::click(frame.get(), CPoint(last.left + 5, last.top + 5));
    int32_t index = -1;
    EXPECT_EQ(main->getLastItemMenu(index), sizes);
    EXPECT_EQ(sizes->getEntry(index)->getTag(), 0x10003816);
}

TEST_F(MenuTest, EscapeAndOutsideClicksCancelWithoutNotifying) {
    ASSERT_TRUE(main->popup(frame.get(), CPoint(10, 10)));
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);
    Offscreen::keyDown(frame.get(), 0, VKEY_RIGHT);
    Offscreen::keyDown(frame.get(), 0, VKEY_ESCAPE);  // closes the sub-menu only
    EXPECT_NE(frame->getModalView(), nullptr);
    Offscreen::keyDown(frame.get(), 0, VKEY_ESCAPE);
    EXPECT_EQ(frame->getModalView(), nullptr);
    ASSERT_TRUE(main->popup(frame.get(), CPoint(10, 10)));
    Offscreen::click(frame.get(), CPoint(700, 500));
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_FALSE(main->isPopupOpen());
    EXPECT_TRUE(listener.changes().empty());
}

TEST_F(MenuTest, PopupNeedsAnOpenFrameAndEntriesAndStaysInside) {
    auto* closed = new CFrame(CRect(0, 0, 100, 100), nullptr);
    EXPECT_FALSE(main->popup(closed, CPoint(0, 0)));
    closed->forget();
    auto* empty = new COptionMenu();
    EXPECT_FALSE(empty->popup(frame.get(), CPoint(0, 0)));
    empty->forget();
    ASSERT_TRUE(main->popup(frame.get(), CPoint(790, 590)));
    CRect r = popupView()->getLevelRect(0);
    EXPECT_LE(r.right, 800);
    EXPECT_LE(r.bottom, 600);
    EXPECT_FALSE(main->popup(frame.get(), CPoint(0, 0)));  // already open
}

TEST_F(MenuTest, ClosingTheFrameUnderAnOpenPopupCancelsIt) {
    auto* other = new CFrame(CRect(0, 0, 300, 200), nullptr);
    ASSERT_TRUE(other->open(nullptr, PlatformType::kOffscreen));
    ASSERT_TRUE(main->popup(other, CPoint(5, 5)));
    other->close();
    EXPECT_FALSE(main->isPopupOpen());
    EXPECT_TRUE(listener.changes().empty());
    EXPECT_TRUE(main->popup(frame.get(), CPoint(5, 5)));  // usable again
}

TEST_F(MenuTest, ClickingAMenuControlPopsItUpBelowAndShowsTheCurrentEntry) {
    auto* menu = new COptionMenu(CRect(20, 20, 80, 36), &listener, 0x1000100C);
    for (const char* t : {"8", "16", "32"})
        menu->addEntry(t);
    frame->addView(menu);
    menu->setValueNormalized(0.5f);
    Offscreen::click(frame.get(), CPoint(30, 30));
    MenuPopupView* view = popupView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getLevelRect(0).top, 36);
    Offscreen::keyDown(frame.get(), 0, VKEY_UP);  // from nothing: the last entry
    Offscreen::keyDown(frame.get(), 0, VKEY_RETURN);
    EXPECT_EQ(menu->getCurrent()->getTitle(), "32");
    EXPECT_FLOAT_EQ(listener.changes().back().normalized, 1.f);
}

}  // namespace
