// The menu bar: volume, reference pitch, the preset browser, engine rate, bit depth and
// voice count, the button that opens the Settings page and the logo that opens the
// credits.
#pragma once

#include "editor/custom_controls.h"
#include "editor/global_controls.h"
#include "editor/main_vst_gui_editor.h"
#include "editor/skin_book.h"

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Mbar : public CViewContainerExt {
public:
    explicit Layer_Mbar(MainVSTGUIEditor* editor);

    void updateFromSynth(const EditorSource& source);
    void applySkin(int32_t skin) { skinBook.apply(skin); }

    MainVSTGUIEditor* editor;
    GlobalControls global;
    VSTGUI::CKickButton* settingsButton;
    VSTGUI::CKickButton* logoButton;
    VSTGUI::CKickButton* presetPrev;
    VSTGUI::CKickButton* presetNext;
    VSTGUI::CTextLabel* presetName;  // a click opens the preset menu

private:
    SkinBook skinBook;
};

}  // namespace Vst
}  // namespace Steinberg
