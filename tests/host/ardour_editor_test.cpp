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
#include <fstream>
#include <regex>
#include <set>
#include <spawn.h>
#include <thread>
#include <unistd.h>
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
    std::ofstream(dir / "config") << R"xml(<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="try-autostart-engine" value="1"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="" device="Silence" input-device="" output-device=""
               sample-rate="48000" buffer-size="1024" n-periods="0" input-latency="0"
               output-latency="0" input-channels="0" output-channels="0" lm-input="" lm-output=""
               active="1" use-buffered-io="0" midi-option="" lru="1"/>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
)xml";
}

// The saved UI state opens the plug-in's own editor of the track "Synth" at start-up
// (`type`: the processor's type in the session, "vst3" or "lv2").
bool showPluginWindowAtStart(const fs::path& sessionFile, const std::string& type = "vst3") {
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

std::string windowName(Display* d, Window w) {
    char* name = nullptr;
    std::string result;
    if (XFetchName(d, w, &name) && name)
        result = name;
    if (name)
        XFree(name);
    return result;
}

// In the subtree of `w`: a mapped 800 x 600 window made by another client than `owner`.
Window findForeignEditor(Display* d, Window w, unsigned long owner) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable && a.width == 800 &&
        a.height == 600 && (w & kClientMask) != owner)
        return w;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        found = findForeignEditor(d, children[i], owner);
    if (children)
        XFree(children);
    return found;
}

// Ardour's top-level window of the plug-in ("Synth: TALUMA W ...") and the editor in it.
Window findPluginEditor(Display* d) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        const Window top = children[i];
        std::string name = windowName(d, top);
        // Window managers are absent under Xvfb: the name is on the top-level itself.
        if (name.find("TALUMA W") != std::string::npos)
            found = findForeignEditor(d, top, top & kClientMask);
    }
    if (children)
        XFree(children);
    return found;
}

bool writeScreenshot(Display* d, Window w, const std::string& path, size_t& colours) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return false;
    XImage* image =
        XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::vector<unsigned char> rgb(size_t(a.width) * size_t(a.height) * 3);
    std::set<unsigned long> distinct;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            distinct.insert(p & 0xFFFFFF);
            unsigned char* o = &rgb[(size_t(y) * size_t(a.width) + size_t(x)) * 3];
            o[0] = (p >> 16) & 0xFF;
            o[1] = (p >> 8) & 0xFF;
            o[2] = p & 0xFF;
        }
    XDestroyImage(image);
    colours = distinct.size();
    return path.empty() ||
           stbi_write_png(path.c_str(), a.width, a.height, 3, rgb.data(), a.width * 3) != 0;
}

