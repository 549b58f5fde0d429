// A control that shows text: back colour, frame colour, font, font colour and
// horizontal alignment. Base of labels, text fields and option menus.
#pragma once
#include "ccontrol.h"
#include "../ccolor.h"
#include "../cdrawcontext.h"

namespace VSTGUI {

enum CParamDisplayStyle {
    kShadowText = 1 << 2,
    k3DIn = 1 << 3,
    k3DOut = 1 << 4,
    kNoTextStyle = 1 << 11,
    kNoDrawStyle = 1 << 12,
    kRoundRectStyle = 1 << 13,
    kNoFrame = 1 << 14,
};

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
    ~CParamDisplay() override;

    void setFont(CFontRef font);
    CFontRef getFont() const { return font; }
    void setFontColor(const CColor& c);
    CColor getFontColor() const { return fontColor; }
    void setBackColor(const CColor& c);
    CColor getBackColor() const { return backColor; }
    void setFrameColor(const CColor& c);
    void setHoriAlign(CHoriTxtAlign a);
    // Keeps left- and right-aligned text inset.x from the side edges and all text
    // inset.y from the top and bottom; centred text stays on the middle of the control.
    void setTextInset(const CPoint& inset);
    virtual void setStyle(int32_t val);
    int32_t getStyle() const { return style; }

    void draw(CDrawContext* context) override;

protected:
    // The text to show; a plain display shows its value.
    virtual UTF8String getDisplayText() const;
    void drawBack(CDrawContext* context);
    void drawPlatformText(CDrawContext* context, UTF8StringPtr text);
    // The rectangle the text is laid out in: the control less the text inset.
    CRect getTextRect() const;

    CFontRef font;
    CColor fontColor{kWhiteCColor};
    CColor backColor{kBlackCColor};
    CColor frameColor{kBlackCColor};
    CHoriTxtAlign horiAlign{kCenterText};
    CPoint textInset{0, 0};
    int32_t style;
};

}  // namespace VSTGUI
