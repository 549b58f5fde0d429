// The Linux bundle in a real host: Ardour 7's scanner indexes it; in a headless session
// (dummy audio backend) a user turns some operator knobs, then picks a factory preset
// from Ardour's preset menu, saves and quits; Ardour reopens the session in a new process
// (its export) and must play the preset: the same samples as the preset rendered without
// any session.
#include "ardour_support.h"

namespace {

using namespace taluma::host;

TEST(ArdourHost, AFactoryPresetPickedInArdourSurvivesSaveAndReopen) {
    if (!installed("ardour7-lua ardour7-export"))
        GTEST_SKIP() << kNotInstalled;
    const char* const preset = "Lead - Brass Lead";
    const fs::path presetFile = fs::path(TALUMA_BANK_DIR) / (std::string(preset) + ".vstpreset");
    ASSERT_TRUE(fs::exists(presetFile)) << "build the factory bank first: " << presetFile;

    // Everything Ardour writes (configuration, plug-in cache, session) stays in here.
    const ArdourScratch scratch(fs::path(TALUMA_HOST_SCRATCH) / "ardour", TALUMA_BUNDLE_DIR);
    // Where Ardour lists a user's VST 3 presets.
    const fs::path presets = scratch.home / ".vst3/presets/TALUMA W developers/TALUMA W";
    fs::create_directories(presets);
    fs::copy_file(presetFile, presets / presetFile.filename());
    ASSERT_NO_FATAL_FAILURE(scratch.expectScanned());
    ASSERT_NO_FATAL_FAILURE(scratch.buildSession(
        "TALUMA_TWEAK='OP A TL=90;OP B AR=20;ALG=1' TALUMA_PRESET='" + std::string(preset) + "'"));

    // Ardour keeps the component state in the session as a base64 chunk: it must hold the
    // preset's state record (858 bytes after the preset file's 48-byte header).
    const std::string sessionText = readText(scratch.session / "host.ardour");
    const size_t chunk = sessionText.find("<chunk>");
    ASSERT_NE(chunk, std::string::npos) << "no plug-in state in the session";
    std::ofstream(scratch.root / "chunk.b64")
        << sessionText.substr(chunk + 7, sessionText.find("</chunk>", chunk) - chunk - 7);
    const std::string chunkBytes =
        runShell("base64 -di " + shellQuoted(scratch.root / "chunk.b64")).output;
    EXPECT_NE(chunkBytes.find(readText(presetFile).substr(48, 858)), std::string::npos)
        << "the saved chunk does not hold the preset's state record";

    expectReopenedSessionPlays(scratch, presetFile, TALUMA_RENDER_EXE);
}

}  // namespace
