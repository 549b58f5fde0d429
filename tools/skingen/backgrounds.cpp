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
    for (const layout::Rect* r : {&mb::volumeLabel, &mb::pitchField, &mb::presetName, &mb::rateMenu,
                                  &mb::bitDepthMenu, &mb::voiceMenu})
        fieldFrame(c, s, box(*r));
    menuCaption(c, s, "VOLUME", mb::volumeKnob, 6);
    menuCaption(c, s, "STD PITCH", mb::pitchKnob, mb::volumeLabel.right() + 4);
    menuCaption(c, s, "RATE", mb::rateMenu, mb::presetNext.right() + 2);
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

// An 8-bit table drawn as steps, as the wave views show it.
void steppedWave(Canvas& c, const Box& b, int cells, double (*shape)(double),
                 const Colour& colour) {
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    for (int i = 0; i < cells; ++i) {
        double y = b.cy() - shape((i + 0.5) / cells) * b.h / 2;
        cairo_line_to(cr, b.x + b.w * i / cells, y);
        cairo_line_to(cr, b.x + b.w * (i + 1) / cells, y);
    }
    c.colour(colour);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// One picture for both skins: graphite with both accents. The editor writes the
// version line into the gap below the subtitle (the credits layer's version label).
void credits(Canvas& c, const Skin&, const Frame& f) {
    const Skin& s = skin(0);
    Box b{0.5, 0.5, f.w - 1, f.h - 1};
    c.fillGradient(b, 10, Colour::rgb(0x3C3C3C), Colour::rgb(0x1C1C1C));
    c.strokeRounded(b, 10, 1, Colour::rgb(0x0E0E0E));
    c.line(12, 1.5, f.w - 12, 1.5, 1, Colour::rgba(0xFFFFFF1C));
    const Font name{40, Weight::Bold, 6};
    double nameWidth = c.textWidth("TALUMA", name);
    c.text("TALUMA", Box{40, 20, nameWidth + 2, 46}, name, Align::Left, Colour::rgb(0xEBEBEB));
    c.text("W", Box{40 + nameWidth + 16, 20, 40, 46}, Font{40, Weight::Bold}, Align::Left,
           s.accent[1].mix(s.lit, 0.15));
    c.text("TWO-OPERATOR FM SYNTHESIZER ON 8-BIT WAVETABLES", Box{42, 66, 430, 14},
           Font{11, Weight::Bold, 1.2}, Align::Left, s.accent[0].mix(s.lit, 0.25));
    c.text("Free software under the GNU General Public License", Box{42, f.h - 50, 400, 14},
           Font{11, Weight::Regular}, Align::Left, Colour::rgb(0x9A9A9A));
    c.text("GPL-3.0-or-later", Box{42, f.h - 32, 200, 14}, Font{11, Weight::Bold, 0.5}, Align::Left,
           Colour::rgb(0xB8B8B8));
    // The two operators' tables, stepped as the instrument plays them.
    Box waves{480, 30, 250, 110};
    c.fillRounded(waves.inset(-8), 6, Colour::rgba(0x0000004C));
    for (int i = 1; i < 4; ++i)
        c.line(waves.x, waves.y + waves.h * i / 4 + 0.5, waves.right(),
               waves.y + waves.h * i / 4 + 0.5, 1, Colour::rgba(0xFFFFFF14));
    steppedWave(
        c, waves, 32, [](double x) { return std::sin(2 * 3.14159265358979 * x); },
        s.accent[0].mix(s.lit, 0.1));
    steppedWave(
        c, waves, 16, [](double x) { return x < 0.5 ? 4 * x - 1 : 3 - 4 * x; },
        s.accent[1].mix(s.lit, 0.1).alpha(0.9));
}

}  // namespace

void addBackgrounds(Painters& p) {
    p["BaclAppBase.png"] = appBase;
    p[layout::kCreditPicture] = credits;
}

}  // namespace skingen
}  // namespace taluma
