// The LV2 bundle in Ardour 7, headless: a session with the instrument on a MIDI track
// picks a factory preset from Ardour's list of the bundle's presets, saves, and Ardour
// reopens it in a process of its own (its export): the note must sound as the VST 3
// bundle renders the same preset.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ardour_support.h"
#include "audio_check.h"

namespace {

using namespace taluma::host;
namespace audio = taluma::render::test;

TEST(ArdourLv2, APresetPickedInArdourSurvivesSaveAndReopen) {
    if (runShell("command -v ardour7-lua && command -v ardour7-export").exitCode != 0)
        GTEST_SKIP() << "Ardour 7 is not installed (Debian package 'ardour', see tools/setup.sh)";
    const char* const preset = "Lead - Brass Lead";
    ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-lv2", TALUMA_BUNDLE_DIR);
    fs::create_directories(scratch.root / "lv2");
    fs::copy(TALUMA_LV2_BUNDLE_DIR, scratch.root / "lv2/taluma-w.lv2", fs::copy_options::recursive);
    scratch.env += "LV2_PATH=" + shellQuoted(scratch.root / "lv2") + " ";

    const int key = 64;
    const Command built = scratch.buildSession(
        TALUMA_HOST_SCRIPT, key,
        "TALUMA_PLUGIN_TYPE=LV2 TALUMA_TWEAK='OP A TL=90;ALG=1' TALUMA_PRESET='" +
            std::string(preset) + "'");
    ASSERT_NE(built.output.find("SESSION SAVED"), std::string::npos) << built.output;
    const std::string session = readText(scratch.session / "host.ardour");
    ASSERT_NE(session.find("type=\"lv2\" unique-id=\"https://taluma-w.example.org/lv2\""),
              std::string::npos)
        << "the track does not hold the LV2 instrument";
    const fs::path reopened = scratch.root / "reopened.wav";
    const Command exported = scratch.exportSession(reopened, "-b float");
    ASSERT_EQ(exported.exitCode, 0) << exported.output;

    const fs::path notes = scratch.root / "note.txt";
    std::ofstream(notes) << "0.5 " << key << " 100 1.0\n";
    const fs::path reference = scratch.root / "reference.wav";
    const fs::path presetFile = fs::path(TALUMA_BANK_DIR) / (std::string(preset) + ".vstpreset");
    const Command rendered =
        runShell(std::string(TALUMA_RENDER_EXE) + " " + shellQuoted(notes) + " -r 48000 --preset " +
                 shellQuoted(presetFile) + " -o " + shellQuoted(reference));
    ASSERT_EQ(rendered.exitCode, 0) << rendered.output;

    const audio::Audio played = audio::readWav(reopened.string());
    const audio::Audio expected = audio::readWav(reference.string());
    ASSERT_EQ(played.rate, 48000u);
    const std::vector<float> a = played.left(0.4, 2.4), b = expected.left(0.4, 2.4);
    ASSERT_EQ(a.size(), b.size()) << "the export is shorter than the note";
    std::vector<float> difference(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        difference[i] = a[i] - b[i];
    ASSERT_GT(audio::rms(b), 0.01) << "the preset is silent";
    EXPECT_LT(20 * std::log10(audio::rms(difference) / audio::rms(b) + 1e-30), -60.0)
        << "the reopened session does not play the preset (RMS " << audio::rms(a) << ", preset "
        << audio::rms(b) << ")";
}

}  // namespace
