// taluma-render: plays a note list or a MIDI file through the TALUMA W bundle, loaded as
// a host loads it, and writes the result to a WAV file. See --help.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "block_schedule.h"
#include "demo_song.h"
#include "input_error.h"
#include "input_files.h"
#include "module_loader.h"
#include "note_list.h"
#include "plugin_instance.h"
#include "plugin_render.h"
#include "render_options.h"
#include "wav_writer.h"
#include "wavetable_files.h"

namespace fs = std::filesystem;
using namespace taluma;
using namespace taluma::render;

namespace {

constexpr int kExitBadInput = 1;
constexpr int kExitRenderFailed = 2;

// Raised when the plug-in cannot be loaded or driven, or the output cannot be written.
class RenderFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string userBundlePath() {
#ifdef _WIN32
    const char* common = std::getenv("CommonProgramFiles");
    return common ? std::string(common) + "\\VST3\\TALUMA_W.vst3" : std::string();
#else
    const char* home = std::getenv("HOME");
    return home ? std::string(home) + "/.vst3/TALUMA_W.vst3" : std::string();
#endif
}

// The given bundle, else the one this build made, else the user's installed one.
std::string resolveBundle(const RenderOptions& options) {
    if (!options.bundlePath.empty()) {
        if (!fs::exists(options.bundlePath))
            throw RenderFailure("no plug-in bundle at '" + options.bundlePath + "'");
        return options.bundlePath;
    }
    const std::vector<std::string> candidates = {TALUMA_BUILD_BUNDLE, userBundlePath()};
    for (const std::string& path : candidates)
        if (!path.empty() && fs::exists(path))
            return path;
    throw RenderFailure("no plug-in bundle found (looked for " + candidates[0] + " and " +
                        candidates[1] + "); build the project or give --bundle");
}

// The state record to load before rendering, or nothing.
std::vector<uint8_t> requestedState(const RenderOptions& options) {
    if (!options.statePath.empty())
        return stateFromStateFile(readBinaryFile(options.statePath, "state file"),
                                  options.statePath);
    if (!options.presetPath.empty())
        return stateFromPresetFile(readBinaryFile(options.presetPath, "preset file"),
                                   options.presetPath);
    return {};
}

void saveState(testhost::PluginInstance& plugin, const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!plugin.getState(bytes) || bytes.empty())
        throw RenderFailure("the plug-in did not give its state");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0)
        written = false;
    if (!written)
        throw RenderFailure("cannot write the state to '" + path + "'");
}

// Imports a wavetable as the editor does: a file request to the processor, which answers
// with "Processor:uiUpdate" once it has read the file.
void importWavetable(testhost::PluginInstance& plugin, int op, const std::string& path,
                     WavetableKind kind) {
    const std::string absolute = fs::absolute(path).u8string();
    Steinberg::Vst::IMessage* message = plugin.allocateMessage();
    if (!message)
        throw RenderFailure("the host cannot make a message for the wavetable");
    message->setMessageID("GUIEditor:fileSelect");
    message->getAttributes()->setInt("tag", wavetableImportCode(kind, op));
    message->getAttributes()->setBinary("path", absolute.c_str(),
                                        static_cast<uint32_t>(absolute.size() + 1));
    plugin.clearMessages();
    plugin.sendToProcessor(message);
    message->release();
    bool answered = false;
    for (const testhost::RecordedMessage& m : plugin.messagesToController())
        answered |= m.id == "Processor:uiUpdate";
    if (!answered)
        throw RenderFailure("the plug-in did not take the wavetable '" + path + "'");
}

int run(const RenderOptions& options) {
    // Inputs first: a broken input file is reported before the plug-in is loaded.
    const EventSequence sequence = options.inputPath.empty() ? parseNoteList(demoNoteList(), "demo")
                                                             : readEventFile(options.inputPath);
    const std::vector<uint8_t> state = requestedState(options);
    WavetableKind tableKinds[2] = {WavetableKind::Text, WavetableKind::Text};
    for (int op = 0; op < 2; ++op)
        if (!options.tablePaths[op].empty())
            tableKinds[op] = checkWavetableFile(options.tablePaths[op]);
    const int64_t frames =
        renderLength(sequence, options.sampleRate, options.tailSeconds, options.lengthSeconds);

    const std::string bundle = resolveBundle(options);
    std::string error;
    std::unique_ptr<testhost::Module> module = testhost::Module::load(bundle, error);
    if (!module)
        throw RenderFailure("cannot load the plug-in bundle '" + bundle + "': " + error);
    std::unique_ptr<testhost::PluginInstance> plugin =
        testhost::PluginInstance::create(*module, error);
    if (!plugin)
        throw RenderFailure("cannot create the plug-in from '" + bundle + "': " + error);

    if (options.listParameters) {
        std::fputs(describeParameters(*plugin).c_str(), stdout);
        return 0;
    }
    if (!state.empty() && plugin->setState(state) != Steinberg::kResultOk)
        throw RenderFailure("the plug-in refused the state record");
    for (int op = 0; op < 2; ++op)
        if (!options.tablePaths[op].empty())
            importWavetable(*plugin, op, options.tablePaths[op], tableKinds[op]);
    if (!plugin->start(options.sampleRate, options.blockSize))
        throw RenderFailure("the plug-in refused a sample rate of " +
                            std::to_string(static_cast<int>(options.sampleRate)) + " Hz");

    const std::string output =
        options.outputPath.empty() ? defaultOutputPath(options) : options.outputPath;
    const std::vector<ScheduledEvent> events = scheduleEvents(sequence, options.sampleRate);
    RenderReport report;
    try {
        WavWriter writer(output, options.format, static_cast<uint32_t>(options.sampleRate), 2);
        report = renderThroughPlugin(*plugin, events, frames, options.blockSize, writer);
        writer.close();
    } catch (const std::runtime_error& e) {
        throw RenderFailure(e.what());
    }
    plugin->stop();
    if (!options.saveStatePath.empty())
        saveState(*plugin, options.saveStatePath);

    if (!options.quiet) {
        std::printf(
            "wrote %s (%.2f s, %d Hz, %s, peak %.3f)\n", fs::absolute(output).string().c_str(),
            static_cast<double>(report.frames) / options.sampleRate,
            static_cast<int>(options.sampleRate),
            options.format == SampleFormat::Float32 ? "32-bit float" : "16-bit", report.peak);
        std::fflush(stdout);  // keep the summary ahead of the warnings
        if (report.peak == 0)
            std::fprintf(stderr, "taluma-render: warning: the output is silent\n");
        if (report.nonFiniteSamples)
            std::fprintf(stderr,
                         "taluma-render: warning: the plug-in produced %lld non-finite samples\n",
                         static_cast<long long>(report.nonFiniteSamples));
        if (report.unmappedControllers)
            std::fprintf(
                stderr,
                "taluma-render: note: %lld controller events are not mapped by the plug-in\n",
                static_cast<long long>(report.unmappedControllers));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const RenderOptions options = parseOptions(argc, argv);
        if (options.help) {
            std::fputs(usageText().c_str(), stdout);
            return 0;
        }
        return run(options);
    } catch (const InputError& e) {
        std::fprintf(stderr, "taluma-render: %s\n", e.what());
        return kExitBadInput;
    } catch (const RenderFailure& e) {
        std::fprintf(stderr, "taluma-render: %s\n", e.what());
        return kExitRenderFailed;
    }
}
