// The Linux bundle in a real host: Ardour 7's scanner indexes it, a headless Ardour
// session (dummy audio backend) plays a note through it and saves the plug-in's state,
// and the WAV exported from the saved session must hold that note at its pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ardour_support.h"
#include "audio_check.h"

namespace {

using namespace taluma::host;

TEST(ArdourHost, SessionPlaysANoteThroughTheBundle) {
    if (runShell("command -v ardour7-lua && command -v ardour7-export").exitCode != 0 ||
        !fs::exists(kScanner))
        GTEST_SKIP() << "Ardour 7 is not installed (Debian package 'ardour', see tools/setup.sh): "
                        "the real-host test cannot run";

    const fs::path bundle = TALUMA_BUNDLE_DIR;
    ASSERT_TRUE(fs::exists(bundle / "Contents/x86_64-linux/TALUMA_W.so"))
        << "build the bundle first: " << bundle;

    // Everything Ardour writes (configuration, plug-in cache, session) stays in here.
    const ArdourScratch scratchDirs(fs::path(TALUMA_HOST_SCRATCH) / "ardour", bundle);
    const fs::path& scratch = scratchDirs.root;
    const fs::path& session = scratchDirs.session;
    const std::string& env = scratchDirs.env;

    // 1. The scanner indexes the bundle.
    Command scan = scratchDirs.scan();
    ASSERT_NE(scan.output.find("Found Plugin: TALUMA W"), std::string::npos) << scan.output;

    // 2. The session: E4 from 0.5 s to 1.5 s, saved (Ardour stores the plug-in's state).
    const int key = 64;
    Command build = scratchDirs.buildSession(TALUMA_HOST_SCRIPT, key);
    ASSERT_NE(build.output.find("SESSION SAVED"), std::string::npos) << build.output;
    // Ardour keeps the component state in the session as a base64 chunk: it must hold a
    // fresh instance's state record.
    const std::string sessionText = readText(session / "host.ardour");
    const size_t chunk = sessionText.find("<chunk>");
    ASSERT_NE(chunk, std::string::npos) << "no plug-in state in the session";
    std::ofstream(scratch / "chunk.b64")
        << sessionText.substr(chunk + 7, sessionText.find("</chunk>", chunk) - chunk - 7);
    const std::string chunkBytes =
        runShell("base64 -di " + shellQuoted(scratch / "chunk.b64")).output;
    const std::string recordStart("\x02\x00\x00\x02\x00\x00\x55\x1E\x01\x08\x08", 11);
    EXPECT_NE(chunkBytes.find(recordStart), std::string::npos)
        << "the saved chunk holds no state record";

    // 3. Export from the saved session (it restores the plug-in state first).
    const fs::path wav = scratch / "export.wav";
    // ardour7-export now and then stalls after writing (Ardour's own fault, seen on a busy
    // machine); a stalled export is tried again, a failing one is not.
    Command exported;
    for (int attempt = 0; attempt < 3; ++attempt) {
        exported = runShell(env + "timeout 60 ardour7-export " + shellQuoted(session) +
                            " host -o " + shellQuoted(wav));
        if (exported.exitCode != 124)
            break;
    }
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

}  // namespace
