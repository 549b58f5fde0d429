// The editor's bitmaps as the module embeds them: every bitmap of the editor's catalogue,
// in both skins, at the size of its control with the frames its control reads.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "editor/layout.h"
#include "vstgui/lib/cbitmap.h"

using namespace VSTGUI;
using namespace taluma;

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
    EXPECT_EQ(files.size(), 191u);  // one credits picture for both skins
    EXPECT_FALSE(owned(new CBitmap(CResourceDescription("W_BackCredit.png")))->isLoaded());
}