// Ardour's GUI, started on the saved session of `scratch` with the plug-in's window
// (processor type `type`) shown; the editor found drawn in it (0 if none drew while
// Ardour ran, up to 90 s), and a screenshot of the whole display written to `shot`.
// Ardour is ended (and waited for) when the object goes.
struct ArdourWindow {
    void open(const ArdourScratch& scratch, const std::string& type, const std::string& shot) {
        ASSERT_TRUE(showPluginWindowAtStart(scratch.session / "host.ardour", type));
        writeArdourConfig(scratch.home / ".config");
        setenv("HOME", scratch.home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (scratch.home / ".config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (scratch.home / ".cache").c_str(), 1);
        if (type == "lv2")
            setenv("LV2_PATH", (scratch.root / "lv2").c_str(), 1);
        else
            setenv("VST3_PATH", scratch.plugins.c_str(), 1);
        const std::string session = (scratch.session / "host.ardour").string();
        char* argv[] = {const_cast<char*>("ardour"), const_cast<char*>("-a"),
                        const_cast<char*>("-n"), const_cast<char*>(session.c_str()), nullptr};
        ASSERT_EQ(posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        for (int i = 0; i < 180 && running(); ++i) {  // Ardour takes a while to start
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            editor = findPluginEditor(display);
            // Drawn: the window shows the editor's picture, not one flat colour.
            if (editor && writeScreenshot(display, editor, "", colours) && colours > 16)
                break;
        }
        size_t all = 0;
        writeScreenshot(display, DefaultRootWindow(display), shot, all);
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
    size_t colours = 0;
};

TEST(ArdourEditor, TheEditorOpensAndDrawsInsideArdoursWindow) {
    if (!installed("ardour ardour7-lua"))
        GTEST_SKIP() << kNotInstalled;
    VSTGUI::Test::XvfbServer server;  // sets DISPLAY for Ardour too
    if (!server.isRunning())
        GTEST_SKIP() << "no X server for Ardour's window: " << server.failure();

    const ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-gui", TALUMA_BUNDLE_DIR);
    const Command scan = scratch.scan();
    ASSERT_NE(scan.output.find("Found Plugin: TALUMA W"), std::string::npos) << scan.output;
    const Command build = scratch.buildSession(TALUMA_HOST_SCRIPT, 64);
    ASSERT_NE(build.output.find("SESSION SAVED"), std::string::npos) << build.output;
    const std::string shot = std::string(TALUMA_HOST_SCRATCH) + "/ardour_editor.png";
    ArdourWindow window;
    ASSERT_NO_FATAL_FAILURE(window.open(scratch, "vst3", shot));
    EXPECT_NE(window.editor, 0UL) << "no plug-in window inside Ardour's (screenshot: " << shot
                                  << ")";
    EXPECT_GT(window.colours, 16u) << "the plug-in window is blank (screenshot: " << shot << ")";
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
    const Command build = scratch.buildSession(TALUMA_HOST_SCRIPT, 64, "TALUMA_PLUGIN_TYPE=LV2");
    ASSERT_NE(build.output.find("SESSION SAVED"), std::string::npos) << build.output;
    const std::string shot = std::string(TALUMA_HOST_SCRATCH) + "/ardour_lv2_editor.png";
    ArdourWindow window;
    ASSERT_NO_FATAL_FAILURE(window.open(scratch, "lv2", shot));
    ASSERT_NE(window.editor, 0UL) << "no plug-in window inside Ardour's (screenshot: " << shot
                                  << ")";
    ASSERT_GT(window.colours, 16u) << "the plug-in window is blank (screenshot: " << shot << ")";
    Display* display = window.display;
    const Window editor = window.editor;

    // Operator A's TL knob (Logic page) and the number under it, in window coordinates.
    const int knobX = 572 + 12 + 10, knobY = 56 + 152 + 10;
    auto region = [&] {
        XImage* image =
            XGetImage(display, editor, knobX - 12, knobY - 12, 64, 24, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int y = 0; image && y < 24; ++y)
            for (int x = 0; x < 64; ++x)
                pixels.push_back(XGetPixel(image, x, y));
        if (image)
            XDestroyImage(image);
        return pixels;
    };
    const std::vector<unsigned long> before = region();
    const std::string id = std::to_string(editor);
    const Command drag = runShell(
        "xdotool mousemove --window " + id + " " + std::to_string(knobX) + " " +
        std::to_string(knobY) +
        " mousedown 1 sleep 0.2 mousemove_relative -- 0 -20 sleep 0.2 "
        "mousemove_relative -- 0 -20 sleep 0.2 mousemove_relative -- 0 -20 sleep 0.2 mouseup 1");
    ASSERT_EQ(drag.exitCode, 0) << drag.output;
    std::vector<unsigned long> after;
    for (int i = 0; i < 20 && (after = region()) == before; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    size_t all = 0;
    writeScreenshot(display, DefaultRootWindow(display),
                    std::string(TALUMA_HOST_SCRATCH) + "/ardour_lv2_editor_dragged.png", all);
    EXPECT_NE(after, before) << "the knob and its value did not move";

    // The drag reached Ardour as writes to the port: saved (Ctrl+S in Ardour's editor
    // window), the session holds a TL other than the 16 it started with.
    const fs::path saved = scratch.session / "host.ardour";
    const auto savedTl = [&] {
        std::ifstream in(saved);
        const std::string xml((std::istreambuf_iterator<char>(in)), {});
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
