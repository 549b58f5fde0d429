// taluma-render: plays a note list or a MIDI file through the TALUMA W bundle, loaded as
// a host loads it, and writes the result to a WAV file, or one WAV per preset of a
// folder. See --help.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "block_schedule.h"
#include "demo_song.h"
#include "input_error.h"
#include "input_files.h"
#include "vst3/messages.h"
#include "module_loader.h"
#include "note_list.h"
#include "plugin_instance.h"
#include "render_loop.h"
#include "render_options.h"
#include "vst3_target.h"
#include "vst_preset.h"
#include "wav_writer.h"
#include "wavetable_files.h"
#ifdef TALUMA_WITH_LV2
#include "lilv_host.h"
#include "lv2_target.h"
#endif

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

// A state to load before rendering: a bare record (the state file and .tlmprst
// presets), or a .vstpreset's component state with the processor class it names.
struct StartState {
    std::vector<uint8_t> record;  // empty: the plug-in's own defaults
    std::string classId;          // empty: any plug-in
};

// Reads a preset file of either format. Throws InputError.
StartState presetState(const std::string& path) {
    const std::vector<uint8_t> bytes = readBinaryFile(path, "preset file");
    if (!testhost::looksLikeVstPreset(bytes))
        return {stateFromPresetFile(bytes, path), {}};
    testhost::VstPreset preset;
    std::string error;
    if (!testhost::readVstPreset(bytes, preset, error))
        throw InputError(path + ": " + error);
    return {preset.componentState, preset.classId};
}

StartState requestedState(const RenderOptions& options) {
    if (!options.statePath.empty())
        return {
            stateFromStateFile(readBinaryFile(options.statePath, "state file"), options.statePath),
            {}};
    if (!options.presetPath.empty())
        return presetState(options.presetPath);
    return {};
}

void loadState(testhost::PluginInstance& plugin, const StartState& state) {
    if (state.record.empty())
        return;
    if (!state.classId.empty()) {
        std::string error;
        if (!testhost::loadVstPreset(plugin, {state.classId, state.record}, error))
            throw RenderFailure(error);
    } else if (plugin.setState(state.record) != Steinberg::kResultOk) {
        throw RenderFailure("the plug-in refused the state record");
    }
}

void writeStateFile(const std::vector<uint8_t>& bytes, const std::string& path) {
    if (bytes.empty())
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
    message->setMessageID(taluma::message::kFileSelect);
    message->getAttributes()->setInt(taluma::message::kTag, wavetableImportCode(kind, op));
    message->getAttributes()->setBinary(taluma::message::kPath, absolute.c_str(),
                                        static_cast<uint32_t>(absolute.size() + 1));
    plugin.clearMessages();
    plugin.sendToProcessor(message);
    message->release();
    bool answered = false;
    for (const testhost::RecordedMessage& m : plugin.messagesToController())
        answered |= m.id == taluma::message::kUiUpdate;
    if (!answered)
        throw RenderFailure("the plug-in did not take the wavetable '" + path + "'");
}

// What every render of one invocation shares.
struct RenderJob {
    const RenderOptions& options;
    std::vector<ScheduledEvent> events;
    int64_t frames = 0;
    WavetableKind tableKinds[2] = {WavetableKind::Text, WavetableKind::Text};
};

void printSummary(const RenderOptions& options, const RenderReport& report,
                  const std::string& output) {
    std::printf("wrote %s (%.2f s, %d Hz, %s, peak %.3f)\n", fs::absolute(output).string().c_str(),
                static_cast<double>(report.frames) / options.sampleRate,
                static_cast<int>(options.sampleRate),
                options.format == SampleFormat::Float32 ? "32-bit float" : "16-bit", report.peak);
    std::fflush(stdout);  // keep the summary ahead of the warnings
    if (report.peak == 0)
        std::fprintf(stderr, "taluma-render: warning: the output is silent\n");
    const struct {
        int64_t count;
        const char* text;
    } notes[] = {
        {report.nonFiniteSamples, "warning: the plug-in produced %lld non-finite samples"},
        {report.unmappedControllers, "note: %lld controller events are not mapped by the plug-in"},
        {report.unmappedParameters, "note: %lld parameter changes name a parameter without a port"},
        {report.parametersAtBlockStart,
         "note: %lld parameter changes took effect at their block's start (ports are read "
         "once per block)"},
    };
    for (const auto& note : notes)
        if (note.count) {
            std::fputs("taluma-render: ", stderr);
            std::fprintf(stderr, note.text, static_cast<long long>(note.count));
            std::fputc('\n', stderr);
        }
}

