// The wave editor through the built module: painting, the info area, what each button
// and menu entry sends (the processor's side of each command is tested with the dispatch)
// and that the views follow, file dialogs, the link switch, undo and redo, how the
// processor takes the window's messages; and the window's golden pictures.
#include "editor_fixture.h"
#include "scratch_files.h"
#include "wavetable/wave_generators.h"

#include "vstgui/lib/vstkeycode.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace taluma::test {
namespace {

namespace place = layout::waveeditor;
namespace history = cmd::history;
namespace menu = cmd::menu;
constexpr int32_t kCtrl = VSTGUI::MODIFIER_CONTROL;

// Where the state record keeps the tables: the log2 sizes of A and B from byte 38, the
// cells of A from byte 40 and of B 128 bytes later.
constexpr size_t kStateLog2Sizes = 38;
constexpr size_t kStateTables = 40;
// The selectable entries of a table's main menu, top to bottom (separators are skipped;
// Undo and Redo only while there is something to undo or redo).
constexpr int32_t kMenuEntries[] = {
    menu::kTableSize, menu::kClear,        menu::kCopy,  menu::kExchange,   menu::kLoadSlot,
    menu::kSaveSlot,  menu::kBitReduction, menu::kSteps, menu::kImportText, menu::kExportText,
    menu::kImportWav, menu::kExportWav,    menu::kUndo,  menu::kRedo};

// Off both views: the middle of the info area.
constexpr Rect kInfo = waveArea(place::info);
constexpr Point kOffTheViews = {kInfo.left + kInfo.width / 2.0, kInfo.top + kInfo.height / 2.0};

class WaveEditor : public EditorFixture {
protected:
    // The processor's table as it saves it: the used cells.
    std::vector<int> table(int op) {
        std::vector<uint8_t> s;
        EXPECT_TRUE(plugin->getState(s));
        const uint8_t* cells = s.data() + kStateTables + kTableCells * size_t(op);
        return std::vector<int>(cells, cells + (1 << s[kStateLog2Sizes + size_t(op)]));
    }
    // The levels view `op` shows, one per bar.
    std::vector<int> shown(int op) const {
        std::vector<int> out;
        for (const ProbeView& v : views())
            if ((v.tag & ~0xFF) == control(cmd::drawCommand(op, 0)))
                out.push_back(int(std::lround(v.value * 256.0f)) - 1);
        return out;
    }
    void expectViewsShowTheTables() {
        EXPECT_EQ(shown(0), table(0));
        EXPECT_EQ(shown(1), table(1));
    }
    // The middle of cell `cell` of view `op` showing `cells` bars, at `level` (1..256).
    static Point cellPoint(int op, int cell, int level, int cells = 32) {
        const Rect r = waveArea(place::waveView[op]);
        const double w = double(place::kMouseAreaWidth) / cells;
        return {r.left + (cell + 0.5) * w, r.top + place::kMouseAreaHeight - level + 0.5};
    }
    void hover(Point p) { mouse(IEditorProbe::kMove, p.x, p.y, 0); }
    void clickButton(int op, int32_t item) { click(waveArea(place::button[op][item])); }
    // The place of `entry` in a table's main menu.
    static int indexOf(int32_t entry) {
        return int(std::find(std::begin(kMenuEntries), std::end(kMenuEntries), entry) -
                   kMenuEntries);
    }
    // Table op's main menu: `entry` and, with a `sub`, its sub-menu's entry.
    void chooseInMenu(int op, int32_t entry, int sub = -1) {
        choose(waveArea(place::button[op][cmd::button::kMenu]), indexOf(entry), sub);
    }
    void ctrlKey(int32_t character, int32_t shift = 0) { key(character, 0, kCtrl | shift); }
};

TEST_F(WaveEditor, AFastRightDragPaintsEveryCellItCrossesInOneStrokeAtFactorsOneAndTwo) {
    std::vector<Sent> expected{{history::kStrokeBegin, 0.0}};
    std::vector<int> painted;
    for (int c = 0; c < 32; ++c) {
        const double level = std::floor(256.0 - 255.0 * c / 31.0 + 0.5);
        expected.push_back({control(cmd::drawCommand(0, c)), level});
        painted.push_back(int(level) - 1);
    }
    expected.push_back({history::kStrokeEnd, 0.0});
    for (float factor : {1.0f, 2.0f}) {
        freshInstance();
        ASSERT_EQ(setScale(factor), Steinberg::kResultTrue);
        stroke({cellPoint(0, 0, 256), cellPoint(0, 31, 1)});  // one move across the whole view
        EXPECT_EQ(sent(), expected) << factor;
        EXPECT_EQ(table(0), painted);
        expectViewsShowTheTables();
    }
}

TEST_F(WaveEditor, PaintingIsClampedToTheViewAndNeedsTheRightButtonAlone) {
    const Rect a = waveArea(place::waveView[0]);
    const Point outTopLeft{a.left - 99.0, a.top - 99.0}, leftEdge{double(a.left), a.top + 9.0};
    const Point outBottomRight{a.right() + 99.0, a.bottom() + 99.0};
    struct Case {
        const char* name;
        std::vector<Point> points;
        int32_t buttons;
        int cell, stored;  // -1: nothing painted
    };
    const Case cases[] = {
        {"out at the top left", {cellPoint(0, 3, 100), outTopLeft}, kRight, 0, 255},
        {"out at the bottom right", {cellPoint(0, 3, 9), outBottomRight}, kRight, 31, 0},
        {"the bottom row", {cellPoint(0, 7, 1)}, kRight, 7, 0},
        {"the left edge", {leftEdge}, kRight, -1, 0},
        {"left and right", {cellPoint(0, 3, 100), cellPoint(0, 9, 200)}, kLeft | kRight, -1, 0},
        {"right with shift", {cellPoint(0, 3, 100)}, kRight | kShift, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int> before = table(0);
        stroke(c.points, c.buttons);
        if (c.cell < 0)
            EXPECT_EQ(table(0), before);
        else
            EXPECT_EQ(table(0)[size_t(c.cell)], c.stored);
    }
}

// In decimal and over table B here; the pictures show table A in hexadecimal.
TEST_F(WaveEditor, HoverFillsTheInfoAreaAndLeavingClearsIt) {
    const Rect led = waveArea(place::led);
    hover(cellPoint(1, 26, 10));
    EXPECT_EQ(value(led), 1.0f);  // the LED's frame of table B
    EXPECT_EQ(text(waveArea(place::cellLabel)), "26");
    EXPECT_EQ(text(waveArea(place::levelLabel)), std::to_string(table(1)[26]));
    hover(kOffTheViews);
    EXPECT_EQ(value(led), 0.0f);
    EXPECT_EQ(text(waveArea(place::cellLabel)), "---");
    EXPECT_EQ(text(waveArea(place::levelLabel)), "---");
}

TEST_F(WaveEditor, ButtonsAndMenuEntriesSendTheirCommandsOrFileRequestsAndTheViewsFollow) {
    struct Case {
        int32_t entry;
        int sub;       // the sub-menu's entry, or -1
        float value;   // what the command sends
        int32_t file;  // for the file entries: the request's format
    };
    const Case cases[] = {
        {menu::kTableSize, 5, 1.0f, 0},
        {menu::kSaveSlot, 2, 2.0f / 3.0f, 0},
        {menu::kClear, -1, 0.0f, 0},
        {menu::kCopy, -1, 0.0f, 0},
        {menu::kExchange, -1, 0.0f, 0},
        {menu::kLoadSlot, 2, 2.0f / 3.0f, 0},
        {menu::kBitReduction, 2, 2.0f / 6.0f, 0},
        {menu::kTableSize, 0, 0.0f, 0},
        {menu::kSteps, 2, 2.0f / 7.0f, 0},
        {menu::kExportText, -1, 0.0f, cmd::file::exportTable(0, cmd::file::kText)},
        {menu::kExportWav, -1, 0.0f, cmd::file::exportTable(0, cmd::file::kWav)},
        {menu::kImportText, -1, 0.0f, cmd::file::importTable(0, cmd::file::kText)},
        {menu::kImportWav, -1, 0.0f, cmd::file::importTable(0, cmd::file::kWav)},
    };
    ScratchDir dir;
    stroke({cellPoint(0, 0, 40), cellPoint(0, 12, 250)});  // not symmetric: rotations show
    for (int op = 0; op < 2; ++op) {
        hover(kOffTheViews);
        for (int item = cmd::button::kRotateLeft4; item <= cmd::button::kScaleHalf; ++item) {
            clearLogs();
            clickButton(op, item);
            EXPECT_EQ(sent(), (std::vector<Sent>{{control(cmd::tableCommand(op, 0, item)), 1.0}}));
            expectViewsShowTheTables();
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "table " << op << " entry " << c.entry);
            clearLogs();
            chooseInMenu(op, c.entry, c.sub);
            if (c.file) {  // a dialog, not a sub-menu, whose choice goes to the processor
                answerFileDialog(dir.file(c.file & cmd::file::kWav ? "t.wav" : "t.txt"));
                ASSERT_EQ(fileRequests().size(), 1u);
                EXPECT_EQ(fileRequests()[0].tag, c.file | op);
            } else {
                EXPECT_EQ(sent(), (std::vector<Sent>{
                                      {cmd::tableCommand(op, cmd::kTableMenu, c.entry), c.value}}));
            }
            expectViewsShowTheTables();
        }
    }
}

TEST_F(WaveEditor, TheLinkSwitchDrawsOnBothTables) {
    chooseInMenu(1, menu::kTableSize, 5);  // B at 128 cells
    click(waveArea(place::linkSwitch));
    stroke({cellPoint(0, 3, 201)});
    stroke({cellPoint(1, 100, 11, 128)});
    EXPECT_EQ(table(0)[25], 10);  // 100 of 128 cells lies in 25 of 32
    expectViewsShowTheTables();
}

TEST_F(WaveEditor, UndoAndRedoFromKeysAndMenusUntilTheHostLoadsAState) {
    ScratchDir dir;
    writeText(dir.file("b.txt"), "00 40 80 C0 FF");
    command(cmd::generator::kType, kGenSaw);
    const std::function<void()> changes[] = {
        [&] {
            stroke({cellPoint(0, 2, 30), cellPoint(0, 20, 220)});
        },
        [&] { clickButton(0, cmd::button::kRotateLeft1); },
        [&] { chooseInMenu(0, menu::kTableSize, 5); },
        [&] {
            chooseInMenu(0, menu::kImportText);
            answerFileDialog(dir.file("b.txt"));
        },
        [&] { command(cmd::generator::kApplyA, 1.0); },
    };
    // Every way in turn; Ctrl+Z also as the control character it may arrive as.
    const std::function<void()> undo[] = {
        [&] { ctrlKey('z'); }, [&] { chooseInMenu(0, menu::kUndo); }, [&] { ctrlKey(26); }};
    const std::function<void()> redo[] = {[&] { ctrlKey('y'); },
                                          [&] { ctrlKey('Z', VSTGUI::MODIFIER_SHIFT); },
                                          [&] { chooseInMenu(0, menu::kRedo); }};
    std::vector<std::vector<int>> tables{table(0)};
    for (const auto& change : changes) {
        change();
        tables.push_back(table(0));
    }
    for (size_t k = tables.size() - 1; k-- > 0;) {
        undo[k % 3]();
        EXPECT_EQ(table(0), tables[k]) << "undo to " << k;
        EXPECT_EQ(shown(0), tables[k]) << "undo to " << k;
    }
    for (size_t k = 1; k < tables.size(); ++k) {
        redo[(k - 1) % 3]();
        EXPECT_EQ(table(0), tables[k]) << "redo to " << k;
        EXPECT_EQ(shown(0), tables[k]) << "redo to " << k;
    }
    ctrlKey('z');
    std::vector<uint8_t> saved;
    ASSERT_TRUE(plugin->getState(saved));
    ASSERT_EQ(plugin->setState(saved), Steinberg::kResultOk);  // forgets every step
    ctrlKey('z');
    ctrlKey('y');
    EXPECT_EQ(table(0), tables[4]);
}

// The processor takes a command by the low 32 bits of its tag and answers it once; a
// command without its value is dropped; a file choice is answered with
// "Processor:uiUpdate", on which the controller reads the instrument's values back.
TEST_F(WaveEditor, TheProcessorReadsTheWindowsMessagesAsTheyArriveAndAnswersThem) {
    const auto& answers = plugin->messagesToController();
    const int32_t clearA = control(cmd::tableCommand(0, cmd::kTableMenu, menu::kClear));
    command(int64_t(0x700000000LL) | clearA, 1.0);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].id, taluma::message::kValueUpdate);
    EXPECT_EQ(answers[0].tag, clearA);
    EXPECT_EQ(answers[0].val, 0.0);
    clearLogs();
    command(clearA, std::nullopt);
    EXPECT_TRUE(answers.empty());
    ScratchDir dir;
    writeText(dir.file("b.txt"), "01 02 03");
    chooseInMenu(1, menu::kImportText);
    answerFileDialog(dir.file("b.txt"));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].id, taluma::message::kUiUpdate);
}

