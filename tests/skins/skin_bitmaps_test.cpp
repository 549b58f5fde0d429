// The editor's bitmaps as the module embeds them: every name the editor uses, in both
// skins, at the size of its control and with the frames its control reads.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "layout.h"
#include "vstgui/lib/cbitmap.h"

using namespace VSTGUI;
using namespace taluma;

namespace {

// Every bitmap name the editor's layers use (skin 0).
const char* const kEditorNames[] = {
    "BaclAppBase.png",    "BtnTabL.png",       "BtnTabR.png",
    "BackRmenuLogic.png", "BackRmenuWgen.png", "BackRmenuSetting.png",
    "BackWgenCycl.png",   "BackWgenAdd.png",   "BackWgenNois.png",
    "BackWeditInfo.png",  "BackCredit.png",    "BtnSetting.png",
    "BtnLogo.png",        "KnbG16.png",        "BtnAlg0.png",
    "BtnAlg1.png",        "BtnAlg2.png",       "BtnAlg3.png",
    "KnbA.png",           "KnbB.png",          "KnbA_C.png",
    "KnbB_C.png",         "KnbG20.png",        "SwtKSensA.png",
    "SwtKSensB.png",      "BtnVcrvA0.png",     "BtnVcrvA1.png",
    "BtnVcrvA2.png",      "BtnVcrvA3.png",     "BtnVcrvB0.png",
    "BtnVcrvB1.png",      "BtnVcrvB2.png",     "BtnVcrvB3.png",
    "SwtVSensA.png",      "SwtVSensB.png",     "BtnLfoOsc0.png",
    "BtnLfoOsc1.png",     "BtnLfoOsc2.png",    "BtnLfoOsc3.png",
    "SwtLSensA.png",      "SwtLSensB.png",     "BtnWgen0.png",
    "BtnWgen1.png",       "BtnWgen2.png",      "BtnWgen3.png",
    "BtnWgen4.png",       "BtnWgen5.png",      "KnbG22.png",
    "KnbG22_C.png",       "BtnSldSwt.png",     "BtnAplyA.png",
    "BtnAplyB.png",       "BtnImpA.png",       "BtnImpB.png",
    "BtnExpA.png",        "BtnExpB.png",       "BtnImp.png",
    "BtnExp.png",         "shpRadixA.png",     "shpRadixB.png",
    "ShpGrid.png",        "SldBar.png",        "ShpLed.png",
    "BtnSync.png",        "BtnAmenu.png",      "BtnAll.png",
    "BtnAl.png",          "BtnArev.png",       "BtnAr.png",
    "BtnArr.png",         "BtnAuu.png",        "BtnAu.png",
    "BtnAVrev.png",       "BtnAd.png",         "BtnAdd.png",
    "BtnAup.png",         "BtnAp.png",         "BtnAm.png",
    "BtnAdm.png",         "BtnBmenu.png",      "BtnBll.png",
    "BtnBl.png",          "BtnBrev.png",       "BtnBr.png",
    "BtnBrr.png",         "BtnBuu.png",        "BtnBu.png",
    "BtnBVrev.png",       "BtnBd.png",         "BtnBdd.png",
    "BtnBup.png",         "BtnBp.png",         "BtnBm.png",
    "BtnBdm.png"};

const layout::Bitmap* catalogued(const std::string& name) {
    for (const layout::Bitmap& b : layout::kBitmaps)
        if (name == b.name)
            return &b;
    return nullptr;
}

}  // namespace

TEST(SkinBitmaps, EveryEditorNameIsEmbeddedInBothSkinsAtItsControlsSize) {
    EXPECT_EQ(std::size(kEditorNames), static_cast<size_t>(layout::kBitmapCount));
    std::set<std::string> files;
    for (const char* name : kEditorNames) {
        const layout::Bitmap* spec = catalogued(name);
        ASSERT_NE(spec, nullptr) << name << " is not in the catalogue";
        for (int skin = 0; skin < 2; ++skin) {
            std::string file = layout::skinnedName(name, skin);
            files.insert(file);
            auto bitmap = owned(new CBitmap(CResourceDescription(file.c_str())));
            ASSERT_TRUE(bitmap->isLoaded()) << file << " is missing";
            EXPECT_EQ(bitmap->getWidth(), spec->width) << file;
            EXPECT_EQ(bitmap->getHeight(), spec->frameHeight * spec->frames) << file;
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
