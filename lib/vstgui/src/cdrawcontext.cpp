#include "vstgui/lib/cdrawcontext.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "vstgui/lib/cbitmap.h"
#include "fontrasterizer.h"
#include "pixelblend.h"

namespace VSTGUI {
namespace {

uint32_t alphaByte(float a) {
    return static_cast<uint32_t>(std::lround((a < 0 ? 0 : (a > 1 ? 1 : a)) * 255.f));
}

uint32_t rgbOf(const CColor& c) {
    return (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue;
}

bool isWhole(double v) {
    return v == std::floor(v);
}

}  // namespace

int32_t textOriginX(int32_t left, int32_t right, int32_t width, CHoriTxtAlign align) {
    if (align == kCenterText)
        return left + ((right - left) - width) / 2;
    if (align == kRightText)
        return right - width;
    return left;
}

CDrawContext::CDrawContext(PixelBuffer& target, double z) : buffer(target), zoom(z) {
    clip = {0, 0, target.getWidth(), target.getHeight()};
    clipArea = CRect(0, 0, target.getWidth() / zoom, target.getHeight() / zoom);
}

CDrawContext::IRect CDrawContext::deviceRect(const CRect& r) const {
    return {toDevicePixel((r.left + offset.x) * zoom), toDevicePixel((r.top + offset.y) * zoom),
            toDevicePixel((r.right + offset.x) * zoom),
            toDevicePixel((r.bottom + offset.y) * zoom)};
}

CDrawContext::IRect CDrawContext::clipped(IRect r) const {
    IRect c{std::max(r.l, clip.l), std::max(r.t, clip.t), std::min(r.r, clip.r),
            std::min(r.b, clip.b)};
    if (c.r < c.l)
        c.r = c.l;
    if (c.b < c.t)
        c.b = c.t;
    return c;
}

CRect CDrawContext::getClipRect() const {
    CRect r = clipArea;
    return r.offset(-offset.x, -offset.y);
}

void CDrawContext::setClipRect(const CRect& r) {
    clipArea = r;
    clipArea.offset(offset);
    clipArea.bound(CRect(0, 0, buffer.getWidth() / zoom, buffer.getHeight() / zoom));
    IRect d = deviceRect(r);
    clip = {std::max(d.l, 0), std::max(d.t, 0), std::min(d.r, buffer.getWidth()),
            std::min(d.b, buffer.getHeight())};
    if (clip.r < clip.l)
        clip.r = clip.l;
    if (clip.b < clip.t)
        clip.b = clip.t;
}

void CDrawContext::fillDevice(IRect r, const CColor& c) {
    r = clipped(r);
    uint32_t a = div255(c.alpha * alphaByte(globalAlpha));
    if (a == 0)
        return;
    uint32_t rgb = rgbOf(c);
    for (int32_t y = r.t; y < r.b; ++y) {
        uint32_t* row = buffer.data() + static_cast<size_t>(y) * buffer.getWidth();
        for (int32_t x = r.l; x < r.r; ++x)
            row[x] = blendPixel(row[x], rgb, a);
    }
}

void CDrawContext::drawRect(const CRect& r, CDrawStyle style) {
    IRect d = deviceRect(r);
    if (style == kDrawFilled || style == kDrawFilledAndStroked)
        fillDevice(d, fillColor);
    if (style == kDrawStroked || style == kDrawFilledAndStroked) {
        // A frame one frame pixel wide: the bands between the rectangle and its inset.
        CRect inner = r;
        inner.inset(1, 1);
        IRect i = deviceRect(inner);
        fillDevice({d.l, d.t, d.r, i.t}, frameColor);
        fillDevice({d.l, i.b, d.r, d.b}, frameColor);
        fillDevice({d.l, i.t, i.l, i.b}, frameColor);
        fillDevice({i.r, i.t, d.r, i.b}, frameColor);
    }
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
    // The pixels of the line, zoom pixels wide, marked once each so that a translucent
    // colour covers every one of them alike.
    const int32_t width = std::max(1, toDevicePixel(zoom));
    int32_t x0 = toDevicePixel((from.x + offset.x) * zoom),
            y0 = toDevicePixel((from.y + offset.y) * zoom);
    int32_t x1 = toDevicePixel((to.x + offset.x) * zoom),
            y1 = toDevicePixel((to.y + offset.y) * zoom);
    const IRect box = clipped(
        {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + width, std::max(y0, y1) + width});
    if (box.r <= box.l || box.b <= box.t)
        return;
    const int32_t bw = box.r - box.l;
    std::vector<uint8_t> marked(static_cast<size_t>(bw) * static_cast<size_t>(box.b - box.t));
    int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
        for (int32_t y = std::max(y0, box.t); y < std::min(y0 + width, box.b); ++y)
            for (int32_t x = std::max(x0, box.l); x < std::min(x0 + width, box.r); ++x)
                marked[static_cast<size_t>(y - box.t) * bw + (x - box.l)] = 1;
        if (x0 == x1 && y0 == y1)
            break;
        int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    uint32_t a = div255(frameColor.alpha * alphaByte(globalAlpha));
    uint32_t rgb = rgbOf(frameColor);
    for (int32_t y = box.t; y < box.b; ++y) {
        uint32_t* row = buffer.data() + static_cast<size_t>(y) * buffer.getWidth();
        for (int32_t x = box.l; x < box.r; ++x)
            if (marked[static_cast<size_t>(y - box.t) * bw + (x - box.l)])
                row[x] = blendPixel(row[x], rgb, a);
    }
}

void CDrawContext::blit(const BitmapPixels& from, int32_t fromX, int32_t fromY, IRect to,
                        uint32_t alpha) {
    // `to` is where pixel (fromX, fromY) of `from` and the ones after it land.
    IRect c = clipped(to);
    c.r = std::min(c.r, to.l + from.width - fromX);
    c.b = std::min(c.b, to.t + from.height - fromY);
    if (c.r <= c.l || c.b <= c.t)
        return;
    for (int32_t y = c.t; y < c.b; ++y) {
        const auto kind = from.rows[static_cast<size_t>(y - to.t + fromY)];
        if (kind == BitmapPixels::kClearRow)
            continue;
        uint32_t* row = buffer.data() + static_cast<size_t>(y) * buffer.getWidth() + c.l;
        const uint32_t* src = from.pixels.data() +
                              static_cast<size_t>(y - to.t + fromY) * from.width +
                              (c.l - to.l + fromX);
        if (alpha == 255 && kind == BitmapPixels::kOpaqueRow) {
            std::memcpy(row, src, sizeof(uint32_t) * static_cast<size_t>(c.r - c.l));
            continue;
        }
        for (int32_t x = 0; x < c.r - c.l; ++x) {
            uint32_t s = src[x];
            uint32_t a = s >> 24;
            if (a == 0)
                continue;
            if (alpha != 255)
                a = div255(a * alpha);
            row[x] = blendPixel(row[x], s, a);
        }
    }
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& srcOffset,
                              float alpha) {
    if (!bitmap || !bitmap->isLoaded())
        return;
    uint32_t ga = div255(alphaByte(alpha) * alphaByte(globalAlpha));
    if (ga == 0)
        return;
    // The part of dest the bitmap covers, and where in the bitmap it starts.
    CRect area = dest;
    area.bound(CRect(dest.left - srcOffset.x, dest.top - srcOffset.y,
                     dest.left - srcOffset.x + bitmap->getWidth(),
                     dest.top - srcOffset.y + bitmap->getHeight()));
    if (area.isEmpty())
        return;
    const IRect to = deviceRect(area);
    if (to.r <= to.l || to.b <= to.t)
        return;
    const BitmapPixels& version = bitmap->pixelsFor(zoom);
    const double s = version.scale;
    const double x0 = (area.left - dest.left + srcOffset.x) * s,
                 y0 = (area.top - dest.top + srcOffset.y) * s;
    const double x1 = x0 + area.getWidth() * s, y1 = y0 + area.getHeight() * s;
    if (isWhole(x0) && isWhole(y0) && x1 - x0 == to.r - to.l && y1 - y0 == to.b - to.t) {
        blit(version, static_cast<int32_t>(x0), static_cast<int32_t>(y0), to, ga);
        return;
    }
    blit(bitmap->resampled(version, x0, y0, x1, y1, to.r - to.l, to.b - to.t), 0, 0, to, ga);
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr text) const {
    CFontRef f = font ? font : kNormalFont;
    return FontRasterizer::instance().textWidth(f->getSize(), text);
}

void CDrawContext::drawGlyphs(UTF8StringPtr text, int32_t penX, int32_t baseline, IRect area) {
    CFontRef f = font ? font : kNormalFont;
    const double size = f->getSize() * zoom;
    auto& raster = FontRasterizer::instance();
    uint32_t colourAlpha = div255(fontColor.alpha * alphaByte(globalAlpha));
    if (colourAlpha == 0 || !text)
        return;
    uint32_t rgb = rgbOf(fontColor);
    float pen = static_cast<float>(penX);
    uint32_t prev = 0;
    for (const char* p = text; *p;) {
        uint32_t cp = nextCodepoint(p);
        if (prev)
            pen += raster.kerning(size, prev, cp);
        const Glyph& g = raster.glyph(size, cp);
        int32_t gx = static_cast<int32_t>(std::floor(pen + 0.5f)) + g.xOffset;
        int32_t gy = baseline + g.yOffset;
        for (int32_t y = std::max(gy, area.t); y < std::min(gy + g.height, area.b); ++y) {
            uint32_t* row = buffer.data() + static_cast<size_t>(y) * buffer.getWidth();
            const uint8_t* cov = g.coverage.data() + static_cast<size_t>(y - gy) * g.width;
            for (int32_t x = std::max(gx, area.l); x < std::min(gx + g.width, area.r); ++x) {
                uint32_t a = cov[x - gx];
                if (a)
                    row[x] = blendPixel(row[x], rgb, div255(a * colourAlpha));
            }
        }
        pen += g.advance;
        prev = cp;
    }
}

void CDrawContext::drawString(UTF8StringPtr text, const CRect& r, CHoriTxtAlign align) {
    if (!text || !*text)
        return;
    CFontRef f = font ? font : kNormalFont;
    const double size = f->getSize() * zoom;
    auto& raster = FontRasterizer::instance();
    IRect d = deviceRect(r);
    int32_t width = static_cast<int32_t>(std::lround(raster.textWidth(size, text)));
    int32_t asc = raster.ascent(size), desc = raster.descent(size);
    int32_t baseline = d.t + ((d.b - d.t) - (asc + desc)) / 2 + asc;
    drawGlyphs(text, textOriginX(d.l, d.r, width, align), baseline, clipped(d));
}

}  // namespace VSTGUI
