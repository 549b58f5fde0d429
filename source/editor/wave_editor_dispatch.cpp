// The wave editor's command groups (tables A and B: edit buttons, drawing, menus) and
// the processor's answers to them, to undo and redo and to a generator's apply.
#include "editor/main_vst_gui_editor.h"

#include "synth/command_tags.h"
#include "editor/editor_tags.h"
#include "editor/editor_source.h"
#include "editor/layer_wedt.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;

namespace {

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

void MainVSTGUIEditor::noteEditedTable(int32 tag) {
    const int32 group = cmd::groupOf(tag);
    if ((group == cmd::kTableA || group == cmd::kTableB) && !cmd::isHoverReport(tag))
        lastEditedTable_ = cmd::tableOperator(tag);
    else if (tag == cmd::generator::kApplyA || tag == cmd::generator::kApplyB)
        lastEditedTable_ = tag == cmd::generator::kApplyA ? 0 : 1;
}

void MainVSTGUIEditor::dispatchTable(VSTGUI::CControl* control) {
    const int32 tag = control->getTag();
    const int32 op = cmd::tableOperator(tag);
    const int32 item = cmd::itemOf(tag);
    const float norm = control->getValueNormalized();
    switch (cmd::subGroupOf(tag)) {
    case cmd::kEditButtons:
        if (norm <= 0.5f)
            return;
        if (item == cmd::button::kMenu)
            waveEditor_->popupMenu(op, source());
        else if (item <= cmd::button::kScaleHalf)
            sendValueChange(tag, norm);
        return;
    case cmd::kDrawing: sendValueChange(tag, control->getValue()); return;
    case cmd::kTableMenu: {
        auto* menu = dynamic_cast<VSTGUI::COptionMenu*>(control);
        int32_t index = -1;
        VSTGUI::COptionMenu* chosen = menu ? menu->getLastItemMenu(index) : nullptr;
        const VSTGUI::CMenuItem* entry = chosen ? chosen->getEntry(index) : nullptr;
        if (!entry)
            return;
        const int32 chosenMenu = cmd::itemOf(chosen->getTag());
        if (chosenMenu == 0) {  // the main menu, by the entry's own tag
            const int32 entryItem = cmd::itemOf(entry->getTag());
            if (const int32 code = dialogOf(entryItem, op))
                openFileDialog(code);
            else if (const int32 command = commandOf(entryItem, op))
                sendValueChange(command, isHistory(command) ? double(op) : 0.0);
            return;
        }
        switch (chosenMenu) {
        case cmd::menu::kTableSize:
        case cmd::menu::kLoadSlot:
        case cmd::menu::kSaveSlot:
        case cmd::menu::kBitReduction:
        case cmd::menu::kSteps:
            sendValueChange(cmd::tableCommand(op, cmd::kTableMenu, chosenMenu),
                            chosen->getValueNormalized());
            return;
        default: return;
        }
    }
    default: return;
    }
}

void MainVSTGUIEditor::updateTable(int32 tag, double val) {
    const EditorSource from = source();
    switch (cmd::commandOf(tag)) {
    case cmd::history::kUndo:
    case cmd::history::kRedo: waveEditor_->updateFromSynth(from); return;
    case cmd::generator::kApplyA: waveEditor_->rereadTable(0, from); return;
    case cmd::generator::kApplyB: waveEditor_->rereadTable(1, from); return;
    default: break;
    }
    if (cmd::groupOf(tag) != cmd::kTableA && cmd::groupOf(tag) != cmd::kTableB)
        return;
    const int32 op = cmd::tableOperator(tag);
    const int32 item = cmd::itemOf(tag);
    switch (cmd::subGroupOf(tag)) {
    case cmd::kEditButtons:
        if (item >= cmd::button::kRotateLeft4 && item <= cmd::button::kScaleHalf)
            waveEditor_->rereadTable(op, from);
        return;
    case cmd::kDrawing:
        if (item & cmd::kHoverBit) {
            const int32 cell = item & ~cmd::kHoverBit;
            if (val < 0.5)
                waveEditor_->clearInfo();
            else
                waveEditor_->showInfo(op, cell, int32(waveEditor_->view[op]->barValue(cell)) - 1);
        } else {
            waveEditor_->view[op]->setBar(item, float(val));
            waveEditor_->showInfo(op, item, int32(val) - 1);
        }
        return;
    case cmd::kLinkedDrawing: waveEditor_->rereadTable(op, from); return;
    case cmd::kTableMenu: waveEditor_->updateFromSynth(from); return;
    default: return;
    }
}

}  // namespace Vst
}  // namespace Steinberg
