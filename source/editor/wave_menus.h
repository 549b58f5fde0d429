// The pop-up menus of one wavetable: the main menu and its five sub-menus (table size,
// load slot, save slot, bit reduction, drawing steps). They are no views of the window:
// the wave editor owns them and the editor pops the main menu up.
//
// Each entry i of a menu with tag T carries the item tag T + 1 + i, given before the
// separators are inserted, so the main menu's entries keep the command items of
// command_tags.h (clear 0x02 .. convert to WAV 0x0C); "Undo" (0x0D) and "Redo" (0x0E)
// follow after a separator of their own.
#pragma once

#include "vstgui/vstgui.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {

struct TableMenus {
    enum Menu { kMain, kTableSize, kLoadSlot, kSaveSlot, kBitReduction, kSteps, kMenus };

    // Builds the six menus of table `op` (0 A, 1 B) reporting to `listener`.
    void build(VSTGUI::IControlListener* listener, int32_t op);
    // Drops the menus (on the layer's destruction).
    void release();
    void enableHistory(bool undo, bool redo);

    VSTGUI::COptionMenu* menu[kMenus]{};
};

}  // namespace Vst
}  // namespace Steinberg
