// The editor's bitmaps as the module embeds them: every bitmap of the editor's catalogue,
// in both skins, at the size of its control and with the frames its control reads.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "layout.h"
#include "vstgui/lib/cbitmap.h"

using namespace VSTGUI;
using namespace taluma;

namespace {

const layout::Bitmap* catalogued(const std::string& name) {
    for (const layout::Bitmap& b : layout::kBitmaps)
        if (name == b.name)
            return &b;
    return nullptr;
}

}  // namespace

TEST(SkinBitmaps, EveryCataloguedBitmapIsEmbeddedInBothSkinsAtItsControlsSize) {
    std::set<std::string> files;
    for (const layout::Bitmap& b : layout::kBitmaps) {
        for (int skin = 0; skin < 2; ++skin) {
            std::string file = layout::skinnedName(b.name, skin);
            files.insert(file);
            auto bitmap = owned(new CBitmap(CResourceDescription(file.c_str())));
            ASSERT_TRUE(bitmap->isLoaded()) << file << " is missing";
            EXPECT_EQ(bitmap->getWidth(), b.width) << file;
            EXPECT_EQ(bitmap->getHeight(), b.frameHeight * b.frames) << file;
        }
    }
    EXPECT_EQ(files.size(), 187u);  // one credits picture for both skins
    EXPECT_FALSE(owned(new CBitmap(CResourceDescription("W_BackCredit.png")))->isLoaded());
}

TEST(SkinBitmaps, StripsHaveTheFramesTheirControlsRead) {
    // Knobs turn smoothly; buttons and switches have a frame per state or position.
    struct Case {
        const char* name;
        int frames;
    } cases[] = {{"KnbA.png", layout::kKnobFrames},
                 {"KnbG16.png", layout::kKnobFrames},
                 {"BtnTabL.png", 2},
                 {"BtnAmenu.png", 2},
                 {"BtnSync.png", 2},
                 {"BtnSldSwt.png", 2},
                 {"SwtKSensA.png", 4},
                 {"SwtVSensB.png", 8},
                 {"SwtLSensA.png", 8},
                 {"ShpLed.png", 3},
                 {"SldBar.png", 1}};
    EXPECT_GE(layout::kKnobFrames, 64);
    for (const Case& c : cases)
        EXPECT_EQ(catalogued(c.name)->frames, c.frames) << c.name;
    EXPECT_EQ(catalogued("SldBar.png")->width, 127);
    EXPECT_EQ(catalogued("SldBar.png")->frameHeight, 512);
    EXPECT_EQ(catalogued("ShpLed.png")->frameHeight, 8);
}
