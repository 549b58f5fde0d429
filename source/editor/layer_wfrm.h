// A waveform view: one wavetable as a bar graph, one bar per cell, painted with the
// mouse. A left drag moves the bar under the pointer; the right button paints across
// the view. The view changes no table itself: every change is a drawing command to
// the processor, whose answer sets the bars. It also reports the cell under the
// pointer (hover) for the wave editor's info area.
//
// A painting stroke, from right-button press to release, is one step of the tables'
// undo history (bracketed by stroke begin and end), and it leaves no gaps: a fast move
// paints every cell between the previous and the current position, the levels
// interpolated along the way.
#pragma once

#include "vstgui/vstgui.h"

#include <cstdint>

namespace Steinberg::Vst {

class EditorContext;

class Layer_Wfrm : public VSTGUI::CViewContainer {
public:
    static constexpr int32_t kMaxCells = 128;

    // The view of table `op` (0 A, 1 B) with its top-left corner at (x, y) of the wave
    // editor layer; it starts with 32 bars.
    Layer_Wfrm(EditorContext& context, int32_t op, int32_t x, int32_t y);

    // Rebuilds the bars when the count (log2 2..7) differs; keeps them otherwise.
    void setCellCount(int32_t log2);
    // Bar i shows cells[i] + 1 (the level as the processor answers it).
    void setContents(const uint8_t* cells, int32_t log2);
    // A drawing answer: the bar's value (1..256).
    void setBar(int32_t cell, float value);
    float barValue(int32_t cell) const;
    // The mouse wheel moves a bar by one step of the drawing quantiser (1..8 bits).
    void setStepBits(int32_t bits);
    void applySkin(int32_t skin);

    // The mouse area is one pixel wider and higher than the view, so that the right
    // column and the bottom row (level 1) can be pressed too.
    bool inMouseArea(const VSTGUI::CPoint& where) const;
    bool hitTest(const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where,
                                          const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where,
                                           const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where,
                                        const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint& where,
                                            const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseCancel() override;

    double left, top, right, bottom;  // the mouse area, in the wave editor's coordinates
    int32_t op;
    int32_t tagBase;  // the drawing command of cell 0, with the editor's marker
    int32_t log2Cells{0};
    int32_t cellCount{0};
    int32_t stepBits{8};
    float wheelSteps{256.0f};
    VSTGUI::CVerticalSlider* bars[kMaxCells]{};

private:
    struct Point {
        int32_t cell;
        int32_t level;  // 1..256
    };
    // The cell and level under a point, kept inside the view.
    Point pointAt(const VSTGUI::CPoint& where) const;
    // Paints the cell under the pointer and, within a stroke, every cell crossed since
    // the last one.
    void paintTo(const VSTGUI::CPoint& where);
    void endStroke();
    VSTGUI::CVerticalSlider* makeBar(int32_t index, VSTGUI::CBitmap* handle);

    EditorContext& context_;
    int32_t skin_;
    bool stroking_{false};
    Point last_{-1, 0};
};

}  // namespace Steinberg::Vst
