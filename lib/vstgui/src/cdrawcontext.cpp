#include "vstgui/lib/cdrawcontext.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "vstgui/lib/cbitmap.h"
#include "fontrasterizer.h"
#include "pixelblend.h"

namespace VSTGUI {
namespace {

int32_t toPixel(CCoord v) {
    return static_cast<int32_t>(std::floor(v + 0.5));
}

uint32_t alphaByte(float a) {
    return static_cast<uint32_t>(std::lround((a < 0 ? 0 : (a > 1 ? 1 : a)) * 255.f));
}

uint32_t rgbOf(const CColor& c) {
    return (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue;
}

}  // namespace

CDrawContext::CDrawContext(PixelBuffer& target) : buffer(target) {
    clip = {0, 0, target.getWidth(), target.getHeight()};
}

CDrawContext::IRect CDrawContext::deviceRect(const CRect& r) const {
    return {toPixel(r.left + offset.x), toPixel(r.top + offset.y), toPixel(r.right + offset.x),
            toPixel(r.bottom + offset.y)};
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
    return CRect(clip.l - offset.x, clip.t - offset.y, clip.r - offset.x, clip.b - offset.y);
}

void CDrawContext::setClipRect(const CRect& r) {
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
        fillDevice({d.l, d.t, d.r, d.t + 1}, frameColor);
        fillDevice({d.l, d.b - 1, d.r, d.b}, frameColor);
        fillDevice({d.l, d.t + 1, d.l + 1, d.b - 1}, frameColor);
        fillDevice({d.r - 1, d.t + 1, d.r, d.b - 1}, frameColor);
    }
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
    int32_t x0 = toPixel(from.x + offset.x), y0 = toPixel(from.y + offset.y);
    int32_t x1 = toPixel(to.x + offset.x), y1 = toPixel(to.y + offset.y);
    int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    uint32_t a = div255(frameColor.alpha * alphaByte(globalAlpha));
    uint32_t rgb = rgbOf(frameColor);
    for (;;) {
        if (x0 >= clip.l && x0 < clip.r && y0 >= clip.t && y0 < clip.b) {
            uint32_t& px = buffer.data()[static_cast<size_t>(y0) * buffer.getWidth() + x0];
            px = blendPixel(px, rgb, a);
        }
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
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& srcOffset,
                              float alpha) {
    if (!bitmap || !bitmap->isLoaded())
        return;
    IRect d = deviceRect(dest);
    int32_t sx0 = toPixel(srcOffset.x) - d.l;
    int32_t sy0 = toPixel(srcOffset.y) - d.t;
    // Keep to the bitmap's own extent.
    const int32_t bw = static_cast<int32_t>(bitmap->getWidth()),
                  bh = static_cast<int32_t>(bitmap->getHeight());
    IRect c = clipped(d);
    c.l = std::max(c.l, -sx0);
    c.t = std::max(c.t, -sy0);
    c.r = std::min(c.r, bw - sx0);
    c.b = std::min(c.b, bh - sy0);
    if (c.r <= c.l || c.b <= c.t)
        return;
    uint32_t ga = div255(alphaByte(alpha) * alphaByte(globalAlpha));
    if (ga == 0)
        return;
    const uint32_t* src = bitmap->getPixels();
    for (int32_t y = c.t; y < c.b; ++y) {
        uint32_t* row = buffer.data() + static_cast<size_t>(y) * buffer.getWidth();
        const uint32_t* srow = src + static_cast<size_t>(y + sy0) * bw + sx0;
        if (ga == 255 && bitmap->isOpaque()) {
            std::memcpy(row + c.l, srow + c.l, sizeof(uint32_t) * static_cast<size_t>(c.r - c.l));
            continue;
        }
        for (int32_t x = c.l; x < c.r; ++x) {
            uint32_t s = srow[x];
            uint32_t a = s >> 24;
            if (ga != 255)
                a = div255(a * ga);
            row[x] = blendPixel(row[x], s, a);
        }
    }
}

CCoord CDrawContext::getStringWidth(UTF8StringPtr text) const {
    CFontRef f = font ? font : kNormalFont;
    return FontRasterizer::instance().textWidth(f->getSize(), text);
}

void CDrawContext::drawGlyphs(UTF8StringPtr text, int32_t penX, int32_t baseline, IRect area) {
    CFontRef f = font ? font : kNormalFont;
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
            pen += raster.kerning(f->getSize(), prev, cp);
        const Glyph& g = raster.glyph(f->getSize(), cp);
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
    auto& raster = FontRasterizer::instance();
    IRect d = deviceRect(r);
    int32_t width = static_cast<int32_t>(std::lround(raster.textWidth(f->getSize(), text)));
    int32_t x = d.l;
    if (align == kCenterText)
        x = d.l + ((d.r - d.l) - width) / 2;
    else if (align == kRightText)
        x = d.r - width;
    int32_t asc = raster.ascent(f->getSize()), desc = raster.descent(f->getSize());
    int32_t baseline = d.t + ((d.b - d.t) - (asc + desc)) / 2 + asc;
    drawGlyphs(text, x, baseline, clipped(d));
}

void CDrawContext::drawStringAt(UTF8StringPtr text, const CPoint& p) {
    drawGlyphs(text, toPixel(p.x + offset.x), toPixel(p.y + offset.y), clip);
}

}  // namespace VSTGUI
