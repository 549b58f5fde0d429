// The Logic page: algorithm, the two operators' settings (feedback, multiplier, tune,
// envelope, key scaling, velocity curve and sensitivity, LFO sensitivities) and the
// LFO. Controls are kept by their command item (0x5000 group), so that a change, a
// typed entry, the processor's answer and a refresh all show a value the same way.
#pragma once

#include "editor/custom_controls.h"
#include "editor/main_vst_gui_editor.h"
#include "editor/skin_book.h"

namespace Steinberg {
namespace Vst {

// The step count S of a Logic page knob or switch by item (0x03 LFO frequency, 0x10..0x1E
// operator A, 0x21..0x2E operator B); 0 for items without one.
int32_t logicSteps(int32_t item);
// The lowest and highest value a typed entry may give (tune: -8192..8192).
int32_t logicTypedMin(int32_t item);

class MainVSTGUIEditor::Layer_Logc : public CViewContainerExt {
public:
    static constexpr int32_t kItems = 0x30;
    static constexpr int32_t kRadioGroups = 4;  // algorithm, velocity curve A, B, LFO wave

    explicit Layer_Logc(MainVSTGUIEditor* editor);

    // From the tone parameters (or the controller's parameters); `focus` is left alone.
    void updateFromSynth(const EditorSource& source, const VSTGUI::CView* focus);
    void applySkin(int32_t skin) { skinBook.apply(skin); }

    // Control `item` at step n with its read-outs; fields other than `focus`.
    void show(int32_t item, int32_t n, const VSTGUI::CView* focus = nullptr);
    // Radio group `group` (0..3) with button k on.
    void select(int32_t group, int32_t k);
    // The radio group of a command item (0x80.. 0xB3), or -1.
    static int32_t radioGroupOf(int32_t item);

    MainVSTGUIEditor* editor;
    VSTGUI::CControl* control[kItems]{};
    VSTGUI::CTextEdit* field[kItems]{};
    VSTGUI::CTextLabel* label[kItems]{};  // Hz (0x03), cents (0x12, 0x22), notes (0x19, 0x29)
    CMovieBitmapSwtBtn* radio[kRadioGroups][4]{};

private:
    SkinBook skinBook;
};

}  // namespace Vst
}  // namespace Steinberg
