#include "editor/layer_wfrm.h"

#include "editor/editor_tags.h"

#include "synth/command_tags.h"
#include "editor/control_factory.h"
#include "editor/layout.h"
#include "editor/skin_book.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {
namespace Vst {

using namespace VSTGUI;
namespace cmd = taluma::cmd;
namespace place = taluma::layout::waveeditor;

namespace {

constexpr const char* kBarBitmap = "SldBar.png";

constexpr int32_t kMaxLevel = 256;

// A bar: a plain left click moves it and a drag follows the pointer; one drag or one
// wheel notch is one step of the undo history.
class TableBar : public CVerticalSlider {
public:
    TableBar(const CRect& r, MainVSTGUIEditor* editor, int32_t tag, CBitmap* handle)
        : CVerticalSlider(r, editor, tag, 0, place::kBarTravel, handle, nullptr, CPoint(0, 0),
                          kBottom),
          editor_(editor) {}

    void beginEdit() override {
        if (!isEditing())
            editor_->sendValueChange(cmd::history::kStrokeBegin, 0.0);
        CVerticalSlider::beginEdit();
    }
    void endEdit() override {
        const bool wasEditing = isEditing();
        CVerticalSlider::endEdit();
        if (wasEditing && !isEditing())
            editor_->sendValueChange(cmd::history::kStrokeEnd, 0.0);
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if (!isPlainLeftClick(buttons))
            return kMouseEventNotHandled;
        return CVerticalSlider::onMouseDown(where, buttons);
    }

private:
    MainVSTGUIEditor* editor_;
};

bool rightButtonAlone(const CButtonState& buttons) {
    return (buttons() & kClickMask) == kRButton;
}

}  // namespace

MainVSTGUIEditor::Layer_Wfrm::Layer_Wfrm(MainVSTGUIEditor* e, int32_t o, int32_t x, int32_t y)
    : CViewContainerExt(
          CRect(x, y, x + place::kMouseAreaWidth - 1, y + place::kMouseAreaHeight - 1)),
      editor(e), left(x), top(y), right(x + place::kMouseAreaWidth),
      bottom(y + place::kMouseAreaHeight), op(o), tagBase(cmd::editorTag(cmd::drawCommand(o, 0))),
      skin_(e->skin()) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    setCellCount(5);
}

MainVSTGUIEditor::Layer_Wfrm::~Layer_Wfrm() = default;

CVerticalSlider* MainVSTGUIEditor::Layer_Wfrm::makeBar(int32_t i, CBitmap* handle) {
    const int32_t w = place::kMouseAreaWidth / cellCount;
    auto* bar = new TableBar(CRect(i * w, 0, i * w + w - 1, place::kMouseAreaHeight - 1), editor,
                             tagBase | i, handle);
    bar->setOffsetHandle(CPoint(0, -place::kBarTravel));
    bar->setMax(float(kMaxLevel));
    bar->setMin(0.0f);
    bar->setValue(128.0f);
    bar->setWheelInc(1.0f / wheelSteps);
    addView(bar);
    return bar;
}

void MainVSTGUIEditor::Layer_Wfrm::setCellCount(int32_t log2) {
    log2 = std::clamp(log2, 2, 7);
    if (log2 == log2Cells)
        return;
    for (CVerticalSlider*& bar : bars) {
        if (bar)
            removeView(bar);
        bar = nullptr;
    }
    log2Cells = log2;
    cellCount = 1 << log2;
    const SharedPointer<CBitmap> handle = loadBitmap(skinnedBitmap(kBarBitmap, skin_));
    for (int32_t i = 0; i < cellCount; ++i)
        bars[i] = makeBar(i, handle);
    invalid();
}

void MainVSTGUIEditor::Layer_Wfrm::setContents(const uint8_t* cells, int32_t log2) {
    setCellCount(log2);
    for (int32_t i = 0; i < cellCount; ++i)
        setBar(i, float(cells[i]) + 1.0f);
}

void MainVSTGUIEditor::Layer_Wfrm::setBar(int32_t cell, float value) {
    if (cell < 0 || cell >= cellCount || bars[cell]->getValue() == value)
        return;
    bars[cell]->setValue(value);
    bars[cell]->setDirty();
}

float MainVSTGUIEditor::Layer_Wfrm::barValue(int32_t cell) const {
    return cell >= 0 && cell < cellCount ? bars[cell]->getValue() : 0.0f;
}

