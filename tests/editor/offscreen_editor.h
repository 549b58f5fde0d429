// The plug-in's editor window opened offscreen through its IPlugView, and driven as a
// user would: clicks, drags, wheel notches, typing and menu choices on the controls,
// found by their tags. Time moves only when the test says so (tick).
//
//   auto editor = OffscreenEditor::open(plugin->controller(), error);
//   editor->drag(0x10001008, 0, -200);          // the volume knob to the top
//   editor->view(0x10001008).value;             // 1.0
//   editor->tick(100);                          // timers fire, the window refreshes
#pragma once

#include "editor_probe.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <memory>
#include <string>
#include <vector>

namespace taluma {
namespace testhost {

class OffscreenEditor {
public:
    enum Buttons { kLeft = 2, kRight = 8, kShift = 0x100, kControl = 0x200 };

    // createView("editor") and attached offscreen; null and a reason on failure.
    static std::unique_ptr<OffscreenEditor> open(Steinberg::Vst::IEditController* controller,
                                                 std::string& error);
    ~OffscreenEditor();  // removed, released
    OffscreenEditor(const OffscreenEditor&) = delete;
    OffscreenEditor& operator=(const OffscreenEditor&) = delete;

    Steinberg::IPlugView* plugView() const { return view_; }
    IEditorProbe* probe() const { return probe_; }

    // Every view in drawing order (the frame first).
    std::vector<ProbeView> views() const;
    // The index of the occurrence-th view with this tag (twins share tags), or -1.
    int32_t find(int32_t tag, int occurrence = 0) const;
    // That view; a test failure (and an empty record) when there is none.
    ProbeView view(int32_t tag, int occurrence = 0) const;
    std::vector<std::string> menuEntries(int32_t tag, int occurrence = 0) const;
    // The topmost view of this kind ("label", "container" ...) that lies exactly on the
    // rectangle (frame coordinates); a test failure when there is none.
    ProbeView viewAt(const char* kind, int32_t left, int32_t top, int32_t width,
                     int32_t height) const;

    void click(double x, double y, int32_t buttons = kLeft);
    // A click at the middle of the view.
    void clickView(int32_t tag, int occurrence = 0, int32_t buttons = kLeft);
    // Presses on the view, moves by dy pixels (negative is up) in `steps` moves, releases.
    void drag(int32_t tag, int occurrence, double dy, int steps = 4);
    void wheel(int32_t tag, int occurrence, float notches);
    // Clicks the field, types the text and presses Enter.
    void type(int32_t tag, int occurrence, const std::string& text);
    // Opens the option menu and chooses entry `index` with the keys.
    void choose(int32_t tag, int occurrence, int index);
    void key(int32_t character, int32_t virtualKey = 0, int32_t modifiers = 0);
    // Moves the timers' clock on by ms.
    void tick(uint32_t milliseconds);
    // The window's pixels, 0xAARRGGBB.
    std::vector<uint32_t> render(int32_t& width, int32_t& height);

private:
    OffscreenEditor() = default;
    Steinberg::IPlugView* view_ = nullptr;
    IEditorProbe* probe_ = nullptr;
    bool attached_ = false;
};

}  // namespace testhost
}  // namespace taluma
