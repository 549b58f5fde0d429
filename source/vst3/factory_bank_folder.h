// Where presets live. The instrument's folder among the user's VST 3 presets holds the
// factory bank as .vstpreset files, for the host's preset browser; its subfolder
// "tlmprst" holds the same sounds as .tlmprst files, for the window, and its subfolder
// "user" the musician's own .tlmprst presets.
#pragma once

#include <string>

namespace taluma {

constexpr const char* kFactoryBankSubfolder = "tlmprst";
constexpr const char* kUserPresetSubfolder = "user";

// The instrument's folder among the user's VST 3 presets, as UTF-8:
// ~/.vst3/presets/TALUMA W developers/TALUMA W on Linux,
// <Documents>\VST3 Presets\TALUMA W developers\TALUMA W on Windows. Empty when the home
// or Documents folder is unknown; the folder itself may not exist.
std::string instrumentPresetFolder();

// The installed .tlmprst bank folder (UTF-8), or empty when it is absent.
std::string factoryBankFolder();

// The folder of the musician's own presets (UTF-8), "user" beside the bank; made when
// `create` is set. Empty when it does not exist (and could not be made).
std::string userPresetFolder(bool create = false);

// The user's home folder (UTF-8): HOME, or USERPROFILE on Windows; empty when unknown.
std::string homeFolder();

}  // namespace taluma
