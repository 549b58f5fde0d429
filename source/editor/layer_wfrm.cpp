#include "editor/layer_wfrm.h"

#include "editor/control_factory.h"
#include "editor/editor_context.h"
#include "editor/editor_tags.h"
#include "editor/skin_book.h"

#include <algorithm>
#include <cmath>

namespace Steinberg::Vst {

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
    TableBar(const CRect& r, EditorContext& context, int32_t tag, CBitmap* handle)
        : CVerticalSlider(r, context.listener(), tag, 0, place::kBarTravel, handle, nullptr,
                          CPoint(0, 0), kBottom),
          context_(context) {}

    void beginEdit() override {
        if (!isEditing())
            context_.sendValueChange(cmd::history::kStrokeBegin, 0.0);
        CVerticalSlider::beginEdit();
    }
    void endEdit() override {
        const bool wasEditing = isEditing();
        CVerticalSlider::endEdit();
        if (wasEditing && !isEditing())
            context_.sendValueChange(cmd::history::kStrokeEnd, 0.0);
    }
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
        if (!isPlainLeftClick(buttons))
            return kMouseEventNotHandled;
        return CVerticalSlider::onMouseDown(where, buttons);
    }

private:
    EditorContext& context_;
};

bool rightButtonAlone(const CButtonState& buttons) {
    return (buttons() & kClickMask) == kRButton;
}

}  // namespace

Layer_Wfrm::Layer_Wfrm(EditorContext& context, int32_t o, int32_t x, int32_t y)
    : CViewContainer(CRect(x, y, x + place::kMouseAreaWidth - 1, y + place::kMouseAreaHeight - 1)),
      left(x), top(y), right(x + place::kMouseAreaWidth), bottom(y + place::kMouseAreaHeight),
      op(o), tagBase(cmd::editorTag(cmd::drawCommand(o, 0))), context_(context),
      skin_(context.skin()) {
    setBackgroundColor(CColor(0, 0, 0, 0));
    setCellCount(5);
}

CVerticalSlider* Layer_Wfrm::makeBar(int32_t i, CBitmap* handle) {
    const int32_t w = place::kMouseAreaWidth / cellCount;
    auto* bar = new TableBar(CRect(i * w, 0, i * w + w - 1, place::kMouseAreaHeight - 1), context_,
                             tagBase | i, handle);
    bar->setOffsetHandle(CPoint(0, -place::kBarTravel));
    bar->setMax(float(kMaxLevel));
    bar->setMin(0.0f);
    bar->setValue(128.0f);
    bar->setWheelInc(1.0f / wheelSteps);
    addView(bar);
    return bar;
}

void Layer_Wfrm::setCellCount(int32_t log2) {
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

void Layer_Wfrm::setContents(const uint8_t* cells, int32_t log2) {
    setCellCount(log2);
    for (int32_t i = 0; i < cellCount; ++i)
        setBar(i, float(cells[i]) + 1.0f);
}

void Layer_Wfrm::setBar(int32_t cell, float value) {
    if (cell < 0 || cell >= cellCount || bars[cell]->getValue() == value)
        return;
    bars[cell]->setValue(value);
    bars[cell]->setDirty();
}

float Layer_Wfrm::barValue(int32_t cell) const {
    return cell >= 0 && cell < cellCount ? bars[cell]->getValue() : 0.0f;
}

void Layer_Wfrm::setStepBits(int32_t bits) {
    if (bits == stepBits)
        return;
    stepBits = bits;
    wheelSteps = std::ldexp(1.0f, bits);
    for (int32_t i = 0; i < cellCount; ++i)
        bars[i]->setWheelInc(1.0f / wheelSteps);
}

void Layer_Wfrm::applySkin(int32_t skin) {
    skin_ = skin;
    const SharedPointer<CBitmap> handle = loadBitmap(skinnedBitmap(kBarBitmap, skin));
    for (int32_t i = 0; i < cellCount; ++i)
        bars[i]->setHandle(handle);
}

Layer_Wfrm::Point Layer_Wfrm::pointAt(const CPoint& where) const {
    const int32_t col = std::clamp(int32_t(where.x - left), 0, place::kMouseAreaWidth - 1);
    const int32_t row = std::clamp(int32_t(where.y - top), 0, place::kMouseAreaHeight - 1);
    return {col >> (9 - log2Cells), kMaxLevel - row};
}

void Layer_Wfrm::paintTo(const CPoint& where) {
    const Point p = pointAt(where);
    if (stroking_ && p.cell == last_.cell && p.level == last_.level)
        return;  // painted already
    if (stroking_ && last_.cell >= 0 && p.cell != last_.cell) {
        const int32_t step = p.cell > last_.cell ? 1 : -1;
        const double span = double(p.cell - last_.cell);
        for (int32_t c = last_.cell + step; c != p.cell + step; c += step) {
            const double t = double(c - last_.cell) / span;
            const double level = last_.level + (p.level - last_.level) * t;
            context_.sendValueChange(tagBase | c, std::floor(level + 0.5));
        }
    } else {
        context_.sendValueChange(tagBase | p.cell, p.level);
    }
    last_ = p;
}

void Layer_Wfrm::endStroke() {
    if (!stroking_)
        return;
    stroking_ = false;
    last_ = {-1, 0};
    context_.sendValueChange(cmd::history::kStrokeEnd, 0.0);
}

bool Layer_Wfrm::inMouseArea(const CPoint& where) const {
    return left <= where.x && where.x < right && top <= where.y && where.y < bottom;
}

bool Layer_Wfrm::hitTest(const CPoint& where, const CButtonState&) {
    return inMouseArea(where);
}

CMouseEventResult Layer_Wfrm::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (rightButtonAlone(buttons) && left < where.x && where.x < right && top < where.y &&
        where.y < bottom) {
        endStroke();
        context_.sendValueChange(cmd::history::kStrokeBegin, 0.0);
        stroking_ = true;
        paintTo(where);
        return kMouseEventHandled;
    }
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult Layer_Wfrm::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (rightButtonAlone(buttons)) {
        paintTo(where);
        return kMouseEventHandled;
    }
    if ((buttons() & kClickMask) == 0) {
        const Point p = pointAt(where);
        context_.sendValueChange(tagBase | p.cell | cmd::kHoverBit, 1.0);
    }
    return CViewContainer::onMouseMoved(where, buttons);
}

CMouseEventResult Layer_Wfrm::onMouseUp(CPoint& where, const CButtonState& buttons) {
    if (rightButtonAlone(buttons))
        paintTo(where);
    endStroke();
    return CViewContainer::onMouseUp(where, buttons);
}

CMouseEventResult Layer_Wfrm::onMouseExited(CPoint&, const CButtonState&) {
    context_.sendValueChange(tagBase | cmd::kHoverBit, 0.0);
    return kMouseEventNotHandled;
}

CMouseEventResult Layer_Wfrm::onMouseCancel() {
    endStroke();
    return CViewContainer::onMouseCancel();
}

}  // namespace Steinberg::Vst
