// The built module with its editor window open offscreen, as a host shows it: the
// processor, the controller with the host's component handler, and the window driven
// through its probe. Helpers read what the window sent to the processor and the host.
#pragma once

#include "bundle_fixture.h"
#include "command_tags.h"
#include "editor_tags.h"
#include "layout.h"
#include "offscreen_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace taluma {
namespace testhost {
std::ostream& operator<<(std::ostream& out, const HostEdit& e);
}

namespace test {

using testhost::HostEdit;

// A "GUIEditor:valueChange" as the processor received it.
struct Sent {
    int64_t tag;
    double val;
    bool operator==(const Sent& o) const { return tag == o.tag && val == o.val; }
};

inline HostEdit begin(uint32_t id) {
    return {HostEdit::kBegin, id, 0.0};
}
inline HostEdit perform(uint32_t id, double v) {
    return {HostEdit::kPerform, id, v};
}
inline HostEdit end(uint32_t id) {
    return {HostEdit::kEnd, id, 0.0};
}
// One gesture with one value.
inline std::vector<HostEdit> gesture(uint32_t id, double v) {
    return {begin(id), perform(id, v), end(id)};
}

std::ostream& operator<<(std::ostream& out, const Sent& s);

class EditorFixture : public BundleFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window (again); forgets what was sent so far.
    void openEditor();
    // A new instance of the instrument (default state) with the window open.
    void freshInstance();
    void closeEditor() { editor.reset(); }
    void clearLogs();

    // What the window sent since the last clearLogs.
    std::vector<Sent> sent() const;
    const std::vector<HostEdit>& edits() const { return plugin->componentHandler().edits(); }
    std::vector<testhost::RecordedMessage> fileRequests() const;

    // Host automation of a parameter, applied by one processed block.
    void automate(uint32_t id, double normalized);

    std::string text(int32_t tag, int occurrence = 0) const {
        return editor->view(tag, occurrence).text;
    }
    float value(int32_t tag, int occurrence = 0) const {
        return editor->view(tag, occurrence).value;
    }
    bool visible(int32_t tag, int occurrence = 0) const {
        return editor->view(tag, occurrence).visible != 0;
    }
    // A label by its place in the layout table, inside `parent` (frame coordinates).
    ProbeView label(const layout::Rect& r, const layout::Rect& parent = {0, 0, 800, 600}) const {
        const layout::Rect at = r.in(parent);
        return editor->viewAt("label", at.left, at.top, at.width, at.height);
    }

    std::unique_ptr<testhost::OffscreenEditor> editor;
};

// Tags of controls and their typed-entry fields.
constexpr int32_t control(int32_t command) {
    return cmd::editorTag(command);
}
constexpr int32_t field(int32_t command) {
    return cmd::typedEntryTag(command);
}

}  // namespace test
}  // namespace taluma