// Each table undoes its own steps: a table's menu never changes the other table, and
// the keys act on the table edited last. An exchange is a step of both tables, which
// each takes back on its own.
TEST_F(WaveEditor, EachTableUndoesItsOwnSteps) {
    const std::vector<int> a0 = table(0), b0 = table(1);
    clickButton(0, cmd::button::kRotateLeft4);
    const std::vector<int> a1 = table(0);
    clickButton(1, cmd::button::kInvert);
    chooseInMenu(0, menu::kUndo);
    EXPECT_EQ(table(0), a0);
    EXPECT_NE(table(1), b0);
    ctrlKey('z');  // B was edited last
    EXPECT_EQ(table(1), b0);
    chooseInMenu(0, menu::kRedo);
    EXPECT_EQ(table(0), a1);
    EXPECT_EQ(table(1), b0);

    chooseInMenu(0, menu::kExchange);
    EXPECT_EQ(table(0), b0);
    EXPECT_EQ(table(1), a1);
    chooseInMenu(1, menu::kUndo);
    EXPECT_EQ(table(0), b0);
    EXPECT_EQ(table(1), b0);
    EXPECT_EQ(shown(1), b0);
    ctrlKey('z');  // the exchange came from A's menu: A takes its part back
    EXPECT_EQ(table(0), a1);
}

