#include "vstgui/lib/cbitmap.h"
#include <climits>
#include <stb/stb_image.h>

namespace VSTGUI {

CBitmap::CBitmap(const CResourceDescription& desc) : resourceDesc(desc) {
    if (desc.type != CResourceDescription::kStringType)
        return;
    ResourceData res = Resources::find(desc.nameId.c_str());
    if (!res.data || res.size == 0 || res.size > static_cast<size_t>(INT_MAX))
        return;
    int w = 0, h = 0, n = 0;
    unsigned char* rgba =
        stbi_load_from_memory(res.data, static_cast<int>(res.size), &w, &h, &n, 4);
    if (!rgba)
        return;
    width = w;
    height = h;
    pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (size_t i = 0; i < pixels.size(); ++i) {
        const unsigned char* p = rgba + i * 4;
        pixels[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
    stbi_image_free(rgba);
    updateOpacity();
}

CBitmap::CBitmap(CCoord w, CCoord h)
    : width(w > 0 ? static_cast<int32_t>(w) : 0), height(h > 0 ? static_cast<int32_t>(h) : 0) {
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0u);
    opaque = false;
}

void CBitmap::updateOpacity() {
    opaque = !pixels.empty();
    for (uint32_t p : pixels)
        if ((p >> 24) != 0xFF) {
            opaque = false;
            break;
        }
}

}  // namespace VSTGUI
