// The wave editor on the left of the window: the two waveform views with their
// buttons, menus and info area. Its place in the window is fixed here (first layer,
// below everything else); its contents belong to the wave editor.
#pragma once

#include "custom_controls.h"
#include "main_vst_gui_editor.h"

namespace Steinberg {
namespace Vst {

class MainVSTGUIEditor::Layer_Wedt : public CViewContainerExt {
public:
    explicit Layer_Wedt(MainVSTGUIEditor* editor);

    // What the editor asks of the wave editor.
    void updateFromSynth(const EditorSource& source);
    void applySkin(int32_t skin);
    void setWaveAlpha(float alpha);   // the two waveform views
    void setGridAlpha(float alpha);   // their grid images
    void showRadixMarks(bool shown);  // hexadecimal read-outs

    MainVSTGUIEditor* editor;
};

}  // namespace Vst
}  // namespace Steinberg
