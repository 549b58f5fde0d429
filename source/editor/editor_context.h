// What the editor's pages share, kept by the editor: the processor and the host as the
// pages reach them, the Synth's address, the skin, the window's page, the credits,
// file dialogs and the preset browser. Pages include this, not the editor.
#pragma once

#include "editor/display_tables.h"
#include "editor/editor_source.h"
#include "vstgui/vstgui.h"

#include <cstdint>
#include <string>

namespace Steinberg::Vst {

class PresetBrowser;

enum WindowPage { kLogicPage = 1, kGeneratorPage = 2, kSettingsPage = 3 };

class EditorContext {
public:
    // Where the pages' controls report their changes.
    virtual VSTGUI::IControlListener* listener() = 0;
    virtual const DisplayTables& tables() const = 0;
    virtual int32_t skin() const = 0;
    virtual EditorSource source() const = 0;

    // "GUIEditor:valueChange" to the processor.
    virtual void sendValueChange(int32_t tag, double value) = 0;
    // The host parameter of a control's tag: setParamNormalized + performEdit, inside
    // the control's gesture or as a gesture of its own.
    virtual void hostEdit(int32_t tag, double normalized) = 0;
    // Step n of `steps` (n / steps in single precision) to the host and the processor.
    void sendStep(int32_t tag, int32_t n, int32_t steps) {
        const float v = float(n) / float(steps);
        hostEdit(tag, v);
        sendValueChange(tag, v);
    }
    // The table the user edited last (0 A, 1 B), which Ctrl+Z and its twins undo and redo.
    virtual int32_t lastEditedTable() const = 0;

    // The window: a page chosen (and kept by the processor), the credits, the skin,
    // the display frame rate (index 0..4).
    virtual void choosePage(WindowPage page) = 0;
    virtual void showCredits() = 0;
    virtual void changeSkin(int32_t skin) = 0;
    virtual void changeFrameRate(int32_t index) = 0;

    virtual void openFileDialog(int32_t code) = 0;
    virtual PresetBrowser& presets() = 0;

protected:
    ~EditorContext() = default;
};

}  // namespace Steinberg::Vst