// Renders the job through a started plug-in into `output`, the same way for every format.
void writeRender(RenderTarget& target, const RenderJob& job, const std::string& output) {
    const RenderOptions& options = job.options;
    RenderReport report;
    try {
        WavWriter writer(output, options.format, static_cast<uint32_t>(options.sampleRate), 2);
        report = renderBlocks(
            target, job.events, job.frames, options.blockSize,
            [&](const float* const* channels, uint32_t frames) { writer.write(channels, frames); });
        writer.close();
    } catch (const std::runtime_error& e) {
        throw RenderFailure(e.what());
    }
    if (!options.quiet)
        printSummary(options, report, output);
}

// Renders the job with a fresh instance that starts from `state`, into `output`.
void renderOnce(testhost::Module& module, const RenderJob& job, const StartState& state,
                const std::string& output) {
    const RenderOptions& options = job.options;
    std::string error;
    std::unique_ptr<testhost::PluginInstance> plugin =
        testhost::PluginInstance::create(module, error);
    if (!plugin)
        throw RenderFailure("cannot create the plug-in: " + error);
    loadState(*plugin, state);
    for (int op = 0; op < 2; ++op)
        if (!options.tablePaths[op].empty())
            importWavetable(*plugin, op, options.tablePaths[op], job.tableKinds[op]);
    if (!plugin->start(options.sampleRate, options.blockSize))
        throw RenderFailure("the plug-in refused a sample rate of " +
                            std::to_string(static_cast<int>(options.sampleRate)) + " Hz");
    Vst3Target target(*plugin);
    writeRender(target, job, output);
    plugin->stop();
    if (!options.saveStatePath.empty()) {
        std::vector<uint8_t> bytes;
        if (!plugin->getState(bytes))
            bytes.clear();
        writeStateFile(bytes, options.saveStatePath);
    }
}

// The preset files of a folder (not its subfolders), by name.
std::vector<fs::path> presetFiles(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".tlmprst" || extension == ".vstpreset"))
            files.push_back(entry.path());
    }
    if (error)
        throw InputError("cannot read the preset folder '" + folder + "': " + error.message());
    std::sort(files.begin(), files.end());
    if (files.empty())
        throw InputError("no .tlmprst or .vstpreset file in '" + folder + "'");
    return files;
}

// One WAV per preset of the folder; a preset that fails is reported and skipped.
int renderPresetFolder(testhost::Module& module, const RenderJob& job) {
    const std::vector<fs::path> files = presetFiles(job.options.presetDir);
    fs::create_directories(job.options.outputPath);
    int failed = 0;
    for (const fs::path& file : files) {
        const fs::path output = fs::path(job.options.outputPath) / file.stem().concat(".wav");
        try {
            renderOnce(module, job, presetState(file.string()), output.string());
        } catch (const std::runtime_error& e) {
            std::fprintf(stderr, "taluma-render: %s: %s\n", file.string().c_str(), e.what());
            ++failed;
        }
    }
    return failed ? kExitRenderFailed : 0;
}

