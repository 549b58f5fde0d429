// A cairo context in the editor's 1x pixel units, with the shapes and text the
// skin pictures are made of. Every text is measured: text that would be clipped by
// its box, or set smaller than 9 px, is an error, so a bad legend fails the build's
// check instead of reaching a screen.
#pragma once
#include <cairo.h>
#include <stdexcept>
#include <string>

namespace taluma {
namespace skingen {

struct Colour {
    double r, g, b, a;
    static Colour rgba(unsigned value);  // 0xRRGGBBAA
    static Colour rgb(unsigned value) { return rgba(value << 8 | 0xFF); }
    Colour alpha(double a2) const { return {r, g, b, a * a2}; }
    Colour mix(const Colour& other, double t) const;  // t = 0 this, 1 other
};

struct Box {
    double x, y, w, h;
    double right() const { return x + w; }
    double bottom() const { return y + h; }
    double cx() const { return x + w / 2; }
    double cy() const { return y + h / 2; }
    Box inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
    Box inset(double dx, double dy) const { return {x + dx, y + dy, w - 2 * dx, h - 2 * dy}; }
    Box moved(double dx, double dy) const { return {x + dx, y + dy, w, h}; }
};

enum class Weight { Regular, Bold };
enum class Align { Left, Centre, Right };

struct Font {
    double size;  // pixels at 1x
    Weight weight = Weight::Bold;
    double tracking = 0;  // extra pixels between letters
};

struct TextError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Canvas {
public:
    // Draws into `cr`, whose user space is already in 1x pixels; `bounds` is the
    // picture (one frame of a strip) that no text may leave.
    Canvas(cairo_t* cr, Box bounds);

    cairo_t* cr() const { return cr_; }
    const Box& bounds() const { return bounds_; }

    void colour(const Colour& c);
    void roundedRect(const Box& b, double radius);
    void fillRounded(const Box& b, double radius, const Colour& c);
    void strokeRounded(const Box& b, double radius, double width, const Colour& c);
    // Vertical gradient from `top` to `bottom` inside the rounded box.
    void fillGradient(const Box& b, double radius, const Colour& top, const Colour& bottom);
    void line(double x0, double y0, double x1, double y1, double width, const Colour& c);
    void circle(double cx, double cy, double r);

    // Draws `text` inside `box`, vertically centred on the capital height.
    // Throws TextError when the inked text would leave the box or the picture.
    void text(const std::string& text, const Box& box, const Font& font, Align align,
              const Colour& c);
    // The advance width of `text` in `font`.
    double textWidth(const std::string& text, const Font& font);

private:
    void selectFont(const Font& font);

    cairo_t* cr_;
    Box bounds_;
};

}  // namespace skingen
}  // namespace taluma
