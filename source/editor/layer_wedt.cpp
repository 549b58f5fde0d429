#include "editor/layer_wedt.h"

#include "synth/command_tags.h"
#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_source.h"
#include "editor/layout.h"

#include <cctype>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace place = taluma::layout::waveeditor;

namespace {

constexpr const char* kNoValue = "---";
constexpr const char* kGridBitmap = "ShpGrid.png";
constexpr const char* kRadixBitmap[2] = {"shpRadixA.png", "shpRadixB.png"};
constexpr float kPercent = 0.01f;

// The frame of the LED: off, or the table under the pointer.
float ledValue(int32_t op) {
    return op < 0 ? 0.0f : float(op + 1) / float(taluma::layout::kLedFrames - 1);
}

// The letter of a Ctrl+letter key, 0 for any other key. Hosts pass Ctrl as the
// command modifier, the toolkit's own windows as control; some give the control
// character (Ctrl+Z = 26) instead of the letter.
char controlLetter(const VstKeyCode& code) {
    if (code.virt != 0 || !(code.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) ||
        (code.modifier & MODIFIER_ALTERNATE))
        return 0;
    if (code.character >= 1 && code.character <= 26)
        return char('a' + code.character - 1);
    if (code.character < 0x80 && std::isalpha(code.character))
        return char(std::tolower(code.character));
    return 0;
}

}  // namespace

MainVSTGUIEditor::Layer_Wedt::Layer_Wedt(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::waveEditor)), editor(e),
      skinBook(e->skin()) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    const int32_t skin = e->skin();
    auto image = [&](const ControlRect& r, const char* bitmap) {
        return skinBook.bitmap(makeImageView(this, r, skinBook.name(bitmap)), bitmap);
    };
    for (int32_t op = 0; op < 2; ++op) {
        radix[op] = image(place::radix[op], kRadixBitmap[op]);
        radix[op]->setVisible(false);
    }
    for (int32_t op = 0; op < 2; ++op)
        grid[op] = image(place::grid[op], kGridBitmap);
    for (int32_t op = 0; op < 2; ++op) {
        view[op] = new Layer_Wfrm(e, op, place::waveView[op].left, place::waveView[op].top);
        addView(view[op]);
    }
    for (int32_t op = 0; op < 2; ++op)
        for (int32_t i = 0; i < kButtons; ++i) {
            const int32_t tag = cmd::editorTag(cmd::tableCommand(op, cmd::kEditButtons, i));
            const char* bitmap = place::buttonBitmap[op][i];
            button[op][i] = skinBook.bitmap(
                makeKickButton(e, this, tag, place::button[op][i], skinBook.name(bitmap)), bitmap);
        }
    infoBackground = image(place::info, "BackWeditInfo.png");
    led = skinBook.bitmap(new CMovieBitmap(toCRect(place::led), e,
                                           cmd::editorTag(cmd::waveSwitch::kTableLed),
                                           taluma::layout::kLedFrames, place::led.height,
                                           loadBitmap(skinBook.name("ShpLed.png"))),
                          "ShpLed.png");
    addView(led);
    const CColor paper = paletteColour(skin, Palette::Paper);
    const CColor ink = paletteColour(skin, Palette::Ink);
    auto label = [&](const ControlRect& r) {
        return skinBook.colours(makeLabel(this, r, paper, ink, nullptr, kCenterText, kNoValue),
                                Palette::Paper, Palette::Ink);
    };
    cellLabel = label(place::cellLabel);
    levelLabel = label(place::levelLabel);
    linkSwitch = skinBook.bitmap(new COnOffButton(toCRect(place::linkSwitch), e,
                                                  cmd::editorTag(cmd::waveSwitch::kLinkAB),
                                                  loadBitmap(skinBook.name("BtnSync.png"))),
                                 "BtnSync.png");
    addView(linkSwitch);
    for (int32_t op = 0; op < 2; ++op)
        menus[op].build(e, op);
}

MainVSTGUIEditor::Layer_Wedt::~Layer_Wedt() {
    for (TableMenus& m : menus)
        m.release();
}

void MainVSTGUIEditor::Layer_Wedt::updateFromSynth(const EditorSource& source) {
    const taluma::SynthSettings* settings = source.settings();
    const taluma::WaveStore* store = source.waves();
    if (!settings || !store)
        return;
    setGridAlpha(float(settings->gridOpacity.load()) * kPercent);
    showRadixMarks(settings->numberRadix.load() >= 1);
    for (int32_t op = 0; op < 2; ++op)
        rereadTable(op, source);
    setWaveAlpha(float(settings->waveOpacity.load()) * kPercent);
    for (int32_t op = 0; op < 2; ++op) {
        COptionMenu* const* m = menus[op].menu;
        showNormalized(m[TableMenus::kTableSize], float(store->log2Size(op) - 2) / 5.0f);
        showNormalized(m[TableMenus::kSteps], float(store->stepBits(op) - 1) / 7.0f);
    }
    showNormalized(linkSwitch, store->linkAB.load() ? 1.0f : 0.0f);
}

