// Where the factory bank is installed. The instrument's folder among the user's VST 3
// presets holds the bank as .vstpreset files, for the host's preset browser; its
// subfolder "tlmprst" holds the same sounds as .tlmprst files, for the Settings page.
#pragma once

#include <string>

namespace taluma {

constexpr const char* kFactoryBankSubfolder = "tlmprst";

// The instrument's folder among the user's VST 3 presets, as UTF-8:
// ~/.vst3/presets/TALUMA W developers/TALUMA W on Linux,
// <Documents>\VST3 Presets\TALUMA W developers\TALUMA W on Windows. Empty when the home
// or Documents folder is unknown; the folder itself may not exist.
std::string userPresetFolder();

// The installed .tlmprst bank folder (UTF-8), or empty when it is absent.
std::string factoryBankFolder();

}  // namespace taluma
