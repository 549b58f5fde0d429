#include "vstgui/lib/cfont.h"
#include "fontrasterizer.h"

namespace VSTGUI {

CCoord CFontDesc::getStringWidth(UTF8StringPtr text) const {
    return FontRasterizer::instance().textWidth(fontSize, text);
}

namespace {
// The predefined fonts live in static storage (the module may be unloaded, and must
// leave nothing behind); the reference the storage holds keeps forget() from freeing them.
CFontDesc predefinedFonts[] = {
    {"Arial", 18}, {"Arial", 14}, {"Arial", 12}, {"Arial", 11}, {"Arial", 10}};
}  // namespace

const CFontRef kNormalFontVeryBig = &predefinedFonts[0];
const CFontRef kNormalFontBig = &predefinedFonts[1];
const CFontRef kNormalFont = &predefinedFonts[2];
const CFontRef kNormalFontSmall = &predefinedFonts[3];
const CFontRef kNormalFontSmaller = &predefinedFonts[4];

}  // namespace VSTGUI
