// The window background and the credits picture. Every legend is placed from the
// layout table, next to the control it names.
#include <cmath>
#include "painters.h"
#include "style.h"

namespace taluma {
namespace skingen {
namespace {

namespace mb = layout::menubar;
namespace we = layout::waveeditor;
namespace win = layout::window;

// A caption right-aligned just left of a control in the menu bar.
void menuCaption(Canvas& c, const Skin& s, const std::string& text, const layout::Rect& control,
                 double from) {
    caption(c, s, text, Box{from, 4, control.left - 4 - from, 16}, Align::Right);
}

void menuBar(Canvas& c, const Skin& s) {
    Box bar = box(win::menuBar);
    c.fillGradient(bar, 0, s.panelTop, s.panelBottom);
    c.line(0, bar.bottom() - 0.5, bar.w, bar.bottom() - 0.5, 1, s.edge);
    c.line(0, 0.5, bar.w, 0.5, 1, s.light);
    for (const layout::Rect* r :
         {&mb::volumeLabel, &mb::pitchField, &mb::rateMenu, &mb::bitDepthMenu, &mb::voiceMenu})
        fieldFrame(c, s, box(*r));
    menuCaption(c, s, "VOLUME", mb::volumeKnob, 6);
    menuCaption(c, s, "STD PITCH", mb::pitchKnob, mb::volumeLabel.right() + 4);
    menuCaption(c, s, "RATE", mb::rateMenu, mb::logoButton.right() + 4);
    menuCaption(c, s, "BITS", mb::bitDepthMenu, mb::rateMenu.right() + 3);
    menuCaption(c, s, "VOICES", mb::voiceMenu, mb::bitDepthMenu.right() + 3);
}

// The frame of a wave view: a dark (or light) plot in a well, the table's letter
// beside its buttons.
void waveFrame(Canvas& c, const Skin& s, int op) {
    Box plot = box(we::grid[op]);
    Box outer = plot.inset(-1);
    c.fillRounded(outer, 2, s.wellEdge);
    c.fillRounded(plot, 0, s.plot);
    c.line(outer.x + 2, outer.bottom() + 0.5, outer.right() - 2, outer.bottom() + 0.5, 1, s.light);
    c.line(plot.x, plot.y + 0.5, plot.right(), plot.y + 0.5, 1, s.accent[op].alpha(0.7));
    // The table badge, left of the time buttons.
    const layout::Rect& first = we::button[op][1];
    Box badge{8, double(first.top), double(first.left - 8 - 2), double(first.height)};
    c.fillRounded(badge.inset(0.5), 3, s.accent[op]);
    c.text(op == 0 ? "A" : "B", badge, Font{14, Weight::Bold}, Align::Centre,
           s.index == 0 ? Colour::rgb(0xFFFFFF) : s.panelTop);
}

void appBase(Canvas& c, const Skin& s, const Frame& f) {
    Box all{0, 0, f.w, f.h};
    c.fillGradient(all, 0, s.backTop, s.backBottom);
    // Wave editor side and page side panels.
    Box editor = box(win::waveEditor);
    panel(c, s, Box{2, editor.y + 27, editor.right() + 2, editor.bottom() - 27 + 6}, 4);
    panel(c, s,
          Box{double(win::page.left) - 3, double(win::page.top) - 1, double(win::page.width) + 6,
              double(win::page.height) + 5},
          4);
    waveFrame(c, s, 0);
    waveFrame(c, s, 1);
    menuBar(c, s);
}

}  // namespace

void addBackgrounds(Painters& p) {
    p["BaclAppBase.png"] = appBase;
    p[layout::kCreditPicture] = [](Canvas& c, const Skin&, const Frame& f) {
        // One picture for both skins: graphite with both accents.
        const Skin& s = skin(0);
        Box b{0.5, 0.5, f.w - 1, f.h - 1};
        c.fillGradient(b, 10, Colour::rgb(0x3A3A3A), Colour::rgb(0x1E1E1E));
        c.strokeRounded(b, 10, 1, Colour::rgb(0x101010));
        c.text("TALUMA", Box{40, 22, 300, 44}, Font{40, Weight::Bold, 6}, Align::Left,
               Colour::rgb(0xE8E8E8));
        c.text("W", Box{300, 22, 60, 44}, Font{40, Weight::Bold}, Align::Left, s.accent[1]);
        c.text("TWO-OPERATOR FM SYNTHESIZER ON 8-BIT WAVETABLES", Box{40, 66, 500, 14},
               Font{11, Weight::Bold, 1.2}, Align::Left, s.accent[0].mix(s.lit, 0.2));
        c.text("GPL-3.0-or-later", Box{40, f.h - 34, 200, 14}, Font{11, Weight::Regular},
               Align::Left, Colour::rgb(0xA0A0A0));
    };
}

}  // namespace skingen
}  // namespace taluma
