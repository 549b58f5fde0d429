#include "editor/layer_crdt.h"

#include "editor/control_factory.h"
#include "editor/skin_palette.h"
#include "vst3/plugin_ids.h"

#include <string>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace place = taluma::layout::credits;

Layer_Crdt::Layer_Crdt() : CViewContainer(toCRect(taluma::layout::window::credits)) {
    setBackgroundColor(CColor(0x60, 0x60, 0x60, 0x4C));
    CView* picture = makeImageView(this, place::picture, taluma::layout::kCreditPicture);
    picture->setMouseEnabled(false);
    const std::string version = std::string("Ver:") + taluma::kVersionString;
    CView* versionLabel =
        makeLabel(this, place::versionLabel, colourOf(0xFFFFFF00), colourOf(0xCCCCCCFF),
                  kNormalFontBig, kLeftText, version.c_str());
    versionLabel->setMouseEnabled(false);
    setVisible(false);
}

CMouseEventResult Layer_Crdt::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (isPlainLeftClick(buttons))
        setVisible(false);
    return CViewContainer::onMouseDown(where, buttons);
}

}  // namespace Steinberg::Vst