// The window's pictures compared with golden/ (regenerate them deliberately, after looking
// at the new ones, with TALUMA_UPDATE_GOLDEN=1): in both skins the pages and the credits,
// then the wave editor in hexadecimal with 4, 32 and 128 cells beside the Logic page, at
// factors 1.5 and 2 too, and with a sub-menu open, at factor 2 too.
TEST_F(WaveEditor, PicturesOfBothSkins) {
    const Act logic = press(layout::window::tabLeft);
    const std::pair<const char*, Act> pages[] = {
        {"settings", [] {}},
        {"generator", press(layout::window::tabRight)},
        {"logic", logic},
        {"credits", press(bar(layout::menubar::logoButton))},
    };
    for (int32_t skin = 0; skin < 2; ++skin) {
        const std::string skinName = std::string("_") + layout::kSkinNames[skin];
        freshInstance();
        showSettings();
        choose(page(layout::settings::skinMenu), skin);
        for (const auto& shot : pages) {
            shot.second();
            tick(100);
            expectPicture(layout::window::frame, shot.first + skinName);
        }
        logic();  // the credits close
        showSettings();
        choose(page(layout::settings::radixMenu), 1);
        logic();
        for (int32_t log2 : {2, 5, 7}) {
            for (int op = 0; op < 2; ++op) {  // a sine in A, a saw in B
                command(cmd::tableCommand(op, cmd::kTableMenu, menu::kTableSize), (log2 - 2) / 5.0);
                command(cmd::generator::kType, op == 0 ? kGenSine : kGenSaw);
                command(op == 0 ? cmd::generator::kApplyA : cmd::generator::kApplyB, 1.0);
            }
            hover(cellPoint(0, (1 << log2) / 3, 10, 1 << log2));
            expectPicture(layout::window::waveEditor,
                          "wave_editor" + skinName + "_" + std::to_string(1 << log2));
        }
        for (const char* factor : {"1.5", "2"}) {  // the whole window at high DPI
            ASSERT_EQ(setScale(std::stof(factor)), Steinberg::kResultTrue);
            expectPicture(layout::window::frame, "logic" + skinName + "_x" + factor);
        }
        setScale(1.0f);
        openMenu(waveArea(place::button[0][cmd::button::kMenu]), indexOf(menu::kSteps), 0);
        expectPicture(layout::window::frame, "wave_editor" + skinName + "_menu");
        setScale(2.0f);
        expectPicture(layout::window::frame, "wave_editor" + skinName + "_menu_x2");
    }
}

}  // namespace
}  // namespace taluma::test
