// The Settings page: twins of the menu bar's value controls (same tags, handled by the
// menu bar), the pitch-bend range, wavetable and preset import and export, the wave
// editor's opacities and number radix, the skin, the display frame rate, and the
// version line.
#pragma once

#include "editor/global_controls.h"
#include "editor/page_layer.h"

namespace Steinberg::Vst {

class Layer_Wedt;

class Layer_Sett : public PageLayer {
public:
    // waveEditor: shows the opacities and the radix chosen here.
    Layer_Sett(EditorContext& context, Layer_Wedt& waveEditor);

    void handleChange(VSTGUI::CControl* control) override;
    void handleTypedEntry(int32_t command, const std::string& text) override;
    void refresh(const EditorSource& source) override;
    void tick(const EditorSource& source, const VSTGUI::CView* focus, uint32_t notice) override;

    GlobalControls global;

private:
    void showBendRange(int32_t semitones, const VSTGUI::CView* focus = nullptr);
    // Wave (0) or grid (1) opacity, 0..1; the wave editor too when `live`.
    void showOpacity(int which, float normalized, bool live);

    Layer_Wedt& waveEditor_;
    VSTGUI::CAnimKnob* bendKnob_{nullptr};
    VSTGUI::CTextEdit* bendField_{nullptr};
    VSTGUI::CAnimKnob* opacityKnob_[2]{};
    VSTGUI::CTextEdit* opacityField_[2]{};
    VSTGUI::COptionMenu* radixMenu_{nullptr};
    VSTGUI::COptionMenu* skinMenu_{nullptr};
    VSTGUI::COptionMenu* frameRateMenu_{nullptr};
};

}  // namespace Steinberg::Vst
