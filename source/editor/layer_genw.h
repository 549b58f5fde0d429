// The Wave-generator page: six generator types, the shape panel of the chosen type
// (cycles and phase; harmonics; noise), range and level knobs common to all types and
// the two apply buttons. Every change goes to the processor as it is; its answer sets
// the knob and the read-out.
#pragma once

#include "editor/custom_controls.h"
#include "editor/page_layer.h"

#include <string>

namespace Steinberg::Vst {

class Layer_Genw : public PageLayer {
public:
    static constexpr int32_t kItems = 0x12;

    explicit Layer_Genw(EditorContext& context);

    void handleChange(VSTGUI::CControl* control) override;
    void handleTypedEntry(int32_t command, const std::string& text) override;
    void showReply(int32_t tag, double value) override;
    void refresh(const EditorSource& source) override;

private:
    // Knob `item` (0x06..0x11) at its plain value, with its read-out.
    void showKnob(int32_t item, int32_t value);
    // The read-out text of a knob's plain value ("1 2/4" cycles, "-5/128" phase ...).
    std::string readOut(int32_t item, int32_t value) const;
    void showType(int32_t type);
    void showSwitches(const EditorSource& source);

    CMovieBitmapSwtBtn* typeButton_[6]{};
    VSTGUI::CViewContainer* cyclesPanel_{nullptr};
    VSTGUI::CViewContainer* harmonicsPanel_{nullptr};
    VSTGUI::CViewContainer* noisePanel_{nullptr};
    VSTGUI::CAnimKnob* knob_[kItems]{};
    VSTGUI::CTextEdit* field_[kItems]{};
    VSTGUI::CHorizontalSwitch* harmonicsSwitch_{nullptr};
    VSTGUI::CHorizontalSwitch* noiseSwitch_{nullptr};
    VSTGUI::COptionMenu* interpolationMenu_{nullptr};
};

}  // namespace Steinberg::Vst
