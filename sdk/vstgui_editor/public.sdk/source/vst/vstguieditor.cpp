#include "public.sdk/source/vst/vstguieditor.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "hostrunloop.h"

namespace Steinberg {
namespace Vst {
namespace {

ViewRect scaledRect(const ViewRect& r, double factor) {
    return ViewRect(0, 0, static_cast<int32>(std::lround(r.getWidth() * factor)),
                    static_cast<int32>(std::lround(r.getHeight() * factor)));
}

bool sameRect(const ViewRect& a, const ViewRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

VSTGUIEditor::VSTGUIEditor(void* controller, ViewRect* size)
    : EditorView(static_cast<EditController*>(controller), size), unscaled(getRect()) {}

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
    if (timer)
        timer->start();
    const tresult result = EditorView::attached(parent, type);
    if (frame) {
        // The window opens at the factor the view had; then it takes the host's, or the
        // desktop's for the screen it opened on.
        unscaled = ViewRect(0, 0, static_cast<int32>(frame->getWidth()),
                            static_cast<int32>(frame->getHeight()));
        frame->setZoom(scale);
        setRect(scaledRect(unscaled, scale));
        const VSTGUI::IPlatformFrame* platform = frame->getPlatformFrame();
        const double desktop = platform ? platform->getScaleFactor() : 1.0;
        applyScale(hostScale > 0 ? hostScale : std::clamp(desktop, kMinScale, kMaxScale));
    }
    return result;
}

bool VSTGUIEditor::applyScale(double factor) {
    const ViewRect before = getRect();
    ViewRect after = scaledRect(unscaled, factor);
    if (frame)
        frame->setZoom(factor);  // first: when its canvas cannot grow, nothing has changed
    const double previous = scale;
    scale = factor;
    setRect(after);
    if (!frame)
        return true;
    if (sameRect(before, after) ||
        (plugFrame && plugFrame->resizeView(this, &after) == kResultTrue))
        return true;
    // The host keeps the window at its size: so does the view.
    scale = previous;
    frame->setZoom(previous);
    setRect(before);
    return false;
}

tresult PLUGIN_API VSTGUIEditor::setContentScaleFactor(ScaleFactor factor) {
    if (!std::isfinite(factor) || factor <= 0)
        return kInvalidArgument;
    // A desktop beyond the range still gets the nearest window rather than none.
    factor = std::clamp(double(factor), kMinScale, kMaxScale);
    if (!applyScale(factor))
        return kResultFalse;
    hostScale = factor;
    return kResultTrue;
}

tresult PLUGIN_API VSTGUIEditor::onSize(ViewRect* newSize) {
    if (!newSize)
        return kInvalidArgument;
    return sameRect(*newSize, getRect()) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::removed() {
    if (!isAttached())
        return kResultFalse;
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
    const VSTGUI::CPoint where = frame->frameToDevice(frame->getCurrentMouseLocation());
    return frame->platformOnMouseWheel(where, VSTGUI::kMouseWheelAxisY, distance, 0) ? kResultTrue
                                                                                     : kResultFalse;
}

}  // namespace Vst
}  // namespace Steinberg
