#include "canvas.h"
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <cmath>

#ifndef SKINGEN_FONT_DIR
#define SKINGEN_FONT_DIR "/usr/share/fonts/truetype/liberation"
#endif

namespace taluma {
namespace skingen {
namespace {

constexpr double kMinimumTextSize = 9;
constexpr double kPi = 3.14159265358979323846;

// Liberation Sans, loaded once from fonts-liberation (Arial's metrics, as the editor's
// own text controls use).
cairo_font_face_t* face(Weight weight) {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw std::runtime_error("FreeType does not start");
        return l;
    }();
    auto load = [](const char* file) {
        FT_Face ft = nullptr;
        std::string path = std::string(SKINGEN_FONT_DIR) + "/" + file;
        if (FT_New_Face(library, path.c_str(), 0, &ft) != 0)
            throw std::runtime_error("cannot load the font " + path);
        return cairo_ft_font_face_create_for_ft_face(ft, 0);
    };
    static cairo_font_face_t* regular = load("LiberationSans-Regular.ttf");
    static cairo_font_face_t* bold = load("LiberationSans-Bold.ttf");
    return weight == Weight::Bold ? bold : regular;
}

}  // namespace

Colour Colour::rgba(unsigned v) {
    return {(v >> 24 & 0xFF) / 255.0, (v >> 16 & 0xFF) / 255.0, (v >> 8 & 0xFF) / 255.0,
            (v & 0xFF) / 255.0};
}

Colour Colour::mix(const Colour& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
}

Canvas::Canvas(cairo_t* cr, Box bounds) : cr_(cr), bounds_(bounds) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

void Canvas::colour(const Colour& c) {
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a);
}

void Canvas::roundedRect(const Box& b, double r) {
    r = std::fmin(r, std::fmin(b.w, b.h) / 2);
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, b.right() - r, b.y + r, r, -kPi / 2, 0);
    cairo_arc(cr_, b.right() - r, b.bottom() - r, r, 0, kPi / 2);
    cairo_arc(cr_, b.x + r, b.bottom() - r, r, kPi / 2, kPi);
    cairo_arc(cr_, b.x + r, b.y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr_);
}

void Canvas::fillRounded(const Box& b, double radius, const Colour& c) {
    roundedRect(b, radius);
    colour(c);
    cairo_fill(cr_);
}

void Canvas::strokeRounded(const Box& b, double radius, double width, const Colour& c) {
    roundedRect(b.inset(width / 2), radius - width / 2);
    colour(c);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Canvas::fillGradient(const Box& b, double radius, const Colour& top, const Colour& bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, b.y, 0, b.bottom());
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    roundedRect(b, radius);
    cairo_set_source(cr_, p);
    cairo_fill(cr_);
    cairo_pattern_destroy(p);
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, const Colour& c) {
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    colour(c);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Canvas::circle(double cx, double cy, double r) {
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, cx, cy, r, 0, 2 * kPi);
}

void Canvas::selectFont(const Font& font) {
    if (font.size < kMinimumTextSize)
        throw TextError("text below 9 px");
    cairo_set_font_face(cr_, face(font.weight));
    cairo_set_font_size(cr_, font.size);
}

double Canvas::textWidth(const std::string& text, const Font& font) {
    selectFont(font);
    cairo_text_extents_t e;
    cairo_text_extents(cr_, text.c_str(), &e);
    size_t glyphs = 0;
    for (unsigned char ch : text)
        glyphs += (ch & 0xC0) != 0x80;
    return e.x_advance + font.tracking * (static_cast<double>(glyphs) - 1);
}

void Canvas::text(const std::string& text, const Box& box, const Font& font, Align align,
                  const Colour& c) {
    selectFont(font);
    double width = textWidth(text, font);
    double capHeight = font.size * 0.716;  // Liberation Sans
    double x = align == Align::Left     ? box.x
               : align == Align::Centre ? box.cx() - width / 2
                                        : box.right() - width;
    double baseline = box.cy() + capHeight / 2;
    // The inked extent of the whole string, to check it against the box.
    cairo_text_extents_t e;
    cairo_text_extents(cr_, text.c_str(), &e);
    double inkLeft = x + e.x_bearing, inkRight = x + width - (e.x_advance - e.x_bearing - e.width);
    double inkTop = baseline + e.y_bearing, inkBottom = baseline + e.y_bearing + e.height;
    const double slack = 0.01;
    auto outside = [&](const Box& b) {
        return inkLeft < b.x - slack || inkRight > b.right() + slack || inkTop < b.y - slack ||
               inkBottom > b.bottom() + slack;
    };
    if (outside(box) || outside(bounds_))
        throw TextError("text \"" + text + "\" does not fit its place");
    colour(c);
    if (font.tracking == 0) {
        cairo_move_to(cr_, x, baseline);
        cairo_show_text(cr_, text.c_str());
        return;
    }
    for (size_t i = 0; i < text.size();) {
        size_t n = 1;  // one UTF-8 sequence
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        std::string glyph = text.substr(i, n);
        cairo_move_to(cr_, x, baseline);
        cairo_show_text(cr_, glyph.c_str());
        cairo_text_extents(cr_, glyph.c_str(), &e);
        x += e.x_advance + font.tracking;
        i += n;
    }
}

}  // namespace skingen
}  // namespace taluma
