// The ways the editor extends the toolkit, checked against the toolkit: a film-strip
// switch reacting to plain left clicks only (mask 0x30E), an overlay container that
// hides itself on a click, a bar-graph container that paints with the right button
// and reports hover, and the wave editor's pop-up menu with inserted separators.
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

// Two-frame switch that only ever switches itself on.
class SwitchOnButton : public CMovieBitmap {
public:
    using CMovieBitmap::CMovieBitmap;
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
        if ((buttons & 0x30E) == kLButton && getValue() < 0.5f) {
            beginEdit();
            setValue(1.f);
            valueChanged();
            endEdit();
        }
        return kMouseEventNotImplemented;
    }
};

// A full-size overlay hidden by a plain left click.
class Overlay : public CViewContainer {
public:
    using CViewContainer::CViewContainer;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if ((buttons & 0x30E) == kLButton)
            setVisible(false);
        return CViewContainer::onMouseDown(where, buttons);
    }
};

// 512 x 256 bar graph: right button paints (cell, level), no button reports hover.
class BarGraph : public CViewContainer {
public:
    BarGraph(IControlListener* listener, CCoord x, CCoord y)
        : CViewContainer(CRect(x, y, x + 511, y + 255)), left(x), top(y) {
        setBackgroundColor(CColor(0, 0, 0, 0));
        for (int i = 0; i < 4; ++i) {
            auto* bar = new CVerticalSlider(
                CRect(i * 128, 0, i * 128 + 127, 255), listener, 0x10003100 | i, 0, 256,
                VSTGUI::owned(new CBitmap(CResourceDescription("pattern_bar.png"))), nullptr,
                CPoint(0, 0), kBottom);
            bar->setOffsetHandle(CPoint(0, -256));
            bar->setMax(256);
            bar->setMin(0);
            bar->setValue(128);
            addView(bar);
        }
    }
    std::pair<int, int> cellAndLevel(const CPoint& p) const {
        int col = std::clamp(static_cast<int>(p.x - left), 0, 511),
            row = std::clamp(static_cast<int>(p.y - top), 0, 255);
        return {col >> 7, 256 - row};
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if ((buttons & 0x30E) == kRButton && where.x > left && where.x < left + 512 &&
            where.y > top && where.y < top + 256) {
            painted.push_back(cellAndLevel(where));
            return kMouseEventHandled;
        }
        return CViewContainer::onMouseDown(where, buttons);
    }
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override {
        if ((buttons & 0x30E) == kRButton) {
            painted.push_back(cellAndLevel(where));
            return kMouseEventHandled;
        }
        if ((buttons & 0x30E) == 0)
            hovered.push_back(cellAndLevel(where).first);
        return CViewContainer::onMouseMoved(where, buttons);
    }
    CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
        ++exits;
        return kMouseEventNotHandled;
    }
    CCoord left, top;
    std::vector<std::pair<int, int>> painted;
    std::vector<int> hovered;
    int exits{0};
};

struct EditorPatternsTest : ::testing::Test {
    static void SetUpTestSuite() {
        registerStrip("pattern_switch.png", 32, 18, 2);
        registerPng("pattern_bar.png", 127, 512,
                    [](int, int y) { return y < 256 ? 0u : 0xFF20879Eu; });
    }
    RecordingListener listener;
    OffscreenFrame frame{800, 600};
};

TEST_F(EditorPatternsTest, SwitchButtonTakesOnlyAPlainLeftClick) {
    auto* button =
        new SwitchOnButton(CRect(12, 26, 44, 44), &listener, 0x10005080, 2, 18,
                           VSTGUI::owned(new CBitmap(CResourceDescription("pattern_switch.png"))));
    frame->addView(button);
    for (int32_t state :
         {kLButton | kShift, kLButton | kControl, int32_t{kRButton}, kLButton | kRButton}) {
        Offscreen::click(frame.get(), CPoint(20, 30), state);
        EXPECT_EQ(button->getValue(), 0.f) << state;
    }
    Offscreen::click(frame.get(), CPoint(20, 30),
                     kLButton | kDoubleClick);  // a double click counts
    EXPECT_EQ(button->getValue(), 1.f);
    EXPECT_EQ(Offscreen::render(frame.get()).at(20, 30), frameColour(1));
    Offscreen::click(frame.get(), CPoint(20, 30));  // already on: nothing more
    EXPECT_EQ(listener.changes().size(), 1u);
}

TEST_F(EditorPatternsTest, OverlayHidesOnALeftClickButNotOnARightClick) {
    auto* overlay = new Overlay(CRect(0, 0, 800, 600));
    overlay->setBackgroundColor(CColor(0x60, 0x60, 0x60, 0x4C));
    frame->addView(overlay);
    Offscreen::click(frame.get(), CPoint(400, 300), kRButton);
    EXPECT_TRUE(overlay->isVisible());
    Offscreen::click(frame.get(), CPoint(400, 300));
    EXPECT_FALSE(overlay->isVisible());
}

