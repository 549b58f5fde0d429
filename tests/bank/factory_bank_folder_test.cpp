// The folder the Settings page's import dialog starts in: the installed .tlmprst bank.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "factory_bank_folder.h"

namespace fs = std::filesystem;

namespace {

// Points HOME at a scratch folder for the test's duration.
class ScratchHome : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        savedHome_ = home ? home : "";
        home_ = fs::temp_directory_path() / ("taluma-bank-home-" + std::to_string(::getpid()));
        fs::create_directories(home_);
        ::setenv("HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        ::setenv("HOME", savedHome_.c_str(), 1);
        fs::remove_all(home_);
    }
    fs::path home_;
    std::string savedHome_;
};

TEST_F(ScratchHome, FactoryBankFolderIsTheInstalledTlmprstFolderOrEmpty) {
    const fs::path presets = home_ / ".vst3" / "presets" / "TALUMA W developers" / "TALUMA W";
    EXPECT_EQ(taluma::userPresetFolder(), presets.string());
    EXPECT_EQ(taluma::factoryBankFolder(), "");  // not installed

    fs::create_directories(presets / "tlmprst");
    EXPECT_EQ(taluma::factoryBankFolder(), (presets / "tlmprst").string());

    ::unsetenv("HOME");
    EXPECT_EQ(taluma::userPresetFolder(), "");
    EXPECT_EQ(taluma::factoryBankFolder(), "");
}

}  // namespace
