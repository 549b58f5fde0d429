// Shared helpers of the toolkit tests: generated PNG resources, a recording
// control listener and an offscreen frame.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>
#include "vstgui/vstgui.h"
#include "vstgui/lib/offscreen.h"

namespace VSTGUI::Test {

// Encodes pixels (0xAARRGGBB, generated per x, y) as a PNG and registers it
// under the name; the bytes stay alive for the whole test program.
void registerPng(const std::string& name, int width, int height,
                 const std::function<uint32_t(int, int)>& pixel);
// A vertical film strip of `frames` frames of w x h pixels, frame k filled with frameColour(k).
void registerStrip(const std::string& name, int w, int h, int frames);
uint32_t frameColour(int k);

struct Event {
    std::string kind;  // "begin", "change", "end"
    int32_t tag;
    float value;
    float normalized;
};

class RecordingListener : public IControlListener {
public:
    void valueChanged(CControl* c) override {
        events.push_back({"change", c->getTag(), c->getValue(), c->getValueNormalized()});
    }
    void controlBeginEdit(CControl* c) override {
        events.push_back({"begin", c->getTag(), c->getValue(), 0});
    }
    void controlEndEdit(CControl* c) override {
        events.push_back({"end", c->getTag(), c->getValue(), 0});
    }
    std::vector<Event> changes() const;
    // Every event as "<kind> <tag in hex> <value>", joined by ", ".
    std::string log() const;
    std::vector<Event> events;
};

// An open offscreen frame of the given size; closed and released by the destructor.
class OffscreenFrame {
public:
    explicit OffscreenFrame(CCoord w = 200, CCoord h = 150,
                            VSTGUIEditorInterface* editor = nullptr);
    ~OffscreenFrame();
    CFrame* operator->() const { return frame; }
    CFrame* get() const { return frame; }

private:
    CFrame* frame;
};

// Presses the virtual keys one after the other.
inline void pressKeys(CFrame* frame, std::initializer_list<uint8_t> virtualKeys) {
    for (uint8_t k : virtualKeys)
        Offscreen::keyDown(frame, 0, k);
}

inline uint32_t rgbOf(uint32_t pixel) {
    return pixel & 0xFFFFFFu;
}

}  // namespace VSTGUI::Test
