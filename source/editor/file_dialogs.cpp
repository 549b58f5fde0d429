#include "editor/file_dialogs.h"

#include "synth/command_tags.h"
#include "vst3/factory_bank_folder.h"

#include <cstring>

namespace Steinberg::Vst {

using namespace VSTGUI;
namespace file = taluma::cmd::file;

namespace {

enum Filter { kTextFiles, kWaveFiles, kTextOrWave, kPresetFiles };

struct DialogSpec {
    int32_t code;
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

bool isSave(int32_t code) {
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

void FileDialogs::open(CFrame* frame, CBaseObject* owner, int32_t code,
                       const std::string& presetFolder) {
    code_ = 0;
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
    const std::string folder = startFolder(code, presetFolder);
    if (!folder.empty())
        selector->setInitialDirectory(folder);
    selector->setAllowMultiFileSelection(false);

    last_ = taluma::ProbeFileDialog{};
    last_.save = isSave(code) ? 1 : 0;
    last_.code = code;
    copyText(last_.title, sizeof last_.title, selector->getTitle());
    copyText(last_.defaultName, sizeof last_.defaultName, selector->getDefaultSaveName());
    copyText(last_.initialDirectory, sizeof last_.initialDirectory,
             selector->getInitialDirectory());
    std::string filters = selector->getDefaultExtension()
                              ? selector->getDefaultExtension()->getExtension()
                              : std::string();
    filters += "|";
    for (const CFileExtension& e : selector->getFileExtensions())
        filters += e.getDescription() + "," + e.getExtension() + ";";
    copyText(last_.extensions, sizeof last_.extensions, filters);

    code_ = code;
    frame->setFocusView(nullptr);
    last_.running = selector->run(owner) ? 1 : 0;
    selector->forget();
}

std::string FileDialogs::startFolder(int32_t code, const std::string& presetFolder) const {
    if (code & (file::kImportPreset | file::kExportPreset)) {
        for (const std::string& folder : {presetFolder, taluma::userPresetFolder()})
            if (!folder.empty())
                return folder;
        return taluma::factoryBankFolder();
    }
    return tableFolder_.empty() ? taluma::homeFolder() : tableFolder_;
}

bool FileDialogs::selected(CBaseObject* sender, int32_t& code, std::string& path) {
    last_.running = 0;
    code = code_;
    code_ = 0;
    auto* selector = dynamic_cast<CNewFileSelector*>(sender);
    const char* chosen = selector ? selector->getSelectedFile(0) : nullptr;
    if (!chosen || code == 0)
        return false;  // cancelled
    path = chosen;
    if (!(code & (file::kImportPreset | file::kExportPreset)))
        tableFolder_ = folderOf(path);
    return true;
}

}  // namespace Steinberg::Vst
