// taluma-render end to end: the real bundle loaded by the command-line tool, its WAV
// output measured.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <filesystem>
#include <string>

#include "audio_check.h"
#include "run_shell.h"
#include "scratch_dir.h"
#include "smf_bytes.h"

namespace taluma::render {
namespace {

namespace fs = std::filesystem;

class RenderCli : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) const {
        return dir.write(name, bytes);
    }
    test::Audio audio(const std::string& name) const { return test::readWav(dir.file(name)); }
    // Runs the tool in the scratch folder with the arguments (a shell word list).
    Command render(const std::string& args) const {
        return runShell("cd '" + dir.path() + "' && '" TALUMA_RENDER_EXE "' " + args);
    }

    testhost::ScratchDir dir;
};

double semitonesAbove440(double freq) {
    return 12 * std::log2(freq / 440.0);
}

// Events land on exact samples, so the block size must not change a single sample.
TEST_F(RenderCli, NoteListRendersItsNotesAtTheirPitchTimesAndLengthInAnyBlockSize) {
    write("notes.txt", "0.113 60 100 0.2\n0.3017 67 90 0.1\n0.35 72 80 0.05\n1.0 A4 100 0.6\n");
    Command run = render("notes.txt -r 48000 -b 37 --tail 0.5");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("wrote " + dir.file("notes.wav")), std::string::npos) << run.output;
    ASSERT_EQ(render("notes.txt -r 48000 -o large.wav -b 4096 --tail 0.5").exitCode, 0);

    test::Audio a = audio("notes.wav");
    EXPECT_EQ(a.samples, audio("large.wav").samples);
    EXPECT_EQ(a.rate, 48000u);
    EXPECT_EQ(a.channels, 2);
    EXPECT_EQ(a.frames(), 100800u);                // (1.0 + 0.6 + 0.5) s
    EXPECT_LT(test::rms(a.left(0, 0.112)), 1e-6);  // nothing before the first note
    EXPECT_GT(test::rms(a.left(0.12, 0.3)), 0.01);
    std::vector<float> held = a.left(1.2, 0.3);
    EXPECT_NEAR(semitonesAbove440(test::estimatePitch(held, a.rate)), 0.0, 0.1);
}

TEST_F(RenderCli, MidiFileControllersAndBendGoThroughTheMidiMapping) {
    using namespace test;
    // 480 ticks per quarter at 120 BPM. Track 1: volume 0 during the first note (0..0.5 s),
    // volume back to 127 and the bend fully up (+2 semitones, the default range) for the
    // second note (1.0..1.5 s). The file uses running status for the note-offs.
    Bytes notes = chunk({0x00, 0xB0, 7,    0,          // CC 7 = 0
                         0x00, 0x90, 69,   100,        // A4 on
                         0x83, 0x60, 69,   0,          // +480: off (running status)
                         0x00, 0xB0, 7,    127,        // volume up
                         0x00, 0xE0, 0x7F, 0x7F,       // bend to the top
                         0x83, 0x60, 0x90, 69,   100,  // +480 (1.0 s): A4 on
                         0x83, 0x60, 69,   0,          // +480: off
                         0x00, 0xFF, 0x2F, 0x00});
    dir.write("song.mid", concat({header(0, 1, 480), notes}));
    Command run = render("song.mid --bits 16 --tail 0.3");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    Audio a = audio("song.wav");
    EXPECT_LT(rms(a.left(0.1, 0.3)), 1e-4);  // CC 7 = 0 silenced the first note
    std::vector<float> second = a.left(1.1, 0.3);
    EXPECT_GT(rms(second), 0.01);
    EXPECT_NEAR(semitonesAbove440(estimatePitch(second, a.rate)), 2.0, 0.1);
}

