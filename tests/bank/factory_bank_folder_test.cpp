// Where presets live: the installed .tlmprst bank and the musician's own presets beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "vst3/factory_bank_folder.h"
#include "scratch_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(PresetFolders, AreTheInstalledBankAndTheUsersFolderBesideIt) {
    const taluma::testhost::ScratchDir home;
    const char* saved = std::getenv("HOME");
    const std::string savedHome = saved ? saved : "";
    ::setenv("HOME", home.path().c_str(), 1);
    const fs::path presets =
        fs::u8path(home.path()) / ".vst3" / "presets" / "TALUMA W developers" / "TALUMA W";
    EXPECT_EQ(taluma::instrumentPresetFolder(), presets.string());
    EXPECT_EQ(taluma::homeFolder(), home.path());
    EXPECT_EQ(taluma::factoryBankFolder(), "");  // not installed
    EXPECT_EQ(taluma::userPresetFolder(), "");   // not made yet

    fs::create_directories(presets / "tlmprst");
    EXPECT_EQ(taluma::factoryBankFolder(), (presets / "tlmprst").string());
    EXPECT_EQ(taluma::userPresetFolder(true), (presets / "user").string());
    EXPECT_TRUE(fs::is_directory(presets / "user"));

    ::unsetenv("HOME");
    EXPECT_EQ(taluma::instrumentPresetFolder(), "");
    EXPECT_EQ(taluma::factoryBankFolder(), "");
    EXPECT_EQ(taluma::userPresetFolder(true), "");
    EXPECT_EQ(taluma::homeFolder(), "");
    ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
