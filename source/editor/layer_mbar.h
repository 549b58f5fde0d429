// The menu bar: volume, reference pitch, the preset browser, engine rate, bit depth and
// voice count, the button that opens the Settings page and the logo that opens the
// credits. It takes the window's group (kGlobal): these controls, their twins on the
// Settings page (same tags) and the page tabs.
#pragma once

#include "editor/global_controls.h"
#include "editor/page_layer.h"

namespace Steinberg::Vst {

class Layer_Mbar : public PageLayer {
public:
    explicit Layer_Mbar(EditorContext& context);

    // The Settings page's twins of the value controls, shown too while `page` is.
    void showTwin(GlobalControls& twin, const VSTGUI::CView& page);

    void handleChange(VSTGUI::CControl* control) override;
    void handleTypedEntry(int32_t command, const std::string& text) override;
    void refresh(const EditorSource& source) override;
    void tick(const EditorSource& source, const VSTGUI::CView* focus, uint32_t notice) override;

    VSTGUI::CTextLabel* presetName{nullptr};  // a click opens the preset menu

private:
    // The controls of the menu bar, and the twins while their page is shown.
    template <typename Show>
    void showGlobal(Show show);

    GlobalControls global_;
    GlobalControls* twin_{nullptr};
    const VSTGUI::CView* twinPage_{nullptr};
};

}  // namespace Steinberg::Vst
