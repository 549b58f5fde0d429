// Redraw cost of an editor-sized window: a full 800 x 600 repaint of a scene like
// the editor's (opaque background, translucent panels, 120 knobs with film strips,
// 80 text read-outs), and the repaint after one knob changes. Targets on the build
// machine: full repaint under 4 ms, knob change under 0.5 ms.
#include <benchmark/benchmark.h>
#include <string>
#include <vector>
#include "../../tests/vstgui/testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

struct Scene {
    Scene() {
        static bool registered = false;
        if (!registered) {
            registerPng("bench_back.png", 800, 600, [](int x, int y) {
                return 0xFF000000u | (static_cast<uint32_t>(x & 0xFF) << 16) |
                       (static_cast<uint32_t>(y & 0xFF) << 8);
            });
            // A knob strip of 64 frames with soft (translucent) edges.
            registerPng("bench_knob.png", 20, 20 * 64, [](int x, int y) {
                int dx = x - 10, dy = (y % 20) - 10, d = dx * dx + dy * dy;
                uint32_t alpha = d < 64 ? 255u : d < 100 ? 128u : 0u;
                return (alpha << 24) | static_cast<uint32_t>((y / 20) * 4) << 8 | 0xB05D24u;
            });
            registered = true;
        }
        frame = new CFrame(CRect(0, 0, 800, 600), nullptr);
        frame->open(nullptr, PlatformType::kOffscreen);
        frame->setBackground(owned(new CBitmap(CResourceDescription("bench_back.png"))));
        SharedPointer<CBitmap> knobStrip =
            owned(new CBitmap(CResourceDescription("bench_knob.png")));
        auto* page = new CViewContainer(CRect(572, 56, 792, 592));
        page->setBackgroundColor(CColor(0x33, 0x33, 0x33, 0xC0));
        frame->addView(page);
        for (int i = 0; i < 120; ++i) {
            CCoord x = 10 + (i % 20) * 27, y = 40 + (i / 20) * 40;
            auto* knob = new CAnimKnob(CRect(x, y, x + 20, y + 20), nullptr, i, knobStrip);
            knob->setValueNormalized(static_cast<float>(i % 64) / 63.f);
            frame->addView(knob);
            knobs.push_back(knob);
        }
        for (int i = 0; i < 80; ++i) {
            CCoord x = 4 + (i % 4) * 54, y = 4 + (i / 4) * 26;
            auto* label = new CTextLabel(CRect(x, y, x + 50, y + 16),
                                         ("-" + std::to_string(i * 37) + " dB").c_str());
            label->setBackColor(CColor(0xC7, 0xC1, 0xB7));
            label->setFontColor(CColor(0x40, 0x3B, 0x32));
            page->addView(label);
        }
        Offscreen::render(frame);
    }
    ~Scene() { frame->close(); }

    CFrame* frame;
    std::vector<CAnimKnob*> knobs;
};

void fullRepaint(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.frame->invalid();
        benchmark::DoNotOptimize(scene.frame->updateCanvas());
    }
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMillisecond);

void knobChange(benchmark::State& state) {
    Scene scene;
    int i = 0;
    for (auto _ : state) {
        CAnimKnob* knob = scene.knobs[static_cast<size_t>(i % 120)];
        knob->setValueNormalized(static_cast<float>((i * 7) % 64) / 63.f);
        knob->setDirty();
        scene.frame->idle();
        benchmark::DoNotOptimize(scene.frame->updateCanvas());
        ++i;
    }
}
BENCHMARK(knobChange)->Unit(benchmark::kMicrosecond);

}  // namespace
