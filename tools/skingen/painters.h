// One painter per bitmap name: it draws one frame of that bitmap's film strip.
#pragma once
#include <functional>
#include <map>
#include <string>
#include "canvas.h"
#include "editor/layout.h"
#include "skin.h"

namespace taluma {
namespace skingen {

struct Frame {
    double w, h;  // one frame, 1x pixels
    int index, count;
    // The frame's position in the strip, 0..1 (a knob's value, a switch's position).
    double t() const { return count > 1 ? static_cast<double>(index) / (count - 1) : 0; }
};

using Painter = std::function<void(Canvas&, const Skin&, const Frame&)>;
using Painters = std::map<std::string, Painter>;

void addBackgrounds(Painters& p);
void addPagePanels(Painters& p);
void addControls(Painters& p);
void addButtons(Painters& p);
void addWaveEditor(Painters& p);

// Every painter, by skin-0 bitmap name.
const Painters& painters();

// Helpers for layout rectangles.
inline Box box(const layout::Rect& r) {
    return {double(r.left), double(r.top), double(r.width), double(r.height)};
}

}  // namespace skingen
}  // namespace taluma
