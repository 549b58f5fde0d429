// The editor in a real host: Ardour 7's GUI on a private Xvfb (dummy audio backend, no
// dialogs) opens a session whose saved UI state shows the plug-in's window, and the
// plug-in's own X window (made by another X client than Ardour's) draws the editor
// inside Ardour's plug-in window. A screenshot of the display is kept in the build
// folder (ardour_editor.png).
#include "ardour_support.h"
#include "xvfbserver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <spawn.h>
#include <thread>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

extern char** environ;

namespace {

using namespace taluma::host;

// Ardour starts its engine without asking (dummy backend, "Silence", 48 kHz, 1024
// samples) and skips its first-run wizard.
void writeArdourConfig(const fs::path& configHome) {
    const fs::path dir = configHome / "ardour7";
    fs::create_directories(dir);
    std::ofstream(dir / ".a7").close();
    fs::copy_file(TALUMA_ARDOUR_CONFIG, dir / "config", fs::copy_options::overwrite_existing);
}

// The saved UI state opens the plug-in's own editor of the track "Synth" at start-up
// (`type`: the processor's type in the session, "vst3" or "lv2").
bool showPluginWindowAtStart(const fs::path& sessionFile, const std::string& type) {
    std::string text = readText(sessionFile);
    std::smatch route, processor;
    if (!std::regex_search(text, route, std::regex(R"re(<Route [^>]*id="(\d+)" name="Synth")re")))
        return false;
    const std::string rest = text.substr(size_t(route.position(0)));
    if (!std::regex_search(
            rest, processor,
            std::regex(R"re(<Processor id="(\d+)" name="TALUMA W"[^>]*type=")re" + type + "\"")))
        return false;
    const std::string window = "  <Extra>\n    <UI>\n      <Window name=\"P-" + route[1].str() +
                               "-" + processor[1].str() +
                               "\" visible=\"1\" custom-ui=\"1\"/>\n    </UI>\n  </Extra>\n";
    const size_t end = text.rfind("</Session>");
    if (end == std::string::npos)
        return false;
    text.insert(end, window);
    std::ofstream(sessionFile, std::ios::binary) << text;
    return true;
}

constexpr unsigned long kClientMask = ~0x1FFFFFUL;  // an X client's window-id base

std::vector<Window> children(Display* d, Window w) {
    Window root, parent, *list = nullptr;
    unsigned count = 0;
    std::vector<Window> out;
    if (XQueryTree(d, w, &root, &parent, &list, &count) && list) {
        out.assign(list, list + count);
        XFree(list);
    }
    return out;
}

// In the subtree of `w`: a mapped 800 x 600 window made by another client than `owner`.
Window findForeignEditor(Display* d, Window w, unsigned long owner) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable && a.width == 800 &&
        a.height == 600 && (w & kClientMask) != owner)
        return w;
    for (Window child : children(d, w))
        if (Window found = findForeignEditor(d, child, owner))
            return found;
    return 0;
}

// Ardour's top-level window of the plug-in ("Synth: TALUMA W ...") and the editor in it.
Window findPluginEditor(Display* d) {
    for (Window top : children(d, DefaultRootWindow(d))) {
        // Window managers are absent under Xvfb: the name is on the top-level itself.
        char* name = nullptr;
        const bool ours = XFetchName(d, top, &name) && name && std::strstr(name, "TALUMA W");
        if (name)
            XFree(name);
        if (Window found = ours ? findForeignEditor(d, top, top & kClientMask) : 0)
            return found;
    }
    return 0;
}

// The pixels (0xRRGGBB) of the width x height area of `w` at x, y; none if it cannot be read.
std::vector<unsigned long> pixels(Display* d, Window w, int x, int y, int width, int height) {
    std::vector<unsigned long> out;
    XImage* image = XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    for (int row = 0; image && row < height; ++row)
        for (int col = 0; col < width; ++col)
            out.push_back(XGetPixel(image, col, row) & 0xFFFFFF);
    if (image)
        XDestroyImage(image);
    return out;
}

// How many colours all of `w` shows; written as a PNG file too unless `path` is empty.
size_t capture(Display* d, Window w, const std::string& path = "") {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return 0;
    const std::vector<unsigned long> all = pixels(d, w, 0, 0, a.width, a.height);
    std::vector<unsigned char> rgb;
    for (unsigned long p : all)
        rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    if (!path.empty() && !all.empty())
        stbi_write_png(path.c_str(), a.width, a.height, 3, rgb.data(), a.width * 3);
    return std::set<unsigned long>(all.begin(), all.end()).size();
}

