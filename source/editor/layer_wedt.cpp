#include "editor/layer_wedt.h"

#include "editor/control_factory.h"
#include "editor/control_values.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"

#include <cctype>

namespace Steinberg::Vst {

using namespace VSTGUI;
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

// The file dialog a main-menu entry opens, 0 for the entries that send a command.
int32_t dialogOf(int32_t entryItem, int32_t op) {
    switch (entryItem) {
    case cmd::menu::kImportText: return cmd::file::importTable(op, cmd::file::kText);
    case cmd::menu::kExportText: return cmd::file::exportTable(op, cmd::file::kText);
    case cmd::menu::kImportWav: return cmd::file::importTable(op, cmd::file::kWav);
    case cmd::menu::kExportWav: return cmd::file::exportTable(op, cmd::file::kWav);
    default: return 0;
    }
}

// The command a main-menu entry sends, 0 for none.
int32_t commandOf(int32_t entryItem, int32_t op) {
    switch (entryItem) {
    case cmd::menu::kClear:
    case cmd::menu::kCopy:
    case cmd::menu::kExchange: return cmd::tableCommand(op, cmd::kTableMenu, entryItem);
    case cmd::menu::kUndo: return cmd::history::kUndo;
    case cmd::menu::kRedo: return cmd::history::kRedo;
    default: return 0;
    }
}

bool isHistory(int32_t command) {
    return command == cmd::history::kUndo || command == cmd::history::kRedo;
}

}  // namespace

Layer_Wedt::Layer_Wedt(EditorContext& context)
    : PageLayer(context, taluma::layout::window::waveEditor) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    IControlListener* e = context.listener();
    auto image = [&](const ControlRect& r, const char* bitmap) {
        return skinBook_.bitmap(makeImageView(this, r, skinBook_.name(bitmap)), bitmap);
    };
    for (int32_t op = 0; op < 2; ++op) {
        radix_[op] = image(place::radix[op], kRadixBitmap[op]);
        radix_[op]->setVisible(false);
    }
    for (int32_t op = 0; op < 2; ++op)
        grid_[op] = image(place::grid[op], kGridBitmap);
    for (int32_t op = 0; op < 2; ++op) {
        view_[op] = new Layer_Wfrm(context, op, place::waveView[op].left, place::waveView[op].top);
        addView(view_[op]);
    }
    for (int32_t op = 0; op < 2; ++op)
        for (int32_t i = 0; i < kButtons; ++i) {
            const int32_t tag = cmd::editorTag(cmd::tableCommand(op, cmd::kEditButtons, i));
            const char* bitmap = place::buttonBitmap[op][i];
            skinBook_.bitmap(
                makeKickButton(e, this, tag, place::button[op][i], skinBook_.name(bitmap)), bitmap);
        }
    image(place::info, "BackWeditInfo.png");
    led_ = skinBook_.bitmap(new CMovieBitmap(toCRect(place::led), e,
                                             cmd::editorTag(cmd::waveSwitch::kTableLed),
                                             taluma::layout::kLedFrames, place::led.height,
                                             loadBitmap(skinBook_.name("ShpLed.png"))),
                            "ShpLed.png");
    addView(led_);
    const CColor paper = colour(Palette::Paper);
    const CColor ink = colour(Palette::Ink);
    auto label = [&](const ControlRect& r) {
        return skinBook_.colours(makeLabel(this, r, paper, ink, nullptr, kCenterText, kNoValue),
                                 Palette::Paper, Palette::Ink);
    };
    cellLabel_ = label(place::cellLabel);
    levelLabel_ = label(place::levelLabel);
    linkSwitch_ = skinBook_.bitmap(new COnOffButton(toCRect(place::linkSwitch), e,
                                                    cmd::editorTag(cmd::waveSwitch::kLinkAB),
                                                    loadBitmap(skinBook_.name("BtnSync.png"))),
                                   "BtnSync.png");
    addView(linkSwitch_);
    for (int32_t op = 0; op < 2; ++op)
        menus_[op].build(e, op);
}

