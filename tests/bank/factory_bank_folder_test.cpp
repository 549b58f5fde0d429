// The folder the Settings page's import dialog starts in: the installed .tlmprst bank.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "factory_bank_folder.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(FactoryBankFolder, IsTheInstalledTlmprstFolderOrEmpty) {
    const taluma::testhost::ScratchDir home;
    const char* saved = std::getenv("HOME");
    const std::string savedHome = saved ? saved : "";
    ::setenv("HOME", home.path().c_str(), 1);
    const fs::path presets =
        fs::u8path(home.path()) / ".vst3" / "presets" / "TALUMA W developers" / "TALUMA W";
    EXPECT_EQ(taluma::userPresetFolder(), presets.string());
    EXPECT_EQ(taluma::factoryBankFolder(), "");  // not installed

    fs::create_directories(presets / "tlmprst");
    EXPECT_EQ(taluma::factoryBankFolder(), (presets / "tlmprst").string());

    ::unsetenv("HOME");
    EXPECT_EQ(taluma::userPresetFolder(), "");
    EXPECT_EQ(taluma::factoryBankFolder(), "");
    ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
