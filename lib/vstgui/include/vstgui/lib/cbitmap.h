// A decoded RGBA bitmap, loaded by name from the embedded PNG resources. Its size is
// in frame pixels; versions drawn for high-DPI screens, registered as "name#2x.png"
// or "name#3x.png" (two or three times as wide and high), are decoded when a zoomed
// frame first draws the bitmap.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>
#include <vector>
#include "cresourcedescription.h"
#include "cpoint.h"

namespace VSTGUI {

// The pixels of one version of a bitmap, `scale` pixels per frame pixel: 0xAARRGGBB,
// unpremultiplied, row after row; and what each row holds, so that drawing copies
// opaque rows and skips clear ones.
struct BitmapPixels {
    enum RowKind : uint8_t { kMixedRow, kClearRow, kOpaqueRow };
    int32_t width{0};
    int32_t height{0};
    int32_t scale{1};
    std::vector<uint32_t> pixels;
    std::vector<RowKind> rows;
    void classifyRows();
};

class CBitmap : public CBaseObject {
public:
    explicit CBitmap(const CResourceDescription& desc);
    // An empty (transparent) bitmap of the given size.
    CBitmap(CCoord width, CCoord height);

    CCoord getWidth() const { return base.width; }
    CCoord getHeight() const { return base.height; }
    CPoint getSize() const { return {getWidth(), getHeight()}; }
    const CResourceDescription& getResourceDescription() const { return resourceDesc; }
    // False when the resource was missing or not a valid PNG; such a bitmap draws nothing.
    bool isLoaded() const { return !base.pixels.empty(); }

    // The version to draw at `zoom` device pixels per frame pixel: the smallest one
    // drawn for at least that zoom, else the largest.
    const BitmapPixels& pixelsFor(double zoom) const;
    // The part (x0, y0)-(x1, y1) of `from` (one of this bitmap's versions) resampled to
    // w x h pixels, kept for the next draw of the same part at the same size.
    const BitmapPixels& resampled(const BitmapPixels& from, double x0, double y0, double x1,
                                  double y1, int32_t w, int32_t h) const;

    static constexpr int32_t kLargestScale = 3;

private:
    // The version drawn at `scale` (2 or 3); null when there is none.
    const BitmapPixels* version(int32_t scale) const;

    CResourceDescription resourceDesc;
    BitmapPixels base;
    struct Version {
        bool looked{false};
        std::unique_ptr<BitmapPixels> pixels;
    };
    mutable Version versions[kLargestScale - 1];  // 2x, 3x
    using PartKey = std::tuple<int32_t, double, double, double, double, int32_t, int32_t>;
    mutable std::map<PartKey, BitmapPixels> parts;
    mutable size_t partPixels{0};
};

}  // namespace VSTGUI
