// The built module with its editor window open offscreen, as a host shows it, driven
// through the window's probe (editor_probe.h) as a user would: clicks, drags, wheel
// notches, typing and menu choices at the middle of a place of layout.h (in frame
// coordinates, multiplied by the content scale factor on their way to the window, as a
// screen's pixels). Helpers read what the window shows and sent to the processor and the
// host, run tables of gestures and compare pictures with golden/. Time moves only when
// the test says so (tick).
#pragma once

#include "bundle_fixture.h"
#include "synth/command_tags.h"
#include "editor/editor_probe.h"
#include "editor/editor_tags.h"
#include "editor/layout.h"
#include "vst3/messages.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <functional>
#include <optional>

namespace taluma::testhost {
std::ostream& operator<<(std::ostream& out, const HostEdit& e);
}

namespace taluma::test {

using layout::Rect;
using testhost::HostEdit;
enum Buttons { kLeft = 2, kRight = 8, kShift = 0x100 };
struct Point {
    double x, y;
};

// Places of layout.h in frame coordinates.
constexpr auto bar = [](const Rect& r) { return r.in(layout::window::menuBar); };
constexpr auto waveArea = [](const Rect& r) { return r.in(layout::window::waveEditor); };
constexpr auto page = [](const Rect& r, const Rect& panel = {0, 0, 0, 0}) {
    return r.in(panel).in(layout::window::page);
};
constexpr auto control = [](int32_t command) { return cmd::editorTag(command); };
constexpr auto step = [](int n, int steps) { return double(float(n) / float(steps)); };

// A "GUIEditor:valueChange" as the processor received it: tag and value.
using Sent = std::pair<int64_t, double>;
const auto begin = [](uint32_t id) { return HostEdit{HostEdit::kBegin, id, 0.0}; };
const auto perform = [](uint32_t id, double v) { return HostEdit{HostEdit::kPerform, id, v}; };
const auto end = [](uint32_t id) { return HostEdit{HostEdit::kEnd, id, 0.0}; };

// A view at a place and what it shows: a text, or (without one) a value.
struct Shown {
    Shown(const Rect& r, const char* t) : at(r), text(t) {}
    Shown(const Rect& r, double v) : at(r), value(float(v)) {}
    Rect at;
    const char* text = nullptr;
    float value = 0.0f;
};

// The host's window around the view: it takes the size the view asks for and confirms it
// with onSize, as hosts do (unless told to refuse), and remembers the sizes asked for.
class HostWindow : public Steinberg::FObject, public Steinberg::IPlugFrame {
public:
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* size) override;
    std::vector<Steinberg::ViewRect> resizes;
    bool refuse = false;
    OBJ_METHODS(HostWindow, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IPlugFrame)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)
};

class EditorFixture : public BundleFixture {
protected:
    using Act = std::function<void()>;
    // A gesture and what it must do: at most one host-parameter gesture and one command,
    // and what views show once the processor has answered.
    struct Row {
        Act act;
        uint32_t param;  // 0: no host edit
        double norm;
        int64_t tag;  // 0: nothing sent
        double val;
        std::vector<Shown> shown;
    };

    void SetUp() override;
    void TearDown() override;
    void openEditor();  // (again); forgets what was sent so far
    void closeEditor();
    // A new instance of the instrument (default state) with the window open.
    void freshInstance();

    // IPlugViewContentScaleSupport::setContentScaleFactor; gestures and pictures follow it.
    Steinberg::tresult setScale(float factor);
    void mouse(int32_t e, double x, double y, int32_t b) {
        probe->mouse(e, x * scale, y * scale, b);
    }
    void click(const Rect& r, int32_t buttons = kLeft) {
        mouse(IEditorProbe::kDown, midX(r), midY(r), buttons);
        mouse(IEditorProbe::kUp, midX(r), midY(r), buttons);
    }
    // Presses at the first point, moves through the others and releases at the last (the
    // wave views paint with the right button).
    void stroke(const std::vector<Point>& points, int32_t buttons = kRight);
    void wheel(const Rect& r, float notches) {
        probe->wheel(midX(r) * scale, midY(r) * scale, notches);
    }
    void type(const Rect& r, const std::string& text);  // clicks, types, presses Enter
    // Opens the menu at `r` and goes down to entry `index` (and, with a `sub`, into its
    // sub-menu to entry `sub`) by keys; choose then takes the entry with Enter.
    void openMenu(const Rect& r, int index, int sub = -1);
    void choose(const Rect& r, int index, int sub = -1);
    void key(int32_t c, int32_t virtualKey = 0, int32_t m = 0) { probe->key(c, virtualKey, m); }
    void tick(uint32_t milliseconds) { probe->advanceTime(milliseconds); }
    void showSettings() { click(bar(layout::menubar::settingsButton)); }
    // Types the path into the open file dialog and accepts it.
    void answerFileDialog(const std::string& path);

    Act press(const Rect& r, int32_t buttons = kLeft) {
        return [=] { click(r, buttons); };
    }
    Act turn(const Rect& r, float notches) {
        return [=] { wheel(r, notches); };
    }
    Act typeIn(const Rect& r, const char* text) {
        return [=] { type(r, text); };
    }
    Act pick(const Rect& r, int index) {
        return [=] { choose(r, index); };
    }
    // `act` after `first`, whose edits and commands are forgotten.
    Act after(const Act& first, const Act& act) {
        return [=] {
            first();
            clearLogs();
            act();
        };
    }

    std::vector<ProbeView> views() const;  // in drawing order, the frame first
    // The view lying exactly on `r` (the topmost, a visible one first); a failure if none.
    ProbeView at(const Rect& r) const {
        ProbeView v{};
        probe->viewInfo(indexAt(r), v);
        return v;
    }
    std::string text(const Rect& r) const { return at(r).text; }
    float value(const Rect& r) const { return at(r).value; }
    std::vector<std::string> menuEntries(const Rect& r) const;
    // Compares `area` of the window (times the scale factor) with golden/<name>.png (TALUMA_UPDATE_GOLDEN=1
    // rewrites it; a differing picture is written to the build folder).
    void expectPicture(const Rect& area, const std::string& name);

    void clearLogs() {
        plugin->clearMessages();
        plugin->componentHandler().clear();
    }
    // What the window sent since the last clearLogs.
    std::vector<Sent> sent() const;
    const std::vector<HostEdit>& edits() const { return plugin->componentHandler().edits(); }
    std::vector<testhost::RecordedMessage> messages(const char* id) const;  // to the processor
    std::vector<testhost::RecordedMessage> fileRequests() const {
        return messages(taluma::message::kFileSelect);
    }
    // Each row on a fresh instance, after `prepare` (for instance showing a page).
    void run(
        const std::vector<Row>& rows, const Act& prepare = [] {});

    // Host automation of a parameter, applied by one processed block.
    void automate(uint32_t id, double normalized) {
        plugin->parameterChange(id, 0, normalized);
        render(64);
    }
    // A command as another part of the window would send it (or, without a value, as no
    // part of it would); the answer reaches the window.
    void command(int64_t tag, std::optional<double> value);

    Steinberg::IPlugView* view = nullptr;
    IEditorProbe* probe = nullptr;
    HostWindow* host = nullptr;
    double scale = 1.0;

private:
    static double midX(const Rect& r) { return r.left + r.width / 2.0; }
    static double midY(const Rect& r) { return r.top + r.height / 2.0; }
    int32_t indexAt(const Rect& r) const;
};

}  // namespace taluma::test
