// The window's pictures: the Logic, Wave-generator and Settings pages and the credits
// in both skins, compared with the committed images in golden/ (a differing picture is
// written to the build folder). Regenerate them deliberately, after looking at the new
// ones, with TALUMA_UPDATE_GOLDEN=1.
#include "editor_fixture.h"

#include "vstgui/lib/offscreen.h"

#include <cstdlib>
#include <functional>

namespace taluma {
namespace test {
namespace {

using EditorPictures = EditorFixture;

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

TEST_F(EditorPictures, PagesAndCreditsInBothSkins) {
    const bool update = std::getenv("TALUMA_UPDATE_GOLDEN") != nullptr;
    struct Shot {
        const char* name;
        std::function<void()> show;
    };
    const Shot shots[] = {
        {"logic", [&] { editor->clickView(control(cmd::control::kLogicTab)); }},
        {"generator", [&] { editor->clickView(control(cmd::control::kGeneratorTab)); }},
        {"settings", [&] { editor->clickView(control(cmd::control::kSettingsButton)); }},
        {"credits",
         [&] {
             editor->clickView(control(cmd::control::kLogicTab));
             editor->clickView(control(cmd::control::kLogoButton));
         }},
    };
    for (int skin : {1, 0}) {
        editor->clickView(control(cmd::control::kSettingsButton));
        editor->choose(control(cmd::setting::kSkin), 0, skin);
        for (const Shot& shot : shots) {
            const std::string name =
                std::string(shot.name) + "_" + layout::kSkinNames[skin] + ".png";
            SCOPED_TRACE(name);
            shot.show();
            editor->tick(100);
            VSTGUI::PixelBuffer image;
            int32_t w = 0, h = 0;
            const std::vector<uint32_t> pixels = editor->render(w, h);
            ASSERT_EQ(w, layout::window::frame.width);
            ASSERT_EQ(h, layout::window::frame.height);
            image.resize(w, h);
            std::copy(pixels.begin(), pixels.end(), image.data());
            const std::string golden = std::string(TALUMA_EDITOR_GOLDEN_DIR) + "/" + name;
            if (update) {
                ASSERT_TRUE(VSTGUI::Offscreen::writePNG(image, golden));
                continue;
            }
            VSTGUI::PixelBuffer expected;
            ASSERT_TRUE(VSTGUI::Offscreen::readPNG(golden, expected))
                << "missing " << golden << " (TALUMA_UPDATE_GOLDEN=1 writes it)";
            ASSERT_EQ(expected.getWidth(), w);
            int differing = 0;
            for (size_t i = 0; i < pixels.size(); ++i)
                if (channelDifference(pixels[i], expected.data()[i]) > kChannelTolerance)
                    ++differing;
            EXPECT_EQ(differing, 0);
            if (differing)
                VSTGUI::Offscreen::writePNG(image,
                                            std::string(TALUMA_EDITOR_OUTPUT_DIR) + "/" + name);
        }
        editor->clickView(control(cmd::control::kLogicTab));  // the credits close
    }
}

}  // namespace
}  // namespace test
}  // namespace taluma
