// Font descriptions. Every face name is drawn with the embedded Liberation Sans,
// which has Arial's metrics; the size is the em height in pixels.
#pragma once
#include "vstguibase.h"

namespace VSTGUI {

enum CTxtFace {
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3
};

class CFontDesc : public CBaseObject {
public:
    CFontDesc(UTF8StringPtr name = "Arial", CCoord size = 12, int32_t style = kNormalFace)
        : fontName(name ? name : ""), fontSize(size), fontStyle(style) {}
    CCoord getSize() const { return fontSize; }
    int32_t getStyle() const { return fontStyle; }
    void setStyle(int32_t s) { fontStyle = s; }

    // Text metrics in pixels for this size.
    CCoord getStringWidth(UTF8StringPtr text) const;

private:
    UTF8String fontName;
    CCoord fontSize;
    int32_t fontStyle;
};

using CFontRef = CFontDesc*;

// Predefined Arial fonts; they live for the whole program.
extern const CFontRef kNormalFontVeryBig;  // 18
extern const CFontRef kNormalFontBig;      // 14
extern const CFontRef kNormalFont;         // 12
extern const CFontRef kNormalFontSmall;    // 11
extern const CFontRef kNormalFontSmaller;  // 10

}  // namespace VSTGUI
