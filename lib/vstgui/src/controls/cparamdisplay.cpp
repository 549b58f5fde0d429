#include "vstgui/lib/controls/cparamdisplay.h"
#include <cstdio>
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/controls/ctextlabel.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& r, CBitmap* bg, int32_t s)
    : CControl(r, nullptr, -1, bg), font(kNormalFont), style(s) {
    font->remember();
}

CParamDisplay::~CParamDisplay() {
    if (font)
        font->forget();
}

void CParamDisplay::setFont(CFontRef f) {
    if (!f || f == font)
        return;
    f->remember();
    font->forget();
    font = f;
    invalid();
}

void CParamDisplay::setFontColor(const CColor& c) {
    if (c != fontColor) {
        fontColor = c;
        invalid();
    }
}

void CParamDisplay::setBackColor(const CColor& c) {
    if (c != backColor) {
        backColor = c;
        invalid();
    }
}

void CParamDisplay::setFrameColor(const CColor& c) {
    if (c != frameColor) {
        frameColor = c;
        invalid();
    }
}

void CParamDisplay::setHoriAlign(CHoriTxtAlign a) {
    if (a != horiAlign) {
        horiAlign = a;
        invalid();
    }
}

void CParamDisplay::setTextInset(const CPoint& inset) {
    if (inset != textInset) {
        textInset = inset;
        invalid();
    }
}

CRect CParamDisplay::getTextRect() const {
    CRect r(size);
    r.inset(horiAlign == kCenterText ? 0 : textInset.x, textInset.y);
    return r;
}

void CParamDisplay::setStyle(int32_t val) {
    if (val != style) {
        style = val;
        invalid();
    }
}

UTF8String CParamDisplay::getDisplayText() const {
    char text[32];
    std::snprintf(text, sizeof(text), "%2.2f", static_cast<double>(value));
    return text;
}

void CParamDisplay::drawBack(CDrawContext* context) {
    if (style & kNoDrawStyle)
        return;
    if (background) {
        context->drawBitmap(background, size);
    } else if (backColor.alpha) {
        context->setFillColor(backColor);
        context->drawRect(size, kDrawFilled);
    }
    if (!(style & kNoFrame) && frameColor.alpha) {
        context->setFrameColor(frameColor);
        context->drawRect(size, kDrawStroked);
    }
}

void CParamDisplay::drawPlatformText(CDrawContext* context, UTF8StringPtr text) {
    if ((style & (kNoTextStyle | kNoDrawStyle)) || !text)
        return;
    context->setFont(font);
    context->setFontColor(fontColor);
    context->drawString(text, getTextRect(), horiAlign);
}

void CParamDisplay::draw(CDrawContext* context) {
    drawBack(context);
    drawPlatformText(context, getDisplayText().c_str());
}

CTextLabel::CTextLabel(const CRect& r, UTF8StringPtr txt, CBitmap* bg, int32_t s)
    : CParamDisplay(r, bg, s), text(txt ? txt : "") {}

void CTextLabel::setText(const UTF8String& txt) {
    if (txt == text)
        return;
    text = txt;
    invalid();
}

}  // namespace VSTGUI
