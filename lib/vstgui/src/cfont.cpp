#include "vstgui/lib/cfont.h"
#include "fontrasterizer.h"

namespace VSTGUI {

CCoord CFontDesc::getAscent() const {
    return FontRasterizer::instance().ascent(fontSize);
}

CCoord CFontDesc::getDescent() const {
    return FontRasterizer::instance().descent(fontSize);
}

CCoord CFontDesc::getStringWidth(UTF8StringPtr text) const {
    return FontRasterizer::instance().textWidth(fontSize, text);
}

namespace {
// The predefined fonts hold an extra reference so that no forget() frees them.
CFontDesc* permanentFont(CCoord size) {
    auto* f = new CFontDesc("Arial", size);
    f->remember();
    return f;
}
}  // namespace

const CFontRef kNormalFontVeryBig = permanentFont(18);
const CFontRef kNormalFontBig = permanentFont(14);
const CFontRef kNormalFont = permanentFont(12);
const CFontRef kNormalFontSmall = permanentFont(11);
const CFontRef kNormalFontSmaller = permanentFont(10);

}  // namespace VSTGUI
