#include "golden_image.h"

#include "vstgui/lib/offscreen.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace taluma {
namespace test {

namespace {

// Pixels may differ by a rounding step where platforms round differently.
constexpr int kChannelTolerance = 2;

int channelDifference(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
        worst = d > worst ? d : worst;
    }
    return worst;
}

}  // namespace

void expectMatchesGolden(const std::vector<uint32_t>& pixels, int32_t width,
                         const layout::Rect& area, const std::string& name) {
    ASSERT_GE(pixels.size(), size_t(width) * size_t(area.bottom()));
    VSTGUI::PixelBuffer image(area.width, area.height);
    for (int32_t y = 0; y < area.height; ++y)
        for (int32_t x = 0; x < area.width; ++x)
            image.data()[size_t(y) * size_t(area.width) + size_t(x)] =
                pixels[size_t(y + area.top) * size_t(width) + size_t(x + area.left)];
    const std::string file = name + ".png";
    const std::string golden = std::string(TALUMA_EDITOR_GOLDEN_DIR) + "/" + file;
    if (std::getenv("TALUMA_UPDATE_GOLDEN")) {
        ASSERT_TRUE(VSTGUI::Offscreen::writePNG(image, golden)) << golden;
        return;
    }
    VSTGUI::PixelBuffer expected;
    ASSERT_TRUE(VSTGUI::Offscreen::readPNG(golden, expected))
        << "missing " << golden << " (TALUMA_UPDATE_GOLDEN=1 writes it)";
    ASSERT_EQ(expected.getWidth(), image.getWidth());
    ASSERT_EQ(expected.getHeight(), image.getHeight());
    int differing = 0;
    for (int32_t y = 0; y < image.getHeight(); ++y)
        for (int32_t x = 0; x < image.getWidth(); ++x)
            if (channelDifference(image.at(x, y), expected.at(x, y)) > kChannelTolerance)
                ++differing;
    EXPECT_EQ(differing, 0) << name;
    if (differing)  // for a look at what changed
        VSTGUI::Offscreen::writePNG(image, std::string(TALUMA_EDITOR_OUTPUT_DIR) + "/" + file);
}

}  // namespace test
}  // namespace taluma