TEST_F(EditorPatternsTest, BarGraphPaintsWithTheRightButtonAndBarsFollowTheLeft) {
    auto* layer = new CViewContainer(CRect(0, 0, 565, 592));
    auto* graph = new BarGraph(&listener, 31, 32);
    layer->addView(graph);
    frame->addView(layer);
    // Right-button drag: top row is level 256, outside the view clamps to the edge cell.
    Offscreen::mouseDown(frame.get(), CPoint(40, 33), kRButton);
    Offscreen::mouseMove(frame.get(), CPoint(700, 400), kRButton);
    Offscreen::mouseUp(frame.get(), CPoint(700, 400), kRButton);
    ASSERT_EQ(graph->painted.size(), 2u);
    EXPECT_EQ(graph->painted[0], std::make_pair(0, 255));
    EXPECT_EQ(graph->painted[1], std::make_pair(3, 1));
    // Left button reaches the bar under the pointer: row y sets level 256 - y.
    Offscreen::click(frame.get(), CPoint(31 + 128 + 5, 32 + 56));
    ASSERT_FALSE(listener.changes().empty());
    EXPECT_EQ(listener.changes().back().tag, 0x10003101);
    EXPECT_FLOAT_EQ(listener.changes().back().value, 200.f);
    // The bar's colour reaches from its level down to the bottom edge.
    const PixelBuffer& c = Offscreen::render(frame.get());
    EXPECT_EQ(rgbOf(c.at(31 + 130, 32 + 55)), 0u);
    EXPECT_EQ(c.at(31 + 130, 32 + 56), 0xFF20879Eu);
    EXPECT_EQ(c.at(31 + 130, 32 + 254), 0xFF20879Eu);
    // Hover reports while no button is held, and one exit when the pointer leaves.
    Offscreen::mouseMove(frame.get(), CPoint(31 + 300, 100));
    EXPECT_EQ(graph->hovered.back(), 2);
    Offscreen::mouseMove(frame.get(), CPoint(10, 10));
    EXPECT_EQ(graph->exits, 1);
}

TEST_F(EditorPatternsTest, MainMenuSeparatorsInsertedAfterTheEntriesKeepTheTags) {
    const char* titles[] = {"TableSize",
                            "Clear WaveTable",
                            "Copy -> [ B ]",
                            "Replace [ A <-> B ]",
                            "Load",
                            "Save",
                            "Bit Reduction",
                            "Steps [Direct Editing]",
                            "Import from Text File",
                            "Export to Text File",
                            "Convert from WAV File",
                            "Convert to WAV File"};
    auto* menu = new COptionMenu(CRect(0, 0, 1, 1), &listener, 0x10003800, nullptr, nullptr, 0);
    menu->setStyle(256);
    for (int i = 0; i < 12; ++i)
        menu->addEntry(titles[i])->setTag(0x10003800 + 1 + i);
    for (int i : {0, 4, 5, 6, 7}) {
        auto* sub =
            new COptionMenu(CRect(0, 0, 1, 1), &listener, 0x10003810 + i, nullptr, nullptr, 0);
        sub->addEntry("x");
        menu->getEntry(i)->setSubmenu(sub);
        sub->forget();
    }
    for (int at : {1, 7, 9, 11, 14})
        menu->addSeparator(at);
    const char* expected[] = {"TableSize",
                              "-",
                              "Clear WaveTable",
                              "Copy -> [ B ]",
                              "Replace [ A <-> B ]",
                              "Load",
                              "Save",
                              "-",
                              "Bit Reduction",
                              "-",
                              "Steps [Direct Editing]",
                              "-",
                              "Import from Text File",
                              "Export to Text File",
                              "-",
                              "Convert from WAV File",
                              "Convert to WAV File"};
    ASSERT_EQ(menu->getNbEntries(), 17);
    for (int i = 0; i < 17; ++i) {
        CMenuItem* item = menu->getEntry(i);
        EXPECT_EQ(item->isSeparator() ? std::string("-") : item->getTitle(), expected[i]) << i;
    }
    EXPECT_EQ(menu->getEntry(2)->getTag() & 0xFF, 0x02);
    EXPECT_EQ(menu->getEntry(12)->getTag() & 0xFF, 0x09);
    EXPECT_EQ(menu->getEntry(16)->getTag() & 0xFF, 0x0C);
    EXPECT_NE(menu->getSubMenu(8), nullptr);  // "Bit Reduction"
    // Choosing "Import from Text File" reports the item, not a sub-menu.
    ASSERT_TRUE(menu->popup(frame.get(), CPoint(565, 288)));
    for (int k = 0; k < 9; ++k)  // separators are skipped
        Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);
    Offscreen::keyDown(frame.get(), 0, VKEY_RETURN);
    int32_t index = -1;
    EXPECT_EQ(menu->getLastItemMenu(index), menu);
    EXPECT_EQ(menu->getEntry(index)->getTag() & 0xFF, 0x09);
    menu->forget();
}

}  // namespace
