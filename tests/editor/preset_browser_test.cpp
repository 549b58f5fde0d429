// With HOME in a scratch folder, through the built module's window: where the file
// dialogs start, and the preset browser of the menu bar, which lists the installed bank
// by category and the musician's own presets, steps through them, marks an edited sound,
// saves under a name typed in the window and loads that back.
#include "editor_fixture.h"

#include "engine/engine_event.h"
#include "scratch_dir.h"
#include "vstgui/lib/vstkeycode.h"

#include <cstdlib>
#include <filesystem>

// The preset folders come from the shell on Windows, where a test cannot redirect them.
#ifndef _WIN32

namespace taluma::test {
namespace {

namespace fs = std::filesystem;
namespace S = layout::settings;
constexpr uint32_t kTlA = eventid::kOperatorA + eventid::kTotalLevel;

// No preset folders yet below HOME.
class ScratchHome : public EditorFixture {
protected:
    void SetUp() override {
        savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        ::setenv("HOME", home.path().c_str(), 1);
        instrument = fs::u8path(home.path()) / ".vst3/presets/TALUMA W developers/TALUMA W";
        EditorFixture::SetUp();
    }
    void TearDown() override {
        EditorFixture::TearDown();
        if (!savedHome.empty())
            ::setenv("HOME", savedHome.c_str(), 1);
    }

