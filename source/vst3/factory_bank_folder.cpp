#include "vst3/factory_bank_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "vst3/plugin_ids.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

namespace taluma {

namespace fs = std::filesystem;

namespace {

// The folder that holds the VST 3 preset tree of every vendor, or empty.
fs::path presetRoot() {
#ifdef _WIN32
    wchar_t documents[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK)
        return {};
    return fs::path(documents) / L"VST3 Presets";
#else
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return fs::path(home) / ".vst3" / "presets";
#endif
}

}  // namespace

std::string instrumentPresetFolder() {
    const fs::path root = presetRoot();
    if (root.empty())
        return {};
    return (root / fs::u8path(kVendorName) / fs::u8path(kProcessorName)).u8string();
}

namespace {

// A subfolder of the instrument's preset folder when it exists (or could be made).
std::string presetSubfolder(const char* name, bool create) {
    const std::string presets = instrumentPresetFolder();
    if (presets.empty())
        return {};
    const fs::path folder = fs::u8path(presets) / name;
    std::error_code error;
    if (create)
        fs::create_directories(folder, error);
    return fs::is_directory(folder, error) ? folder.u8string() : std::string();
}

}  // namespace

std::string factoryBankFolder() {
    return presetSubfolder(kFactoryBankSubfolder, false);
}

std::string userPresetFolder(bool create) {
    return presetSubfolder(kUserPresetSubfolder, create);
}

std::string homeFolder() {
#ifdef _WIN32
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    return home && *home ? fs::path(home).u8string() : std::string();
#else
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string();
#endif
}

}  // namespace taluma
