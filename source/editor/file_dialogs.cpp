// File dialogs for wavetable and preset import and export. The editor only asks for a
// path; the processor reads or writes the file ("GUIEditor:fileSelect").
#include "editor/main_vst_gui_editor.h"

#include "editor/editor_tags.h"
#include "vst3/factory_bank_folder.h"
#include "vst3/messages.h"

#include "pluginterfaces/vst/ivstmessage.h"

#include <cstring>
#include <string>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace file = taluma::cmd::file;

namespace {

enum Filter { kTextFiles, kWaveFiles, kTextOrWave, kPresetFiles };

struct DialogSpec {
    int32 code;
    const char* title;
    const char* defaultName;  // save dialogs only
    Filter filter;
};

constexpr DialogSpec kDialogs[] = {
    {file::importTable(0, file::kText), "Import Text File", nullptr, kTextFiles},
    {file::importTable(1, file::kText), "Import Text File", nullptr, kTextFiles},
    {file::importTable(0, file::kWav), "Import WAV FIle", nullptr, kWaveFiles},
    {file::importTable(1, file::kWav), "Import WAV FIle", nullptr, kWaveFiles},
    {file::importTable(0, file::kByName), "Import text or WAV FIle", nullptr, kTextOrWave},
    {file::importTable(1, file::kByName), "Import text or WAV FIle", nullptr, kTextOrWave},
    {file::exportTable(0, file::kText), "Export Text File", "waveTable.txt", kTextFiles},
    {file::exportTable(1, file::kText), "Export Text File", "waveTable.txt", kTextFiles},
    {file::exportTable(0, file::kWav), "Export WAV FIle", "waveForm.wav", kWaveFiles},
    {file::exportTable(1, file::kWav), "Export WAV FIle", "waveForm.wav", kWaveFiles},
    {file::exportTable(0, file::kByName), "Export text or WAV FIle", "waveTable.txt", kTextOrWave},
    {file::exportTable(1, file::kByName), "Export text or WAV FIle", "waveTable.txt", kTextOrWave},
    {file::kImportPreset, "Import Preset File", nullptr, kPresetFiles},
    {file::kExportPreset, "Export Preset File", "preset.tlmprst", kPresetFiles},
};

const CFileExtension kTextExtension("text files(.txt)", "txt");
const CFileExtension kWaveExtension("wave files(.wav)", "wav");
const CFileExtension kPresetExtension("preset files(.tlmprst)", "tlmprst");

bool isSave(int32 code) {
    return (code & file::kExportTable) || code == file::kExportPreset;
}

void copyText(char* to, size_t size, const std::string& text) {
    std::strncpy(to, text.c_str(), size - 1);
    to[size - 1] = 0;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

void MainVSTGUIEditor::openFileDialog(int32 code) {
    fileDialogCode_ = 0;
    const DialogSpec* spec = nullptr;
    for (const DialogSpec& d : kDialogs)
        if (d.code == code)
            spec = &d;
    if (!spec || !frame)
        return;
    CNewFileSelector* selector = CNewFileSelector::create(
        frame, isSave(code) ? CNewFileSelector::kSelectSaveFile : CNewFileSelector::kSelectFile);
    selector->setTitle(spec->title);
    if (spec->defaultName)
        selector->setDefaultSaveName(spec->defaultName);
    switch (spec->filter) {
    case kTextFiles: selector->addFileExtension(kTextExtension); break;
    case kWaveFiles: selector->addFileExtension(kWaveExtension); break;
    case kTextOrWave:
        selector->setDefaultExtension(kTextExtension);
        selector->addFileExtension(kTextExtension);
        selector->addFileExtension(kWaveExtension);
        break;
    case kPresetFiles: selector->addFileExtension(kPresetExtension); break;
    }
    const std::string folder = startFolder(code);
    if (!folder.empty())
        selector->setInitialDirectory(folder);
    selector->setAllowMultiFileSelection(false);

    lastDialog_ = taluma::ProbeFileDialog{};
    lastDialog_.save = isSave(code) ? 1 : 0;
    lastDialog_.code = code;
    copyText(lastDialog_.title, sizeof lastDialog_.title, selector->getTitle());
    copyText(lastDialog_.defaultName, sizeof lastDialog_.defaultName,
             selector->getDefaultSaveName());
    copyText(lastDialog_.initialDirectory, sizeof lastDialog_.initialDirectory,
             selector->getInitialDirectory());
    std::string filters = selector->getDefaultExtension()
                              ? selector->getDefaultExtension()->getExtension()
                              : std::string();
    filters += "|";
    for (const CFileExtension& e : selector->getFileExtensions())
        filters += e.getDescription() + "," + e.getExtension() + ";";
    copyText(lastDialog_.extensions, sizeof lastDialog_.extensions, filters);

    fileDialogCode_ = code;
    frame->setFocusView(nullptr);
    lastDialog_.running = selector->run(this) ? 1 : 0;
    selector->forget();
}

std::string MainVSTGUIEditor::startFolder(int32 code) const {
    if (code & (file::kImportPreset | file::kExportPreset)) {
        // The folder of the last preset, else the musician's own, else the bank.
        for (const std::string& folder : {presetFolder_, taluma::userPresetFolder()})
            if (!folder.empty())
                return folder;
        return taluma::factoryBankFolder();
    }
    return tableFolder_.empty() ? taluma::homeFolder() : tableFolder_;
}

void MainVSTGUIEditor::fileSelected(CBaseObject* sender) {
    lastDialog_.running = 0;
    const int32 code = fileDialogCode_;
    fileDialogCode_ = 0;
    auto* selector = dynamic_cast<CNewFileSelector*>(sender);
    const char* path = selector ? selector->getSelectedFile(0) : nullptr;
    if (!path || code == 0)
        return;  // cancelled
    if (code & (file::kImportPreset | file::kExportPreset)) {
        presetFolder_ = folderOf(path);
        // The browser names the preset after its file from now on.
        const std::string name = presetNameOf(path);
        sendFileRequest(code, path);
        choosePreset(name, path);
        return;
    }
    tableFolder_ = folderOf(path);
    if (code & file::kImportTable) {
        lastEditedTable_ = code & file::kOperatorBit;
        notePresetChange(cmd::kTableA);
    }
    sendFileRequest(code, path);
}

void MainVSTGUIEditor::sendFileRequest(int32 code, const std::string& path) {
    if (controller)
        taluma::sendFileRequest(*controller, code, path);
}

}  // namespace Vst
}  // namespace Steinberg