Layer_Wedt::~Layer_Wedt() {
    for (TableMenus& m : menus_)
        m.release();
}

void Layer_Wedt::refresh(const EditorSource& source) {
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
        COptionMenu* const* m = menus_[op].menu;
        showNormalized(m[TableMenus::kTableSize], float(store->log2Size(op) - 2) / 5.0f);
        showNormalized(m[TableMenus::kSteps], float(store->stepBits(op) - 1) / 7.0f);
    }
    showNormalized(linkSwitch_, store->linkAB.load() ? 1.0f : 0.0f);
}

void Layer_Wedt::rereadTable(int32_t op, const EditorSource& source) {
    const taluma::WaveStore* store = source.waves();
    if (!store)
        return;
    uint8_t cells[taluma::kTableCells];
    for (int32_t i = 0; i < taluma::kTableCells; ++i)
        cells[i] = store->cell(op, i);
    view_[op]->setStepBits(store->stepBits(op));
    view_[op]->setContents(cells, store->log2Size(op));
}

void Layer_Wedt::applySkin(int32_t skin) {
    skinBook_.apply(skin);
    for (Layer_Wfrm* v : view_)
        v->applySkin(skin);
}

void Layer_Wedt::setWaveAlpha(float alpha) {
    for (Layer_Wfrm* v : view_)
        v->setAlphaValue(alpha);
}

void Layer_Wedt::setGridAlpha(float alpha) {
    for (CView* g : grid_)
        g->setAlphaValue(alpha);
}

void Layer_Wedt::showRadixMarks(bool shown) {
    for (CView* r : radix_)
        r->setVisible(shown);
}

const char* Layer_Wedt::numberText(int32_t n) const {
    const DisplayTables& tables = context_.tables();
    return radix_[0]->isVisible() ? tables.hex[n & 0xFF] : tables.decimal[n & 0xFF];
}

void Layer_Wedt::showInfo(int32_t op, int32_t cell, int32_t level) {
    showNormalized(led_, ledValue(op));
    showText(cellLabel_, numberText(cell));
    showText(levelLabel_, numberText(level));
}

void Layer_Wedt::clearInfo() {
    showNormalized(led_, ledValue(-1));
    showText(cellLabel_, kNoValue);
    showText(levelLabel_, kNoValue);
}

void Layer_Wedt::popupMenu(int32_t op, const EditorSource& source) {
    CFrame* frame = getFrame();
    if (!frame)
        return;
    const taluma::TableHistory* history = source.history();
    menus_[op].enableHistory(history && history->undoCount(op) > 0,
                             history && history->redoCount(op) > 0);
    // Right of the wave editor, level with A's menu button, for both tables.
    const CPoint corner(taluma::layout::window::waveEditor.right(),
                        place::button[0][cmd::button::kMenu].top);
    menus_[op].menu[TableMenus::kMain]->popup(frame, corner);
}

void Layer_Wedt::handleChange(CControl* control) {
    const int32_t tag = control->getTag();
    const int32_t op = cmd::tableOperator(tag);
    const int32_t item = cmd::itemOf(tag);
    const float norm = control->getValueNormalized();
    if (cmd::groupOf(tag) == cmd::kWaveSwitches) {
        if (cmd::commandOf(tag) == cmd::waveSwitch::kLinkAB)
            context_.sendValueChange(tag, norm);
        return;
    }
    switch (cmd::subGroupOf(tag)) {
    case cmd::kEditButtons:
        if (norm <= 0.5f)
            return;
        if (item == cmd::button::kMenu)
            popupMenu(op, context_.source());
        else if (item <= cmd::button::kScaleHalf)
            context_.sendValueChange(tag, norm);
        return;
    case cmd::kDrawing: context_.sendValueChange(tag, control->getValue()); return;
    case cmd::kTableMenu: menuChosen(op, control); return;
    default: return;
    }
}

