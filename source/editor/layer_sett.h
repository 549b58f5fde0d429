// The Settings page: twins of the menu bar's value controls (same tags), the pitch-bend
// range, wavetable and preset import and export, the wave editor's opacities and
// number radix, the skin, the display frame rate, and the version line.
#pragma once

#include "editor/custom_controls.h"
#include "editor/global_controls.h"
#include "editor/main_vst_gui_editor.h"
#include "editor/skin_book.h"

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Sett : public CViewContainerExt {
public:
    explicit Layer_Sett(MainVSTGUIEditor* editor);

    void updateFromSynth(const EditorSource& source);
    void applySkin(int32_t skin) { skinBook.apply(skin); }

    void showBendRange(int32_t semitones, const VSTGUI::CView* focus = nullptr);
    // Wave (0) or grid (1) opacity in percent.
    void showOpacity(int which, int32_t percent);

    MainVSTGUIEditor* editor;
    GlobalControls global;
    VSTGUI::CAnimKnob* bendKnob{nullptr};
    VSTGUI::CTextEdit* bendField{nullptr};
    VSTGUI::CKickButton* importButton[2]{};
    VSTGUI::CKickButton* exportButton[2]{};
    VSTGUI::CKickButton* presetImportButton{nullptr};
    VSTGUI::CKickButton* presetExportButton{nullptr};
    VSTGUI::CAnimKnob* opacityKnob[2]{};
    VSTGUI::CTextEdit* opacityField[2]{};
    VSTGUI::COptionMenu* radixMenu{nullptr};
    VSTGUI::COptionMenu* skinMenu{nullptr};
    VSTGUI::COptionMenu* frameRateMenu{nullptr};
    VSTGUI::CTextLabel* versionLabel{nullptr};

private:
    SkinBook skinBook;
};

}  // namespace Vst
}  // namespace Steinberg
