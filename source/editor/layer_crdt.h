// The credits: a translucent veil over the whole window with the credits picture and
// the version. The logo button shows it; a plain left click anywhere hides it.
#pragma once

#include "editor/custom_controls.h"
#include "editor/main_vst_gui_editor.h"

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Crdt : public CViewContainerExt {
public:
    explicit Layer_Crdt(MainVSTGUIEditor* editor);
    ~Layer_Crdt() override;

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;

    MainVSTGUIEditor* editor;
    VSTGUI::CView* picture;
    VSTGUI::CTextLabel* versionLabel;
};

}  // namespace Vst
}  // namespace Steinberg
