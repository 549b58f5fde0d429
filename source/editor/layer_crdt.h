// The credits: a translucent veil over the whole window with the credits picture and
// the version. The logo button shows it; a plain left click anywhere hides it.
#pragma once

#include "vstgui/vstgui.h"

namespace Steinberg::Vst {

class Layer_Crdt : public VSTGUI::CViewContainer {
public:
    Layer_Crdt();

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
};

}  // namespace Steinberg::Vst
