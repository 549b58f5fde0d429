// The software canvas: a 32-bit pixel buffer and a draw context that paints
// rectangles, lines, bitmaps and text into it with clipping and global alpha.
// Views draw in frame pixels; the context's zoom (device pixels per frame pixel)
// places every edge at round(position x zoom), draws lines and frames zoom pixels
// wide, text at zoom times its size and bitmaps from their version for the zoom.
// Every placement is integer arithmetic on device pixels, so the result is the same
// on every platform.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>
#include "ccolor.h"
#include "crect.h"
#include "cfont.h"

namespace VSTGUI {

class CBitmap;
struct BitmapPixels;

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };
enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };

// The device pixel of a position already multiplied by the zoom: rounded, halves up.
inline int32_t toDevicePixel(double v) {
    return static_cast<int32_t>(std::floor(v + 0.5));
}

// Where drawString starts a text `width` device pixels wide between left and right.
int32_t textOriginX(int32_t left, int32_t right, int32_t width, CHoriTxtAlign align);

// Pixels are 0xAARRGGBB in native byte order (B, G, R, A in memory), the layout
// of a 32-bit Windows DIB and of a 24-bit-depth X11 ZPixmap.
class PixelBuffer {
public:
    PixelBuffer(int32_t w = 0, int32_t h = 0) { resize(w, h); }
    void resize(int32_t w, int32_t h) {
        pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFF000000u);
        width = w;  // after the allocation: a failed one leaves the buffer as it was
        height = h;
    }
    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    uint32_t* data() { return pixels.data(); }
    const uint32_t* data() const { return pixels.data(); }
    uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }

private:
    int32_t width{0};
    int32_t height{0};
    std::vector<uint32_t> pixels;
};

class CDrawContext {
public:
    explicit CDrawContext(PixelBuffer& target, double zoom = 1.0);

    double getZoom() const { return zoom; }
    // Origin of the coordinates views draw in, in frame pixels.
    CPoint getOffset() const { return offset; }
    void setOffset(const CPoint& o) { offset = o; }
    // Clip rectangle in the current (offset) coordinates, as it was set: drawing clips
    // to the device pixels it covers.
    CRect getClipRect() const;
    void setClipRect(const CRect& r);

    void setFillColor(const CColor& c) { fillColor = c; }
    void setFrameColor(const CColor& c) { frameColor = c; }
    void setFontColor(const CColor& c) { fontColor = c; }
    void setFont(CFontRef f) { font = f; }
    CFontRef getFont() const { return font; }
    void setGlobalAlpha(float a) { globalAlpha = a < 0 ? 0 : (a > 1 ? 1 : a); }
    float getGlobalAlpha() const { return globalAlpha; }

    void drawRect(const CRect& r, CDrawStyle style = kDrawStroked);
    void drawLine(const CPoint& from, const CPoint& to);
    // Draws the part of the bitmap that starts at srcOffset into dest (no scaling in
    // frame pixels).
    void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& srcOffset = CPoint(),
                    float alpha = 1.f);
    // Draws one line of UTF-8 text, vertically centred in r, clipped to r.
    void drawString(UTF8StringPtr text, const CRect& r, CHoriTxtAlign align = kCenterText);
    // Draws text with its baseline starting at p, clipped to the clip rectangle.
    CCoord getStringWidth(UTF8StringPtr text) const;

private:
    struct IRect {
        int32_t l, t, r, b;
    };
    IRect deviceRect(const CRect& r) const;
    IRect clipped(IRect r) const;
    void fillDevice(IRect r, const CColor& c);
    void drawGlyphs(UTF8StringPtr text, int32_t penX, int32_t baseline, IRect clip);
    void blit(const BitmapPixels& from, int32_t fromX, int32_t fromY, IRect to, uint32_t alpha);

    PixelBuffer& buffer;
    double zoom;
    CPoint offset;
    CRect clipArea;  // frame pixels, without the offset
    IRect clip;      // device pixels
    CColor fillColor{kWhiteCColor};
    CColor frameColor{kBlackCColor};
    CColor fontColor{kBlackCColor};
    CFontRef font{nullptr};
    float globalAlpha{1.f};
};

}  // namespace VSTGUI
