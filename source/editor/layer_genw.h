// The Wave-generator page: six generator types, the shape panel of the chosen type
// (cycles and phase; harmonics; noise), range and level knobs common to all types and
// the two apply buttons. Every change goes to the processor as it is; its answer sets
// the knob and the read-out.
#pragma once

#include "editor/custom_controls.h"
#include "editor/main_vst_gui_editor.h"
#include "editor/skin_book.h"
#include "wavetable/wave_generators.h"

#include <string>

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Genw : public CViewContainerExt {
public:
    static constexpr int32_t kItems = 0x12;

    explicit Layer_Genw(MainVSTGUIEditor* editor);

    void updateFromSynth(const EditorSource& source);
    void applySkin(int32_t skin) { skinBook.apply(skin); }
    // The processor's answer to a generator command.
    void showReply(int32_t item, double val, const EditorSource& source);

    // Knob `item` (0x06..0x11) at its plain value, with its read-out.
    void showKnob(int32_t item, int32_t value);
    // The read-out text of a knob's plain value ("1 2/4" cycles, "-5/128" phase ...).
    std::string readOut(int32_t item, int32_t value) const;

    MainVSTGUIEditor* editor;
    CMovieBitmapSwtBtn* typeButton[6]{};
    VSTGUI::CViewContainer* cyclesPanel{nullptr};
    VSTGUI::CViewContainer* harmonicsPanel{nullptr};
    VSTGUI::CViewContainer* noisePanel{nullptr};
    VSTGUI::CAnimKnob* knob[kItems]{};
    VSTGUI::CTextEdit* field[kItems]{};
    VSTGUI::CHorizontalSwitch* harmonicsSwitch{nullptr};
    VSTGUI::CHorizontalSwitch* noiseSwitch{nullptr};
    VSTGUI::COptionMenu* interpolationMenu{nullptr};
    VSTGUI::CKickButton* applyButton[2]{};

private:
    void showType(int32_t type);
    SkinBook skinBook;
};

}  // namespace Vst
}  // namespace Steinberg
