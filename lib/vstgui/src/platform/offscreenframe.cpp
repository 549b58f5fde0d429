// The offscreen platform: the canvas is the only output; input is synthetic.
#include <cstring>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#include <vector>
#include "platformfactory.h"
#include "vstgui/lib/offscreen.h"

namespace VSTGUI {
namespace {

class OffscreenFrame : public IPlatformFrame {
public:
    void invalidate(const CRect&) override {}
    PlatformType getType() const override { return PlatformType::kOffscreen; }
};

}  // namespace

std::unique_ptr<IPlatformFrame> createOffscreenFrame(CFrame*) {
    return std::make_unique<OffscreenFrame>();
}

namespace Offscreen {

CMouseEventResult mouseDown(CFrame* frame, CPoint where, int32_t buttons) {
    return frame->platformOnMouseDown(where, buttons);
}

CMouseEventResult mouseMove(CFrame* frame, CPoint where, int32_t buttons) {
    return frame->platformOnMouseMoved(where, buttons);
}

CMouseEventResult mouseUp(CFrame* frame, CPoint where, int32_t buttons) {
    return frame->platformOnMouseUp(where, buttons);
}

CMouseEventResult mouseExit(CFrame* frame) {
    CPoint p(-1, -1);
    return frame->platformOnMouseExited(p, 0);
}

void click(CFrame* frame, CPoint where, int32_t buttons) {
    mouseDown(frame, where, buttons);
    mouseUp(frame, where, buttons);
}

void drag(CFrame* frame, CPoint from, CPoint to, int32_t buttons, int steps) {
    mouseDown(frame, from, buttons);
    for (int i = 1; i <= steps; ++i) {
        CPoint p(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        mouseMove(frame, p, buttons);
    }
    mouseUp(frame, to, buttons);
}

bool wheel(CFrame* frame, CPoint where, float distance, int32_t buttons) {
    return frame->platformOnMouseWheel(where, kMouseWheelAxisY, distance, buttons);
}

int32_t keyDown(CFrame* frame, int32_t character, uint8_t virtualKey, uint8_t modifiers) {
    VstKeyCode key;
    key.character = character;
    key.virt = virtualKey;
    key.modifier = modifiers;
    return frame->platformOnKeyDown(key);
}

void typeText(CFrame* frame, const std::string& text) {
    // Plain ASCII and UTF-8 sequences, one code point per key.
    for (size_t i = 0; i < text.size();) {
        auto b = static_cast<unsigned char>(text[i]);
        int len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        int32_t cp = b < 0x80 ? b : (b & (0x3F >> (len - 1)));
        for (int k = 1; k < len && i + k < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        keyDown(frame, cp);
        i += static_cast<size_t>(len);
    }
}

const PixelBuffer& render(CFrame* frame) {
    frame->idle();
    frame->updateCanvas();
    return frame->getCanvas();
}

bool writePNG(const PixelBuffer& image, const std::string& path) {
    std::vector<unsigned char> rgba(static_cast<size_t>(image.getWidth()) * image.getHeight() * 4);
    for (size_t i = 0; i < rgba.size() / 4; ++i) {
        uint32_t p = image.data()[i];
        rgba[i * 4 + 0] = static_cast<unsigned char>(p >> 16);
        rgba[i * 4 + 1] = static_cast<unsigned char>(p >> 8);
        rgba[i * 4 + 2] = static_cast<unsigned char>(p);
        rgba[i * 4 + 3] = static_cast<unsigned char>(p >> 24);
    }
    return stbi_write_png(path.c_str(), image.getWidth(), image.getHeight(), 4, rgba.data(),
                          image.getWidth() * 4) != 0;
}

bool readPNG(const std::string& path, PixelBuffer& image) {
    int w = 0, h = 0, n = 0;
    unsigned char* rgba = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!rgba)
        return false;
    image.resize(w, h);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        const unsigned char* p = rgba + i * 4;
        image.data()[i] =
            (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
    stbi_image_free(rgba);
    return true;
}

}  // namespace Offscreen
}  // namespace VSTGUI
