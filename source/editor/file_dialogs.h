// File dialogs for wavetable and preset import and export. The editor only asks for a
// path; the processor reads or writes the file ("GUIEditor:fileSelect").
#pragma once

#include "editor/editor_probe.h"
#include "vstgui/vstgui.h"

#include <cstdint>
#include <string>

namespace Steinberg::Vst {

class FileDialogs {
public:
    // Opens the dialog of a file code (cmd::file) in `frame`; its end comes to `owner`
    // as CNewFileSelector::kSelectEndMessage. Presets start in `presetFolder` when it
    // is known, else in the musician's own preset folder, else in the factory bank;
    // wavetable files in the folder last used for them, else the home folder.
    void open(VSTGUI::CFrame* frame, VSTGUI::CBaseObject* owner, int32_t code,
              const std::string& presetFolder);
    // The end of the dialog: its code and the chosen path, false when it was cancelled.
    bool selected(VSTGUI::CBaseObject* selector, int32_t& code, std::string& path);
    // The dialog as it was set up last, for the probe.
    const taluma::ProbeFileDialog& last() const { return last_; }

private:
    std::string startFolder(int32_t code, const std::string& presetFolder) const;

    int32_t code_{0};
    std::string tableFolder_;
    taluma::ProbeFileDialog last_{};
};

}  // namespace Steinberg::Vst
