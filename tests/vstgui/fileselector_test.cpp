// The file selector: the in-frame browser answered by mouse and keys, and the Linux
// dialog process (a stand-in zenity script on PATH) answered through the frame's idle.
#include <gtest/gtest.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <csignal>
#include <sys/stat.h>
#include <thread>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

class Delegate : public CBaseObject {
public:
    CMessageResult notify(CBaseObject* sender, IdStringPtr message) override {
        messages.push_back(message);
        auto* selector = dynamic_cast<CNewFileSelector*>(sender);
        files.clear();
        for (uint32_t i = 0; selector && i < selector->getNumSelectedFiles(); ++i)
            files.push_back(selector->getSelectedFile(i));
        return kMessageNotified;
    }
    std::vector<std::string> messages;
    std::vector<std::string> files;
};

struct SelectorTest : ::testing::Test {
    void TearDown() override { delegate->forget(); }
    // Runs a selector on `f`; `prepare` sets it up before.
    bool run(CFrame* f, CNewFileSelector::Style style,
             const std::function<void(CNewFileSelector*)>& prepare = nullptr) {
        CNewFileSelector* selector = CNewFileSelector::create(f, style);
        if (prepare)
            prepare(selector);
        bool running = selector->run(delegate);
        selector->forget();  // as the editor does: the selector lives until it reports
        return running;
    }
    Delegate* delegate{new Delegate};
};

struct InFrameSelectorTest : SelectorTest {
    void SetUp() override { CNewFileSelector::setBackend(CNewFileSelector::Backend::kInFrame); }
    void TearDown() override {
        CNewFileSelector::setBackend(CNewFileSelector::Backend::kAutomatic);
        SelectorTest::TearDown();
    }
    OffscreenFrame frame{800, 600};
};

// A folder to browse: a subfolder, two presets (one named in capitals), a text file and
// a hidden preset, which the list leaves out.
struct BrowserTest : InFrameSelectorTest {
    BrowserTest() {
        root = ::testing::TempDir() + "browser" + std::to_string(::getpid());
        std::filesystem::create_directories(root + "/sub");
        for (const char* name :
             {"/a.tlmprst", "/B.tlmprst", "/notes.txt", "/.hidden.tlmprst", "/sub/deep.tlmprst"})
            std::ofstream(root + name) << "x";
    }
    ~BrowserTest() override { std::filesystem::remove_all(root); }
    bool open(CNewFileSelector::Style style, const char* defaultName = nullptr) {
        delegate->messages.clear();
        delegate->files.clear();
        return run(frame.get(), style, [&](CNewFileSelector* selector) {
            if (defaultName)
                selector->setDefaultSaveName(defaultName);
            selector->setInitialDirectory(root);
            selector->setDefaultExtension(CFileExtension("preset files(.tlmprst)", "tlmprst"));
        });
    }
    // The texts of the list's rows that hold an entry, top to bottom.
    std::vector<std::string> listed() const {
        std::vector<std::string> out;
        auto* panel = dynamic_cast<CViewContainer*>(frame->getModalView());
        for (uint32_t i = 0; panel && i < panel->getNbViews(); ++i) {
            auto* label = dynamic_cast<CTextLabel*>(panel->getView(i));
            const CRect r = label ? label->getViewSize() : CRect();
            if (label && r.top >= kListTop && r.bottom <= kListBottom && !label->getText().empty())
                out.push_back(label->getText());
        }
        return out;
    }
    // Clicks row `row` of the list, or a button of the panel (which sits in the middle).
    void clickRow(int row) { Offscreen::click(frame.get(), CPoint(240, 135 + 48 + 18 * row + 9)); }
    void clickButton(bool accept) {
        Offscreen::click(frame.get(), CPoint(accept ? 590 : 500, 135 + 310));
    }
    std::string answer() const { return delegate->files.empty() ? "" : delegate->files[0]; }
    // A file of the prepared folder as the browser names it.
    std::string inRoot(const char* relative) const {
        return (std::filesystem::u8path(root) / relative).lexically_normal().u8string();
    }

    // The list's rows, in the panel's coordinates.
    static constexpr CCoord kListTop = 48, kListBottom = 48 + 12 * 18;
    std::string root;
};

