#include "editor/wave_menus.h"

#include "synth/command_tags.h"
#include "editor/control_factory.h"

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;

namespace {

// The main menu's entries that open a sub-menu, by entry index.
struct SubMenu {
    TableMenus::Menu menu;
    int32_t entry;
};
constexpr SubMenu kSubMenus[] = {{TableMenus::kTableSize, 0},
                                 {TableMenus::kLoadSlot, 4},
                                 {TableMenus::kSaveSlot, 5},
                                 {TableMenus::kBitReduction, 6},
                                 {TableMenus::kSteps, 7}};
// Inserted in this order, each at that index of the list as it stands.
constexpr int32_t kSeparators[] = {1, 7, 9, 11, 14};
constexpr const char* kSlots[] = {"Slot 1", "Slot 2", "Slot 3", "Slot 4"};

}  // namespace

void TableMenus::build(IControlListener* listener, int32_t op) {
    auto tag = [op](int32_t item) {
        return cmd::editorTag(cmd::tableCommand(op, cmd::kTableMenu, item));
    };
    const int32_t main = tag(0);
    menu[kMain] =
        makePopupMenu(listener, main,
                      {"TableSize", "Clear WaveTable", op == 0 ? "Copy -> [ B ]" : "Copy -> [ A ]",
                       "Replace [ A <-> B ]", "Load", "Save", "Bit Reduction",
                       "Steps [Direct Editing]", "Import from Text File", "Export to Text File",
                       "Convert from WAV File", "Convert to WAV File"},
                      kPopupStyle);
    menu[kTableSize] = makePopupMenu(listener, tag(cmd::menu::kTableSize),
                                     {"4", "8", "16", "32", "64", "128"}, kCheckStyle);
    menu[kLoadSlot] = makePopupMenu(listener, tag(cmd::menu::kLoadSlot),
                                    {kSlots[0], kSlots[1], kSlots[2], kSlots[3]}, kPopupStyle);
    menu[kSaveSlot] = makePopupMenu(listener, tag(cmd::menu::kSaveSlot),
                                    {kSlots[0], kSlots[1], kSlots[2], kSlots[3]}, kPopupStyle);
    menu[kBitReduction] =
        makePopupMenu(listener, tag(cmd::menu::kBitReduction),
                      {"1 bit [0 - 1]", "2 bit [0 - 3]", "3 bit [0 - 7]", "4 bit [0 - 15]",
                       "5 bit [0 - 31]", "6 bit [0 - 63]", "7 bit [0 - 127]"},
                      kPopupStyle);
    menu[kSteps] = makePopupMenu(listener, tag(cmd::menu::kSteps),
                                 {"2 Steps [1 bit]", "4 Steps [2 bit]", "8 Steps [3 bit]",
                                  "16 Steps [4 bit]", "32 Steps [5 bit]", "64 Steps [6 bit]",
                                  "128 Steps [7 bit]", "256 Steps [8 bit]"},
                                 kCheckStyle);
    for (const SubMenu& s : kSubMenus)
        menu[kMain]->getEntry(s.entry)->setSubmenu(menu[s.menu]);
    for (int32_t at : kSeparators)
        menu[kMain]->addSeparator(at);
    menu[kMain]->addSeparator();
    menu[kMain]->addEntry(new CMenuItem("Undo", main + cmd::menu::kUndo));
    menu[kMain]->addEntry(new CMenuItem("Redo", main + cmd::menu::kRedo));
}

void TableMenus::release() {
    for (COptionMenu*& m : menu) {
        if (m)
            m->forget();
        m = nullptr;
    }
}

void TableMenus::enableHistory(bool undo, bool redo) {
    COptionMenu* main = menu[kMain];
    const int32_t n = main->getNbEntries();
    main->getEntry(n - 2)->setEnabled(undo);
    main->getEntry(n - 1)->setEnabled(redo);
}

}  // namespace Vst
}  // namespace Steinberg