void Layer_Wedt::menuChosen(int32_t op, CControl* control) {
    COptionMenu* chosen = nullptr;
    const CMenuItem* entry = chosenEntry(control, chosen);
    if (!entry)
        return;
    const int32_t chosenMenu = cmd::itemOf(chosen->getTag());
    if (chosenMenu == 0) {  // the main menu, by the entry's own tag
        const int32_t entryItem = cmd::itemOf(entry->getTag());
        if (const int32_t code = dialogOf(entryItem, op))
            context_.openFileDialog(code);
        else if (const int32_t command = commandOf(entryItem, op))
            context_.sendValueChange(command, isHistory(command) ? double(op) : 0.0);
        return;
    }
    switch (chosenMenu) {
    case cmd::menu::kTableSize:
    case cmd::menu::kLoadSlot:
    case cmd::menu::kSaveSlot:
    case cmd::menu::kBitReduction:
    case cmd::menu::kSteps:
        context_.sendValueChange(cmd::tableCommand(op, cmd::kTableMenu, chosenMenu),
                                 chosen->getValueNormalized());
        return;
    default: return;
    }
}

void Layer_Wedt::showReply(int32_t tag, double val) {
    const EditorSource from = context_.source();
    switch (cmd::commandOf(tag)) {
    case cmd::history::kUndo:
    case cmd::history::kRedo: refresh(from); return;
    case cmd::generator::kApplyA: rereadTable(0, from); return;
    case cmd::generator::kApplyB: rereadTable(1, from); return;
    default: break;
    }
    if (cmd::groupOf(tag) != cmd::kTableA && cmd::groupOf(tag) != cmd::kTableB)
        return;
    const int32_t op = cmd::tableOperator(tag);
    const int32_t item = cmd::itemOf(tag);
    switch (cmd::subGroupOf(tag)) {
    case cmd::kEditButtons:
        if (item >= cmd::button::kRotateLeft4 && item <= cmd::button::kScaleHalf)
            rereadTable(op, from);
        return;
    case cmd::kDrawing:
        if (item & cmd::kHoverBit) {
            const int32_t cell = item & ~cmd::kHoverBit;
            if (val < 0.5)
                clearInfo();
            else
                showInfo(op, cell, int32_t(view_[op]->barValue(cell)) - 1);
        } else {
            view_[op]->setBar(item, float(val));
            showInfo(op, item, int32_t(val) - 1);
        }
        return;
    case cmd::kLinkedDrawing: rereadTable(op, from); return;
    case cmd::kTableMenu: refresh(from); return;
    default: return;
    }
}

int32_t Layer_Wedt::onKeyDown(const VstKeyCode& code, CFrame* frame) {
    if (frame->getModalView() || frame->getFocusView())
        return -1;  // a pop-up or a text field has the keys
    const char letter = controlLetter(code);
    const bool shift = (code.modifier & MODIFIER_SHIFT) != 0;
    const double table = context_.lastEditedTable();
    if (letter == 'z' && !shift)
        context_.sendValueChange(cmd::history::kUndo, table);
    else if ((letter == 'z' && shift) || (letter == 'y' && !shift))
        context_.sendValueChange(cmd::history::kRedo, table);
    else
        return -1;
    return 1;
}

int32_t Layer_Wedt::onKeyUp(const VstKeyCode&, CFrame*) {
    return -1;
}

bool Layer_Wedt::hitTest(const CPoint& where, const CButtonState& buttons) {
    const CPoint local(where.x - getViewSize().left, where.y - getViewSize().top);
    return PageLayer::hitTest(where, buttons) || view_[0]->inMouseArea(local) ||
           view_[1]->inMouseArea(local);
}

bool Layer_Wedt::attached(CView* parent) {
    if (!PageLayer::attached(parent))
        return false;
    hookedFrame_ = getFrame();
    if (hookedFrame_)
        hookedFrame_->registerKeyboardHook(this);
    return true;
}

bool Layer_Wedt::removed(CView* parent) {
    if (hookedFrame_)
        hookedFrame_->unregisterKeyboardHook(this);
    hookedFrame_ = nullptr;
    return PageLayer::removed(parent);
}

}  // namespace Steinberg::Vst
