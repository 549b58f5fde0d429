// Knob film strips and the stepped sensitivity switches.
#include <cmath>
#include "painters.h"
#include "style.h"

namespace taluma {
namespace skingen {
namespace {

// Positions of a stepped switch as cells; the chosen one bright, those before it in
// a softer tone, so that the row reads as a level.
void steps(Canvas& c, const Skin& s, const Frame& f, const Colour& tone, bool vertical) {
    const int n = f.count;
    const double gap = 1;
    const double along = vertical ? f.h : f.w;
    const double cell = along / n;
    for (int i = 0; i < n; ++i) {
        double a = i * cell + gap / 2, len = cell - gap;
        Box b = vertical ? Box{1, a, f.w - 2, len} : Box{a, 1, len, f.h - 2};
        Colour fill = i == f.index  ? tone.mix(s.lit, 0.25)
                      : i < f.index ? tone.mix(s.well, 0.45)
                                    : s.well;
        c.fillRounded(b, 1.5, fill);
        c.strokeRounded(b, 1.5, 1, i == f.index ? tone.mix(s.edge, 0.3) : s.wellEdge);
    }
}

void addKnob(Painters& p, const std::string& name, int tone, bool bipolar) {
    p[name] = [tone, bipolar](Canvas& c, const Skin& s, const Frame& f) {
        knob(c, s, Box{0, 0, f.w, f.h}, f.t(), tone < 2 ? s.accent[tone] : s.neutral, bipolar);
    };
}

}  // namespace

void addControls(Painters& p) {
    constexpr int kNeutral = 2;
    addKnob(p, "KnbA.png", 0, false);
    addKnob(p, "KnbB.png", 1, false);
    addKnob(p, "KnbA_C.png", 0, true);
    addKnob(p, "KnbB_C.png", 1, true);
    addKnob(p, "KnbG16.png", kNeutral, false);
    addKnob(p, "KnbG20.png", kNeutral, false);
    addKnob(p, "KnbG22.png", kNeutral, false);
    addKnob(p, "KnbG22_C.png", kNeutral, true);
    for (int op = 0; op < 2; ++op) {
        std::string letter = op == 0 ? "A" : "B";
        p["SwtKSens" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            steps(c, s, f, s.accent[op], false);
        };
        p["SwtVSens" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            steps(c, s, f, s.accent[op], false);
        };
        p["SwtLSens" + letter + ".png"] = [op](Canvas& c, const Skin& s, const Frame& f) {
            steps(c, s, f, s.accent[op], true);
        };
    }
}

}  // namespace skingen
}  // namespace taluma
