// The file selector: open or save mode, title, default file name and extension
// filters. run() shows it without blocking and notifies the delegate with
// "CNewFileSelector Select End Message" when the user has finished; an empty
// result means cancelled. Windows uses the system dialogs, Linux runs zenity or
// kdialog when present and otherwise an in-frame path entry.
#pragma once
#include <functional>
#include <memory>
#include <vector>
#include "vstguibase.h"

namespace VSTGUI {

class CFrame;

class CFileExtension {
public:
    CFileExtension(const UTF8String& description, const UTF8String& extension)
        : description(description), extension(extension) {}
    const UTF8String& getDescription() const { return description; }
    const UTF8String& getExtension() const { return extension; }
    bool operator==(const CFileExtension& o) const {
        return description == o.description && extension == o.extension;
    }

private:
    UTF8String description;
    UTF8String extension;
};

class FileSelectorBackend;

class CNewFileSelector : public CBaseObject {
public:
    enum Style { kSelectFile, kSelectSaveFile, kSelectDirectory };
    static IdStringPtr kSelectEndMessage;  // "CNewFileSelector Select End Message"

    static CNewFileSelector* create(CFrame* parent = nullptr, Style style = kSelectFile);
    ~CNewFileSelector() override;

    // Shows the selector; the delegate is notified (and remembered until then).
    bool run(CBaseObject* delegate);
    bool run(std::function<void(CNewFileSelector*)> callback);
    void cancel();

    void setTitle(const UTF8String& t) { title = t; }
    const UTF8String& getTitle() const { return title; }
    void setInitialDirectory(const UTF8String& d) { initialPath = d; }
    const UTF8String& getInitialDirectory() const { return initialPath; }
    void setDefaultSaveName(const UTF8String& n) { defaultSaveName = n; }
    const UTF8String& getDefaultSaveName() const { return defaultSaveName; }
    void setDefaultExtension(const CFileExtension& e);
    const CFileExtension* getDefaultExtension() const { return defaultExtension.get(); }
    void setAllowMultiFileSelection(bool s) { allowMultiSelection = s; }
    void addFileExtension(const CFileExtension& e);
    const std::vector<CFileExtension>& getFileExtensions() const { return extensions; }
    Style getStyle() const { return style; }
    CFrame* getFrame() const { return frame; }

    uint32_t getNumSelectedFiles() const { return static_cast<uint32_t>(result.size()); }
    UTF8StringPtr getSelectedFile(uint32_t index) const;
    bool isRunning() const { return running; }

    // Called by the backend when the user has finished (empty list: cancelled).
    void finish(std::vector<UTF8String> files);
    // Called by a desktop dialog that could not be shown: ask with the in-frame
    // entry instead, or report a cancel when that is impossible too.
    void fallBackToInFrame();

    // Which way the selector is shown on this platform. kAutomatic picks the
    // system dialog (Windows), zenity or kdialog (Linux), else the in-frame entry.
    enum class Backend { kAutomatic, kInFrame };
    static void setBackend(Backend b);

private:
    CNewFileSelector(CFrame* parent, Style style);

    CFrame* frame;
    Style style;
    UTF8String title;
    UTF8String initialPath;
    UTF8String defaultSaveName;
    std::unique_ptr<CFileExtension> defaultExtension;
    std::vector<CFileExtension> extensions;
    bool allowMultiSelection{false};
    std::vector<UTF8String> result;
    CBaseObject* delegate{nullptr};
    std::function<void(CNewFileSelector*)> callback;
    std::unique_ptr<FileSelectorBackend> backend;
    bool running{false};
};

}  // namespace VSTGUI
