// The wave editor on the left of the window: the two waveform views (A above, B
// below), a column of level buttons on each side of each view, a row of time buttons
// under each, a menu button per table with its pop-up menu, the info area between the
// tables (LED for the table under the pointer, cell and level read-outs) and the switch
// that links drawing on both tables. It also takes the undo shortcuts: Ctrl+Z undoes,
// Ctrl+Shift+Z and Ctrl+Y redo.
//
// It takes the command groups of the two tables and of the wave switches: edit
// buttons, drawing, menus, and the answers to undo, redo and a generator's apply.
#pragma once

#include "editor/layer_wfrm.h"
#include "editor/page_layer.h"
#include "editor/wave_menus.h"

namespace Steinberg::Vst {

class Layer_Wedt : public PageLayer, public VSTGUI::IKeyboardHook {
public:
    static constexpr int32_t kButtons = 15;  // per table: the menu button, then items 1..14

    explicit Layer_Wedt(EditorContext& context);
    ~Layer_Wedt() override;

    void handleChange(VSTGUI::CControl* control) override;
    void showReply(int32_t tag, double value) override;
    // Everything from the Synth: grids, radix marks, both views, their menus' current
    // entries, the link switch.
    void refresh(const EditorSource& source) override;
    void applySkin(int32_t skin) override;
    void setWaveAlpha(float alpha);   // the two waveform views
    void setGridAlpha(float alpha);   // their grid images
    void showRadixMarks(bool shown);  // hexadecimal read-outs

    // IKeyboardHook: the undo shortcuts while no text field or pop-up has the keys.
    int32_t onKeyDown(const VSTGUI::VstKeyCode& code, VSTGUI::CFrame* frame) override;
    int32_t onKeyUp(const VSTGUI::VstKeyCode& code, VSTGUI::CFrame* frame) override;
    // The layer's rectangle, and the mouse areas of its views, which reach one row
    // below it.
    bool hitTest(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    bool attached(VSTGUI::CView* parent) override;
    bool removed(VSTGUI::CView* parent) override;

private:
    // View `op` re-reads its table (after an edit command on it).
    void rereadTable(int32_t op, const EditorSource& source);
    // The info area: the pointer is over `cell` of table `op`, whose level is 0..255;
    // clearInfo when it has left.
    void showInfo(int32_t op, int32_t cell, int32_t level);
    void clearInfo();
    // Pops table `op`'s main menu up at the wave editor's corner of the window; its Undo
    // and Redo entries are enabled by what the history holds.
    void popupMenu(int32_t op, const EditorSource& source);
    // A choice in table `op`'s menu or one of its sub-menus.
    void menuChosen(int32_t op, VSTGUI::CControl* menu);
    // A number in the radix of the read-outs: hexadecimal while the radix marks show.
    const char* numberText(int32_t n) const;

    VSTGUI::CView* grid_[2]{};
    VSTGUI::CView* radix_[2]{};
    Layer_Wfrm* view_[2]{};
    TableMenus menus_[2];
    VSTGUI::CMovieBitmap* led_{};
    VSTGUI::CTextLabel* cellLabel_{};
    VSTGUI::CTextLabel* levelLabel_{};
    VSTGUI::COnOffButton* linkSwitch_{};
    VSTGUI::CFrame* hookedFrame_{nullptr};
};

}  // namespace Steinberg::Vst
