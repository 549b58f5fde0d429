// A page that is a layer of the window: a container at its place in the layout, built
// in the context's skin, whose skin book re-skins it.
#pragma once

#include "editor/control_factory.h"
#include "editor/editor_context.h"
#include "editor/page.h"
#include "editor/skin_book.h"

namespace Steinberg::Vst {

class PageLayer : public VSTGUI::CViewContainer, public Page {
public:
    void applySkin(int32_t skin) override { skinBook_.apply(skin); }

protected:
    PageLayer(EditorContext& context, const ControlRect& place)
        : CViewContainer(toCRect(place)), context_(context), skinBook_(context.skin()) {}

    // A palette colour in the skin the layer is built in.
    VSTGUI::CColor colour(Palette entry) const { return paletteColour(skinBook_.skin(), entry); }

    EditorContext& context_;
    SkinBook skinBook_;
};

}  // namespace Steinberg::Vst
