// The backgrounds of the three pages and of the wave generator's panels, with the
// caption of every control placed from the layout table.
#include <cmath>
#include "painters.h"
#include "style.h"

namespace taluma {
namespace skingen {
namespace {

namespace lg = layout::logic;
namespace wg = layout::wavegen;
namespace st = layout::settings;
using layout::Rect;

Box pageBox(const Frame& f) {
    return {0, 0, f.w, f.h};
}

void pageBase(Canvas& c, const Skin& s, const Frame& f) {
    c.fillGradient(pageBox(f), 0, s.panelTop, s.panelBottom);
    c.line(0.5, 0, 0.5, f.h, 1, s.light);
    c.line(f.w - 0.5, 0, f.w - 0.5, f.h, 1, s.edge.alpha(0.6));
    c.line(0, f.h - 0.5, f.w, f.h - 0.5, 1, s.edge.alpha(0.6));
}

// Captions relative to a control.
void above(Canvas& c, const Skin& s, const std::string& t, const Box& b, double h = 11) {
    caption(c, s, t, Box{b.x - 20, b.y - h - 1, b.w + 40, h});
}
void rightOf(Canvas& c, const Skin& s, const std::string& t, const Box& b, double until) {
    caption(c, s, t, Box{b.right() + 6, b.y, until - b.right() - 6, b.h}, Align::Left);
}
void leftOf(Canvas& c, const Skin& s, const std::string& t, const Box& b, double from) {
    caption(c, s, t, Box{from, b.y, b.x - 6 - from, b.h}, Align::Right);
}
// A plate under a read-out label: the labels draw only their text, in the paper
// colour, so the page gives them a backing in the colour of their field.
void plate(Canvas& c, const Skin& s, const Rect& label, const Colour& colour) {
    c.fillRounded(box(label), 2, s.index == 0 ? colour.mix(s.lit, 0.12) : colour.mix(s.ink, 0.18));
}

void logicPage(Canvas& c, const Skin& s, const Frame& f) {
    pageBase(c, s, f);
    for (int op = 0; op < 2; ++op) {
        plate(c, s, lg::centsLabel[op], s.accent[op]);
        plate(c, s, lg::noteLabel[op], s.accent[op]);
    }
    plate(c, s, lg::lfoHzLabel, s.ink);
    const double w = f.w;
    sectionTitle(c, s, "ALGORITHM", Box{4, 6, w - 8, 14});
    caption(c, s, "ALG",
            Box{double(lg::algorithm[1].right()), double(lg::algorithm[1].top),
                double(lg::algorithm[2].left - lg::algorithm[1].right()),
                double(lg::algorithm[1].height)});
    // Operator row.
    above(c, s, "FB", box(lg::feedbackKnobA));
    caption(c, s, "MUL",
            Box{double(lg::multKnob[0].left), 58,
                double(lg::multKnob[1].right() - lg::multKnob[0].left), 11});
    caption(c, s, "TUNE",
            Box{double(lg::tuneKnob[0].left), 58,
                double(lg::tuneKnob[1].right() - lg::tuneKnob[0].left), 11});
    for (const Rect* r : {&lg::feedbackFieldA, &lg::multField[0], &lg::multField[1],
                          &lg::tuneField[0], &lg::tuneField[1]})
        fieldFrame(c, s, box(*r));
    // Envelope.
    sectionTitle(c, s, "ENVELOPE", Box{4, 134, w - 8, 14},
                 {{"A", Box{double(lg::envelopeKnob[0][0].left), 134, 20, 14}},
                  {"B", Box{double(lg::envelopeKnob[1][0].left), 134, 20, 14}}});
    static const char* rows[] = {"TL", "AR", "DR", "SL", "SR", "RR"};
    for (int i = 0; i < lg::kEnvelopeRows; ++i) {
        Box a = box(lg::envelopeField[0][i]), b = box(lg::envelopeField[1][i]);
        fieldFrame(c, s, a);
        fieldFrame(c, s, b);
        caption(c, s, rows[i], Box{a.right() + 2, a.y, b.x - a.right() - 4, a.h});
    }
    // Key scaling and velocity.
    sectionTitle(c, s, "KEY SCALE", Box{4, 312, 100, 14});
    sectionTitle(c, s, "VELOCITY", Box{108, 312, w - 112, 14});
    for (int op = 0; op < 2; ++op) {
        fieldFrame(c, s, box(lg::keyCentreField[op]));
        Box curve = box(lg::velocityCurve[op][0]);
        caption(c, s, op == 0 ? "A" : "B", Box{curve.x - 14, curve.y, 12, curve.h});
        Box sens = box(lg::velocitySensSwitch[op]);
        caption(c, s, op == 0 ? "A" : "B", Box{sens.x - 14, sens.y - 1, 12, sens.h + 2});
    }
    caption(c, s, "DEPTH", Box{13, 402, 84, 11});
    caption(c, s, "SENS", Box{124, 390, 82, 11});
    // LFO.
    sectionTitle(c, s, "LFO", Box{4, 440, w - 8, 14});
    caption(c, s, "WAVE", Box{12, 457, 48, 11});
    above(c, s, "FREQ", box(lg::lfoFreqKnob));
    fieldFrame(c, s, box(lg::lfoFreqField));
    caption(c, s, "PMS", Box{double(lg::pmsSwitch[0].left) - 4, 457, 32, 11});
    caption(c, s, "AMS", Box{double(lg::amsSwitch[0].left) - 4, 457, 32, 11});
    for (const Rect* r :
         {&lg::pmsSwitch[0], &lg::pmsSwitch[1], &lg::amsSwitch[0], &lg::amsSwitch[1]}) {
        bool isA = r == &lg::pmsSwitch[0] || r == &lg::amsSwitch[0];
        caption(c, s, isA ? "A" : "B",
                Box{double(r->left), double(r->bottom()) + 1, double(r->width), 10});
    }
}

void wavegenPage(Canvas& c, const Skin& s, const Frame& f) {
    pageBase(c, s, f);
    const double w = f.w;
    sectionTitle(c, s, "WAVE GENERATOR", Box{4, 24, w - 8, 14});
    sectionTitle(c, s, "SHAPE", Box{4, 128, w - 8, 14});
    well(c, s, Box{4, 146, w - 8, 141}, 4);
    sectionTitle(c, s, "LEVEL", Box{4, 294, w - 8, 14});
    for (const Rect* r :
         {&wg::amplitudeField, &wg::offsetField, &wg::rangeEndField, &wg::rangeStartField})
        fieldFrame(c, s, box(*r));
    rightOf(c, s, "AMPLITUDE", box(wg::amplitudeField), w - 8);
    rightOf(c, s, "OFFSET", box(wg::offsetField), w - 8);
    sectionTitle(c, s, "RANGE", Box{4, 378, w - 8, 14});
    rightOf(c, s, "END", box(wg::rangeEndField), w - 8);
    rightOf(c, s, "START", box(wg::rangeStartField), w - 8);
    sectionTitle(c, s, "APPLY TO TABLE", Box{4, 462, w - 8, 14});
}

void panelBase(Canvas& c, const Skin& s, const Frame& f) {
    c.fillGradient(Box{4, 0, f.w - 8, f.h}, 3, s.panelTop, s.panelBottom);
    c.strokeRounded(Box{4, 0, f.w - 8, f.h}, 3, 1, s.edge.alpha(0.7));
}

void cyclesPanel(Canvas& c, const Skin& s, const Frame& f) {
    panelBase(c, s, f);
    fieldFrame(c, s, box(wg::cyclesField));
    fieldFrame(c, s, box(wg::phaseField));
    rightOf(c, s, "CYCLES", box(wg::cyclesField), f.w - 8);
    rightOf(c, s, "PHASE", box(wg::phaseField), f.w - 8);
}

void harmonicsPanel(Canvas& c, const Skin& s, const Frame& f) {
    panelBase(c, s, f);
    fieldFrame(c, s, box(wg::harmonicsField));
    leftOf(c, s, "BAND LIMIT", box(wg::harmonicsSwitch), 10);
    leftOf(c, s, "HARMONICS", box(wg::harmonicsField), 10);
}

void noisePanel(Canvas& c, const Skin& s, const Frame& f) {
    panelBase(c, s, f);
    for (const Rect* r : {&wg::noisePointsField, &wg::noiseSeedField, &wg::interpolationMenu})
        fieldFrame(c, s, box(*r));
    rightOf(c, s, "POINTS", box(wg::noisePointsField), f.w - 8);
    rightOf(c, s, "SEED", box(wg::noiseSeedField), f.w - 8);
    rightOf(c, s, "INTERPOLATION", box(wg::interpolationMenu), f.w - 8);
    leftOf(c, s, "LOOP", box(wg::noiseSwitch), 10);
}

void settingsPage(Canvas& c, const Skin& s, const Frame& f) {
    pageBase(c, s, f);
    const double w = f.w;
    sectionTitle(c, s, "SETTINGS", Box{4, 24, w - 8, 14});
    sectionTitle(c, s, "OUTPUT", Box{4, 48, w - 8, 14});
    for (const Rect* r :
         {&st::volumeLabel, &st::pitchField, &st::bendField, &st::voiceMenu, &st::rateMenu,
          &st::bitDepthMenu, &st::waveOpacityField, &st::gridOpacityField, &st::radixMenu,
          &st::skinMenu, &st::frameRateMenu, &st::versionLabel})
        fieldFrame(c, s, box(*r));
    rightOf(c, s, "VOLUME", box(st::volumeLabel), w - 8);
    rightOf(c, s, "STD PITCH", box(st::pitchField), w - 8);
    rightOf(c, s, "BEND RANGE", box(st::bendField), w - 8);
    rightOf(c, s, "VOICES", box(st::voiceMenu), w - 8);
    rightOf(c, s, "RATE", box(st::rateMenu), w - 8);
    rightOf(c, s, "BIT DEPTH", box(st::bitDepthMenu), w - 8);
    sectionTitle(c, s, "FILES", Box{4, 242, w - 8, 14});
    // Between the import buttons (left) and the export buttons (right).
    Box middle{double(st::importButton[1].right()) + 3, double(st::importButton[1].top),
               double(st::exportButton[0].left - st::importButton[1].right()) - 6,
               double(st::importButton[1].height)};
    caption(c, s, "IMPORT", Box{middle.x, middle.y + 1, middle.w, 10}, Align::Left);
    caption(c, s, "WAVETABLE", Box{middle.x, middle.cy() - 5, middle.w, 10});
    caption(c, s, "EXPORT", Box{middle.x, middle.bottom() - 11, middle.w, 10}, Align::Right);
    caption(c, s, "PRESET",
            Box{double(st::presetImportButton.right()), double(st::presetImportButton.top),
                double(st::presetExportButton.left - st::presetImportButton.right()),
                double(st::presetImportButton.height)});
    sectionTitle(c, s, "DISPLAY", Box{4, 348, w - 8, 14});
    leftOf(c, s, "WAVE OPACITY", box(st::waveOpacityField), 8);
    leftOf(c, s, "GRID OPACITY", box(st::gridOpacityField), 8);
    leftOf(c, s, "NUMBER RADIX", box(st::radixMenu), 8);
    leftOf(c, s, "SKIN", box(st::skinMenu), 8);
    leftOf(c, s, "FRAME RATE", box(st::frameRateMenu), 8);
}

}  // namespace

void addPagePanels(Painters& p) {
    p["BackRmenuLogic.png"] = logicPage;
    p["BackRmenuWgen.png"] = wavegenPage;
    p["BackRmenuSetting.png"] = settingsPage;
    p["BackWgenCycl.png"] = cyclesPanel;
    p["BackWgenAdd.png"] = harmonicsPanel;
    p["BackWgenNois.png"] = noisePanel;
}

}  // namespace skingen
}  // namespace taluma
