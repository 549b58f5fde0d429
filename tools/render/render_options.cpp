#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "input_error.h"

namespace taluma::render {
namespace {

std::string plain(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

double numberArg(const std::string& option, const std::string& value, double min, double max) {
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || errno != 0 || !std::isfinite(v) || v < min || v > max)
        throw InputError(option + " expects a number from " + plain(min) + " to " + plain(max) +
                         ", not '" + value + "'");
    return v;
}

// An argument after --lv2 is its bundle when it names one ("x.lv2" or "x.lv2/"), else
// the input file.
bool namesLv2Bundle(const std::string& arg) {
    std::string path = arg;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".lv2") == 0;
}

// Options that work through the VST 3 editor's messages or name a VST 3 bundle.
void refuseVst3OnlyOptions(const RenderOptions& o) {
    const struct {
        bool given;
        const char* option;
    } vst3Only[] = {
        {!o.tablePaths[0].empty(), "--table-a"},
        {!o.tablePaths[1].empty(), "--table-b"},
        {!o.presetDir.empty(), "--preset-dir"},
        {!o.bundlePath.empty(), "--bundle"},
    };
    for (const auto& v : vst3Only)
        if (v.given)
            throw InputError(std::string(v.option) +
                             " needs the VST 3 bundle and cannot be used with --lv2");
}

}  // namespace

RenderOptions parseOptions(int argc, const char* const* argv) {
    RenderOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw InputError(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "-h" || arg == "--help") {
            o.help = true;
        } else if (arg == "-o" || arg == "--output") {
            o.outputPath = value();
        } else if (arg == "--bundle") {
            o.bundlePath = value();
        } else if (arg == "--state") {
            o.statePath = value();
        } else if (arg == "--preset") {
            o.presetPath = value();
        } else if (arg == "--preset-dir") {
            o.presetDir = value();
        } else if (arg == "--table-a" || arg == "--table-b") {
            o.tablePaths[arg == "--table-a" ? 0 : 1] = value();
        } else if (arg == "--lv2") {
            o.lv2 = true;
            if (i + 1 < argc && namesLv2Bundle(argv[i + 1]))
                o.lv2BundlePath = argv[++i];
        } else if (arg.rfind("--lv2=", 0) == 0) {
            o.lv2 = true;
            o.lv2BundlePath = arg.substr(6);
            if (o.lv2BundlePath.empty())
                throw InputError("--lv2= needs the bundle's path");
        } else if (arg == "--save-state") {
            o.saveStatePath = value();
        } else if (arg == "-r" || arg == "--rate") {
            o.sampleRate = numberArg(arg, value(), 8000, 384000);
            if (o.sampleRate != std::floor(o.sampleRate))
                throw InputError(arg + " expects a whole number of Hz");
        } else if (arg == "-b" || arg == "--block") {
            double b = numberArg(arg, value(), 1, 8192);
            if (b != std::floor(b))
                throw InputError(arg + " expects a whole number of samples");
            o.blockSize = static_cast<int>(b);
        } else if (arg == "--tail") {
            o.tailSeconds = numberArg(arg, value(), 0, 600);
        } else if (arg == "--length") {
            o.lengthSeconds = numberArg(arg, value(), 0.001, 3600);
        } else if (arg == "--bits") {
            std::string bits = value();
            if (bits == "32")
                o.format = SampleFormat::Float32;
            else if (bits == "16")
                o.format = SampleFormat::Int16;
            else
                throw InputError("--bits expects 32 (float) or 16, not '" + bits + "'");
        } else if (arg == "--list-params") {
            o.listParameters = true;
        } else if (arg == "-q" || arg == "--quiet") {
            o.quiet = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw InputError("unknown option '" + arg + "' (see --help)");
        } else if (o.inputPath.empty()) {
            o.inputPath = arg;
        } else {
            throw InputError("only one input file may be given ('" + o.inputPath + "', '" + arg +
                             "')");
        }
    }
    if (o.lv2)
        refuseVst3OnlyOptions(o);
    if (!o.statePath.empty() && !o.presetPath.empty())
        throw InputError("--state and --preset cannot be used together");
    if (!o.presetDir.empty()) {
        if (!o.statePath.empty() || !o.presetPath.empty() || !o.saveStatePath.empty())
            throw InputError("--preset-dir goes with neither --state, --preset nor --save-state");
        if (o.outputPath.empty())
            throw InputError("--preset-dir needs -o, the folder for the WAV files");
    }
    return o;
}

