#include "editor/custom_controls.h"

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

CMovieBitmapSwtBtn::CMovieBitmapSwtBtn(const CRect& size, IControlListener* listener, int32_t tag,
                                       CBitmap* bitmap)
    : CMovieBitmap(size, listener, tag, 2, size.getHeight(), bitmap, CPoint(0, 0)) {}

CMovieBitmapSwtBtn::~CMovieBitmapSwtBtn() = default;

CMouseEventResult CMovieBitmapSwtBtn::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (isPlainLeftClick(buttons) && getValue() < 0.5f) {
        beginEdit();
        setValue(1.0f);
        invalid();
        valueChanged();
        endEdit();
    }
    return kMouseEventNotImplemented;
}

CClickLabel::CClickLabel(const CRect& size, IControlListener* listener, int32_t tag)
    : CTextLabel(size) {
    setListener(listener);
    setTag(tag);
}

CMouseEventResult CClickLabel::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!isPlainLeftClick(buttons))
        return kMouseEventNotHandled;
    beginEdit();
    setValue(1.0f);
    valueChanged();
    setValue(0.0f);
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

}  // namespace Vst
}  // namespace Steinberg
