#include "sheet.h"
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>
#include "canvas.h"
#include "render.h"
#include "skin.h"

namespace taluma {
namespace skingen {
namespace {

namespace win = layout::window;
namespace mb = layout::menubar;
namespace lg = layout::logic;
namespace wg = layout::wavegen;
namespace st = layout::settings;
namespace we = layout::waveeditor;
using layout::Rect;

constexpr double kPi = 3.14159265358979323846;

// The window put together as the editor shows it: bitmaps at their places, text
// controls drawn as the toolkit draws them (palette colours, Liberation Sans).
class Preview {
public:
    Preview(cairo_t* cr, int skin) : cr_(cr), skin_(skin), palette_(skinnedPalette(skin)) {
        for (const layout::Bitmap& b : layout::kBitmaps)
            surfaces_[b.name] = render(b, skin, 1);
    }

    void frame(int page, bool credits) {
        draw("BaclAppBase.png", win::frame, 0, 1);
        waveEditor();
        menuBar();
        draw("BtnTabL.png", win::tabLeft, page == 0 ? 1 : 0, 2);
        draw("BtnTabR.png", win::tabRight, page == 1 ? 1 : 0, 2);
        origin_ = {win::page.left, win::page.top};
        if (page == 0)
            logic();
        else if (page == 1)
            wavegen();
        else
            settings();
        origin_ = {0, 0};
        if (credits) {
            cairo_rectangle(cr_, 0, 0, 800, 600);
            cairo_set_source_rgba(cr_, 0x60 / 255.0, 0x60 / 255.0, 0x60 / 255.0, 0x4C / 255.0);
            cairo_fill(cr_);
            draw(layout::kCreditPicture, layout::credits::picture, 0, 1);
            text(layout::credits::versionLabel, "Ver:24.9.0", Colour::rgba(0xFFFFFF00),
                 Colour::rgb(0xCCCCCC), 14, false);
        }
    }

private:
    struct Point {
        int x, y;
    };
    struct Palette {
        Colour paper, ink, accent[2];
    };
    static Palette skinnedPalette(int skin) {
        const Skin& s = taluma::skingen::skin(skin);
        return {s.paper, s.ink, {s.accent[0], s.accent[1]}};
    }

    // Frame `index` of a strip at r (relative to the current origin).
    void draw(const std::string& name, const Rect& r, int index, int frames, double alpha = 1) {
        cairo_surface_t* s = surfaces_.at(name).get();
        double fh = double(cairo_image_surface_get_height(s)) / frames;
        cairo_save(cr_);
        double x = r.left + origin_.x, y = r.top + origin_.y;
        cairo_rectangle(cr_, x, y, r.width, r.height);
        cairo_clip(cr_);
        cairo_set_source_surface(cr_, s, x, y - index * fh);
        cairo_paint_with_alpha(cr_, alpha);
        cairo_restore(cr_);
    }
    void knob(const std::string& name, const Rect& r, double t) {
        draw(name, r, int(t * (layout::kKnobFrames - 1) + 0.5), layout::kKnobFrames);
    }
    void text(const Rect& r, const std::string& t, const Colour& back, const Colour& ink,
              double size = 12, bool centred = true) {
        double x = r.left + origin_.x, y = r.top + origin_.y;
        cairo_save(cr_);
        cairo_rectangle(cr_, x, y, r.width, r.height);
        cairo_clip_preserve(cr_);
        cairo_set_source_rgba(cr_, back.r, back.g, back.b, back.a);
        cairo_fill(cr_);
        Canvas c(cr_, Box{x, y, double(r.width), double(r.height)});
        double w = c.textWidth(t, Font{size, Weight::Regular});
        cairo_move_to(cr_, centred ? x + (r.width - w) / 2 : x,
                      y + r.height / 2.0 + size * 0.716 / 2);
        cairo_set_source_rgba(cr_, ink.r, ink.g, ink.b, ink.a);
        cairo_show_text(cr_, t.c_str());
        cairo_restore(cr_);
    }

    void waveView(int op, const std::vector<int>& levels) {
        const Rect& v = we::waveView[op];
        int w = we::kMouseAreaWidth / int(levels.size());
        for (size_t i = 0; i < levels.size(); ++i) {
            Rect bar{v.left + int(i) * w, v.top, w - 1, 255};
            // The handle's top row sits `level + 1` pixels above the view's top edge.
            cairo_surface_t* s = surfaces_.at("SldBar.png").get();
            cairo_save(cr_);
            cairo_rectangle(cr_, bar.left, bar.top, bar.width, bar.height);
            cairo_clip(cr_);
            cairo_set_source_surface(cr_, s, bar.left, bar.top - (levels[i] + 1));
            cairo_paint_with_alpha(cr_, 0.85);
            cairo_restore(cr_);
        }
    }

