// A display of fixed text.
#pragma once
#include "cparamdisplay.h"

namespace VSTGUI {

class CTextLabel : public CParamDisplay {
public:
    CTextLabel(const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr,
               int32_t style = 0);
    virtual void setText(const UTF8String& txt);
    // A null pointer clears the text.
    void setText(UTF8StringPtr txt) { setText(UTF8String(txt ? txt : "")); }
    const UTF8String& getText() const { return text; }

protected:
    UTF8String getDisplayText() const override { return text; }
    UTF8String text;
};

}  // namespace VSTGUI
