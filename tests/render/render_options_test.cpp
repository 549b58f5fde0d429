#include "render_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "input_error.h"

namespace taluma::render {
namespace {

RenderOptions parse(std::vector<const char*> args) {
    args.insert(args.begin(), "taluma-render");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(RenderOptions, DefaultsRenderTheDemo) {
    RenderOptions o = parse({});
    EXPECT_TRUE(o.inputPath.empty());
    EXPECT_EQ(o.sampleRate, 44100);
    EXPECT_EQ(o.blockSize, 512);
    EXPECT_EQ(o.tailSeconds, 2.0);
    EXPECT_EQ(o.lengthSeconds, 0);
    EXPECT_EQ(o.format, SampleFormat::Float32);
    EXPECT_EQ(defaultOutputPath(o), "taluma-w-demo.wav");
}

TEST(RenderOptions, EveryOptionIsRead) {
    RenderOptions o =
        parse({"-o", "out.wav", "--bundle", "/b/TALUMA_W.vst3", "-r", "48000", "-b", "64", "--tail",
               "0.5", "--length", "3", "--bits", "16", "--preset", "p.tlmprst", "-q", "song.mid"});
    EXPECT_EQ(o.outputPath, "out.wav");
    EXPECT_EQ(o.bundlePath, "/b/TALUMA_W.vst3");
    EXPECT_EQ(o.sampleRate, 48000);
    EXPECT_EQ(o.blockSize, 64);
    EXPECT_EQ(o.tailSeconds, 0.5);
    EXPECT_EQ(o.lengthSeconds, 3);
    EXPECT_EQ(o.format, SampleFormat::Int16);
    EXPECT_EQ(o.presetPath, "p.tlmprst");
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.inputPath, "song.mid");
    RenderOptions state =
        parse({"--state", "s.bin", "--save-state", "t.bin", "--list-params", "--help"});
    EXPECT_EQ(state.statePath, "s.bin");
    EXPECT_EQ(state.saveStatePath, "t.bin");
    EXPECT_TRUE(state.listParameters);
    EXPECT_TRUE(state.help);
}

TEST(RenderOptions, DefaultOutputFollowsTheInputName) {
    EXPECT_EQ(defaultOutputPath(parse({"dir/sub/song.mid"})), "song.wav");
    EXPECT_EQ(defaultOutputPath(parse({"notes"})), "notes.wav");
    EXPECT_EQ(defaultOutputPath(parse({"a.b/.hidden"})), ".hidden.wav");
}

TEST(RenderOptions, BadArgumentsAreRefused) {
    const std::vector<std::vector<const char*>> bad = {{"--frobnicate"},
                                                       {"-r"},
                                                       {"-r", "fast"},
                                                       {"-r", "100"},
                                                       {"-r", "44100.5"},
                                                       {"-b", "0"},
                                                       {"-b", "1.5"},
                                                       {"-b", "9000"},
                                                       {"--bits", "24"},
                                                       {"--tail", "-1"},
                                                       {"--length", "0"},
                                                       {"a.mid", "b.mid"},
                                                       {"--state", "s", "--preset", "p"}};
    for (const auto& args : bad) {
        EXPECT_THROW(parse(args), InputError) << args[0];
    }
}

}  // namespace
}  // namespace taluma::render
