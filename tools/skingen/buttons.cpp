// Buttons whose pictures say what they do: tabs, the menu-bar buttons, the radio
// groups of the Logic and Wave-generator pages, and the file buttons.
#include <cmath>
#include "painters.h"
#include "style.h"

namespace taluma {
namespace skingen {
namespace {

using Points = std::vector<std::pair<double, double>>;
constexpr double kPi = 3.14159265358979323846;

Box whole(const Frame& f) {
    return {0, 0, f.w, f.h};
}

// A wave shape as points in the unit square, y down.
Points shape(int kind, int samples = 48) {
    Points p;
    switch (kind) {
    case 0:  // sine
        for (int i = 0; i <= samples; ++i) {
            double x = double(i) / samples;
            p.push_back({x, 0.5 - 0.5 * std::sin(2 * kPi * x)});
        }
        break;
    case 1: p = {{0, 0.5}, {0.25, 0}, {0.75, 1}, {1, 0.5}}; break;  // triangle
    case 2: p = {{0, 1}, {0.5, 0}, {0.5, 1}, {1, 0}}; break;        // saw
    case 3: p = {{0, 0}, {0.5, 0}, {0.5, 1}, {1, 1}}; break;        // square
    case 4: p = {{0, 0.35}, {1, 0.35}}; break;                      // constant
    case 5: {                                                       // noise
        static const double y[] = {0.5, 0.1, 0.7, 0.3, 0.95, 0.2, 0.6, 0.0, 0.8, 0.4, 0.65, 0.15};
        for (int i = 0; i < 12; ++i)
            p.push_back({i / 11.0, y[i]});
        break;
    }
    case 6: {  // random steps (LFO)
        static const double y[] = {0.3, 0.9, 0.1, 0.6};
        for (int i = 0; i < 4; ++i) {
            p.push_back({i / 4.0, y[i]});
            p.push_back({(i + 1) / 4.0, y[i]});
        }
        break;
    }
    }
    return p;
}

void tab(Canvas& c, const Skin& s, const Frame& f, const std::string& label) {
    bool on = f.index == 1;
    Box b{0.5, 2.5, f.w - 1, f.h + 4};  // open at the bottom: the page continues it
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, f.w, f.h);
    cairo_clip(cr);
    if (on) {
        c.fillGradient(b, 5, s.panelTop.mix(s.light, 0.3), s.panelTop);
        c.strokeRounded(b, 5, 1, s.edge);
        c.line(b.x + 5, b.y + 1.5, b.right() - 5, b.y + 1.5, 1, s.light);
    } else {
        c.fillGradient(b.moved(0, 2), 5, s.backTop.mix(s.panelBottom, 0.5), s.backBottom);
        c.strokeRounded(b.moved(0, 2), 5, 1, s.edge.alpha(0.7));
        c.line(0, f.h - 0.5, f.w, f.h - 0.5, 1, s.edge);
    }
    cairo_restore(cr);
    c.text(label, Box{0, on ? 3.0 : 5.0, f.w, f.h - (on ? 5 : 6)}, kButtonFont, Align::Centre,
           on ? s.title : s.caption);
    if (on)  // a lamp in the tab that is open
        c.fillRounded(Box{10, f.h / 2 - 1.5, 8, 3}, 1.5, s.neutral);
}

// A gear of eight teeth.
void gear(Canvas& c, double cx, double cy, double r, const Colour& colour) {
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    for (int i = 0; i < 16; ++i) {
        double a0 = (i - 0.5) * kPi / 8, a1 = (i + 0.5) * kPi / 8;
        double rr = i % 2 == 0 ? r : r * 0.72;
        cairo_arc(cr, cx, cy, rr, a0, a1);
    }
    cairo_close_path(cr);
    c.circle(cx, cy, r * 0.32);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    c.colour(colour);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// An operator drawn as a small box with its letter.
void operatorBox(Canvas& c, const Skin& s, double x, double y, int op) {
    Box b{x, y, 11, 11};
    c.fillRounded(b, 2, s.accent[op]);
    c.text(op == 0 ? "A" : "B", b.inset(1, 0), Font{9, Weight::Bold}, Align::Centre,
           s.index == 0 ? Colour::rgb(0xFFFFFF) : s.panelTop);
}

void routeArrow(Canvas& c, double x0, double x1, double y, const Colour& colour) {
    c.line(x0, y, x1 - 2.5, y, 1.2, colour);
    arrowHead(c, x1, y, 1, 0, 3, colour);
}

void algorithm(Canvas& c, const Skin& s, const Frame& f, int kind) {
    Colour g = buttonFace(c, s, whole(f), switchState(f.index), s.neutral);
    double y = f.index == 1 ? 3.5 : 2.5;  // pressed-in faces sit a pixel lower
    double mid = y + 5.5;
    switch (kind) {
    case 0:  // A alone
    case 1:  // B alone
        operatorBox(c, s, 5, y, kind);
        routeArrow(c, 17, 27, mid, g);
        break;
    case 2:  // A + B
        operatorBox(c, s, 3, y, 0);
        c.line(14.5, mid, 17.5, mid, 1.2, g);
        c.line(16, mid - 1.5, 16, mid + 1.5, 1.2, g);
        operatorBox(c, s, 18, y, 1);
        break;
    case 3:  // A modulates B
        operatorBox(c, s, 2, y, 0);
        routeArrow(c, 13.5, 19, mid, g);
        operatorBox(c, s, 19, y, 1);
        break;
    }
}

// Velocity curves: level over velocity (flat, then the three curves of the engine).
void velocityCurve(Canvas& c, const Skin& s, const Frame& f, int op, int kind) {
    Colour g = buttonFace(c, s, whole(f), switchState(f.index), s.accent[op]);
    double dy = f.index == 1 ? 1 : 0;
    Box plot{5, 4.5 + dy, 10, 9};
    c.line(plot.x, plot.y - 0.5, plot.x, plot.bottom(), 1, g.alpha(0.45));
    c.line(plot.x, plot.bottom(), plot.right() + 0.5, plot.bottom(), 1, g.alpha(0.45));
    Points p;
    for (int i = 0; i <= 20; ++i) {
        double x = i / 20.0;
        double v = kind == 0 ? 1 : kind == 1 ? 1 - (1 - x) * (1 - x) : kind == 2 ? x : x * x;
        p.push_back({x, 1 - v});
    }
    polyline(c, plot, p, 1.4, f.index == 1 ? g : s.accent[op].mix(g, 0.3));
}

void lfoWave(Canvas& c, const Skin& s, const Frame& f, int kind) {
    Colour g = buttonFace(c, s, whole(f), switchState(f.index), s.neutral);
    static const int shapes[] = {1, 2, 3, 6};  // triangle, saw, square, random
    Box plot{4.5, 7.5 + (f.index == 1 ? 1.0 : 0.0), f.w - 9, 10};
    polyline(c, plot, shape(shapes[kind]), 1.4, g);
}

void generator(Canvas& c, const Skin& s, const Frame& f, int kind) {
    static const char* names[] = {"SINE", "TRIANGLE", "SAW", "SQUARE", "CONSTANT", "NOISE"};
    Colour g = buttonFace(c, s, whole(f), switchState(f.index), s.neutral);
    double dy = f.index == 1 ? 1 : 0;
    Box plot{17, 3.5 + dy, 28, 11};
    polyline(c, plot, shape(kind), 1.5, g);
    c.text(names[kind], Box{2, 16 + dy, f.w - 4, 11}, kSmallFont, Align::Centre, g);
}

void slideSwitch(Canvas& c, const Skin& s, const Frame& f) {
    bool on = f.index == 1;
    Box track{1.5, 4.5, f.w - 3, f.h - 9};
    c.fillRounded(track, track.h / 2, on ? s.neutral.mix(s.well, 0.55) : s.well);
    c.strokeRounded(track, track.h / 2, 1, s.wellEdge);
    Box thumb{on ? f.w - 21.5 : 0.5, 1.5, 21, f.h - 3};
    c.fillRounded(thumb.moved(0, 1), 4, s.shade);
    c.fillGradient(thumb, 4, s.faceTop, s.faceBottom);
    c.strokeRounded(thumb, 4, 1, s.edge);
    c.circle(thumb.cx(), thumb.cy(), 2.5);
    c.colour(on ? s.lit : s.well);
    cairo_fill(c.cr());
    c.text(on ? "ON" : "OFF", Box{on ? 2.0 : 22.0, 0, 20, f.h}, kSmallFont, Align::Centre,
           on ? s.title : s.caption);
}

// Apply, import and export: a labelled face; A and B in their accents.
void applyButton(Canvas& c, const Skin& s, const Frame& f, int op) {
    Colour g = buttonFace(c, s, whole(f), kickState(f.index), s.accent[op]);
    double dy = f.index == 1 ? 1 : 0;
    c.text("APPLY TO", Box{0, 6 + dy, f.w, 12}, kButtonFont, Align::Centre, g);
    operatorBox(c, s, f.w / 2 - 5.5, 21 + dy, op);
}

void fileButton(Canvas& c, const Skin& s, const Frame& f, int op, bool import) {
    Colour g = buttonFace(c, s, whole(f), kickState(f.index), s.accent[op]);
    double dy = f.index == 1 ? 1 : 0;
    double cx = f.w / 2;
    // A tray with an arrow going in (import) or out (export).
    c.line(cx - 7, 12 + dy, cx - 7, 16 + dy, 1.3, g);
    c.line(cx - 7, 16 + dy, cx + 7, 16 + dy, 1.3, g);
    c.line(cx + 7, 16 + dy, cx + 7, 12 + dy, 1.3, g);
    if (import) {
        c.line(cx, 3 + dy, cx, 10 + dy, 1.5, g);
        arrowHead(c, cx, 13 + dy, 0, 1, 3.5, g);
    } else {
        c.line(cx, 6 + dy, cx, 13 + dy, 1.5, g);
        arrowHead(c, cx, 3 + dy, 0, -1, 3.5, g);
    }
    operatorBox(c, s, cx - 5.5, 21 + dy, op);
}

void textButton(Canvas& c, const Skin& s, const Frame& f, const std::string& label) {
    Colour g = buttonFace(c, s, whole(f), kickState(f.index), s.neutral);
    c.text(label, Box{0, f.index == 1 ? 1.0 : 0.0, f.w, f.h - 1}, kSmallFont, Align::Centre, g);
}

}  // namespace

void addButtons(Painters& p) {
    p["BtnTabL.png"] = [](Canvas& c, const Skin& s, const Frame& f) { tab(c, s, f, "LOGIC"); };
    p["BtnTabR.png"] = [](Canvas& c, const Skin& s, const Frame& f) { tab(c, s, f, "WAVE GEN"); };
    p["BtnSetting.png"] = [](Canvas& c, const Skin& s, const Frame& f) {
        Colour g = buttonFace(c, s, whole(f), kickState(f.index), s.neutral);
        gear(c, f.w / 2, f.h / 2 - 0.5 + (f.index == 1 ? 1.0 : 0.0), 6, g);
    };
    p["BtnLogo.png"] = [](Canvas& c, const Skin& s, const Frame& f) {
        bool pressed = f.index == 1;
        c.text("TALUMA", Box{0, pressed ? 1.0 : 0.0, 56, f.h}, Font{11, Weight::Bold, 1.4},
               Align::Right, pressed ? s.lit : s.title);
        c.text("W", Box{59, pressed ? 1.0 : 0.0, 13, f.h}, Font{11, Weight::Bold}, Align::Left,
               s.accent[pressed ? 1 : 0]);
    };
    // The preset browser's arrows, which step through the presets.
    for (int dir : {-1, 1})
        p[dir < 0 ? "BtnPresetPrev.png" : "BtnPresetNext.png"] = [dir](Canvas& c, const Skin& s,
                                                                       const Frame& f) {
            Colour g = buttonFace(c, s, whole(f), kickState(f.index), s.neutral);
            const double dy = f.index == 1 ? 1.0 : 0.0;
            arrowHead(c, f.w / 2 + dir * 2.5, f.h / 2 + dy, dir, 0, 4, g);
        };
    for (int i = 0; i < 4; ++i) {
        p["BtnAlg" + std::to_string(i) + ".png"] = [i](Canvas& c, const Skin& s, const Frame& f) {
            algorithm(c, s, f, i);
        };
        for (int op = 0; op < 2; ++op)
            p[std::string("BtnVcrv") + (op == 0 ? "A" : "B") + std::to_string(i) + ".png"] =
                [op, i](Canvas& c, const Skin& s, const Frame& f) {
                    velocityCurve(c, s, f, op, i);
                };
        p["BtnLfoOsc" + std::to_string(i) + ".png"] = [i](Canvas& c, const Skin& s,
                                                          const Frame& f) { lfoWave(c, s, f, i); };
    }
    for (int i = 0; i < 6; ++i)
        p["BtnWgen" + std::to_string(i) + ".png"] = [i](Canvas& c, const Skin& s, const Frame& f) {
            generator(c, s, f, i);
        };
    p["BtnSldSwt.png"] = slideSwitch;
    for (int op = 0; op < 2; ++op) {
        std::string letter = op == 0 ? "A" : "B";
        p["BtnAply" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            applyButton(c, s, f, op);
        };
        p["BtnImp" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            fileButton(c, s, f, op, true);
        };
        p["BtnExp" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            fileButton(c, s, f, op, false);
        };
    }
    p["BtnImp.png"] = [](Canvas& c, const Skin& s, const Frame& f) { textButton(c, s, f, "LOAD"); };
    p["BtnExp.png"] = [](Canvas& c, const Skin& s, const Frame& f) { textButton(c, s, f, "SAVE"); };
}

}  // namespace skingen
}  // namespace taluma