// What changes the sound of a plain note: parameter changes and controllers saved with
// the state, loaded bare or as a preset file (the very same samples), and a square on
// table B as hex text or as the same 32 samples in an 8-bit WAV file.
TEST_F(RenderCli, SavedStatePresetAndWavetableFilesChangeTheSound) {
    write("edit.txt", "param 0 0x40002 0.3333\nparam 0 0x400A1 0.2\ncc 0 7 100\n0.1 A4 100 0.5\n");
    ASSERT_EQ(render("edit.txt --save-state edit.state").exitCode, 0);
    const std::string state = dir.read("edit.state");
    ASSERT_EQ(state.size(), 865u);  // the record and the bypass after it
    EXPECT_EQ(state[820], 100);     // volume (CC 7)
    EXPECT_EQ(state[827], 1);       // algorithm
    EXPECT_EQ(state[845], 3);       // operator B multiplier
    write("edit.tlmprst", std::string("RIFF\x62\x03\0\0data\x5A\x03\0\0", 16) + state);

    std::string text,
        wav = std::string("RIFF\x44\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x44\xAC\0\0"
                          "\x01\0\x08\0data\x20\0\0\0",
                          44);
    for (int i = 0; i < 32; ++i) {
        text += i ? " " : "";
        text += i < 16 ? "F0" : "10";
        wav += char(i < 16 ? 0xF0 : 0x10);
    }
    write("square.txt", text);
    write("square.wav", wav);
    write("note.txt", "0.1 A4 100 0.5\n");
    for (const char* args :
         {"-o plain.wav", "-o state.wav --state edit.state", "-o preset.wav --preset edit.tlmprst",
          "-o text.wav --table-b square.txt", "-o wav.wav --table-b square.wav"}) {
        const Command run = render(std::string("note.txt ") + args);
        ASSERT_EQ(run.exitCode, 0) << args << "\n" << run.output;
    }
    const test::Audio edited = audio("edit.wav"), square = audio("text.wav");
    const std::vector<float> plain = audio("plain.wav").samples;
    EXPECT_EQ(audio("state.wav").samples, edited.samples);
    EXPECT_EQ(audio("preset.wav").samples, edited.samples);
    EXPECT_NE(plain, edited.samples);
    EXPECT_EQ(audio("wav.wav").samples, square.samples);
    EXPECT_NE(plain, square.samples);
    EXPECT_NEAR(semitonesAbove440(test::estimatePitch(square.left(0.2, 0.3), square.rate)), 0.0,
                0.1);

    // Files the plug-in would quietly ignore are refused before rendering.
    write("table.doc", text);
    write("empty.txt", "no samples here");
    write("stereo.wav", std::string(wav).replace(22, 1, "\x02"));
    for (const char* bad : {"table.doc", "empty.txt", "stereo.wav", "missing.txt"}) {
        Command run = render(std::string("note.txt --table-a ") + bad);
        EXPECT_EQ(run.exitCode, 1) << bad;
        EXPECT_NE(run.output.find(bad), std::string::npos) << run.output;
    }
}

TEST_F(RenderCli, ParameterListShowsWhatParamLinesCanAddress) {
    Command list = render("--list-params");
    ASSERT_EQ(list.exitCode, 0) << list.output;
    EXPECT_EQ(std::count(list.output.begin(), list.output.end(), '\n'), 44)
        << list.output;  // header + 43
    EXPECT_NE(list.output.find("0x40093"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("OP A TL"), std::string::npos) << list.output;
    EXPECT_FALSE(fs::exists(dir.file("taluma-w-demo.wav")));  // listing renders nothing
}

TEST_F(RenderCli, BrokenInputsFailWithAMessage) {
    write("bad.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x10", 22));
    write("bad.txt", "0 C4 100 1\n0 C4 loud 1\n");
    fs::create_directories(dir.file("Fake.vst3"));
    write("short.tlmprst", std::string(873, 'x'));
    const struct {
        std::string args;
        int exitCode;
        std::string message;
    } cases[] = {
        {"no-such-file.mid", 1, "cannot open input file 'no-such-file.mid'"},
        {"bad.mid", 1, "bad.mid: chunk length runs past the end of the file"},
        {"bad.txt", 1, "bad.txt:2: velocity"},
        {"--bundle '" + dir.file("nowhere/TALUMA_W.vst3") + "'", 2, "no plug-in bundle at"},
        {"--bundle '" + dir.file("Fake.vst3") + "'", 2, "cannot load the plug-in bundle"},
        {"--preset short.tlmprst", 1, "short.tlmprst: a preset file holds 874 to 1024 bytes"},
        {"--lv2 --table-a t.txt", 1,
         "--table-a needs the VST 3 bundle and cannot be used with --lv2"},
        {"--preset-dir . -o out --lv2", 1, "--preset-dir needs the VST 3 bundle"},
        {"--lv2 '" + dir.file("nowhere.lv2") + "'", 2, "no LV2 bundle at"},
        {"--lv2='" + dir.file("Fake.vst3") + "'", 2, "no TALUMA W plug-in in the LV2 bundle"},
    };
    for (const auto& c : cases) {
        const Command run = render(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
    for (const char* name : {"bad.wav", "Fake.wav", "taluma-w-demo.wav"})
        EXPECT_FALSE(fs::exists(dir.file(name))) << name << " written despite the failure";
}

TEST_F(RenderCli, WithoutArgumentsTheDemoIsRendered) {
    Command run = render("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    test::Audio a = audio("taluma-w-demo.wav");
    EXPECT_GT(a.frames(), 8u * 44100);
    const auto range = std::minmax_element(a.samples.begin(), a.samples.end());
    const float peak = std::max(-*range.first, *range.second);
    EXPECT_GT(peak, 0.1f);  // clearly audible
    EXPECT_LT(peak, 1.0f);  // without clipping
}

}  // namespace
}  // namespace taluma::render
