// The VST 3 editor view that owns a toolkit frame: attaches it to the host's
// window, drives its idle timer and forwards keys and the wheel to it.
#pragma once
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/vstgui.h"

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView,
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

    // One reference count for both worlds: the toolkit's remember/forget use the SDK's.
    void remember() override { addRef(); }
    void forget() override { release(); }

    REFCOUNT_METHODS(EditorView)

protected:
    VSTGUI::SharedPointer<VSTGUI::CVSTGUITimer> timer;
    int32 idleRate{0};

private:
    tresult forwardKey(char16 key, int16 keyMsg, int16 modifiers, bool down);
    bool runLoopInstalled{false};
};

}  // namespace Vst
}  // namespace Steinberg
