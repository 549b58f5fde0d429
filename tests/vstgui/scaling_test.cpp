// A zoomed frame (the editor's content scale factor): bitmaps from their high-DPI version
// (resampled with premultiplied alpha between versions, never across a film strip's
// frames). A pop-up menu at a factor is tested with the menus (optionmenu_test); the
// editor's pictures at 1.5 and 2 show the rest (tests/editor).
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFu, kRed = 0xFF0000u, kGrey = 0x808080u;

struct ScalingTest : ::testing::Test {
    static void SetUpTestSuite() {
        // 1x grey; at 2x red in columns 0..2, transparent black from column 3 on.
        registerPng("zoomed.png", 4, 2, [](int, int) { return 0xFF808080u; });
        registerPng("zoomed#2x.png", 8, 4, [](int x, int) { return x < 3 ? 0xFFFF0000u : 0u; });
        registerPng("wrongsize.png", 4, 2, [](int, int) { return 0xFF808080u; });
        registerPng("wrongsize#2x.png", 6, 4, [](int, int) { return 0xFFFF0000u; });
        registerStrip("zoomstrip.png", 4, 4, 3);
        registerStrip("zoomstrip#2x.png", 8, 8, 3);
    }
    void zoom(double z) {
        ASSERT_TRUE(frame->setZoom(z));
        frame->setBackgroundColor(kWhiteCColor);
    }
    uint32_t at(int x, int y) { return rgbOf(Offscreen::render(frame.get()).at(x, y)); }
    static int device(double v, double z) { return toDevicePixel(v * z); }
    void addView(CView* view, const char* bitmap) {
        view->setBackground(owned(new CBitmap(CResourceDescription(bitmap))));
        frame->addView(view);
    }

    OffscreenFrame frame{200, 150};
};

TEST_F(ScalingTest, BitmapsComeFromTheirVersionForTheZoom) {
    addView(new CView(CRect(10, 10, 14, 12)), "zoomed.png");
    addView(new CView(CRect(20, 10, 24, 12)), "wrongsize.png");  // its 2x is 6 x 4: unused
    auto* knob = new CAnimKnob(CRect(30, 10, 34, 14), nullptr, 1, nullptr);
    addView(knob, "zoomstrip.png");
    knob->setValueNormalized(0.5f);  // the middle frame
    struct Case {
        double zoom;
        int x;
        uint32_t colour;
    } cases[] = {
        {1, 0, kGrey},        // the 1x version
        {2, 2, kRed},         // the 2x version, pixel for pixel
        {2, 3, kWhite},       //
        {1.5, 1, kRed},       // resampled: device pixel 1 covers 2x columns 1.33..2.67,
        {1.5, 2, 0xFFBFBFu},  // pixel 2 columns 2.67..4, a quarter red: red at alpha 1/4
        {3, 0, kRed},         // no 3x version: the 2x one enlarged
        {3, 11, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        zoom(c.zoom);
        EXPECT_EQ(at(device(10, c.zoom) + c.x, device(11, c.zoom)), c.colour) << c.x;
        EXPECT_EQ(at(device(21, c.zoom), device(11, c.zoom)), kGrey);
        for (int y = device(10, c.zoom); y < device(14, c.zoom); ++y)  // nothing of frames 0, 2
            ASSERT_EQ(at(device(31, c.zoom), y), rgbOf(frameColour(1))) << y;
    }
}

}  // namespace
