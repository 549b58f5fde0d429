#include "public.sdk/source/vst/vstguieditor.h"
#include <cstring>
#include "hostrunloop.h"

namespace Steinberg {
namespace Vst {

VSTGUIEditor::VSTGUIEditor(void* controller, ViewRect* size)
    : EditorView(static_cast<EditController*>(controller), size) {}

VSTGUIEditor::~VSTGUIEditor() {
    if (timer)
        timer->stop();
}

void VSTGUIEditor::setIdleRate(int32 milliseconds) {
    idleRate = milliseconds;
    if (!timer)
        timer = VSTGUI::owned(
            new VSTGUI::CVSTGUITimer(this, static_cast<uint32_t>(milliseconds), false));
    else
        timer->setFireTime(static_cast<uint32_t>(milliseconds));
}

int32_t VSTGUIEditor::getKnobMode() const {
    switch (EditController::getHostKnobMode()) {
    case Vst::kRelativCircularMode: return VSTGUI::kRelativCircularMode;
    case Vst::kLinearMode: return VSTGUI::kLinearMode;
    default: return VSTGUI::kCircularMode;
    }
}

bool VSTGUIEditor::beginEdit(int32_t) {
    return false;
}

bool VSTGUIEditor::endEdit(int32_t) {
    return false;
}

VSTGUI::CMessageResult VSTGUIEditor::notify(VSTGUI::CBaseObject*, VSTGUI::IdStringPtr message) {
    if (message && std::strcmp(message, VSTGUI::CVSTGUITimer::kMsgTimer) == 0) {
        if (frame)
            frame->idle();
        return VSTGUI::kMessageNotified;
    }
    return VSTGUI::kMessageUnknown;
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type) {
    if (!type)
        return kInvalidArgument;
#if defined(_WIN32)
    return std::strcmp(type, kPlatformTypeHWND) == 0 ? kResultTrue : kResultFalse;
#else
    return std::strcmp(type, kPlatformTypeX11EmbedWindowID) == 0 ? kResultTrue : kResultFalse;
#endif
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type) {
    if (!parent || isPlatformTypeSupported(type) != kResultTrue)
        return kResultFalse;
    if (frame)
        return kResultFalse;
    runLoopInstalled = installHostRunLoop(plugFrame);
    if (!open(parent, VSTGUI::PlatformType::kDefaultNative)) {
        releaseHostRunLoop(runLoopInstalled);
        return kResultFalse;
    }
    if (frame) {
        ViewRect r(0, 0, static_cast<int32>(frame->getWidth()),
                   static_cast<int32>(frame->getHeight()));
        setRect(r);
    }
    if (timer)
        timer->start();
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed() {
    if (timer)
        timer->stop();
    if (frame)
        close();
    releaseHostRunLoop(runLoopInstalled);
    return EditorView::removed();
}

tresult VSTGUIEditor::forwardKey(char16 key, int16 keyMsg, int16 modifiers, bool down) {
    if (!frame)
        return kResultFalse;
    VSTGUI::VstKeyCode code;
    code.character = key;
    code.virt = static_cast<uint8_t>(keyMsg);
    code.modifier = static_cast<uint8_t>(modifiers);
    int32_t handled = down ? frame->platformOnKeyDown(code) : frame->platformOnKeyUp(code);
    return handled == 1 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown(char16 key, int16 keyMsg, int16 modifiers) {
    return forwardKey(key, keyMsg, modifiers, true);
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp(char16 key, int16 keyMsg, int16 modifiers) {
    return forwardKey(key, keyMsg, modifiers, false);
}

tresult PLUGIN_API VSTGUIEditor::onWheel(float distance) {
    if (!frame)
        return kResultFalse;
    VSTGUI::CPoint where = frame->getCurrentMouseLocation();
    return frame->platformOnMouseWheel(where, VSTGUI::kMouseWheelAxisY, distance, 0) ? kResultTrue
                                                                                     : kResultFalse;
}

}  // namespace Vst
}  // namespace Steinberg
