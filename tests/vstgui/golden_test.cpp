// Golden images of small scenes, compared pixel for pixel with the PNGs in
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

// A strip whose frames carry a diagonal pattern and a frame-specific colour, so
// that a wrong sub-rectangle or offset shows.
void registerPatternStrip(const std::string& name, int w, int h, int frames) {
    registerPng(name, w, h * frames, [w, h](int x, int y) {
        int k = y / h, fy = y % h;
        if ((x + fy) % 4 == 0)
            return 0xFF000000u;
        uint32_t c = frameColour(k) & 0xFFFFFFu;
        uint32_t alpha = x < w / 2 ? 0xFFu : 0x80u;
        return (alpha << 24) | c;
    });
}

struct GoldenTest : ::testing::Test {
    static void SetUpTestSuite() {
        registerPatternStrip("golden_knob.png", 12, 12, 6);
        registerPatternStrip("golden_button.png", 20, 10, 2);
        registerPng("golden_back.png", 64, 32, [](int x, int y) {
            return 0xFF000000u | (static_cast<uint32_t>(x * 4) << 16) |
                   (static_cast<uint32_t>(y * 8) << 8) | 0x40u;
        });
    }
    SharedPointer<CBitmap> bitmap(const char* name) {
        return owned(new CBitmap(CResourceDescription(name)));
    }
};

TEST_F(GoldenTest, FilmStripFrames) {
    OffscreenFrame frame(64, 32);
    frame->setBackground(bitmap("golden_back.png"));
    float values[] = {0.f, 0.4f, 1.f};
    for (int i = 0; i < 3; ++i) {
        auto* knob = new CAnimKnob(CRect(2 + i * 14, 2, 14 + i * 14, 14), nullptr, i,
                                   bitmap("golden_knob.png"));
        knob->setValueNormalized(values[i]);
        frame->addView(knob);
    }
    auto* pressed = new CKickButton(CRect(2, 18, 22, 28), nullptr, 9, bitmap("golden_button.png"));
    pressed->setValue(1.f);
    frame->addView(pressed);
    auto* sw = new CHorizontalSwitch(CRect(30, 18, 50, 28), nullptr, 8, 2, 10, 2,
                                     bitmap("golden_button.png"));
    frame->addView(sw);
    expectMatchesGolden(Offscreen::render(frame.get()), "filmstrip");
}

TEST_F(GoldenTest, AlphaOfBitmapsViewsAndContainers) {
    OffscreenFrame frame(64, 32);
    auto* back = new CViewContainer(CRect(0, 0, 64, 32));
    back->setBackgroundColor(CColor(0xC7, 0xC1, 0xB7, 0xFF));
    frame->addView(back);
    auto* veil = new CViewContainer(CRect(8, 4, 56, 28));
    veil->setBackgroundColor(CColor(0x60, 0x60, 0x60, 0x4C));
    auto* image = new CView(CRect(4, 4, 16, 16));
    image->setBackground(bitmap("golden_knob.png"));
    image->setAlphaValue(0.85f);
    veil->addView(image);
    auto* faded = new CView(CRect(24, 4, 36, 16));
    faded->setBackground(bitmap("golden_knob.png"));
    faded->setAlphaValue(0.3f);
    veil->addView(faded);
    frame->addView(veil);
    expectMatchesGolden(Offscreen::render(frame.get()), "alpha");
}

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
    frame->setBackground(bitmap("golden_back.png"));
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
