// The Linux bundle in a real host: Ardour 7's scanner indexes it, a headless Ardour
// session (dummy audio backend) plays a note through it and saves the plug-in's state,
// and the WAV exported from the saved session must hold that note at its pitch.
#include "ardour_support.h"

namespace {

using namespace taluma::host;

TEST(ArdourHost, SessionPlaysANoteThroughTheBundle) {
    if (!installed("ardour7-lua ardour7-export"))
        GTEST_SKIP() << kNotInstalled;

    const fs::path bundle = TALUMA_BUNDLE_DIR;
    ASSERT_TRUE(fs::exists(bundle / "Contents/x86_64-linux/TALUMA_W.so"))
        << "build the bundle first: " << bundle;

    // Everything Ardour writes (configuration, plug-in cache, session) stays in here.
    const ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour", bundle);

    // 1. The scanner indexes the bundle.
    Command scan = scratch.scan();
    ASSERT_NE(scan.output.find("Found Plugin: TALUMA W"), std::string::npos) << scan.output;

    // 2. The session: E4 from 0.5 s to 1.5 s, saved (Ardour stores the plug-in's state).
    const int key = 64;
    Command build = scratch.buildSession(TALUMA_HOST_SCRIPT, key);
    ASSERT_NE(build.output.find("SESSION SAVED"), std::string::npos) << build.output;
    // Ardour keeps the component state in the session as a base64 chunk: it must hold a
    // fresh instance's state record.
    const std::string sessionText = readText(scratch.session / "host.ardour");
    const size_t chunk = sessionText.find("<chunk>");
    ASSERT_NE(chunk, std::string::npos) << "no plug-in state in the session";
    std::ofstream(scratch.root / "chunk.b64")
        << sessionText.substr(chunk + 7, sessionText.find("</chunk>", chunk) - chunk - 7);
    const std::string chunkBytes =
        runShell("base64 -di " + shellQuoted(scratch.root / "chunk.b64")).output;
    const std::string recordStart("\x02\x00\x00\x02\x00\x00\x55\x1E\x01\x08\x08", 11);
    EXPECT_NE(chunkBytes.find(recordStart), std::string::npos)
        << "the saved chunk holds no state record";

    // 3. Export from the saved session (it restores the plug-in state first).
    const fs::path wav = scratch.root / "export.wav";
    const Command exported = scratch.exportSession(wav);
    ASSERT_EQ(exported.exitCode, 0) << exported.output;
    ASSERT_TRUE(fs::exists(wav)) << exported.output;

    taluma::render::test::Audio audio = taluma::render::test::readWav(wav.string());
    ASSERT_EQ(audio.channels, 2);
    ASSERT_GT(audio.frames(), static_cast<size_t>(1.6 * audio.rate))
        << "the export is shorter than the note";
    EXPECT_LT(taluma::render::test::rms(audio.left(0.0, 0.45)), 1e-3) << "sound before the note";
    const std::vector<float> held = audio.left(0.7, 0.6);
    ASSERT_GT(taluma::render::test::rms(held), 0.01) << "the exported note is silent";
    const double expected = 440.0 * std::pow(2.0, (key - 69) / 12.0);
    const double measured = taluma::render::test::estimatePitch(held, audio.rate);
    EXPECT_NEAR(12 * std::log2(measured / expected), 0.0, 0.1)
        << "measured " << measured << " Hz, expected " << expected << " Hz";
}

// A user turns some operator knobs, then picks a factory preset from Ardour's preset
// menu, saves and quits; Ardour reopens the session in a new process (its export) and
// must play the preset: the same samples as the preset rendered without any session.
TEST(ArdourHost, AFactoryPresetPickedInArdourSurvivesSaveAndReopen) {
    if (!installed("ardour7-lua ardour7-export"))
        GTEST_SKIP() << kNotInstalled;
    const char* const preset = "Lead - Brass Lead";
    const fs::path presetFile = fs::path(TALUMA_BANK_DIR) / (std::string(preset) + ".vstpreset");
    ASSERT_TRUE(fs::exists(presetFile)) << "build the factory bank first: " << presetFile;

    const ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour-preset", TALUMA_BUNDLE_DIR);
    // Where Ardour lists a user's VST 3 presets.
    const fs::path presets = scratch.home / ".vst3/presets/TALUMA W developers/TALUMA W";
    fs::create_directories(presets);
    fs::copy_file(presetFile, presets / presetFile.filename());
    ASSERT_NE(scratch.scan().output.find("Found Plugin: TALUMA W"), std::string::npos);

    const int key = 64;
    const Command built = scratch.buildSession(
        TALUMA_HOST_SCRIPT, key,
        "TALUMA_TWEAK='OP A TL=90;OP B AR=20;ALG=1' TALUMA_PRESET='" + std::string(preset) + "'");
    ASSERT_NE(built.output.find("SESSION SAVED"), std::string::npos) << built.output;
    const fs::path reopened = scratch.root / "reopened.wav";
    const Command exported = scratch.exportSession(reopened, "-b float");
    ASSERT_EQ(exported.exitCode, 0) << exported.output;
    expectPlaysPreset(scratch, reopened, TALUMA_RENDER_EXE, presetFile, key);
}

}  // namespace
