// Tables of user gestures on a page: what each does, the host edits and commands it must
// produce and what the window shows afterwards. Each case runs on a fresh instance.
#pragma once

#include "editor_fixture.h"

#include <functional>

namespace taluma {
namespace test {

using Act = std::function<void(testhost::OffscreenEditor&)>;

// What a view shows after the gesture: its text, or (with no text) its value.
struct Shows {
    int32_t tag;
    const char* text;
    float value = 0.0f;
    int occurrence = 0;
};

struct GestureCase {
    const char* name;
    Act act;
    std::vector<HostEdit> edits;
    std::vector<Sent> sent;
    std::vector<Shows> shows;
    std::function<void()> check = {};  // anything else
};

inline Act wheel(int32_t tag, float notches, int occurrence = 0) {
    return [=](testhost::OffscreenEditor& e) { e.wheel(tag, occurrence, notches); };
}
inline Act typeIn(int32_t tag, const char* text, int occurrence = 0) {
    return [=](testhost::OffscreenEditor& e) { e.type(tag, occurrence, text); };
}
inline Act pick(int32_t tag, int index, int occurrence = 0) {
    return [=](testhost::OffscreenEditor& e) { e.choose(tag, occurrence, index); };
}
inline Act press(int32_t tag, int32_t buttons = testhost::OffscreenEditor::kLeft) {
    return [=](testhost::OffscreenEditor& e) { e.clickView(tag, 0, buttons); };
}
// A click near the right end of a switch (its last position).
inline Act pressRightEnd(int32_t tag) {
    return [=](testhost::OffscreenEditor& e) {
        const ProbeView v = e.view(tag);
        e.click(v.right - 2, (v.top + v.bottom) / 2.0);
    };
}
inline Act then(Act first, Act second) {
    return [=](testhost::OffscreenEditor& e) {
        first(e);
        second(e);
    };
}

constexpr float step(int n, int steps) {
    return float(n) / float(steps);
}

class PageFixture : public EditorFixture {
protected:
    // Runs each case on a fresh instance, after `prepare` (for instance showing a page).
    void run(const std::vector<GestureCase>& cases, const Act& prepare = {}) {
        for (const GestureCase& c : cases) {
            SCOPED_TRACE(c.name);
            freshInstance();
            if (prepare)
                prepare(*editor);
            clearLogs();
            c.act(*editor);
            EXPECT_EQ(edits(), c.edits);
            EXPECT_EQ(sent(), c.sent);
            EXPECT_EQ(plugin->componentHandler().openGestures(), 0);
            for (const Shows& s : c.shows) {
                if (s.text)
                    EXPECT_EQ(text(s.tag, s.occurrence), s.text) << std::hex << s.tag;
                else
                    EXPECT_FLOAT_EQ(value(s.tag, s.occurrence), s.value) << std::hex << s.tag;
            }
            if (c.check)
                c.check();
        }
    }
    // The text of a label by its place in the layout table (page labels: in the page).
    std::string labelText(const layout::Rect& r,
                          const layout::Rect& parent = layout::window::page) {
        return label(r, parent).text;
    }
};

}  // namespace test
}  // namespace taluma
