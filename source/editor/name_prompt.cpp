#include "editor/name_prompt.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ctextlabel.h"

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;

namespace {

constexpr CCoord kWidth = 300, kHeight = 96, kMargin = 10;

// A text label that answers a left click.
class PromptButton : public CTextLabel {
public:
    PromptButton(const CRect& r, const char* title, std::function<void()> onClick)
        : CTextLabel(r, title), clicked(std::move(onClick)) {}
    CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
        if (!buttons.isLeftButton())
            return kMouseEventNotHandled;
        SharedPointer<PromptButton> keep(this);  // the click closes the box
        clicked();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }

private:
    std::function<void()> clicked;
};

}  // namespace

bool NamePrompt::open(CFrame* frame, const std::string& title, const std::string& name,
                      const CColor& paper, const CColor& ink, Answer answer) {
    if (!frame || !frame->isOpen() || frame->getModalView())
        return false;
    const CRect fr = frame->getViewSize();
    const CCoord x = fr.left + (fr.getWidth() - kWidth) / 2;
    const CCoord y = fr.top + (fr.getHeight() - kHeight) / 2;
    auto* prompt = new NamePrompt(CRect(x, y, x + kWidth, y + kHeight), title, name, paper, ink,
                                  std::move(answer));
    frame->addView(prompt);
    frame->setModalView(prompt);
    frame->setFocusView(prompt->field);
    return true;
}

NamePrompt::NamePrompt(const CRect& size, const std::string& title, const std::string& name,
                       const CColor& paper, const CColor& ink, Answer a)
    : CViewContainer(size), answer(std::move(a)) {
    setBackgroundColor(paper);
    auto* heading = new CTextLabel(CRect(kMargin, 6, kWidth - kMargin, 24), title.c_str());
    heading->setBackColor(kTransparentCColor);
    heading->setFrameColor(kTransparentCColor);
    heading->setFontColor(ink);
    heading->setFont(kNormalFontBig);
    heading->setHoriAlign(kLeftText);
    addView(heading);
    field = new CTextEdit(CRect(kMargin, 30, kWidth - kMargin, 50), nullptr, 0, name.c_str());
    field->setBackColor(kWhiteCColor);
    field->setFontColor(kBlackCColor);
    field->setFrameColor(ink);
    field->setHoriAlign(kLeftText);
    field->setTextInset(CPoint(3, 0));
    addView(field);
    auto button = [&](const CRect& r, const char* text, std::function<void()> onClick) {
        auto* b = new PromptButton(r, text, std::move(onClick));
        b->setBackColor(paper);
        b->setFrameColor(ink);
        b->setFontColor(ink);
        b->setFont(kNormalFont);
        addView(b);
    };
    button(CRect(kWidth - 170, 62, kWidth - 95, 84), "Cancel", [this] { finish(false); });
    button(CRect(kWidth - 85, 62, kWidth - kMargin, 84), "Save", [this] { finish(true); });
}

int32_t NamePrompt::onKeyDown(VstKeyCode& key) {
    if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER) {
        finish(true);
        return 1;
    }
    if (key.virt == VKEY_ESCAPE) {
        finish(false);
        return 1;
    }
    return field->onKeyDown(key);
}

CMouseEventResult NamePrompt::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!size.pointInside(where)) {
        finish(false);  // a click outside the box cancels
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    return CViewContainer::onMouseDown(where, buttons);
}

void NamePrompt::finish(bool save) {
    const std::string name = field->isEditingText() ? field->getEditText() : field->getText();
    Answer a = std::move(answer);
    answer = nullptr;
    SharedPointer<NamePrompt> keep(this);
    if (CFrame* frame = getFrame()) {
        frame->setFocusView(nullptr);
        frame->setModalView(nullptr);
        frame->removeView(this);
    }
    if (save && a)
        a(name);
}

}  // namespace Vst
}  // namespace Steinberg