    void waveEditor() {
        std::vector<int> a, b;
        for (int i = 0; i < 32; ++i)
            a.push_back(int(128 + 110 * std::sin(2 * kPi * i / 32) +
                            0.5 * std::sin(6 * kPi * i / 32) * 30));
        for (int i = 0; i < 16; ++i)
            b.push_back(8 + i * 15);
        for (int op = 0; op < 2; ++op) {
            draw(op == 0 ? "shpRadixA.png" : "shpRadixB.png", we::radix[op], 0, 1, op == 1 ? 1 : 0);
            draw("ShpGrid.png", we::grid[op], 0, 1, 0.3);
        }
        waveView(0, a);
        waveView(1, b);
        for (int op = 0; op < 2; ++op)
            for (int i = 0; i < we::kButtons; ++i)
                draw(we::buttonBitmap[op][i], we::button[op][i], op == 0 && i == 7 ? 1 : 0, 2);
        draw("BackWeditInfo.png", we::info, 0, 1);
        draw("ShpLed.png", we::led, 1, layout::kLedFrames);
        text(we::cellLabel, "12", palette_.paper, palette_.ink);
        text(we::levelLabel, "212", palette_.paper, palette_.ink);
        draw("BtnSync.png", we::linkSwitch, 0, 2);
    }

    void menuBar() {
        draw("BtnSetting.png", mb::settingsButton, 0, 2);
        draw("BtnLogo.png", mb::logoButton, 0, 2);
        draw("BtnPresetPrev.png", mb::presetPrev, 0, 2);
        draw("BtnPresetNext.png", mb::presetNext, 0, 2);
        text(mb::presetName, "Brass Lead *", palette_.paper, palette_.ink, 11);
        knob("KnbG16.png", mb::volumeKnob, 1);
        knob("KnbG16.png", mb::pitchKnob, 0.5);
        text(mb::volumeLabel, "  0.00 dB", palette_.paper, palette_.ink);
        text(mb::pitchField, "440.00 Hz", palette_.paper, palette_.ink);
        text(mb::rateMenu, "44100 Hz [1/1]", palette_.paper, palette_.ink);
        text(mb::bitDepthMenu, "16 bit", palette_.paper, palette_.ink);
        text(mb::voiceMenu, "64", palette_.paper, palette_.ink);
    }

    void logic() {
        const Palette& p = palette_;
        draw("BackRmenuLogic.png", {0, 0, win::page.width, win::page.height}, 0, 1);
        for (int i = 0; i < 4; ++i)
            draw("BtnAlg" + std::to_string(i) + ".png", lg::algorithm[i], i == 3, 2);
        knob("KnbA.png", lg::feedbackKnobA, 0.3);
        knob("KnbA.png", lg::multKnob[0], 2 / 15.0);
        knob("KnbB.png", lg::multKnob[1], 1 / 15.0);
        knob("KnbA_C.png", lg::tuneKnob[0], 0.5);
        knob("KnbB_C.png", lg::tuneKnob[1], 0.62);
        text(lg::feedbackFieldA, "38", p.accent[0], p.paper);
        text(lg::multField[0], "2", p.accent[0], p.paper);
        text(lg::multField[1], "1", p.accent[1], p.paper);
        text(lg::tuneField[0], "0", p.accent[0], p.paper);
        text(lg::tuneField[1], "1966", p.accent[1], p.paper);
        text(lg::centsLabel[0], "0 c", p.accent[0].alpha(0), p.paper, 11);
        text(lg::centsLabel[1], "288 c", p.accent[1].alpha(0), p.paper, 11);
        static const int envelope[2][6] = {{16, 100, 100, 24, 42, 120}, {0, 124, 60, 24, 64, 120}};
        for (int op = 0; op < 2; ++op) {
            for (int i = 0; i < lg::kEnvelopeRows; ++i) {
                knob(op == 0 ? "KnbA.png" : "KnbB.png", lg::envelopeKnob[op][i],
                     envelope[op][i] / 127.0);
                text(lg::envelopeField[op][i], std::to_string(envelope[op][i]), p.accent[op],
                     p.paper);
            }
            std::string l = op == 0 ? "A" : "B";
            knob(op == 0 ? "KnbA.png" : "KnbB.png", lg::keyCentreKnob[op], 64 / 127.0);
            draw("SwtKSens" + l + ".png", lg::keyDepthSwitch[op], op, layout::kKeyDepthPositions);
            text(lg::keyCentreField[op], "64", p.accent[op], p.paper);
            text(lg::noteLabel[op], "E 4", p.accent[op].alpha(0), p.paper, 11);
            for (int i = 0; i < 4; ++i)
                draw("BtnVcrv" + l + std::to_string(i) + ".png", lg::velocityCurve[op][i],
                     i == (op == 0 ? 0 : 2), 2);
            draw("SwtVSens" + l + ".png", lg::velocitySensSwitch[op], op == 0 ? 0 : 7, 8);
            draw("SwtLSens" + l + ".png", lg::pmsSwitch[op], op == 0 ? 3 : 0, 8);
            draw("SwtLSens" + l + ".png", lg::amsSwitch[op], op == 0 ? 0 : 5, 8);
        }
        for (int i = 0; i < 4; ++i)
            draw("BtnLfoOsc" + std::to_string(i) + ".png", lg::lfoWave[i], i == 0, 2);
        knob("KnbG20.png", lg::lfoFreqKnob, 2048 / 16384.0);
        text(lg::lfoFreqField, "2048", p.ink, p.paper);
        text(lg::lfoHzLabel, "4.00 Hz", p.ink.alpha(0), p.paper, 11);
    }

