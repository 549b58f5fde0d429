// A decoded RGBA bitmap, loaded by name from the embedded PNG resources.
#pragma once
#include <cstdint>
#include <vector>
#include "cresourcedescription.h"
#include "cpoint.h"

namespace VSTGUI {

class CBitmap : public CBaseObject {
public:
    explicit CBitmap(const CResourceDescription& desc);
    // An empty (transparent) bitmap of the given size.
    CBitmap(CCoord width, CCoord height);

    CCoord getWidth() const { return width; }
    CCoord getHeight() const { return height; }
    CPoint getSize() const { return {getWidth(), getHeight()}; }
    const CResourceDescription& getResourceDescription() const { return resourceDesc; }
    // False when the resource was missing or not a valid PNG; such a bitmap draws nothing.
    bool isLoaded() const { return !pixels.empty(); }

    // Pixels as 0xAARRGGBB, unpremultiplied, row after row.
    const uint32_t* getPixels() const { return pixels.data(); }
    uint32_t* getPixels() { return pixels.data(); }
    bool isOpaque() const { return opaque; }
    void updateOpacity();

private:
    CResourceDescription resourceDesc;
    int32_t width{0};
    int32_t height{0};
    std::vector<uint32_t> pixels;
    bool opaque{false};
};

}  // namespace VSTGUI
