// Command-line options of taluma-render and its help text.
#pragma once

#include <string>

#include "wav_writer.h"

namespace taluma::render {

struct RenderOptions {
    std::string inputPath;      // empty: the built-in demo
    std::string outputPath;     // empty: defaultOutputPath()
    std::string bundlePath;     // empty: the bundle of the build tree, then ~/.vst3
    std::string statePath;      // component state loaded before rendering
    std::string presetPath;     // preset file (.tlmprst or .vstpreset) loaded before rendering
    std::string presetDir;      // render once with every preset of this folder
    std::string saveStatePath;  // the plug-in's state written here after rendering
    std::string tablePaths[2];  // wavetable files imported into operators A and B
    bool lv2 = false;           // render through the LV2 bundle instead of the VST 3 one
    std::string lv2BundlePath;  // with lv2; empty: this build's taluma-w.lv2, then ~/.lv2
    double sampleRate = 44100;
    int blockSize = 512;
    double tailSeconds = 2.0;
    double lengthSeconds = 0;  // > 0 fixes the total length
    SampleFormat format = SampleFormat::Float32;
    bool help = false;
    bool listParameters = false;
    bool quiet = false;
};

// Parses argv (argv[0] is skipped). Throws InputError for unknown options, missing or
// malformed values, values out of range, --preset-dir without -o or beside --state,
// --preset or --save-state, and --lv2 beside an option only the VST 3 bundle takes.
RenderOptions parseOptions(int argc, const char* const* argv);

// The WAV path used when -o is not given: the input's file name with ".wav", in the
// current folder; "taluma-w-demo.wav" for the demo.
std::string defaultOutputPath(const RenderOptions& options);

std::string usageText();

}  // namespace taluma::render