TEST_F(BrowserTest, ListsFoldersAndMatchingFiles) {
    ASSERT_TRUE(open(CNewFileSelector::kSelectFile));
    EXPECT_EQ(listed(), (std::vector<std::string>{"../", "sub/", "a.tlmprst", "B.tlmprst"}));
    clickRow(1);  // into "sub"
    EXPECT_EQ(listed(), (std::vector<std::string>{"../", "deep.tlmprst"}));
    clickRow(0);  // up again
    EXPECT_EQ(listed().size(), 4u);
}

TEST_F(BrowserTest, KeysOrTheMouseAloneOpenSaveOrCancel) {
    // Keys: 'v' Down, '>' Return, 'x' Escape; clicks: a digit on that row of the list, 'A'
    // on Accept, 'C' on Cancel, 'o' beside the panel. Typed text goes in first; only the
    // last action answers.
    struct Case {
        CNewFileSelector::Style style;
        const char* defaultName;
        const char* typed;
        const char* actions;
        std::string answer;  // empty: cancelled
    } cases[] = {
        {CNewFileSelector::kSelectFile, nullptr, "", "vvv>", inRoot("a.tlmprst")},
        {CNewFileSelector::kSelectFile, nullptr, "", "vv>vv>", inRoot("sub/deep.tlmprst")},
        {CNewFileSelector::kSelectFile, nullptr, "/tmp/in.tlmprst", ">", "/tmp/in.tlmprst"},
        {CNewFileSelector::kSelectSaveFile, "preset.tlmprst", "", ">", inRoot("preset.tlmprst")},
        {CNewFileSelector::kSelectSaveFile, "", "sub/mine", ">", inRoot("sub/mine.tlmprst")},
        {CNewFileSelector::kSelectFile, nullptr, "", "x", ""},
        // Hosts may keep Enter and Escape. Saving, a click on a file takes its name.
        {CNewFileSelector::kSelectFile, nullptr, "", "103", inRoot("B.tlmprst")},
        {CNewFileSelector::kSelectSaveFile, "new.tlmprst", "", "2A", inRoot("a.tlmprst")},
        {CNewFileSelector::kSelectFile, nullptr, "", "C", ""},
        {CNewFileSelector::kSelectFile, nullptr, "", "o", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(open(c.style, c.defaultName)) << c.actions;
        Offscreen::typeText(frame.get(), c.typed);
        for (const char* k = c.actions; *k; ++k) {
            EXPECT_TRUE(delegate->messages.empty()) << c.actions;
            if (*k >= '0' && *k <= '9')
                clickRow(*k - '0');
            else if (*k == 'A' || *k == 'C')
                clickButton(*k == 'A');
            else if (*k == 'o')
                Offscreen::click(frame.get(), CPoint(20, 20));
            else
                Offscreen::keyDown(frame.get(), 0,
                                   *k == 'v'   ? VKEY_DOWN
                                   : *k == '>' ? VKEY_RETURN
                                               : VKEY_ESCAPE);
        }
        ASSERT_EQ(delegate->messages.size(), 1u) << c.typed << c.actions;
        EXPECT_EQ(answer(), c.answer) << c.typed << c.actions;
        EXPECT_EQ(frame->getModalView(), nullptr);
        EXPECT_EQ(frame->getNbViews(), 0u);
    }
}

TEST_F(InFrameSelectorTest, ClosingTheFrameCancelsAndNoFrameMeansNoDialog) {
    EXPECT_FALSE(run(nullptr, CNewFileSelector::kSelectFile));
    EXPECT_TRUE(delegate->messages.empty());
    auto* f = new CFrame(CRect(0, 0, 400, 300), nullptr);
    ASSERT_TRUE(f->open(nullptr, PlatformType::kOffscreen));
    ASSERT_TRUE(run(f, CNewFileSelector::kSelectFile));
    f->close();
    ASSERT_EQ(delegate->messages.size(), 1u);
    EXPECT_TRUE(delegate->files.empty());
}

#ifndef _WIN32
// A stand-in for zenity: records its arguments and answers like the real one.
struct ProcessSelectorTest : SelectorTest {
    void SetUp() override {
        dir = ::testing::TempDir() + "fakezenity" + std::to_string(::getpid());
        mkdir(dir.c_str(), 0700);
        oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (dir + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", oldPath.c_str(), 1);
        SelectorTest::TearDown();
    }
    void writeScript(const std::string& body) {
        std::string path = dir + "/zenity";
        std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << dir << "/args'\n"
                            << body << "\n";
        chmod(path.c_str(), 0700);
    }
    // Lets the frame idle until `done` holds, for 5 s at the most.
    void idleUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 500 && !done(); ++i) {
            frame->idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::string arguments() const {
        std::ifstream in(dir + "/args");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    OffscreenFrame frame{200, 100};
    std::string dir, oldPath;
};

TEST_F(ProcessSelectorTest, ZenityAnswerIsDeliveredWithoutBlocking) {
    writeScript("echo /home/user/wave.txt");
    ASSERT_TRUE(run(frame.get(), CNewFileSelector::kSelectSaveFile, [](CNewFileSelector* selector) {
        selector->setTitle("Export Text File");
        selector->setDefaultSaveName("waveTable.txt");
        selector->setInitialDirectory("/home/user/tables");
        selector->addFileExtension(CFileExtension("text files(.txt)", "txt"));
    }));
    EXPECT_EQ(frame->getModalView(), nullptr);  // not the in-frame entry
    idleUntil([&] { return !delegate->messages.empty(); });
    ASSERT_EQ(delegate->messages.size(), 1u);
    EXPECT_EQ(delegate->files, std::vector<std::string>{"/home/user/wave.txt"});
    std::string args = arguments();
    for (const char* expected : {"--file-selection\n", "--save\n", "--title=Export Text File\n",
                                 "--filename=/home/user/tables/waveTable.txt\n",
                                 "--file-filter=text files(.txt) | *.txt\n"})
        EXPECT_NE(args.find(expected), std::string::npos) << expected;
}

TEST_F(ProcessSelectorTest, CancelAndHostsThatReapChildrenThemselves) {
    struct Case {
        const char* script;
        bool hostReaps;
        std::vector<std::string> files;
    } cases[] = {{"exit 1", false, {}}, {"echo /tmp/reaped.txt", true, {"/tmp/reaped.txt"}}};
    for (const Case& c : cases) {
        writeScript(c.script);
        delegate->messages.clear();
        auto previous = std::signal(SIGCHLD, c.hostReaps ? SIG_IGN : SIG_DFL);
        ASSERT_TRUE(run(frame.get(), CNewFileSelector::kSelectFile,
                        [](CNewFileSelector* s) { s->setInitialDirectory("/tmp/start"); }));
        idleUntil([&] { return !delegate->messages.empty(); });
        std::signal(SIGCHLD, previous);
        ASSERT_EQ(delegate->messages.size(), 1u) << c.script;
        EXPECT_EQ(delegate->files, c.files) << c.script;
        EXPECT_NE(arguments().find("--filename=/tmp/start/\n"), std::string::npos);
    }
}

TEST_F(ProcessSelectorTest, ClosingTheFrameEndsTheDialogProcess) {
    // The pid file appears whole (renamed into place), so the test never reads it half written.
    writeScript("echo $$ > '" + dir + "/pid.new'; mv '" + dir + "/pid.new' '" + dir +
                "/pid'; exec sleep 30");
    auto* f = new CFrame(CRect(0, 0, 100, 100), nullptr);
    ASSERT_TRUE(f->open(nullptr, PlatformType::kOffscreen));
    ASSERT_TRUE(run(f, CNewFileSelector::kSelectFile));
    for (int i = 0; i < 500 && !std::ifstream(dir + "/pid"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    f->close();
    ASSERT_EQ(delegate->messages.size(), 1u);  // reported as cancelled
    EXPECT_TRUE(delegate->files.empty());
    int pid = 0;
    std::ifstream(dir + "/pid") >> pid;
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);  // the dialog process is gone
}

TEST_F(ProcessSelectorTest, ABrokenDialogFallsBackToTheInFrameEntry) {
    writeScript("echo 'cannot open display' >&2; exit 3");
    ASSERT_TRUE(run(frame.get(), CNewFileSelector::kSelectFile));
    idleUntil([&] { return frame->getModalView() != nullptr; });
    ASSERT_NE(frame->getModalView(), nullptr);
    EXPECT_TRUE(delegate->messages.empty());
    Offscreen::typeText(frame.get(), "/tmp/a.wav");
    Offscreen::keyDown(frame.get(), 0, VKEY_RETURN);
    ASSERT_EQ(delegate->files.size(), 1u);
    EXPECT_EQ(delegate->files[0], "/tmp/a.wav");
}

#endif

}  // namespace