void MainVSTGUIEditor::Layer_Wedt::rereadTable(int32_t op, const EditorSource& source) {
    const taluma::WaveStore* store = source.waves();
    if (!store)
        return;
    uint8_t cells[taluma::kTableCells];
    for (int32_t i = 0; i < taluma::kTableCells; ++i)
        cells[i] = store->cell(op, i);
    view[op]->setStepBits(store->stepBits(op));
    view[op]->setContents(cells, store->log2Size(op));
}

void MainVSTGUIEditor::Layer_Wedt::applySkin(int32_t skin) {
    skinBook.apply(skin);
    for (Layer_Wfrm* v : view)
        v->applySkin(skin);
}

void MainVSTGUIEditor::Layer_Wedt::setWaveAlpha(float alpha) {
    for (Layer_Wfrm* v : view)
        v->setAlphaValue(alpha);
}

void MainVSTGUIEditor::Layer_Wedt::setGridAlpha(float alpha) {
    for (CView* g : grid)
        g->setAlphaValue(alpha);
}

void MainVSTGUIEditor::Layer_Wedt::showRadixMarks(bool shown) {
    for (CView* r : radix)
        r->setVisible(shown);
}

const char* MainVSTGUIEditor::Layer_Wedt::numberText(int32_t n) const {
    const DisplayTables& tables = editor->tables();
    return radix[0]->isVisible() ? tables.hex[n & 0xFF] : tables.decimal[n & 0xFF];
}

void MainVSTGUIEditor::Layer_Wedt::showInfo(int32_t op, int32_t cell, int32_t level) {
    showNormalized(led, ledValue(op));
    showText(cellLabel, numberText(cell));
    showText(levelLabel, numberText(level));
}

void MainVSTGUIEditor::Layer_Wedt::clearInfo() {
    showNormalized(led, ledValue(-1));
    showText(cellLabel, kNoValue);
    showText(levelLabel, kNoValue);
}

void MainVSTGUIEditor::Layer_Wedt::popupMenu(int32_t op, const EditorSource& source) {
    CFrame* frame = getFrame();
    if (!frame)
        return;
    const taluma::TableHistory* history = source.history();
    menus[op].enableHistory(history && history->undoCount(op) > 0,
                            history && history->redoCount(op) > 0);
    // Right of the wave editor, level with A's menu button, for both tables.
    const CPoint corner(taluma::layout::window::waveEditor.right(),
                        place::button[0][cmd::button::kMenu].top);
    menus[op].menu[TableMenus::kMain]->popup(frame, corner);
}

int32_t MainVSTGUIEditor::Layer_Wedt::onKeyDown(const VstKeyCode& code, CFrame* frame) {
    if (frame->getModalView() || frame->getFocusView())
        return -1;  // a pop-up or a text field has the keys
    const char letter = controlLetter(code);
    const bool shift = (code.modifier & MODIFIER_SHIFT) != 0;
    const double table = editor->lastEditedTable();
    if (letter == 'z' && !shift)
        editor->sendValueChange(cmd::history::kUndo, table);
    else if ((letter == 'z' && shift) || (letter == 'y' && !shift))
        editor->sendValueChange(cmd::history::kRedo, table);
    else
        return -1;
    return 1;
}

int32_t MainVSTGUIEditor::Layer_Wedt::onKeyUp(const VstKeyCode&, CFrame*) {
    return -1;
}

bool MainVSTGUIEditor::Layer_Wedt::hitTest(const CPoint& where, const CButtonState& buttons) {
    const CPoint local(where.x - getViewSize().left, where.y - getViewSize().top);
    return CViewContainerExt::hitTest(where, buttons) || view[0]->inMouseArea(local) ||
           view[1]->inMouseArea(local);
}

bool MainVSTGUIEditor::Layer_Wedt::attached(CView* parent) {
    if (!CViewContainerExt::attached(parent))
        return false;
    hookedFrame_ = getFrame();
    if (hookedFrame_)
        hookedFrame_->registerKeyboardHook(this);
    return true;
}

bool MainVSTGUIEditor::Layer_Wedt::removed(CView* parent) {
    if (hookedFrame_)
        hookedFrame_->unregisterKeyboardHook(this);
    hookedFrame_ = nullptr;
    return CViewContainerExt::removed(parent);
}

}  // namespace Vst
}  // namespace Steinberg
