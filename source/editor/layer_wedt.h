// The wave editor on the left of the window: the two waveform views (A above, B
// below), a column of level buttons on each side of each view, a row of time buttons
// under each, a menu button per table with its pop-up menu, the info area between the
// tables (LED for the table under the pointer, cell and level read-outs) and the switch
// that links drawing on both tables. It also takes the undo shortcuts: Ctrl+Z undoes,
// Ctrl+Shift+Z and Ctrl+Y redo.
//
// The layer only builds and arranges its controls and shows the processor's data:
// every change goes to the editor's control listener, which sends the commands.
#pragma once

#include "editor/custom_controls.h"
#include "editor/layer_wfrm.h"
#include "editor/main_vst_gui_editor.h"
#include "editor/skin_book.h"
#include "editor/wave_menus.h"

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Wedt : public CViewContainerExt, public VSTGUI::IKeyboardHook {
public:
    static constexpr int32_t kButtons = 15;  // per table: the menu button, then items 1..14

    explicit Layer_Wedt(MainVSTGUIEditor* editor);
    ~Layer_Wedt() override;

    // Everything from the Synth: grids, radix marks, both views, their menus' current
    // entries, the link switch.
    void updateFromSynth(const EditorSource& source);
    // View `op` re-reads its table (after an edit command on it).
    void rereadTable(int32_t op, const EditorSource& source);
    void applySkin(int32_t skin);
    void setWaveAlpha(float alpha);   // the two waveform views
    void setGridAlpha(float alpha);   // their grid images
    void showRadixMarks(bool shown);  // hexadecimal read-outs

    // The info area: the pointer is over `cell` of table `op`, whose level is 0..255;
    // clearInfo when it has left.
    void showInfo(int32_t op, int32_t cell, int32_t level);
    void clearInfo();

    // Pops table `op`'s main menu up at the wave editor's corner of the window; its Undo
    // and Redo entries are enabled by what the history holds.
    void popupMenu(int32_t op, const EditorSource& source);

    // IKeyboardHook: the undo shortcuts while no text field or pop-up has the keys.
    int32_t onKeyDown(const VSTGUI::VstKeyCode& code, VSTGUI::CFrame* frame) override;
    int32_t onKeyUp(const VSTGUI::VstKeyCode& code, VSTGUI::CFrame* frame) override;
    // The layer's rectangle, and the mouse areas of its views, which reach one row
    // below it.
    bool hitTest(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    bool attached(VSTGUI::CView* parent) override;
    bool removed(VSTGUI::CView* parent) override;

    MainVSTGUIEditor* editor;
    VSTGUI::CView* grid[2]{};
    VSTGUI::CView* radix[2]{};
    VSTGUI::CView* infoBackground{};
    Layer_Wfrm* view[2]{};
    TableMenus menus[2];
    VSTGUI::CMovieBitmap* led{};
    VSTGUI::CTextLabel* cellLabel{};
    VSTGUI::CTextLabel* levelLabel{};
    VSTGUI::COnOffButton* linkSwitch{};
    VSTGUI::CKickButton* button[2][kButtons]{};

private:
    // A number in the radix of the read-outs: hexadecimal while the radix marks show.
    const char* numberText(int32_t n) const;

    SkinBook skinBook;
    VSTGUI::CFrame* hookedFrame_{nullptr};
};

}  // namespace Vst
}  // namespace Steinberg
