// The VST 3 editor view that owns a toolkit frame: attaches it to the host's
// window, drives its idle timer, forwards keys and the wheel to it, and zooms it by
// the content scale factor (IPlugViewContentScaleSupport): the one the host gives,
// else the one the desktop asks for on the window's screen when it opens. The view's
// size is the frame's times the factor, rounded; the factor is kept nowhere else.
#pragma once
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/vstgui.h"

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView,
                     public IPlugViewContentScaleSupport,
                     public VSTGUI::VSTGUIEditorInterface,
                     public VSTGUI::CBaseObject {
public:
    VSTGUIEditor(void* controller, ViewRect* size = nullptr);
    ~VSTGUIEditor() override;

    // Create the frame on the parent window (frame->open) and return true, or false.
    virtual bool PLUGIN_API open(void* parent, const VSTGUI::PlatformType& platformType =
                                                   VSTGUI::PlatformType::kDefaultNative) = 0;
    // Release the frame.
    virtual void PLUGIN_API close() = 0;

    // Interval of the idle timer that sends "timer fired" to notify().
    void setIdleRate(int32 milliseconds);
    int32 getIdleRate() const { return idleRate; }

    // The host learns about edits through parameter changes; the toolkit's own
    // edit brackets carry control tags, not parameter ids, so they stay here.
    // The knob mode the host set through IEditController2::setKnobMode.
    int32_t getKnobMode() const override;
    bool beginEdit(int32_t index) override;
    bool endEdit(int32_t index) override;

    VSTGUI::CMessageResult notify(VSTGUI::CBaseObject* sender,
                                  VSTGUI::IdStringPtr message) override;

    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API removed() SMTG_OVERRIDE;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyMsg, int16 modifiers) SMTG_OVERRIDE;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyMsg, int16 modifiers) SMTG_OVERRIDE;
    tresult PLUGIN_API onWheel(float distance) SMTG_OVERRIDE;
    // The host confirms the size the view asked for; any other size is refused (the
    // window's size follows the content scale factor only).
    tresult PLUGIN_API onSize(ViewRect* newSize) SMTG_OVERRIDE;

    // A factor from 1 to 3; kInvalidArgument for one that is no positive number,
    // kResultFalse out of range or when the host refuses the new size of an open window.
    tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

    // One reference count for both worlds: the toolkit's remember/forget use the SDK's.
    void remember() override { addRef(); }
    void forget() override { release(); }

    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugViewContentScaleSupport)
    END_DEFINE_INTERFACES(EditorView)
    REFCOUNT_METHODS(EditorView)

protected:
    VSTGUI::SharedPointer<VSTGUI::CVSTGUITimer> timer;
    int32 idleRate{0};

private:
    tresult forwardKey(char16 key, int16 keyMsg, int16 modifiers, bool down);
    // Zooms the frame (when open) and sizes the view for `factor`, telling the host while
    // the window is open; false, and the factor before, when the host refuses the size.
    bool applyScale(double factor);

    static constexpr double kMinScale = 1.0;
    static constexpr double kMaxScale = 3.0;
    bool runLoopInstalled{false};
    ViewRect unscaled;      // the view's size at factor 1
    double hostScale{0.0};  // 0 until the host gives a factor
    double scale{1.0};      // the factor in force
};

}  // namespace Vst
}  // namespace Steinberg
