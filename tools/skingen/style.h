// The building blocks every picture is made of, so that panels, buttons, knobs and
// legends look alike across the window.
#pragma once
#include <string>
#include <vector>
#include "canvas.h"
#include "skin.h"

namespace taluma {
namespace skingen {

// Fonts of the legends.
inline const Font kTitleFont{10, Weight::Bold, 1.0};
inline const Font kCaptionFont{9, Weight::Bold, 0.2};
inline const Font kButtonFont{10, Weight::Bold, 0.4};
inline const Font kSmallFont{9, Weight::Bold, 0.2};
inline const Font kNarrowFont{9, Weight::Regular, 0};

// A raised panel with a light top edge.
void panel(Canvas& c, const Skin& s, const Box& b, double radius);
// A recessed well, for read-outs and the wave views.
void well(Canvas& c, const Skin& s, const Box& b, double radius);
// A thin frame around a text control: the control paints its own inside.
void fieldFrame(Canvas& c, const Skin& s, const Box& control);
// A caption standing on a section title's hairline, such as an operator's letter.
struct RuleLabel {
    std::string text;
    Box box;
};
// A section title centred in `b` with hairlines left and right of it; the hairlines
// stop short of the title and of every label on them by the same gap.
void sectionTitle(Canvas& c, const Skin& s, const std::string& text, const Box& b,
                  const std::vector<RuleLabel>& labels = {});
// A control's caption.
void caption(Canvas& c, const Skin& s, const std::string& text, const Box& b,
             Align align = Align::Centre);

enum class ButtonState { Rest, Pressed, On };
// The face of a button; `tone` colours the "on" state. Returns the colour the
// button's symbol takes in that state.
Colour buttonFace(Canvas& c, const Skin& s, const Box& b, ButtonState state, const Colour& tone);
// Kick buttons: frame 0 rest, frame 1 pressed. Switch buttons: frame 1 on.
ButtonState kickState(int frame);
ButtonState switchState(int frame);

// A knob frame for the normalised value t; bipolar knobs draw their arc from the top.
void knob(Canvas& c, const Skin& s, const Box& b, double t, const Colour& tone, bool bipolar);

// A polyline through points given in the unit square (0,0 top left .. 1,1) of `b`.
void polyline(Canvas& c, const Box& b, const std::vector<std::pair<double, double>>& points,
              double width, const Colour& colour);
// A filled arrow head pointing in direction (dx, dy) with its tip at (x, y).
void arrowHead(Canvas& c, double x, double y, double dx, double dy, double size,
               const Colour& colour);

}  // namespace skingen
}  // namespace taluma
