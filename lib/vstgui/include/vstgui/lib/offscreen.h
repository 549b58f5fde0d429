// The offscreen platform: a frame opened with PlatformType::kOffscreen draws into
// its canvas only. These helpers feed it synthetic input, advance a manual clock
// for timers, and return the canvas as an image. Used by tests and benchmarks.
// Positions are canvas pixels, as a platform reports them: frame coordinates times
// the frame's zoom.
#pragma once
#include <string>
#include "cframe.h"

namespace VSTGUI {
namespace Offscreen {

CMouseEventResult mouseDown(CFrame* frame, CPoint where, int32_t buttons = kLButton);
CMouseEventResult mouseMove(CFrame* frame, CPoint where, int32_t buttons = 0);
CMouseEventResult mouseUp(CFrame* frame, CPoint where, int32_t buttons = kLButton);
CMouseEventResult mouseExit(CFrame* frame);
// Press and release at the same point.
void click(CFrame* frame, CPoint where, int32_t buttons = kLButton);
// Press at `from`, move in `steps` steps to `to`, release there.
void drag(CFrame* frame, CPoint from, CPoint to, int32_t buttons = kLButton, int steps = 4);
bool wheel(CFrame* frame, CPoint where, float distance, int32_t buttons = 0);
int32_t keyDown(CFrame* frame, int32_t character, uint8_t virtualKey = 0, uint8_t modifiers = 0);
// Types UTF-8 text, one key per code point.
void typeText(CFrame* frame, const std::string& text);

// Repaints every dirty region and returns the canvas.
const PixelBuffer& render(CFrame* frame);

// Timers normally follow the platform's clock; with manual timers they fire only
// when advanceTime moves the clock on.
void setManualTimers(bool manual);
void advanceTime(uint32_t milliseconds);

// PNG files of canvases, for golden-image comparisons.
bool writePNG(const PixelBuffer& image, const std::string& path);
bool readPNG(const std::string& path, PixelBuffer& image);

}  // namespace Offscreen
}  // namespace VSTGUI
