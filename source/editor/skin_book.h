// What a layer re-skins: every view with a bitmap, by its skin-0 name, and every text
// view with its palette entries. A skin change sets new bitmaps and colours on the
// same views; nothing is rebuilt.
#pragma once

#include "editor/skin_palette.h"
#include "vstgui/vstgui.h"

#include <string>
#include <vector>

namespace Steinberg {
namespace Vst {

// The resource name of a bitmap in a skin: skin 1 adds "W_" (the credits picture
// has one version for both).
std::string skinnedBitmap(const char* name, int32_t skin);

class SkinBook {
public:
    explicit SkinBook(int32_t skin) : skin_(skin) {}

    int32_t skin() const { return skin_; }
    // The bitmap's name in the book's skin.
    std::string name(const char* bitmap) const { return skinnedBitmap(bitmap, skin_); }

    template <typename View>
    View* bitmap(View* view, const char* skin0Name) {
        bitmaps_.push_back({view, skin0Name});
        return view;
    }
    template <typename View>
    View* colours(View* view, Palette back, Palette font) {
        colours_.push_back({view, back, font});
        return view;
    }

    // Every bitmap and colour of the book in the new skin.
    void apply(int32_t skin);

private:
    struct BitmapEntry {
        VSTGUI::CView* view;
        const char* name;
    };
    struct ColourEntry {
        VSTGUI::CParamDisplay* view;
        Palette back, font;
    };
    int32_t skin_;
    std::vector<BitmapEntry> bitmaps_;
    std::vector<ColourEntry> colours_;
};

}  // namespace Vst
}  // namespace Steinberg
