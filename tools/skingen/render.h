// Drawing a catalogue bitmap into an image surface, and PNG in and out.
#pragma once
#include <cairo.h>
#include <memory>
#include <string>
#include "editor/layout.h"

namespace taluma {
namespace skingen {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// The whole film strip of `bitmap` in `skin`, at `scale` device pixels per pixel.
// Throws when its painter is missing or a legend does not fit.
Surface render(const layout::Bitmap& bitmap, int skin, double scale);

std::string encodePng(cairo_surface_t* surface);
Surface decodePng(const std::string& bytes);  // null when the bytes are no PNG
bool samePixels(cairo_surface_t* a, cairo_surface_t* b);

std::string readFile(const std::string& path);  // empty when missing
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace skingen
}  // namespace taluma
