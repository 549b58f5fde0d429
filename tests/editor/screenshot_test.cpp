// The window's pictures: the Logic, Wave-generator and Settings pages and the credits
// in both skins, compared with the committed images in golden/ (a differing picture is
// written to the build folder). Regenerate them deliberately, after looking at the new
// ones, with TALUMA_UPDATE_GOLDEN=1.
#include "editor_fixture.h"
#include "golden_image.h"

#include <functional>

namespace taluma {
namespace test {
namespace {

using EditorPictures = EditorFixture;

TEST_F(EditorPictures, PagesAndCreditsInBothSkins) {
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
            const std::string name = std::string(shot.name) + "_" + layout::kSkinNames[skin];
            SCOPED_TRACE(name);
            shot.show();
            editor->tick(100);
            int32_t w = 0, h = 0;
            const std::vector<uint32_t> pixels = editor->render(w, h);
            expectMatchesGolden(pixels, w, layout::window::frame, name);
        }
        editor->clickView(control(cmd::control::kLogicTab));  // the credits close
    }
}

}  // namespace
}  // namespace test
}  // namespace taluma
