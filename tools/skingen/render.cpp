#include "render.h"
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include "painters.h"

namespace taluma {
namespace skingen {

const Painters& painters() {
    static const Painters all = [] {
        Painters p;
        addBackgrounds(p);
        addPagePanels(p);
        addControls(p);
        addButtons(p);
        addWaveEditor(p);
        return p;
    }();
    return all;
}

Surface render(const layout::Bitmap& bitmap, int skinIndex, double scale) {
    auto painter = painters().find(bitmap.name);
    if (painter == painters().end())
        throw std::runtime_error(std::string("no painter for ") + bitmap.name);
    const int frameHeight = static_cast<int>(bitmap.frameHeight * scale + 0.5);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                               static_cast<int>(bitmap.width * scale + 0.5),
                                               frameHeight * bitmap.frames));
    cairo_t* cr = cairo_create(surface.get());
    try {
        for (int i = 0; i < bitmap.frames; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 0, frameHeight * i);
            cairo_scale(cr, scale, scale);
            cairo_rectangle(cr, 0, 0, bitmap.width, bitmap.frameHeight);
            cairo_clip(cr);
            Frame frame{double(bitmap.width), double(bitmap.frameHeight), i, bitmap.frames};
            Canvas canvas(cr, Box{0, 0, frame.w, frame.h});
            painter->second(canvas, skin(skinIndex), frame);
            cairo_restore(cr);
        }
    } catch (const std::exception& e) {
        cairo_destroy(cr);
        throw std::runtime_error(layout::skinnedName(bitmap.name, skinIndex) + ": " + e.what());
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    return surface;
}

std::string encodePng(cairo_surface_t* surface) {
    std::string out;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &out);
    return out;
}

Surface decodePng(const std::string& bytes) {
    struct Reader {
        const std::string& bytes;
        size_t at;
    } reader{bytes, 0};
    Surface s(cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* data, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->bytes.size() - r->at < length)
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, r->bytes.data() + r->at, length);
            r->at += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    return s;
}

bool samePixels(cairo_surface_t* a, cairo_surface_t* b) {
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    if (w != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b))
        return false;
    // Both come from PNG decoding, so the format is the same for equal pictures.
    if (cairo_image_surface_get_format(a) != cairo_image_surface_get_format(b))
        return false;
    const int strideA = cairo_image_surface_get_stride(a),
              strideB = cairo_image_surface_get_stride(b);
    const unsigned char* pa = cairo_image_surface_get_data(a);
    const unsigned char* pb = cairo_image_surface_get_data(b);
    for (int y = 0; y < h; ++y)
        if (std::memcmp(pa + y * strideA, pb + y * strideB, static_cast<size_t>(w) * 4) != 0)
            return false;
    return true;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace skingen
}  // namespace taluma
