#include "factory_bank_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "plugin_ids.h"

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

std::string userPresetFolder() {
    const fs::path root = presetRoot();
    if (root.empty())
        return {};
    return (root / fs::u8path(kVendorName) / fs::u8path(kProcessorName)).u8string();
}

std::string factoryBankFolder() {
    const std::string presets = userPresetFolder();
    if (presets.empty())
        return {};
    const fs::path bank = fs::u8path(presets) / kFactoryBankSubfolder;
    std::error_code error;
    return fs::is_directory(bank, error) ? bank.u8string() : std::string();
}

}  // namespace taluma