std::string defaultOutputPath(const RenderOptions& options) {
    if (options.inputPath.empty())
        return "taluma-w-demo.wav";
    std::string name = options.inputPath.substr(options.inputPath.find_last_of('/') + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name + ".wav";
}

std::string usageText() {
    return R"(Usage: taluma-render [options] [INPUT]

Renders a note list or a Standard MIDI File through the TALUMA W plug-in into a WAV
file, loading the plug-in bundle as a host does. Without INPUT it renders a short
built-in demo (with --preset-dir: a C major chord, then single notes from C2 to C6).

INPUT is a Standard MIDI File (format 0 or 1; recognised by its MThd header) or a
note list. MIDI controllers and pitch bend reach the plug-in through its MIDI
controller mapping, as in a DAW.

Note list: one event per line, times and durations in seconds, '#' starts a comment.
  <time> <key> <velocity> <duration>        a note; key 0..127 or a name like C4,
                                            F#3, Bb2 (C4 = 60); velocity 1..127
  note <time> <key> <velocity> <duration>   the same
  cc <time> <controller> <value>            MIDI controller 0..127, value 0..127
  bend <time> <value>                       pitch bend 0..16383 (8192 = centre)
  param <time> <id> <value>                 parameter id (decimal or 0x hex, see
                                            --list-params), normalized value 0..1
Example:
  0.0 C4 100 0.5
  0.5 E4 90 0.5
  param 0.5 0x40002 1.0                     # ALG to its last choice

Options:
  -o, --output FILE   WAV file to write (default: INPUT's name with .wav in the
                      current folder; taluma-w-demo.wav for the demo)
  --bundle PATH       the TALUMA_W.vst3 bundle (default: the build tree's, then
                      ~/.vst3/TALUMA_W.vst3)
  --lv2 [BUNDLE]      render through the LV2 bundle instead (default: the build
                      tree's taluma-w.lv2, then ~/.lv2/taluma-w.lv2; BUNDLE is
                      taken when it ends in .lv2, or give --lv2=BUNDLE). The
                      same events, blocks and samples as the VST 3 bundle: notes,
                      controllers and pitch bend as MIDI, param lines as the
                      control port of the parameter, read at the start of the
                      block they fall in (see --lv2 --list-params); --state and
                      --preset (.tlmprst) load through LV2's state interface;
                      not with --table-a, --table-b, --preset-dir or --bundle
  -r, --rate HZ       sample rate (default 44100)
  -b, --block N       block size in samples, 1..8192 (default 512)
  --tail SECONDS      time rendered after the last event (default 2)
  --length SECONDS    total length; overrides --tail
  --bits 32|16        32-bit float (default) or 16-bit PCM WAV
  --state FILE        load a saved component state before rendering
  --preset FILE       load a preset file (.tlmprst or .vstpreset) before rendering
  --preset-dir DIR    render once with every preset file in DIR (not its
                      subfolders), one WAV each, named after the preset, into
                      the folder given with -o
  --save-state FILE   write the plug-in's state after rendering (for --state)
  --table-a FILE      import a wavetable into operator A before rendering: a text
                      file of hex samples ("80 FF 80 00", .txt) or a mono PCM WAV
                      file of at most 1024 bytes (.wav); after --state/--preset
  --table-b FILE      the same for operator B
  --list-params       print the plug-in's parameters (with --lv2: its control
                      ports and the parameter id of each) and exit
  -q, --quiet         print nothing but errors
  -h, --help          this text

Exit status: 0 on success, 1 for a bad input file or option, 2 when the plug-in
cannot be loaded or rendering fails.
)";
}

}  // namespace taluma::render
