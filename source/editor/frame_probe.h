// The probe of editor_probe.h over an open editor's frame: synthetic input and a
// description of every view, for tests and benchmarks through the built module. It
// shares the editor's reference count, so a probe pointer keeps the editor alive.
#pragma once

#include "editor/editor_probe.h"

namespace Steinberg::Vst {

class VSTGUIEditor;

class FrameProbe : public taluma::IEditorProbe {
public:
    // lastDialog: the file dialog as the editor set it up last (code 0 for none).
    FrameProbe(VSTGUIEditor& editor, const taluma::ProbeFileDialog& lastDialog)
        : editor_(editor), lastDialog_(lastDialog) {}
    virtual ~FrameProbe() = default;

    int32 PLUGIN_API mouse(int32 event, double x, double y, int32 buttons) SMTG_OVERRIDE;
    tresult PLUGIN_API wheel(double x, double y, float distance) SMTG_OVERRIDE;
    int32 PLUGIN_API key(int32 character, int32 virt, int32 modifiers) SMTG_OVERRIDE;
    void PLUGIN_API advanceTime(uint32 milliseconds) SMTG_OVERRIDE;
    const uint32* PLUGIN_API render(int32& width, int32& height) SMTG_OVERRIDE;
    void PLUGIN_API invalidate() SMTG_OVERRIDE;
    int32 PLUGIN_API viewCount() SMTG_OVERRIDE;
    tresult PLUGIN_API viewInfo(int32 index, taluma::ProbeView& info) SMTG_OVERRIDE;
    int32 PLUGIN_API viewUnder(double x, double y) SMTG_OVERRIDE;
    tresult PLUGIN_API menuEntry(int32 index, int32 entry, char title[128]) SMTG_OVERRIDE;
    int32 PLUGIN_API idleRate() SMTG_OVERRIDE;
    int32 PLUGIN_API focusTag() SMTG_OVERRIDE;
    tresult PLUGIN_API fileDialog(taluma::ProbeFileDialog& info) SMTG_OVERRIDE;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    uint32 PLUGIN_API addRef() SMTG_OVERRIDE;
    uint32 PLUGIN_API release() SMTG_OVERRIDE;

private:
    VSTGUIEditor& editor_;
    const taluma::ProbeFileDialog& lastDialog_;
};

}  // namespace Steinberg::Vst