#ifdef TALUMA_WITH_LV2
// The given LV2 bundle, else the one this build made, else the user's installed one.
std::string resolveLv2Bundle(const RenderOptions& options) {
    if (!options.lv2BundlePath.empty()) {
        if (!fs::is_directory(options.lv2BundlePath))
            throw RenderFailure("no LV2 bundle at '" + options.lv2BundlePath + "'");
        return options.lv2BundlePath;
    }
    const char* home = std::getenv("HOME");
    const std::vector<std::string> candidates = {
        TALUMA_BUILD_LV2_BUNDLE, home ? std::string(home) + "/.lv2/taluma-w.lv2" : std::string()};
    for (const std::string& path : candidates)
        if (!path.empty() && fs::is_directory(path))
            return path;
    throw RenderFailure("no LV2 bundle found (looked for " + candidates[0] + " and " +
                        candidates[1] + "); build the project or give --lv2 BUNDLE");
}

// The job through the LV2 bundle: the same loop, blocks and WAV writing as the VST 3
// bundle's, the state through the plug-in's state interface.
int renderThroughLv2(const RenderJob& job, const StartState& state) {
    const RenderOptions& options = job.options;
    const std::string bundle = fs::absolute(resolveLv2Bundle(options)).string();
    lv2host::LilvHost host(bundle, options.blockSize);
    if (!host.plugin())
        throw RenderFailure("no TALUMA W plug-in in the LV2 bundle '" + bundle + "'");
    if (options.listParameters) {
        std::fputs(describePorts(host).c_str(), stdout);
        return 0;
    }
    lv2host::Lv2Instance plugin(host, options.sampleRate);
    if (!plugin.valid())
        throw RenderFailure("cannot instantiate the LV2 plug-in of '" + bundle + "' at " +
                            std::to_string(static_cast<int>(options.sampleRate)) + " Hz");
    try {
        if (!state.record.empty())
            restoreLv2State(plugin, state.record);
    } catch (const std::runtime_error& e) {
        throw RenderFailure(e.what());
    }
    Lv2Target target(plugin);
    writeRender(target, job,
                options.outputPath.empty() ? defaultOutputPath(options) : options.outputPath);
    if (!options.saveStatePath.empty())
        writeStateFile(savedLv2State(plugin), options.saveStatePath);
    return 0;
}
#else
int renderThroughLv2(const RenderJob&, const StartState&) {
    throw RenderFailure("--lv2: this taluma-render was built without liblilv");
}
#endif

int run(const RenderOptions& options) {
    // Inputs first: a broken input file is reported before the plug-in is loaded.
    const bool folder = !options.presetDir.empty();
    const char* builtIn = folder ? presetPhraseNoteList() : demoNoteList();
    const EventSequence sequence = options.inputPath.empty() ? parseNoteList(builtIn, "demo")
                                                             : readEventFile(options.inputPath);
    const StartState state = requestedState(options);
    RenderJob job{
        options, scheduleEvents(sequence, options.sampleRate),
        renderLength(sequence, options.sampleRate, options.tailSeconds, options.lengthSeconds)};
    for (int op = 0; op < 2; ++op)
        if (!options.tablePaths[op].empty())
            job.tableKinds[op] = checkWavetableFile(options.tablePaths[op]);

    if (options.lv2) {
        if (!state.classId.empty())
            throw InputError("--lv2 loads a .tlmprst preset or a state file, not the .vstpreset '" +
                             options.presetPath + "'");
        return renderThroughLv2(job, state);
    }
    const std::string bundle = resolveBundle(options);
    std::string error;
    std::unique_ptr<testhost::Module> module = testhost::Module::load(bundle, error);
    if (!module)
        throw RenderFailure("cannot load the plug-in bundle '" + bundle + "': " + error);
    if (options.listParameters) {
        std::unique_ptr<testhost::PluginInstance> plugin =
            testhost::PluginInstance::create(*module, error);
        if (!plugin)
            throw RenderFailure("cannot create the plug-in from '" + bundle + "': " + error);
        std::fputs(describeParameters(*plugin).c_str(), stdout);
        return 0;
    }
    if (folder)
        return renderPresetFolder(*module, job);
    renderOnce(*module, job, state,
               options.outputPath.empty() ? defaultOutputPath(options) : options.outputPath);
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
