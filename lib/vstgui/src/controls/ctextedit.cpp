#include "vstgui/lib/controls/ctextedit.h"
#include <cmath>
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "../fontrasterizer.h"

namespace VSTGUI {
namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t prevBoundary(const UTF8String& s, size_t pos) {
    if (pos == 0)
        return 0;
    --pos;
    while (pos > 0 && isContinuation(s[pos]))
        --pos;
    return pos;
}

size_t nextBoundary(const UTF8String& s, size_t pos) {
    if (pos >= s.size())
        return s.size();
    ++pos;
    while (pos < s.size() && isContinuation(s[pos]))
        ++pos;
    return pos;
}

void appendUtf8(UTF8String& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Keeps typed text and the caret off a left- or right-aligned field's border.
constexpr CCoord kTextMargin = 3;

}  // namespace

CTextEdit::CTextEdit(const CRect& r, IControlListener* l, int32_t t, UTF8StringPtr txt, CBitmap* bg,
                     int32_t s)
    : CTextLabel(r, txt, bg, s) {
    setListener(l);
    tag = t;
    textInset = CPoint(kTextMargin, 0);
}

void CTextEdit::setText(const UTF8String& txt) {
    CTextLabel::setText(txt);
    if (editingText) {  // what is being typed is replaced too, the caret at its end
        editText = txt;
        selStart = caret = editText.size();
        invalid();
    }
}

double CTextEdit::zoom() const {
    return getFrame() ? getFrame()->getZoom() : 1.0;
}

CCoord CTextEdit::textStartX(const UTF8String& s) const {
    // Where drawString places the text: the field's edges and the text's width in
    // device pixels, so that caret and clicks meet the glyphs at every zoom.
    const double z = zoom();
    const CCoord toFrame = getFrameRect().left - size.left;
    const CRect text = getTextRect();
    auto width = static_cast<int32_t>(
        std::lround(FontRasterizer::instance().textWidth(font->getSize() * z, s.c_str())));
    const int32_t x = textOriginX(toDevicePixel((text.left + toFrame) * z),
                                  toDevicePixel((text.right + toFrame) * z), width, horiAlign);
    return x / z - toFrame;
}

size_t CTextEdit::caretFromX(CCoord x) const {
    CCoord start = textStartX(editText);
    size_t best = 0;
    CCoord bestDist = std::fabs(x - start);
    for (size_t pos = nextBoundary(editText, 0); pos <= editText.size();) {
        CCoord px = start + FontRasterizer::instance().textWidth(font->getSize(),
                                                                 editText.substr(0, pos).c_str());
        if (std::fabs(x - px) < bestDist) {
            bestDist = std::fabs(x - px);
            best = pos;
        }
        if (pos == editText.size())
            break;
        pos = nextBoundary(editText, pos);
    }
    return best;
}

void CTextEdit::draw(CDrawContext* context) {
    if (!editingText) {
        CTextLabel::draw(context);
        return;
    }
    drawBack(context);
    const double z = zoom();
    CCoord start = textStartX(editText);
    auto xAt = [&](size_t pos) {
        return start + FontRasterizer::instance().textWidth(font->getSize(),
                                                            editText.substr(0, pos).c_str());
    };
    if (selStart != caret) {
        CColor sel = fontColor;
        sel.alpha = static_cast<uint8_t>(sel.alpha * 3 / 8);
        context->setFillColor(sel);
        CCoord a = xAt(std::min(selStart, caret)), b = xAt(std::max(selStart, caret));
        context->drawRect(
            CRect(std::floor(a * z) / z, size.top + 2, std::ceil(b * z) / z, size.bottom - 2),
            kDrawFilled);
    }
    drawPlatformText(context, editText.c_str());
    CCoord cx = std::floor(xAt(caret) * z) / z;
    context->setFillColor(fontColor);
    context->drawRect(CRect(cx, size.top + 2, cx + 1, size.bottom - 2), kDrawFilled);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!(buttons & kLButton))
        return kMouseEventNotHandled;
    if (!editingText) {
        if (CFrame* frame = getFrame())
            frame->setFocusView(this);
        else
            takeFocus();
    } else {
        caret = selStart = caretFromX(where.x);
        invalid();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus() {
    if (editingText)
        return;
    editingText = true;
    editText = text;
    selStart = 0;
    caret = editText.size();
    invalid();
}

void CTextEdit::looseFocus() {
    if (!editingText)
        return;
    editingText = false;
    UTF8String typed = editText;
    editText.clear();
    invalid();
    if (typed != text) {
        SharedPointer<CTextEdit> guard(this);
        beginEdit();
        setText(typed);
        valueChanged();
        endEdit();
    }
}

void CTextEdit::deleteSelection() {
    size_t a = std::min(selStart, caret), b = std::max(selStart, caret);
    editText.erase(a, b - a);
    caret = selStart = a;
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
    if (!editingText)
        return -1;
    const bool shift = (key.modifier & MODIFIER_SHIFT) != 0;
    switch (key.virt) {
    case VKEY_ESCAPE:
        editText = text;  // back to the text from before editing: nothing to report
        [[fallthrough]];
    case VKEY_RETURN:
    case VKEY_ENTER:
        if (CFrame* frame = getFrame(); frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);
        else
            looseFocus();
        return 1;
    case VKEY_BACK:
        if (selStart != caret)
            deleteSelection();
        else if (caret > 0) {
            size_t p = prevBoundary(editText, caret);
            editText.erase(p, caret - p);
            caret = selStart = p;
        }
        break;
    case VKEY_DELETE:
        if (selStart != caret)
            deleteSelection();
        else if (caret < editText.size())
            editText.erase(caret, nextBoundary(editText, caret) - caret);
        break;
    case VKEY_LEFT:
        if (!shift && selStart != caret)
            caret = std::min(selStart, caret);
        else
            caret = prevBoundary(editText, caret);
        if (!shift)
            selStart = caret;
        break;
    case VKEY_RIGHT:
        if (!shift && selStart != caret)
            caret = std::max(selStart, caret);
        else
            caret = nextBoundary(editText, caret);
        if (!shift)
            selStart = caret;
        break;
    case VKEY_HOME:
        caret = 0;
        if (!shift)
            selStart = caret;
        break;
    case VKEY_END:
        caret = editText.size();
        if (!shift)
            selStart = caret;
        break;
    default:
        if (key.virt != 0 && key.virt != VKEY_SPACE)
            return -1;
        if (key.virt == VKEY_SPACE && key.character == 0)
            key.character = ' ';
        if (key.character < 0x20 || key.character == 0x7F || key.character > 0x10FFFF)
            return -1;
        if (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND))
            return -1;
        deleteSelection();
        UTF8String s;
        appendUtf8(s, static_cast<uint32_t>(key.character));
        editText.insert(caret, s);
        caret += s.size();
        selStart = caret;
        break;
    }
    invalid();
    return 1;
}

}  // namespace VSTGUI
