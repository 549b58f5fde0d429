// The ways a file selector can be shown. Each backend calls
// CNewFileSelector::finish exactly once per successful run().
#pragma once
#include <memory>
#include "vstgui/lib/cfileselector.h"

namespace VSTGUI {

class FileSelectorBackend {
public:
    virtual ~FileSelectorBackend() = default;
    virtual bool run(CNewFileSelector* selector) = 0;
    virtual void cancel() {}
};

// A path entry drawn inside the frame (works everywhere, needs an open frame).
std::unique_ptr<FileSelectorBackend> createInFrameFileSelector();
// The platform's dialog: Win32 common dialogs, or zenity/kdialog on Linux.
// Null when the platform has none available.
std::unique_ptr<FileSelectorBackend> createNativeFileSelector();

}  // namespace VSTGUI