    testhost::ScratchDir home;
    std::string savedHome;
    fs::path instrument;
};

// Preset dialogs start in the folder of the last preset, else the musician's own preset
// folder, else the factory bank; wavetable dialogs in the folder last used for them,
// else the home folder.
TEST_F(ScratchHome, FileDialogsStartWhereTheFilesAre) {
    testhost::ScratchDir elsewhere;
    auto startsIn = [&](const Rect& button) {
        click(page(button));
        ProbeFileDialog dialog{};
        EXPECT_EQ(probe->fileDialog(dialog), Steinberg::kResultOk);
        return std::string(dialog.initialDirectory);
    };
    auto cancel = [&] { key(0, VSTGUI::VKEY_ESCAPE); };
    showSettings();
    EXPECT_EQ(startsIn(S::importButton[0]), home.path());
    cancel();
    EXPECT_EQ(startsIn(S::presetImportButton), "");  // nothing installed
    cancel();
    fs::create_directories(instrument / "tlmprst");
    EXPECT_EQ(startsIn(S::presetImportButton), (instrument / "tlmprst").string());
    cancel();
    fs::create_directories(instrument / "user");
    EXPECT_EQ(startsIn(S::presetExportButton), (instrument / "user").string());
    answerFileDialog(elsewhere.file("mine.tlmprst"));
    EXPECT_EQ(startsIn(S::presetImportButton), elsewhere.path());
    cancel();
    EXPECT_EQ(startsIn(S::exportButton[1]), home.path());  // presets are not tables
    answerFileDialog(elsewhere.file("sub/wave.txt"));
    EXPECT_EQ(startsIn(S::importButton[0]), elsewhere.file("sub"));
    cancel();
}

class PresetBrowser : public ScratchHome {
protected:
    void SetUp() override {
        ScratchHome::SetUp();
        fs::create_directories(instrument / "tlmprst");
        // A bank of three sounds in two categories, each with its own TL of operator A.
        const std::pair<const char*, double> bank[] = {
            {"Bass - One", 0.1}, {"Bass - Two", 0.2}, {"Lead - Three", 0.3}};
        showSettings();
        for (const auto& [file, tl] : bank) {
            automate(kTlA, tl);
            click(page(S::presetExportButton));
            answerFileDialog(bankFile(file));
        }
        click(layout::window::tabLeft);
        clearLogs();
    }
    // Entry `entry` of category `category` in the menu; a category past the last picks
    // "Save Preset...".
    void pick(int category, int entry = -1) {
        choose(bar(layout::menubar::presetName), category, entry);
    }
    // The preset files the window asked the processor to load since the last look; the
    // window's timer has passed the new values on to the host.
    std::vector<std::string> loaded() {
        tick(200);
        std::vector<std::string> paths;
        for (const auto& m : fileRequests())
            if (m.tag == cmd::file::kImportPreset)
                paths.emplace_back(m.path.begin(), m.path.end() - 1);
        clearLogs();
        return paths;
    }
    std::string shownName() const { return text(bar(layout::menubar::presetName)); }
    std::string bankFile(const char* name) const {
        return (instrument / "tlmprst" / (std::string(name) + ".tlmprst")).string();
    }
};

TEST_F(PresetBrowser, ListsTheBankByCategoryAndStepsThroughIt) {
    EXPECT_EQ(shownName(), "Three");  // the last one exported
    // The menu open on a category, in both skins (TALUMA_UPDATE_GOLDEN=1 rewrites them).
    for (int32_t skin = 0; skin < 2; ++skin) {
        showSettings();
        choose(page(S::skinMenu), skin);
        openMenu(bar(layout::menubar::presetName), 0, 0);
        expectPicture(Rect{280, 0, 320, 120},
                      std::string("preset_menu_") + layout::kSkinNames[skin]);
        key(0, VSTGUI::VKEY_ESCAPE);
        key(0, VSTGUI::VKEY_ESCAPE);
    }
    pick(0, 1);  // Bass, Two
    EXPECT_EQ(loaded(), std::vector<std::string>{bankFile("Bass - Two")});
    EXPECT_EQ(shownName(), "Two");
    pick(1, 0);  // Lead, Three
    EXPECT_EQ(loaded(), std::vector<std::string>{bankFile("Lead - Three")});
    EXPECT_EQ(shownName(), "Three");

    // Next runs round the end of the list, previous back.
    const std::pair<Rect, const char*> steps[] = {
        {bar(layout::menubar::presetNext), "Bass - One"},
        {bar(layout::menubar::presetNext), "Bass - Two"},
        {bar(layout::menubar::presetPrev), "Bass - One"},
        {bar(layout::menubar::presetPrev), "Lead - Three"}};
    for (const auto& [button, file] : steps) {
        click(button);
        EXPECT_EQ(loaded(), std::vector<std::string>{bankFile(file)}) << file;
    }
    EXPECT_EQ(shownName(), "Three");

    // A state the host loads is none of the browser's presets.
    std::vector<uint8_t> state;
    ASSERT_TRUE(plugin->getState(state));
    ASSERT_EQ(plugin->setState(state), Steinberg::kResultOk);
    tick(50);
    EXPECT_EQ(shownName(), "Untitled");
}

TEST_F(PresetBrowser, AnEditedSoundIsMarkedAndSavedUnderATypedNameItLoadsBackAs) {
    pick(0, 0);
    EXPECT_EQ(shownName(), "One");
    wheel(page(layout::logic::envelopeKnob[0][0]), 5);  // TL A up five steps
    EXPECT_EQ(shownName(), "One *");

    pick(2);  // past the categories: "Save Preset..."
    for (int i = 0; i < 8; ++i)
        key(0, VSTGUI::VKEY_BACK);
    for (char c : std::string("My Bass"))
        key(c);
    // The box's Save button, with the mouse: a host may keep Enter for itself.
    // The box (300 x 96) sits in the middle of the window, Save at its lower right.
    click(Rect{250 + 215, 252 + 62, 75, 22});
    const fs::path saved = instrument / "user" / "My Bass.tlmprst";
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(shownName(), "My Bass");

    automate(kTlA, 0.9);
    clearLogs();
    pick(2, 0);  // the new category "User", its first preset
    EXPECT_EQ(loaded(), std::vector<std::string>{saved.string()});
    EXPECT_EQ(shownName(), "My Bass");
}

}  // namespace
}  // namespace taluma::test

#endif  // _WIN32