// Ardour's GUI, started on the saved session of `scratch` with the plug-in's window
// (processor type `type`) shown; the editor must draw in it while Ardour runs (up to
// 90 s). A screenshot of the whole display is written to `shot` in the build folder.
// Ardour is ended (and waited for) when the object goes.
struct ArdourWindow {
    void open(const ArdourScratch& scratch, const std::string& type, const std::string& shot) {
        ASSERT_TRUE(showPluginWindowAtStart(scratch.session / "host.ardour", type));
        writeArdourConfig(scratch.home / ".config");
        const std::string command =
            scratch.env + "exec ardour -a -n " + shellQuoted(scratch.session / "host.ardour");
        char* argv[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                        const_cast<char*>(command.c_str()), nullptr};
        ASSERT_EQ(posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        size_t colours = 0;
        for (int i = 0; i < 180 && running(); ++i) {  // Ardour takes a while to start
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            editor = findPluginEditor(display);
            // Drawn: the window shows the editor's picture, not one flat colour.
            if (editor && (colours = capture(display, editor)) > 16)
                break;
        }
        const std::string path = screenshot(shot);
        ASSERT_NE(editor, 0UL) << "no plug-in window inside Ardour's (screenshot: " << path << ")";
        ASSERT_GT(colours, 16u) << "the plug-in window is blank (screenshot: " << path << ")";
    }
    std::string screenshot(const std::string& name) const {
        const std::string path = std::string(TALUMA_HOST_SCRATCH) + "/" + name;
        capture(display, DefaultRootWindow(display), path);
        return path;
    }
    bool running() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }
    ~ArdourWindow() {
        if (display)
            XCloseDisplay(display);
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        for (int i = 0; i < 100 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    pid_t pid = -1;
    Display* display = nullptr;
    Window editor = 0;
};

TEST(ArdourEditor, TheEditorOpensAndDrawsInsideArdoursWindow) {
    if (!installed("ardour ardour7-lua"))
        GTEST_SKIP() << kNotInstalled;
    VSTGUI::Test::XvfbServer server;  // sets DISPLAY for Ardour too
    if (!server.isRunning())
        GTEST_SKIP() << "no X server for Ardour's window: " << server.failure();

    const ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-gui", TALUMA_BUNDLE_DIR);
    ASSERT_NO_FATAL_FAILURE(scratch.expectScanned());
    ASSERT_NO_FATAL_FAILURE(scratch.buildSession());
    ArdourWindow window;
    window.open(scratch, "vst3", "ardour_editor.png");
}

// The LV2 bundle's window in Ardour: it opens inside Ardour's plug-in window and takes
// a drag on operator A's TL knob (knob and number change, and Ardour saves the port's new
// value with the session). Screenshots before and after:
// ardour_lv2_editor.png, ardour_lv2_editor_dragged.png.
TEST(ArdourEditor, TheLv2WindowOpensInsideArdoursAndTakesAKnobDrag) {
    if (!installed("ardour ardour7-lua xdotool"))
        GTEST_SKIP() << kNotInstalled;
    VSTGUI::Test::XvfbServer server;
    if (!server.isRunning())
        GTEST_SKIP() << "no X server for Ardour's window: " << server.failure();

    ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-lv2-gui", TALUMA_BUNDLE_DIR);
    scratch.addLv2Bundle(TALUMA_LV2_BUNDLE_DIR);
    ASSERT_NO_FATAL_FAILURE(scratch.buildSession("TALUMA_PLUGIN_TYPE=LV2"));
    ArdourWindow window;
    ASSERT_NO_FATAL_FAILURE(window.open(scratch, "lv2", "ardour_lv2_editor.png"));

    // Operator A's TL knob (Logic page) and the number under it, in window coordinates.
    const int knobX = 572 + 12 + 10, knobY = 56 + 152 + 10;
    const auto region = [&] {
        return pixels(window.display, window.editor, knobX - 12, knobY - 12, 64, 24);
    };
    const std::vector<unsigned long> before = region();
    const Command drag = runShell(
        "xdotool mousemove --window " + std::to_string(window.editor) + " " +
        std::to_string(knobX) + " " + std::to_string(knobY) +
        " mousedown 1 sleep 0.2 mousemove_relative -- 0 -20 sleep 0.2 "
        "mousemove_relative -- 0 -20 sleep 0.2 mousemove_relative -- 0 -20 sleep 0.2 mouseup 1");
    ASSERT_EQ(drag.exitCode, 0) << drag.output;
    std::vector<unsigned long> after;
    for (int i = 0; i < 20 && (after = region()) == before; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    window.screenshot("ardour_lv2_editor_dragged.png");
    EXPECT_NE(after, before) << "the knob and its value did not move";

    // The drag reached Ardour as writes to the port: saved (Ctrl+S in Ardour's editor
    // window), the session holds a TL other than the 16 it started with.
    const fs::path saved = scratch.session / "host.ardour";
    const auto savedTl = [&] {
        const std::string xml = readText(saved);
        const std::string tag = "<Port symbol=\"op_a_tl\" value=\"";
        const size_t at = xml.find(tag);
        return at == std::string::npos ? -1 : std::atoi(xml.c_str() + at + tag.size());
    };
    ASSERT_EQ(savedTl(), 16);
    const auto savedAt = fs::last_write_time(saved);
    const Command save =
        runShell("xdotool search --onlyvisible --name 'host - Ardour' windowfocus --sync "
                 "key --clearmodifiers ctrl+s");
    for (int i = 0; i < 40 && fs::last_write_time(saved) == savedAt; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    ASSERT_NE(fs::last_write_time(saved), savedAt) << "Ardour did not save: " << save.output;
    EXPECT_GT(savedTl(), 16);
}

}  // namespace