    void wavegen() {
        const Palette& p = palette_;
        draw("BackRmenuWgen.png", {0, 0, win::page.width, win::page.height}, 0, 1);
        for (int i = 0; i < 6; ++i)
            draw("BtnWgen" + std::to_string(i) + ".png", wg::typeButton[i], i == 2, 2);
        draw("BackWgenCycl.png", wg::cyclesPanel, 0, 1);
        Point page = origin_;
        origin_ = {page.x + wg::cyclesPanel.left, page.y + wg::cyclesPanel.top};
        knob("KnbG22.png", wg::cyclesKnob, 3 / 511.0);
        knob("KnbG22_C.png", wg::phaseKnob, 0.5);
        text(wg::cyclesField, "1", p.ink, p.paper);
        text(wg::phaseField, "0", p.ink, p.paper);
        origin_ = page;
        draw("BackWgenAdd.png", wg::harmonicsPanel, 0, 1);
        origin_ = {page.x + wg::harmonicsPanel.left, page.y + wg::harmonicsPanel.top};
        draw("BtnSldSwt.png", wg::harmonicsSwitch, 1, 2);
        knob("KnbG22.png", wg::harmonicsKnob, 15 / 63.0);
        text(wg::harmonicsField, "16", p.ink, p.paper);
        origin_ = page;
        knob("KnbG22_C.png", wg::amplitudeKnob, 1);
        knob("KnbG22_C.png", wg::offsetKnob, 0.5);
        knob("KnbG22.png", wg::rangeEndKnob, 1);
        knob("KnbG22.png", wg::rangeStartKnob, 0);
        text(wg::amplitudeField, "255", p.ink, p.paper);
        text(wg::offsetField, "0", p.ink, p.paper);
        text(wg::rangeEndField, "128", p.ink, p.paper);
        text(wg::rangeStartField, "0", p.ink, p.paper);
        draw("BtnAplyA.png", wg::applyButton[0], 0, 2);
        draw("BtnAplyB.png", wg::applyButton[1], 1, 2);
    }

    void settings() {
        const Palette& p = palette_;
        draw("BackRmenuSetting.png", {0, 0, win::page.width, win::page.height}, 0, 1);
        knob("KnbG22.png", st::volumeKnob, 1);
        knob("KnbG22.png", st::pitchKnob, 0.5);
        knob("KnbG22.png", st::bendKnob, 2 / 24.0);
        text(st::volumeLabel, "  0.00 dB", p.ink, p.paper);
        text(st::pitchField, "440.00 Hz", p.ink, p.paper);
        text(st::bendField, "2", p.ink, p.paper);
        text(st::voiceMenu, "64", p.ink, p.paper);
        text(st::rateMenu, "44100 Hz", p.ink, p.paper);
        text(st::bitDepthMenu, "16 bit", p.ink, p.paper);
        draw("BtnImpA.png", st::importButton[0], 0, 2);
        draw("BtnImpB.png", st::importButton[1], 0, 2);
        draw("BtnExpA.png", st::exportButton[0], 1, 2);
        draw("BtnExpB.png", st::exportButton[1], 0, 2);
        draw("BtnImp.png", st::presetImportButton, 0, 2);
        draw("BtnExp.png", st::presetExportButton, 0, 2);
        knob("KnbG22.png", st::waveOpacityKnob, 0.85);
        knob("KnbG22.png", st::gridOpacityKnob, 0.3);
        text(st::waveOpacityField, "85 %", p.ink, p.paper);
        text(st::gridOpacityField, "30 %", p.ink, p.paper);
        text(st::radixMenu, "16", p.ink, p.paper);
        text(st::skinMenu, layout::kSkinNames[skin_], p.ink, p.paper);
        text(st::frameRateMenu, "30 FPS", p.ink, p.paper);
        text(st::versionLabel, "TALUMA W / Ver:24.9.0", p.ink, p.paper);
    }

