#include "testsupport.h"
#include <deque>
#include <sstream>
#include <stb/stb_image_write.h>

namespace VSTGUI::Test {

void registerPng(const std::string& name, int width, int height,
                 const std::function<uint32_t(int, int)>& pixel) {
    static std::deque<std::vector<unsigned char>> store;
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixel(x, y);
            unsigned char* o = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            o[0] = static_cast<unsigned char>(p >> 16);
            o[1] = static_cast<unsigned char>(p >> 8);
            o[2] = static_cast<unsigned char>(p);
            o[3] = static_cast<unsigned char>(p >> 24);
        }
    store.emplace_back();
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<unsigned char>*>(context);
            out->insert(out->end(), static_cast<unsigned char*>(data),
                        static_cast<unsigned char*>(data) + size);
        },
        &store.back(), width, height, 4, rgba.data(), width * 4);
    Resources::add(name.c_str(), store.back().data(), store.back().size());
}

uint32_t frameColour(int k) {
    static const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                       0xFF00FFFF, 0xFFFF00FF, 0xFF808080, 0xFFFFFFFF};
    return colours[k % 8];
}

void registerStrip(const std::string& name, int w, int h, int frames) {
    registerPng(name, w, h * frames, [h](int, int y) { return frameColour(y / h); });
}

std::vector<Event> RecordingListener::changes() const {
    std::vector<Event> out;
    for (const auto& e : events)
        if (e.kind == "change")
            out.push_back(e);
    return out;
}

std::string RecordingListener::log() const {
    std::ostringstream out;
    for (const auto& e : events)
        out << (&e == events.data() ? "" : ", ") << e.kind << " 0x" << std::hex << e.tag << std::dec
            << ' ' << e.value;
    return out.str();
}

OffscreenFrame::OffscreenFrame(CCoord w, CCoord h, VSTGUIEditorInterface* editor)
    : frame(new CFrame(CRect(0, 0, w, h), editor)) {
    frame->open(nullptr, PlatformType::kOffscreen);
}

OffscreenFrame::~OffscreenFrame() {
    frame->close();
}

}  // namespace VSTGUI::Test
