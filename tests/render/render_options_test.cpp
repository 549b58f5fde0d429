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

// Options whose effect the tool's end-to-end tests (render_cli_test) cannot see; they
// run the others.
TEST(RenderOptions, BlockSizeSampleFormatLengthQuietAndHelp) {
    RenderOptions o = parse({"-b", "64", "--bits", "16", "--length", "3", "-q", "--help"});
    EXPECT_EQ(o.blockSize, 64);
    EXPECT_EQ(o.format, SampleFormat::Int16);
    EXPECT_EQ(o.lengthSeconds, 3);
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.help);
}

TEST(RenderOptions, DefaultOutputFollowsTheInputName) {
    EXPECT_EQ(defaultOutputPath(parse({"dir/sub/song.mid"})), "song.wav");
    EXPECT_EQ(defaultOutputPath(parse({"notes"})), "notes.wav");
    EXPECT_EQ(defaultOutputPath(parse({"a.b/.hidden"})), ".hidden.wav");
}

// The argument after --lv2 is its bundle only when it names one; else it is the input.
TEST(RenderOptions, Lv2TakesTheNextArgumentOnlyWhenItIsABundle) {
    const struct {
        std::vector<const char*> args;
        std::string bundle, input;
    } cases[] = {
        {{"--lv2"}, "", ""},
        {{"--lv2", "song.mid"}, "", "song.mid"},
        {{"--lv2", "my.lv2/", "notes.txt"}, "my.lv2/", "notes.txt"},
        {{"--lv2=dir/x", "notes.lv2.txt"}, "dir/x", "notes.lv2.txt"},
    };
    for (const auto& c : cases) {
        const RenderOptions o = parse(c.args);
        EXPECT_TRUE(o.lv2) << c.args[0];
        EXPECT_EQ(o.lv2BundlePath, c.bundle) << c.args[0];
        EXPECT_EQ(o.inputPath, c.input) << c.args[0];
    }
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
                                                       {"--state", "s", "--preset", "p"},
                                                       {"--table-b", "t.txt", "--lv2"},
                                                       {"--bundle", "b.vst3", "--lv2=b.lv2"},
                                                       {"--lv2="}};
    for (const auto& args : bad)
        EXPECT_THROW(parse(args), InputError) << args[0];
}

}  // namespace
}  // namespace taluma::render
