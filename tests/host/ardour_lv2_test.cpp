// The LV2 bundle in Ardour 7, headless: a session with the instrument on a MIDI track
// picks a factory preset from Ardour's list of the bundle's presets, saves, and Ardour
// reopens it in a process of its own (its export): the note must sound as the VST 3
// bundle renders the same preset.
#include "ardour_support.h"

namespace {

using namespace taluma::host;

TEST(ArdourLv2, APresetPickedInArdourSurvivesSaveAndReopen) {
    if (!installed("ardour7-lua ardour7-export"))
        GTEST_SKIP() << kNotInstalled;
    const char* const preset = "Lead - Brass Lead";
    ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-lv2", TALUMA_BUNDLE_DIR);
    scratch.addLv2Bundle(TALUMA_LV2_BUNDLE_DIR);
    ASSERT_NO_FATAL_FAILURE(scratch.buildSession(
        "TALUMA_PLUGIN_TYPE=LV2 TALUMA_TWEAK='OP A TL=90;ALG=1' TALUMA_PRESET='" +
        std::string(preset) + "'"));
    const std::string session = readText(scratch.session / "host.ardour");
    ASSERT_NE(session.find("type=\"lv2\" unique-id=\"https://taluma-w.example.org/lv2\""),
              std::string::npos)
        << "the track does not hold the LV2 instrument";
    expectReopenedSessionPlays(scratch,
                               fs::path(TALUMA_BANK_DIR) / (std::string(preset) + ".vstpreset"),
                               TALUMA_RENDER_EXE);
}

}  // namespace
