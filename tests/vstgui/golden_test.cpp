// Golden images of text and of a popped-up menu, compared pixel for pixel with the PNGs in
// tests/vstgui/golden. After a deliberate change of the drawing, regenerate them
// with TALUMA_UPDATE_GOLDEN=1 set in the environment and review the new images.
#include <gtest/gtest.h>
#include <cstdlib>
#include "../../lib/vstgui/src/controls/menupopup.h"
#include "testsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace {

void expectMatchesGolden(const PixelBuffer& image, const std::string& name) {
    const std::string path = std::string(TALUMA_GOLDEN_DIR) + "/" + name + ".png";
    const char* update = std::getenv("TALUMA_UPDATE_GOLDEN");
    if (update && *update && std::string(update) != "0") {
        ASSERT_TRUE(Offscreen::writePNG(image, path)) << path;
        return;
    }
    PixelBuffer golden;
    ASSERT_TRUE(Offscreen::readPNG(path, golden))
        << "missing golden image " << path << " (set TALUMA_UPDATE_GOLDEN=1 to create it)";
    ASSERT_EQ(golden.getWidth(), image.getWidth());
    ASSERT_EQ(golden.getHeight(), image.getHeight());
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (golden.at(x, y) != image.at(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    EXPECT_EQ(differing, 0) << name << ": first difference at " << firstX << "," << firstY;
}

struct GoldenTest : ::testing::Test {
    static void SetUpTestSuite() {
        registerPng("golden_back.png", 64, 32, [](int x, int y) {
            return 0xFF000000u | (static_cast<uint32_t>(x * 4) << 16) |
                   (static_cast<uint32_t>(y * 8) << 8) | 0x40u;
        });
    }
};

TEST_F(GoldenTest, TextInTheThreeFonts) {
    OffscreenFrame frame(160, 60);
    struct Line {
        CFontRef font;
        CHoriTxtAlign align;
        const char* text;
        CColor back, ink;
    } lines[] = {
        {kNormalFontSmall, kLeftText, "C# -1 / 0.00 Hz", CColor(0x33, 0x33, 0x33),
         CColor(0x8F, 0x8F, 0x8F)},
        {kNormalFont, kCenterText, "440.00 Hz", CColor(0xB0, 0x5D, 0x24), CColor(0x33, 0x33, 0x33)},
        {kNormalFontBig, kLeftText, "Ver:24.9.0", CColor(0xFF, 0xFF, 0xFF, 0),
         CColor(0xCC, 0xCC, 0xCC)},
    };
    for (int i = 0; i < 3; ++i) {
        auto* label = new CTextLabel(CRect(4, 2 + i * 19, 156, 2 + i * 19 + 17), lines[i].text);
        label->setFont(lines[i].font);
        label->setHoriAlign(lines[i].align);
        label->setBackColor(lines[i].back);
        label->setFontColor(lines[i].ink);
        label->setFrameColor(CColor(0, 0, 0, 0));
        frame->addView(label);
    }
    expectMatchesGolden(Offscreen::render(frame.get()), "text");
}

TEST_F(GoldenTest, PoppedUpMenuWithSubMenuAndCheckmark) {
    OffscreenFrame frame(240, 140);
    frame->setBackground(owned(new CBitmap(CResourceDescription("golden_back.png"))));
    auto* menu = new COptionMenu(CRect(0, 0, 1, 1), nullptr, 0x10003800);
    menu->setStyle(kPopupStyle);
    auto* sizes = new COptionMenu(CRect(0, 0, 1, 1), nullptr, 0x10003810);
    sizes->setStyle(kCheckStyle);
    for (const char* t : {"4", "8", "16", "32"})
        sizes->addEntry(t);
    sizes->setCurrent(2);
    menu->addEntry(sizes, "TableSize");
    sizes->forget();
    menu->addSeparator();
    menu->addEntry("Clear WaveTable");
    menu->addEntry("Disabled", -1, CMenuItem::kDisabled);
    ASSERT_TRUE(menu->popup(frame.get(), CPoint(10, 10)));
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);
    Offscreen::keyDown(frame.get(), 0, VKEY_RIGHT);
    Offscreen::keyDown(frame.get(), 0, VKEY_DOWN);
    expectMatchesGolden(Offscreen::render(frame.get()), "menu");
    Offscreen::keyDown(frame.get(), 0, VKEY_ESCAPE);
    Offscreen::keyDown(frame.get(), 0, VKEY_ESCAPE);
    menu->forget();
}

}  // namespace