    cairo_t* cr_;
    int skin_;
    Palette palette_;
    Point origin_{0, 0};
    std::map<std::string, Surface> surfaces_;
};

// Frames of a strip worth showing side by side: all of a short strip, nine of a knob.
std::vector<int> shownFrames(const layout::Bitmap& b) {
    std::vector<int> frames;
    int step = b.frames <= 8 ? 1 : (b.frames - 1) / 8;
    for (int i = 0; i < b.frames; i += step)
        frames.push_back(i);
    return frames;
}

void catalogue(cairo_t* cr, int skin, double top, double width, double* bottom) {
    const double gap = 16, label = 14;
    double x = gap, y = top, rowHeight = 0;
    Canvas c(cr, Box{0, 0, width, 1e6});
    for (const layout::Bitmap& b : layout::kBitmaps) {
        if (b.width >= 500)
            continue;  // the window background is in the previews
        Surface s = render(b, b.skinned ? skin : 0, 1);
        std::vector<int> frames = shownFrames(b);
        double zoom = b.frameHeight <= 64 && b.width <= 140 ? 2 : 1;
        double w = std::max(double(frames.size()) * (b.width * zoom + 4), 96.0);
        double h = b.frameHeight * zoom + label;
        if (x + w > width - gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        for (size_t i = 0; i < frames.size(); ++i) {
            cairo_save(cr);
            cairo_translate(cr, x + i * (b.width * zoom + 4), y);
            cairo_scale(cr, zoom, zoom);
            cairo_rectangle(cr, 0, 0, b.width, b.frameHeight);
            cairo_clip(cr);
            cairo_set_source_surface(cr, s.get(), 0, -frames[i] * b.frameHeight);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
            cairo_paint(cr);
            cairo_restore(cr);
        }
        std::string name = layout::skinnedName(b.name, skin);
        cairo_set_font_size(cr, 10);
        cairo_move_to(cr, x, y + b.frameHeight * zoom + 11);
        c.colour(Colour::rgb(0x9A9A9A));
        cairo_show_text(cr, name.c_str());
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
    }
    *bottom = y + rowHeight + gap;
}

}  // namespace

int writeContactSheets(const std::string& dir) {
    for (int skin = 0; skin < 2; ++skin) {
        const double width = 1640, previews = 2 * 600 + 3 * 20;
        // Measure the catalogue first, then draw everything onto one sheet.
        double height = 0;
        {
            Surface probe(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
            cairo_t* cr = cairo_create(probe.get());
            catalogue(cr, skin, previews, width, &height);
            cairo_destroy(cr);
        }
        Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height)));
        cairo_t* cr = cairo_create(sheet.get());
        cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
        cairo_paint(cr);
        Preview preview(cr, skin);
        const struct {
            double x, y;
            int page;
            bool credits;
        } views[] = {
            {20, 20, 0, false}, {820, 20, 1, false}, {20, 640, 2, false}, {820, 640, 0, true}};
        for (const auto& v : views) {
            cairo_save(cr);
            cairo_translate(cr, v.x, v.y);
            cairo_rectangle(cr, 0, 0, 800, 600);
            cairo_clip(cr);
            preview.frame(v.page, v.credits);
            cairo_restore(cr);
        }
        double bottom = 0;
        catalogue(cr, skin, previews, width, &bottom);
        cairo_destroy(cr);
        // Each page of the window on its own, at 1x.
        static const char* pages[] = {"logic", "wavegen", "settings", "credits"};
        for (const auto& v : views) {
            Surface window(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 800, 600));
            cairo_t* w = cairo_create(window.get());
            Preview(w, skin).frame(v.page, v.credits);
            cairo_destroy(w);
            writeFile(dir + "/window-" + (skin == 0 ? "taluma-" : "cindra-") + pages[&v - views] +
                          ".png",
                      encodePng(window.get()));
        }
        writeFile(dir + "/contact-sheet-" + (skin == 0 ? "taluma" : "cindra") + ".png",
                  encodePng(sheet.get()));
    }
    return 0;
}

}  // namespace skingen
}  // namespace taluma
