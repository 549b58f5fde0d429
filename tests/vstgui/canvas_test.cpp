// The software canvas: blending, bitmaps with alpha and text placement, checked pixel by
// pixel. Film-strip frames are checked through the controls drawing them (controls_test,
// scaling_test), bitmaps' clipping by the editor's pictures (tests/editor).
#include <gtest/gtest.h>
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

struct CanvasTest : ::testing::Test {
    static void SetUpTestSuite() {
        registerPng("canvas_half.png", 4, 4, [](int, int) { return 0x80FF0000u; });  // red at 50 %
    }
    PixelBuffer buffer{10, 10};
    CDrawContext context{buffer};
};

TEST_F(CanvasTest, RectanglesBlendWithIntegerArithmeticOrDrawTheirBorder) {
    context.setFillColor(CColor(255, 255, 255, 255));
    context.drawRect(CRect(0, 0, 10, 10), kDrawFilled);
    context.setFillColor(CColor(0, 0, 255, 128));
    context.drawRect(CRect(2, 2, 4, 4), kDrawFilled);
    // 255 * 127 / 255 = 127 (rounded), blue 255.
    EXPECT_EQ(buffer.at(2, 2), 0xFF7F7FFFu);
    EXPECT_EQ(buffer.at(4, 4), 0xFFFFFFFFu);  // right/bottom exclusive
    EXPECT_EQ(buffer.at(1, 2), 0xFFFFFFFFu);
    context.setFrameColor(kRedCColor);
    context.drawRect(CRect(5, 5, 9, 9), kDrawStroked);
    EXPECT_EQ(rgbOf(buffer.at(5, 5)), 0xFF0000u);
    EXPECT_EQ(rgbOf(buffer.at(8, 8)), 0xFF0000u);
    EXPECT_EQ(rgbOf(buffer.at(6, 6)), 0xFFFFFFu);
    EXPECT_EQ(rgbOf(buffer.at(9, 9)), 0xFFFFFFu);
}

TEST_F(CanvasTest, BitmapAlphaAndGlobalAlphaMultiply) {
    SharedPointer<CBitmap> half =
        owned(new CBitmap(CResourceDescription("CANVAS_HALF.PNG")));  // case ignored
    ASSERT_TRUE(half->isLoaded());
    EXPECT_EQ(half->getWidth(), 4);
    context.drawBitmap(half, CRect(0, 0, 4, 4));
    EXPECT_EQ(rgbOf(buffer.at(0, 0)), 0x800000u);  // 255 * 128 / 255 over black
    context.setGlobalAlpha(0.5f);
    context.drawBitmap(half, CRect(5, 5, 9, 9));
    // alpha 128 * 128 / 255 = 64: 255 * 64 / 255 = 64
    EXPECT_EQ(rgbOf(buffer.at(5, 5)), 0x400000u);
    context.setGlobalAlpha(0.f);
    context.drawBitmap(half, CRect(0, 5, 4, 9));
    EXPECT_EQ(rgbOf(buffer.at(0, 5)), 0u);
}

TEST_F(CanvasTest, MissingOrInvalidResourcesDrawNothing) {
    static const uint8_t junk[] = {1, 2, 3, 4};
    Resources::add("canvas_junk.png", junk, sizeof(junk));
    SharedPointer<CBitmap> missing = owned(new CBitmap(CResourceDescription("nothing.png")));
    SharedPointer<CBitmap> bad = owned(new CBitmap(CResourceDescription("canvas_junk.png")));
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_FALSE(bad->isLoaded());
    context.drawBitmap(bad, CRect(0, 0, 10, 10));
    EXPECT_EQ(buffer.at(3, 3), 0xFF000000u);
}

TEST(CanvasText, TextStaysInsideItsRectangleAndFollowsAlignment) {
    PixelBuffer buffer(120, 20);
    CDrawContext context(buffer);
    context.setFont(kNormalFont);
    context.setFontColor(kWhiteCColor);
    auto inked = [&](const CRect& r) {
        for (int y = int(r.top); y < r.bottom; ++y)
            for (int x = int(r.left); x < r.right; ++x)
                if (rgbOf(buffer.at(x, y)) != 0)
                    return true;
        return false;
    };
    context.drawString("MMMMMMMMMMMM", CRect(10, 2, 40, 18), kLeftText);
    EXPECT_TRUE(inked(CRect(10, 2, 40, 18)));
    for (const CRect& outside :  // clipped to the rectangle
         {CRect(0, 0, 10, 20), CRect(40, 0, 120, 20), CRect(0, 0, 120, 2), CRect(0, 18, 120, 20)})
        EXPECT_FALSE(inked(outside)) << outside.left << "," << outside.top;
    context.drawString("I", CRect(60, 2, 120, 18), kRightText);
    EXPECT_FALSE(inked(CRect(40, 0, 112, 20)));
    EXPECT_TRUE(inked(CRect(112, 0, 120, 20)));
}

}  // namespace
