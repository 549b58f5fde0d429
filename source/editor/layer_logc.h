// The Logic page: algorithm, the two operators' settings (feedback, multiplier, tune,
// envelope, key scaling, velocity curve and sensitivity, LFO sensitivities) and the
// LFO. Its controls are host parameters, kept by their command item (0x5000 group), so
// that a change, a typed entry, the processor's answer and a refresh all show a value
// the same way: the knob or switch at step n, the field at the plain value and the
// read-out (cents, note, hertz) as the parameter's text.
#pragma once

#include "editor/custom_controls.h"
#include "editor/page_layer.h"

namespace Steinberg::Vst {

class Layer_Logc : public PageLayer {
public:
    static constexpr int32_t kItems = 0x30;
    static constexpr int32_t kRadioGroups = 4;  // algorithm, velocity curve A, B, LFO wave

    explicit Layer_Logc(EditorContext& context);

    void handleChange(VSTGUI::CControl* control) override;
    void handleTypedEntry(int32_t command, const std::string& text) override;
    void showReply(int32_t tag, double value) override;
    void refresh(const EditorSource& source) override { show(source, nullptr); }
    void tick(const EditorSource& source, const VSTGUI::CView* focus, uint32_t) override;

private:
    // Every value from the tone parameters (or the controller's parameters).
    void show(const EditorSource& source, const VSTGUI::CView* focus);
    // Control `item` at step n with its read-outs; fields other than `focus`.
    void show(int32_t item, int32_t n, const VSTGUI::CView* focus = nullptr);
    // Radio group `group` (0..3) with button k on.
    void select(int32_t group, int32_t k);

    VSTGUI::CControl* control_[kItems]{};
    VSTGUI::CTextEdit* field_[kItems]{};
    VSTGUI::CTextLabel* label_[kItems]{};  // Hz (0x03), cents (0x12, 0x22), notes (0x19, 0x29)
    CMovieBitmapSwtBtn* radio_[kRadioGroups][4]{};
};

}  // namespace Steinberg::Vst
