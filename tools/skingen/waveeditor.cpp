// The wave editor's pictures: grid, radix marks, bars, the info area and the thirty
// edit buttons around the two views.
#include <cmath>
#include "painters.h"
#include "style.h"

namespace taluma {
namespace skingen {
namespace {

namespace we = layout::waveeditor;

// Level lines: byte b is drawn as a bar b + 1 high, so its top edge is row 255 - b.
constexpr int kLevelStep = 0x20;
double levelRow(int byte) {
    return 255 - byte;
}

void grid(Canvas& c, const Skin& s, const Frame& f) {
    Colour major = s.index == 0 ? Colour::rgb(0xA8A8A8) : s.ink;
    for (int x = 63; x < f.w; x += 64)  // between the bars of 8 cells
        c.line(x + 0.5, 0, x + 0.5, f.h, 1, major.alpha(0.45));
    for (int b = 0; b <= 0xFF; b += kLevelStep / 2) {
        double y = levelRow(b) + 0.5;
        bool centre = b == 0x80, minor = b % kLevelStep != 0;
        c.line(0, y, f.w, y, 1, major.alpha(centre ? 1 : minor ? 0.3 : 0.65));
    }
    c.line(0, 0.5, f.w, 0.5, 1, major.alpha(0.65));  // 0xFF
}

void radix(Canvas& c, const Skin& s, const Frame& f, int op) {
    Colour ink = s.accent[op].mix(s.lit, s.index == 0 ? 0.35 : 0);
    auto mark = [&](int byte, const char* text, double boxTop) {
        c.text(text, Box{2, boxTop, 16, 9}, kSmallFont, Align::Left, ink);
        double y = levelRow(byte) + 0.5;
        c.line(20, y, f.w, y, 1, ink.alpha(0.8));
    };
    static const char* hex[] = {"00", "20", "40", "60", "80", "A0", "C0", "E0"};
    for (int i = 1; i < 8; ++i)
        mark(i * kLevelStep, hex[i], levelRow(i * kLevelStep) - 4.5);
    mark(0xFF, "FF", 1);
    mark(0x00, "00", f.h - 10);
}

// A bar's handle: the lower half fills the bar up to its level, with a lit edge on top.
void bar(Canvas& c, const Skin& s, const Frame& f) {
    const double top = we::kBarTravel;
    c.fillGradient(Box{0, top, f.w, f.h - top}, 0, s.bar, s.bar.mix(s.plot, 0.55));
    c.line(0, top + 1, f.w, top + 1, 2, s.barCap);
}

void led(Canvas& c, const Skin& s, const Frame& f) {
    Box lamp{1, 0.5, f.w - 2, f.h - 1};
    Colour on = f.index == 0 ? s.well : s.accent[f.index - 1].mix(s.lit, 0.25);
    c.fillRounded(lamp, 3.5, on);
    c.strokeRounded(lamp, 3.5, 1, f.index == 0 ? s.wellEdge : on.mix(s.edge, 0.4));
    if (f.index != 0)
        c.fillRounded(Box{4, 1.8, f.w - 8, 2}, 1, Colour::rgba(0xFFFFFF70));
}

void link(Canvas& c, const Skin& s, const Frame& f) {
    bool on = f.index == 1;
    Box b{0.5, 0.5, f.w - 1, f.h - 1};
    c.fillRounded(b, 3, on ? s.neutral.mix(s.well, 0.6) : s.well);
    c.strokeRounded(b, 3, 1, on ? s.neutral.mix(s.edge, 0.3) : s.wellEdge);
    c.text("LINK", Box{0, 0, f.w, f.h}, kSmallFont, Align::Centre, on ? s.lit : s.caption);
}

void info(Canvas& c, const Skin& s, const Frame& f) {
    Box b{0, 0, f.w, f.h};
    well(c, s, b.inset(0.5, 0.5), 3);
    auto local = [](const layout::Rect& r) {
        return Box{double(r.left - we::info.left), double(r.top - we::info.top), double(r.width),
                   double(r.height)};
    };
    Box cell = local(we::cellLabel), level = local(we::levelLabel), lamp = local(we::led);
    c.text("CELL", Box{lamp.right() + 2, 0, cell.x - lamp.right() - 3, f.h}, kNarrowFont,
           Align::Centre, s.caption);
    c.text("LV", Box{cell.right(), 0, level.x - cell.right(), f.h}, kNarrowFont, Align::Centre,
           s.caption);
}

// The edit buttons. Where the info area covers part of a button, the symbol goes in
// the band that stays visible.
Box visiblePart(const layout::Rect& r) {
    Box b{0, 0, double(r.width), double(r.height)};
    const layout::Rect& i = we::info;
    bool overlaps =
        r.left < i.right() && i.left < r.right() && r.top < i.bottom() && i.top < r.bottom();
    if (!overlaps)
        return b;
    if (i.top > r.top)
        return Box{0, 0, b.w, double(i.top - r.top)};
    return Box{0, double(i.bottom() - r.top), b.w, double(r.bottom() - i.bottom())};
}

void arrow(Canvas& c, const Box& b, double dx, double dy, int heads, const Colour& g) {
    double len = std::fmin(dx != 0 ? b.w : b.h, 26.0);
    double cx = b.cx(), cy = b.cy();
    double x0 = cx - dx * len / 2, y0 = cy - dy * len / 2, x1 = cx + dx * len / 2,
           y1 = cy + dy * len / 2;
    c.line(x0, y0, x1 - dx * 3, y1 - dy * 3, 2, g);
    for (int h = 0; h < heads; ++h)
        arrowHead(c, x1 - dx * h * 7, y1 - dy * h * 7, dx, dy, 5.5, g);
}

void editButton(Canvas& c, const Skin& s, const Frame& f, int op, int item) {
    const layout::Rect& r = we::button[op][item];
    Colour rest = s.accent[op].mix(s.glyph, s.index == 0 ? 0.3 : 0.15);
    Colour g = buttonFace(c, s, Box{0, 0, f.w, f.h}, kickState(f.index), s.accent[op]);
    if (f.index == 0)
        g = rest;
    else
        g = s.accent[op].mix(s.lit, s.index == 0 ? 0.45 : 0);
    Box area = visiblePart(r).moved(0, f.index == 1 ? 1 : 0);
    area.h -= 1;
    const char* letter = op == 0 ? "A" : "B";
    switch (item) {
    case 0: {  // the table menu
        c.text(letter, Box{area.cx() - 14, area.y, 16, area.h}, Font{12, Weight::Bold},
               Align::Centre, g);
        double x = area.cx() + 8, y = area.cy();
        cairo_move_to(c.cr(), x - 4, y - 2);
        cairo_line_to(c.cr(), x + 4, y - 2);
        cairo_line_to(c.cr(), x, y + 2.5);
        cairo_close_path(c.cr());
        c.colour(g);
        cairo_fill(c.cr());
        break;
    }
    case 1: arrow(c, area, -1, 0, 2, g); break;  // rotate left 4
    case 2: arrow(c, area, -1, 0, 1, g); break;  // rotate left 1
    case 3: {                                    // reverse: a ramp turned round
        double cx = area.cx(), cy = area.cy();
        Box left{cx - 26, cy - 4, 10, 8}, right{cx + 16, cy - 4, 10, 8};
        polyline(c, left, {{0, 1}, {1, 0}, {1, 1}}, 1.4, g);
        polyline(c, right, {{0, 1}, {0, 0}, {1, 1}}, 1.4, g);
        c.line(cx - 10, cy, cx + 10, cy, 1.4, g);
        arrowHead(c, cx + 11, cy, 1, 0, 3.5, g);
        arrowHead(c, cx - 11, cy, -1, 0, 3.5, g);
        break;
    }
    case 4: arrow(c, area, 1, 0, 1, g); break;   // rotate right 1
    case 5: arrow(c, area, 1, 0, 2, g); break;   // rotate right 4
    case 6: arrow(c, area, 0, -1, 2, g); break;  // up 4
    case 7: arrow(c, area, 0, -1, 1, g); break;  // up 1
    case 8: {                                    // invert: the wave mirrored about zero
        double cx = area.cx(), cy = area.cy();
        c.line(cx - 6, cy + 0.5, cx + 6, cy + 0.5, 1, g.alpha(0.6));
        c.line(cx, cy - 9, cx, cy + 9, 1.6, g);
        arrowHead(c, cx, cy - 11, 0, -1, 4, g);
        arrowHead(c, cx, cy + 11, 0, 1, 4, g);
        break;
    }
    case 9: arrow(c, area, 0, 1, 1, g); break;   // down 1
    case 10: arrow(c, area, 0, 1, 2, g); break;  // down 4
    default: {                                   // gain steps
        static const char* factor[] = {"2", "1.5", "2/3", "1/2"};
        bool louder = item <= 12;
        double cx = area.cx(), top = area.y + 8;
        // Arrows apart for louder, together for softer.
        if (louder) {
            arrowHead(c, cx, top, 0, -1, 4, g);
            arrowHead(c, cx, top + 16, 0, 1, 4, g);
            c.line(cx, top + 2, cx, top + 14, 1.6, g);
        } else {
            arrowHead(c, cx, top + 6, 0, 1, 4, g);
            arrowHead(c, cx, top + 10, 0, -1, 4, g);
            c.line(cx - 5, top + 8.5, cx + 5, top + 8.5, 1.2, g);
        }
        c.text("×", Box{0, area.y + 27, area.w, 10}, Font{10, Weight::Bold}, Align::Centre, g);
        c.text(factor[item - 11], Box{0, area.y + 38, area.w, 12}, Font{9, Weight::Bold},
               Align::Centre, g);
        break;
    }
    }
}

}  // namespace

void addWaveEditor(Painters& p) {
    p["ShpGrid.png"] = grid;
    p["shpRadixA.png"] = [](Canvas& c, const Skin& s, const Frame& f) { radix(c, s, f, 0); };
    p["shpRadixB.png"] = [](Canvas& c, const Skin& s, const Frame& f) { radix(c, s, f, 1); };
    p["SldBar.png"] = bar;
    p["ShpLed.png"] = led;
    p["BtnSync.png"] = link;
    p["BackWeditInfo.png"] = info;
    for (int op = 0; op < 2; ++op)
        for (int item = 0; item < we::kButtons; ++item)
            p[we::buttonBitmap[op][item]] = [op, item](Canvas& c, const Skin& s, const Frame& f) {
                editButton(c, s, f, op, item);
            };
}

}  // namespace skingen
}  // namespace taluma
