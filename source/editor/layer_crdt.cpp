#include "editor/layer_crdt.h"

#include "editor/control_factory.h"
#include "vst3/plugin_ids.h"
#include "editor/skin_palette.h"

#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace place = taluma::layout::credits;

MainVSTGUIEditor::Layer_Crdt::Layer_Crdt(MainVSTGUIEditor* e)
    : CViewContainerExt(toCRect(taluma::layout::window::credits)), editor(e) {
    setBackgroundColor(CColor(0x60, 0x60, 0x60, 0x4C));
    picture = makeImageView(this, place::picture, taluma::layout::kCreditPicture);
    picture->setMouseEnabled(false);
    const std::string version = std::string("Ver:") + taluma::kVersionString;
    versionLabel = makeLabel(this, place::versionLabel, colourOf(0xFFFFFF00), colourOf(0xCCCCCCFF),
                             kNormalFontBig, kLeftText, version.c_str());
    versionLabel->setMouseEnabled(false);
    setVisible(false);
}

MainVSTGUIEditor::Layer_Crdt::~Layer_Crdt() = default;

CMouseEventResult MainVSTGUIEditor::Layer_Crdt::onMouseDown(CPoint& where,
                                                            const CButtonState& buttons) {
    if (isPlainLeftClick(buttons))
        setVisible(false);
    return CViewContainer::onMouseDown(where, buttons);
}

}  // namespace Vst
}  // namespace Steinberg
