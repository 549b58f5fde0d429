// One part of the window with its own command groups (the menu bar, the wave editor,
// the Logic, Wave-generator and Settings pages): it builds its controls, sends their
// changes, shows the processor's answers and follows the Synth. The editor routes
// each control change to the page of its command group and passes every answer and
// refresh to all pages, which take what is theirs.
#pragma once

#include "synth/command_tags.h"
#include "vstgui/vstgui.h"

#include <cstdint>
#include <string>

namespace Steinberg::Vst {

class EditorSource;

// The command names (synth/command_tags.h) every page speaks.
namespace cmd = taluma::cmd;

class Page {
public:
    virtual ~Page() = default;

    // A control of the page's command groups changed.
    virtual void handleChange(VSTGUI::CControl* control) = 0;
    // Text typed into a field of the page, for `command`.
    virtual void handleTypedEntry(int32_t command, const std::string& text) {
        (void)command, (void)text;
    }
    // The processor's answer to a command ("GUIEditor:valueUpdate"), any group.
    virtual void showReply(int32_t tag, double value) { (void)tag, (void)value; }
    // Everything from the source: a new or changed state, or the page shown.
    virtual void refresh(const EditorSource& source) = 0;
    // The refresh tick: what the host may change at any time, fields other than
    // `focus`, and what the processor's change notice names.
    virtual void tick(const EditorSource& source, const VSTGUI::CView* focus, uint32_t notice) {
        (void)source, (void)focus, (void)notice;
    }
    virtual void applySkin(int32_t skin) = 0;
};

}  // namespace Steinberg::Vst
