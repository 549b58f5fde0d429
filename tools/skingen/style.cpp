#include "style.h"
#include <algorithm>
#include <cmath>
#include "editor/layout.h"

namespace taluma {
namespace skingen {
namespace {
constexpr double kPi = 3.14159265358979323846;
}

void panel(Canvas& c, const Skin& s, const Box& b, double radius) {
    c.fillRounded(b.moved(0, 1), radius, s.shade);
    c.fillGradient(b, radius, s.panelTop, s.panelBottom);
    c.strokeRounded(b, radius, 1, s.edge);
    c.line(b.x + radius, b.y + 1.5, b.right() - radius, b.y + 1.5, 1, s.light);
}

void well(Canvas& c, const Skin& s, const Box& b, double radius) {
    c.fillRounded(b, radius, s.well);
    c.strokeRounded(b, radius, 1, s.wellEdge);
    c.line(b.x + radius, b.bottom() + 0.5, b.right() - radius, b.bottom() + 0.5, 1, s.light);
}

void fieldFrame(Canvas& c, const Skin& s, const Box& control) {
    Box outer = control.inset(-1);
    c.strokeRounded(outer, 2, 1, s.wellEdge);
    c.line(outer.x + 2, outer.bottom() + 0.5, outer.right() - 2, outer.bottom() + 0.5, 1, s.light);
}

void sectionTitle(Canvas& c, const Skin& s, const std::string& text, const Box& b,
                  const std::vector<RuleLabel>& labels) {
    const double gap = 6, minimumSegment = 3;
    // The spans of the rule that text covers, widened by the gap on both sides.
    std::vector<std::pair<double, double>> covered;
    auto cover = [&](double centre, double width) {
        covered.emplace_back(centre - width / 2 - gap, centre + width / 2 + gap);
    };
    c.text(text, b, kTitleFont, Align::Centre, s.title);
    cover(b.cx(), c.textWidth(text, kTitleFont));
    for (const RuleLabel& l : labels) {
        caption(c, s, l.text, l.box);
        cover(l.box.cx(), c.textWidth(l.text, kCaptionFont));
    }
    std::sort(covered.begin(), covered.end());
    const double y = std::floor(b.cy()) + 0.5;
    const Colour rule = s.caption.alpha(0.45);
    double from = b.x + 2;
    covered.emplace_back(b.right() - 2, b.right() - 2);  // the rule's right end
    for (const auto& [start, end] : covered) {
        if (start - from >= minimumSegment)
            c.line(from, y, start, y, 1, rule);
        from = std::fmax(from, end);
    }
}

void caption(Canvas& c, const Skin& s, const std::string& text, const Box& b, Align align) {
    c.text(text, b, kCaptionFont, align, s.caption);
}

ButtonState kickState(int frame) {
    return frame == 0 ? ButtonState::Rest : ButtonState::Pressed;
}
ButtonState switchState(int frame) {
    return frame == 0 ? ButtonState::Rest : ButtonState::On;
}

Colour buttonFace(Canvas& c, const Skin& s, const Box& b, ButtonState state, const Colour& tone) {
    const double r = std::fmin(3, std::fmin(b.w, b.h) / 4);
    Box face = b.inset(0.5, 0.5);
    face.h -= 1;  // room for the drop shadow
    switch (state) {
    case ButtonState::Rest:
        c.fillRounded(face.moved(0, 1), r, s.shade);
        c.fillGradient(face, r, s.faceTop, s.faceBottom);
        c.strokeRounded(face, r, 1, s.edge);
        c.line(face.x + r, face.y + 1.5, face.right() - r, face.y + 1.5, 1, s.light);
        return s.glyph;
    case ButtonState::Pressed: {
        Box down = face.moved(0, 1);
        c.fillGradient(down, r, s.faceBottom.mix(s.well, 0.5), s.faceBottom);
        c.strokeRounded(down, r, 1, s.edge);
        c.line(down.x + r, down.y + 1.5, down.right() - r, down.y + 1.5, 1, s.shade);
        return tone;
    }
    case ButtonState::On:
    default: {
        // Pressed in, tinted with the tone, and a lit lamp along the lower edge.
        Box down = face.moved(0, 1);
        Colour fill = s.index == 0 ? s.well.mix(tone, 0.3) : s.faceTop.mix(tone, 0.22);
        c.fillGradient(down, r, fill.mix(s.well, 0.3), fill);
        c.strokeRounded(down, r, 1, tone.mix(s.edge, 0.15));
        Colour lamp = s.index == 0 ? tone.mix(s.lit, 0.3) : tone;
        c.fillRounded(Box{down.x + r + 1, down.bottom() - 3, down.w - 2 * r - 2, 1.6}, 0.8, lamp);
        return s.index == 0 ? tone.mix(s.lit, 0.45) : tone.mix(s.ink, 0.35);
    }
    }
}

void knob(Canvas& c, const Skin& s, const Box& b, double t, const Colour& tone, bool bipolar) {
    cairo_t* cr = c.cr();
    const double cx = b.cx(), cy = b.cy();
    const double outer = std::fmin(b.w, b.h) / 2;
    const double ring = outer - 1.25;  // the value arc
    const double body = outer - 3.6;
    const double start = layout::kKnobStartAngle, range = layout::kKnobRangeAngle;
    const double angle = start + t * range;
    const double arcWidth = outer >= 10 ? 2.2 : 1.8;

    // Track and value arc.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, arcWidth);
    c.colour(s.well.mix(s.caption, 0.22));
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, ring, start + 0.35, start + range - 0.35);
    cairo_stroke(cr);
    double from = bipolar ? start + range / 2 : start + 0.35;
    double to = angle;
    if (!bipolar)
        to = std::fmax(angle, from);
    if (std::fabs(to - from) > 0.02) {
        c.colour(tone);
        cairo_new_sub_path(cr);
        if (to > from)
            cairo_arc(cr, cx, cy, ring, from, to);
        else
            cairo_arc_negative(cr, cx, cy, ring, from, to);
        cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // Body: a soft shadow, a lit cap and a rim.
    c.circle(cx, cy + 0.8, body + 0.6);
    c.colour(s.shade);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx, cy - body, cx, cy + body);
    cairo_pattern_add_color_stop_rgba(p, 0, s.faceTop.r, s.faceTop.g, s.faceTop.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 1, s.faceBottom.r, s.faceBottom.g, s.faceBottom.b, 1);
    c.circle(cx, cy, body);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    c.colour(s.edge);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);

    // Pointer from near the centre to the rim.
    double dx = std::cos(angle), dy = std::sin(angle);
    c.line(cx + dx * body * 0.25, cy + dy * body * 0.25, cx + dx * (body - 0.6),
           cy + dy * (body - 0.6), outer >= 10 ? 1.8 : 1.5, tone.mix(s.lit, 0.3));
}

void polyline(Canvas& c, const Box& b, const std::vector<std::pair<double, double>>& points,
              double width, const Colour& colour) {
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    for (const auto& [x, y] : points)
        cairo_line_to(cr, b.x + x * b.w, b.y + y * b.h);
    c.colour(colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void arrowHead(Canvas& c, double x, double y, double dx, double dy, double size,
               const Colour& colour) {
    double len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    cairo_t* cr = c.cr();
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - dx * size - dy * size * 0.7, y - dy * size + dx * size * 0.7);
    cairo_line_to(cr, x - dx * size + dy * size * 0.7, y - dy * size - dx * size * 0.7);
    cairo_close_path(cr);
    c.colour(colour);
    cairo_fill(cr);
}

}  // namespace skingen
}  // namespace taluma