void MainVSTGUIEditor::Layer_Wfrm::setStepBits(int32_t bits) {
    if (bits == stepBits)
        return;
    stepBits = bits;
    wheelSteps = std::ldexp(1.0f, bits);
    for (int32_t i = 0; i < cellCount; ++i)
        bars[i]->setWheelInc(1.0f / wheelSteps);
}

void MainVSTGUIEditor::Layer_Wfrm::applySkin(int32_t skin) {
    skin_ = skin;
    const SharedPointer<CBitmap> handle = loadBitmap(skinnedBitmap(kBarBitmap, skin));
    for (int32_t i = 0; i < cellCount; ++i)
        bars[i]->setHandle(handle);
}

MainVSTGUIEditor::Layer_Wfrm::Point
MainVSTGUIEditor::Layer_Wfrm::pointAt(const CPoint& where) const {
    const int32_t col = std::clamp(int32_t(where.x - left), 0, place::kMouseAreaWidth - 1);
    const int32_t row = std::clamp(int32_t(where.y - top), 0, place::kMouseAreaHeight - 1);
    return {col >> (9 - log2Cells), kMaxLevel - row};
}

void MainVSTGUIEditor::Layer_Wfrm::paintTo(const CPoint& where) {
    const Point p = pointAt(where);
    if (stroking_ && p.cell == last_.cell && p.level == last_.level)
        return;  // painted already
    if (stroking_ && last_.cell >= 0 && p.cell != last_.cell) {
        const int32_t step = p.cell > last_.cell ? 1 : -1;
        const double span = double(p.cell - last_.cell);
        for (int32_t c = last_.cell + step; c != p.cell + step; c += step) {
            const double t = double(c - last_.cell) / span;
            const double level = last_.level + (p.level - last_.level) * t;
            editor->sendValueChange(tagBase | c, std::floor(level + 0.5));
        }
    } else {
        editor->sendValueChange(tagBase | p.cell, p.level);
    }
    last_ = p;
}

void MainVSTGUIEditor::Layer_Wfrm::endStroke() {
    if (!stroking_)
        return;
    stroking_ = false;
    last_ = {-1, 0};
    editor->sendValueChange(cmd::history::kStrokeEnd, 0.0);
}

bool MainVSTGUIEditor::Layer_Wfrm::inMouseArea(const CPoint& where) const {
    return left <= where.x && where.x < right && top <= where.y && where.y < bottom;
}

bool MainVSTGUIEditor::Layer_Wfrm::hitTest(const CPoint& where, const CButtonState&) {
    return inMouseArea(where);
}

CMouseEventResult MainVSTGUIEditor::Layer_Wfrm::onMouseDown(CPoint& where,
                                                            const CButtonState& buttons) {
    if (rightButtonAlone(buttons) && left < where.x && where.x < right && top < where.y &&
        where.y < bottom) {
        endStroke();
        editor->sendValueChange(cmd::history::kStrokeBegin, 0.0);
        stroking_ = true;
        paintTo(where);
        return kMouseEventHandled;
    }
    return CViewContainerExt::onMouseDown(where, buttons);
}

CMouseEventResult MainVSTGUIEditor::Layer_Wfrm::onMouseMoved(CPoint& where,
                                                             const CButtonState& buttons) {
    if (rightButtonAlone(buttons)) {
        paintTo(where);
        return kMouseEventHandled;
    }
    if ((buttons() & kClickMask) == 0) {
        const Point p = pointAt(where);
        editor->sendValueChange(tagBase | p.cell | cmd::kHoverBit, 1.0);
    }
    return CViewContainerExt::onMouseMoved(where, buttons);
}

CMouseEventResult MainVSTGUIEditor::Layer_Wfrm::onMouseUp(CPoint& where,
                                                          const CButtonState& buttons) {
    if (rightButtonAlone(buttons))
        paintTo(where);
    endStroke();
    return CViewContainerExt::onMouseUp(where, buttons);
}

CMouseEventResult MainVSTGUIEditor::Layer_Wfrm::onMouseExited(CPoint&, const CButtonState&) {
    editor->sendValueChange(tagBase | cmd::kHoverBit, 0.0);
    return kMouseEventNotHandled;
}

CMouseEventResult MainVSTGUIEditor::Layer_Wfrm::onMouseCancel() {
    endStroke();
    return CViewContainerExt::onMouseCancel();
}

}  // namespace Vst
}  // namespace Steinberg
