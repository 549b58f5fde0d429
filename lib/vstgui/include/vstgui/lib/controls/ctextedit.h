// A text field. A click gives it the keyboard focus with all text selected;
// typing edits it (caret, selection, Backspace, Delete, arrows, Home, End).
// Enter, Escape and the loss of focus end editing; when the text changed the
// listener receives valueChanged.
#pragma once
#include "ctextlabel.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel {
public:
    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag,
              UTF8StringPtr txt = nullptr, CBitmap* background = nullptr, int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    bool wantsFocus() const override { return true; }
    void takeFocus() override;
    void looseFocus() override;
    using CTextLabel::setText;
    // While the text is being edited, replaces the typed text too.
    void setText(const UTF8String& txt) override;

    bool isEditingText() const { return editingText; }
    // Caret and selection as byte offsets into the edited text.
    size_t getCaret() const { return caret; }
    size_t getSelectionStart() const { return selStart; }
    const UTF8String& getEditText() const { return editText; }

private:
    void deleteSelection();
    size_t caretFromX(CCoord x) const;
    // Where the text starts, in the field's (parent) coordinates.
    CCoord textStartX(const UTF8String& s) const;
    double zoom() const;

    bool editingText{false};
    UTF8String editText;
    size_t caret{0};
    size_t selStart{0};
};

}  // namespace VSTGUI
