// The wave editor through the built module, its window open offscreen: painting, the
// info area, what each button and menu entry sends (the processor's side of each command
// is tested with the dispatch) and that the views follow, file dialogs, the link switch,
// undo and redo, the sound of a painted table, and golden images.
#include "editor_fixture.h"
#include "engine_event.h"
#include "golden_image.h"
#include "scratch_files.h"
#include "wave_generators.h"

#include "vstgui/lib/vstkeycode.h"

#include <cmath>
#include <cstdio>
#include <functional>

namespace taluma {
namespace test {
namespace {

using testhost::OffscreenEditor;
namespace place = layout::waveeditor;
namespace history = cmd::history;
using VSTGUI::VKEY_DOWN;

constexpr int32_t kLeft = OffscreenEditor::kLeft;
constexpr int32_t kRight = OffscreenEditor::kRight;
// Where the state record keeps the tables: the log2 sizes of A and B from byte 38, the
// cells of A from byte 40 and of B 128 bytes later.
constexpr size_t kStateLog2Sizes = 38;
constexpr size_t kStateTables = 40;
constexpr double kTwoPi = 6.28318530717958647692;
// Selectable entries of a table's main menu, top to bottom (separators are skipped;
// Undo and Redo only while there is something to undo or redo).
enum MenuEntry {
    kSize,
    kClear,
    kCopy,
    kExchange,
    kLoad,
    kSave,
    kBits,
    kSteps,
    kImportText,
    kExportText,
    kImportWav,
    kExportWav,
    kUndo,
    kRedo
};

struct Point {
    double x, y;
};

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
        for (const ProbeView& v : editor->views())
            if ((v.tag & ~0xFF) == control(cmd::drawCommand(op, 0)))
                out.push_back(int(std::lround(v.value * 256.0f)) - 1);
        return out;
    }
    void expectViewsShowTheTables() {
        EXPECT_EQ(shown(0), table(0));
        EXPECT_EQ(shown(1), table(1));
    }
    // The middle of cell `cell` of view `op` showing `cells` bars, at `level` (1..256).
    static Point at(int op, int cell, int level, int cells = 32) {
        const layout::Rect& r = place::waveView[op];
        const double w = double(place::kMouseAreaWidth) / cells;
        return {r.left + (cell + 0.5) * w, r.top + place::kMouseAreaHeight - level + 0.5};
    }
    void stroke(const std::vector<Point>& points, int32_t buttons = kRight) {
        editor->probe()->mouse(IEditorProbe::kDown, points[0].x, points[0].y, buttons);
        for (size_t i = 1; i < points.size(); ++i)
            editor->probe()->mouse(IEditorProbe::kMove, points[i].x, points[i].y, buttons);
        editor->probe()->mouse(IEditorProbe::kUp, points.back().x, points.back().y, buttons);
    }
    void hover(Point p) { editor->probe()->mouse(IEditorProbe::kMove, p.x, p.y, 0); }
    // Pops table op's menu up and chooses a main entry, or entry `sub` of its sub-menu.
    void chooseInMenu(int op, MenuEntry entry, int sub = -1) {
        editor->clickView(control(cmd::tableCommand(op, cmd::kEditButtons, cmd::button::kMenu)));
        for (int i = 0; i <= entry; ++i)
            editor->key(0, VKEY_DOWN);
        if (sub >= 0)
            editor->key(0, VSTGUI::VKEY_RIGHT);
        for (int i = 0; i < sub; ++i)
            editor->key(0, VKEY_DOWN);
        editor->key(0, VSTGUI::VKEY_RETURN);
    }
    void ctrlKey(int32_t character, uint8_t modifiers = 0) {
        editor->key(character, 0, VSTGUI::MODIFIER_CONTROL | modifiers);
    }
    // A command as another page of the window sends it; the answer reaches the window.
    void processorCommand(int32_t tag, double value) {
        Steinberg::Vst::IMessage* m = plugin->allocateMessage();
        ASSERT_TRUE(m);
        m->setMessageID("GUIEditor:valueChange");
        m->getAttributes()->setInt("tag", tag);
        m->getAttributes()->setFloat("val", value);
        plugin->sendToProcessor(m);
        m->release();
    }
    void chooseSetting(int32_t command, int entry) {
        editor->clickView(control(cmd::control::kSettingsButton));
        editor->choose(control(command), 0, entry);
        editor->clickView(control(cmd::control::kLogicTab));
    }
    // Chooses the file in the in-frame file entry.
    void answerFileDialog(const std::string& path) {
        for (int i = 0; i < 64; ++i)
            editor->key(0, VSTGUI::VKEY_BACK);
        for (char ch : path)
            editor->key(ch);
        editor->key(0, VSTGUI::VKEY_RETURN);
    }
    std::string info(const layout::Rect& r) const {
        return label(r, layout::window::waveEditor).text;
    }
};

TEST_F(WaveEditor, AFastRightDragPaintsEveryCellItCrossesAsOneStep) {
    const std::vector<int> before = table(0);
    stroke({at(0, 0, 256), at(0, 31, 1)});  // one move across the whole view
    std::vector<Sent> expected{{history::kStrokeBegin, 0.0}};
    std::vector<int> painted;
    for (int c = 0; c < 32; ++c) {
        const double level = std::floor(256.0 - 255.0 * c / 31.0 + 0.5);
        expected.push_back({control(cmd::drawCommand(0, c)), level});
        painted.push_back(int(level) - 1);
    }
    expected.push_back({history::kStrokeEnd, 0.0});
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(table(0), painted);
    expectViewsShowTheTables();
    ctrlKey('z');
    EXPECT_EQ(table(0), before);
}

TEST_F(WaveEditor, PaintingIsClampedToTheViewAndNeedsTheRightButtonAlone) {
    const layout::Rect& a = place::waveView[0];
    struct Case {
        const char* name;
        std::vector<Point> points;
        int32_t buttons;
        int cell, stored;  // -1: nothing painted
    };
    const Case cases[] = {
        {"out at the top left", {at(0, 3, 100), {a.left - 99.0, a.top - 99.0}}, kRight, 0, 255},
        {"out at the bottom right",
         {at(0, 3, 9), {a.right() + 99.0, a.bottom() + 99.0}},
         kRight,
         31,
         0},
        {"the bottom row", {at(0, 7, 1)}, kRight, 7, 0},
        {"the left edge", {{double(a.left), a.top + 9.0}}, kRight, -1, 0},
        {"left and right", {at(0, 3, 100), at(0, 9, 200)}, kLeft | kRight, -1, 0},
        {"right with shift", {at(0, 3, 100)}, kRight | OffscreenEditor::kShift, -1, 0},
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

TEST_F(WaveEditor, HoverFillsTheInfoAreaInEitherRadixAndLeavingClearsIt) {
    const int32_t led = control(cmd::waveSwitch::kTableLed);
    for (int radix : {0, 1}) {
        SCOPED_TRACE(radix);
        chooseSetting(cmd::setting::kNumberRadix, radix);
        char cell[4], level[4];
        std::snprintf(cell, sizeof(cell), radix ? "%02X" : "%d", 26);
        std::snprintf(level, sizeof(level), radix ? "%02X" : "%d", table(1)[26]);
        hover(at(1, 26, 10));
        EXPECT_EQ(value(led), 1.0f);  // the LED's frame of table B
        EXPECT_EQ(info(place::cellLabel), cell);
        EXPECT_EQ(info(place::levelLabel), level);
        hover(at(0, 3, 10));
        EXPECT_EQ(value(led), 0.5f);
        hover({300.0, 300.0});  // between the views
        EXPECT_EQ(value(led), 0.0f);
        EXPECT_EQ(info(place::cellLabel), "---");
        EXPECT_EQ(info(place::levelLabel), "---");
    }
}

TEST_F(WaveEditor, ButtonsAndMenuEntriesSendTheirCommandsOrFileRequestsAndTheViewsFollow) {
    struct Case {
        MenuEntry entry;
        int sub;
        int32_t item;  // the command's item; value: the sub-menu's choice, else 0
        float value;
        int32_t format;  // for the file entries: the request's format
    };
    const Case cases[] = {
        {kSize, 5, cmd::menu::kTableSize, 1.0f, 0},
        {kSave, 2, cmd::menu::kSaveSlot, 2.0f / 3.0f, 0},
        {kClear, -1, cmd::menu::kClear, 0.0f, 0},
        {kCopy, -1, cmd::menu::kCopy, 0.0f, 0},
        {kExchange, -1, cmd::menu::kExchange, 0.0f, 0},
        {kLoad, 2, cmd::menu::kLoadSlot, 2.0f / 3.0f, 0},
        {kBits, 2, cmd::menu::kBitReduction, 2.0f / 6.0f, 0},
        {kSize, 0, cmd::menu::kTableSize, 0.0f, 0},
        {kSteps, 2, cmd::menu::kSteps, 2.0f / 7.0f, 0},
        {kExportText, -1, 0, 0.0f, cmd::file::exportTable(0, cmd::file::kText)},
        {kExportWav, -1, 0, 0.0f, cmd::file::exportTable(0, cmd::file::kWav)},
        {kImportText, -1, 0, 0.0f, cmd::file::importTable(0, cmd::file::kText)},
        {kImportWav, -1, 0, 0.0f, cmd::file::importTable(0, cmd::file::kWav)},
    };
    ScratchDir dir;
    stroke({at(0, 0, 40), at(0, 12, 250)});  // not symmetric, so that rotations show
    for (int op = 0; op < 2; ++op) {
        hover({300.0, 300.0});  // off the views
        for (int item = cmd::button::kRotateLeft4; item <= cmd::button::kScaleHalf; ++item) {
            clearLogs();
            editor->clickView(control(cmd::tableCommand(op, cmd::kEditButtons, item)));
            EXPECT_EQ(sent(), (std::vector<Sent>{{control(cmd::tableCommand(op, 0, item)), 1.0}}));
            expectViewsShowTheTables();
        }
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "table " << op << " entry " << c.entry);
            clearLogs();
            chooseInMenu(op, c.entry, c.sub);
            if (c.format) {  // a dialog, not a sub-menu, whose choice goes to the processor
                answerFileDialog(dir.file(c.format & cmd::file::kWav ? "t.wav" : "t.txt"));
                ASSERT_EQ(fileRequests().size(), 1u);
                EXPECT_EQ(fileRequests()[0].tag, c.format | op);
            } else {
                EXPECT_EQ(sent(), (std::vector<Sent>{
                                      {cmd::tableCommand(op, cmd::kTableMenu, c.item), c.value}}));
            }
            expectViewsShowTheTables();
        }
        stroke({at(op, 1, 256, 4)});  // the quantiser chosen last keeps 3 bits
        EXPECT_EQ(table(op)[1], 0xE0);
    }
}

TEST_F(WaveEditor, TheLinkSwitchDrawsOnBothTables) {
    chooseInMenu(1, kSize, 5);  // B at 128 cells
    editor->clickView(control(cmd::waveSwitch::kLinkAB));
    stroke({at(0, 3, 201)});
    stroke({at(1, 100, 11, 128)});
    const std::vector<int> a = table(0), b = table(1);
    EXPECT_EQ(a[3], 200);
    EXPECT_EQ(a[25], 10);  // 100 of 128 cells lies in 25 of 32
    EXPECT_EQ(std::vector<int>(b.begin() + 12, b.begin() + 16), std::vector<int>(4, 200));
    expectViewsShowTheTables();
}

TEST_F(WaveEditor, UndoAndRedoFromKeysAndMenusUntilTheHostLoadsAState) {
    ScratchDir dir;
    writeText(dir.file("b.txt"), "00 40 80 C0 FF");
    processorCommand(cmd::generator::kType, kGenSaw);
    const std::function<void()> changes[] = {
        [&] {
            stroke({at(0, 2, 30), at(0, 20, 220)});
        },
        [&] { editor->clickView(control(cmd::tableCommand(0, cmd::kEditButtons, 2))); },
        [&] { chooseInMenu(0, kSize, 5); },
        [&] {
            chooseInMenu(0, kImportText);
            answerFileDialog(dir.file("b.txt"));
        },
        [&] { processorCommand(cmd::generator::kApplyA, 1.0); },
    };
    // Every way in turn; Ctrl+Z also as the control character it may arrive as.
    const std::function<void()> undo[] = {[&] { ctrlKey('z'); }, [&] { chooseInMenu(0, kUndo); },
                                          [&] { ctrlKey(26); }, [&] { chooseInMenu(1, kUndo); }};
    const std::function<void()> redo[] = {
        [&] { ctrlKey('y'); }, [&] { ctrlKey('Z', VSTGUI::MODIFIER_SHIFT); },
        [&] { chooseInMenu(0, kRedo); }, [&] { chooseInMenu(1, kRedo); }};
    std::vector<std::vector<int>> tables{table(0)};
    for (const auto& change : changes) {
        change();
        tables.push_back(table(0));
    }
    for (size_t k = tables.size() - 1; k-- > 0;) {
        undo[k % 4]();
        EXPECT_EQ(table(0), tables[k]) << "undo to " << k;
        EXPECT_EQ(shown(0), tables[k]) << "undo to " << k;
    }
    for (size_t k = 1; k < tables.size(); ++k) {
        redo[(k - 1) % 4]();
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

TEST_F(WaveEditor, APaintedSquareWaveSoundsWithStrongOddAndWeakEvenHarmonics) {
    stroke({at(0, 0, 256), at(0, 15, 256)});
    stroke({at(0, 16, 1), at(0, 31, 1)});
    ASSERT_TRUE(plugin->start(44100.0, 512));
    automate(eventid::kAlgorithm, 0.0);  // operator A alone, at its table's pitch, held
    automate(eventid::operatorParam(0, eventid::kMul), 1.0 / 15.0);  // at full level
    automate(eventid::operatorParam(0, eventid::kTotalLevel), 0.0);
    automate(eventid::operatorParam(0, eventid::kAttackRate), 1.0);
    automate(eventid::operatorParam(0, eventid::kSustainLevel), 0.0);
    plugin->noteOn(0, 57, 1.0f);  // A3, 220 Hz
    std::vector<float> out;
    for (int b = 0; b < 64; ++b)
        render(512, &out);
    auto harmonic = [&](int k) {  // Goertzel over the last 16384 samples
        const double c = 2.0 * std::cos(kTwoPi * 220.0 * k / 44100.0);
        double s1 = 0.0, s2 = 0.0;
        for (size_t i = out.size() - 16384; i < out.size(); ++i) {
            const double s0 = out[i] + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return std::sqrt(s1 * s1 + s2 * s2 - c * s1 * s2);
    };
    const double h1 = harmonic(1);
    ASSERT_GT(h1, 100.0);  // a sounding note
    for (int k = 2; k <= 6; ++k) {
        SCOPED_TRACE(k);
        if (k % 2)
            EXPECT_GT(harmonic(k), 0.5 * h1 / k);  // a square's 1/k
        else
            EXPECT_LT(harmonic(k), 0.05 * h1);
    }
}

TEST_F(WaveEditor, GoldenImagesOfBothSkins) {
    for (int32_t skin = 0; skin < 2; ++skin) {
        const std::string name = std::string("wave_editor_") + layout::kSkinNames[skin];
        chooseSetting(cmd::setting::kSkin, skin);
        chooseSetting(cmd::setting::kNumberRadix, 1);
        int32_t width = 0, height = 0;
        for (int32_t log2 : {2, 5, 7}) {
            for (int op = 0; op < 2; ++op) {  // a sine in A, a saw in B
                processorCommand(cmd::tableCommand(op, cmd::kTableMenu, cmd::menu::kTableSize),
                                 (log2 - 2) / 5.0);
                processorCommand(cmd::generator::kType, op == 0 ? kGenSine : kGenSaw);
                processorCommand(op == 0 ? cmd::generator::kApplyA : cmd::generator::kApplyB, 1.0);
            }
            hover(at(0, (1 << log2) / 3, 10, 1 << log2));
            const std::vector<uint32_t> pixels = editor->render(width, height);
            expectMatchesGolden(pixels, width, layout::window::waveEditor,
                                name + "_" + std::to_string(1 << log2));
        }
        editor->clickView(control(cmd::tableCommand(0, cmd::kEditButtons, cmd::button::kMenu)));
        for (int i = 0; i <= kSteps; ++i)
            editor->key(0, VKEY_DOWN);
        editor->key(0, VSTGUI::VKEY_RIGHT);
        const std::vector<uint32_t> pixels = editor->render(width, height);
        expectMatchesGolden(pixels, width, layout::window::frame, name + "_menu");
        editor->key(0, VSTGUI::VKEY_ESCAPE);
        editor->key(0, VSTGUI::VKEY_ESCAPE);
    }
}

}  // namespace
}  // namespace test
}  // namespace taluma
