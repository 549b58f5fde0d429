#include "editor/skin_book.h"

#include "editor/control_factory.h"
#include "editor/layout.h"

namespace Steinberg {
namespace Vst {

std::string skinnedBitmap(const char* name, int32_t skin) {
    return taluma::layout::skinnedName(name, skin);
}

void SkinBook::apply(int32_t skin) {
    skin_ = skin;
    for (const BitmapEntry& e : bitmaps_)
        setViewBitmap(e.view, skinnedBitmap(e.name, skin));
    for (const ColourEntry& e : colours_)
        setTextColours(e.view, paletteColour(skin, e.back), paletteColour(skin, e.font));
}

}  // namespace Vst
}  // namespace Steinberg
