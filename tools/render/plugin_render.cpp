#include "plugin_render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "pluginterfaces/vst/ivstmidicontrollers.h"

namespace taluma::render {
namespace {

using Steinberg::Vst::ParamID;

constexpr int32_t kPitchBendController = Steinberg::Vst::kPitchBend;  // 129

void deliver(testhost::PluginInstance& plugin, const TimedEvent& e, int32_t offset,
             RenderReport& report) {
    const auto channel = static_cast<Steinberg::int16>(e.channel);
    const auto key = static_cast<Steinberg::int16>(e.number);
    switch (e.kind) {
    case EventKind::NoteOn:
        plugin.noteOn(offset, key, static_cast<float>(e.value) / 127.0f, channel);
        break;
    case EventKind::NoteOff: plugin.noteOff(offset, key, channel); break;
    case EventKind::Controller:
    case EventKind::PitchBend: {
        const bool bend = e.kind == EventKind::PitchBend;
        ParamID id = 0;
        if (plugin.midiControllerParameter(bend ? kPitchBendController : e.number, id, channel))
            plugin.parameterChange(id, offset, bend ? e.value / 16383.0 : e.value / 127.0);
        else
            ++report.unmappedControllers;
        break;
    }
    case EventKind::Parameter: plugin.parameterChange(e.paramId, offset, e.normalized); break;
    }
}

std::string ascii(const Steinberg::Vst::String128 text) {
    std::string out;
    for (int i = 0; i < 128 && text[i]; ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

}  // namespace

RenderReport renderThroughPlugin(testhost::PluginInstance& plugin,
                                 const std::vector<ScheduledEvent>& events, int64_t totalFrames,
                                 int32_t blockSize, WavWriter& writer) {
    RenderReport report;
    std::vector<float> left(blockSize), right(blockSize);
    const float* channels[2] = {left.data(), right.data()};
    BlockCursor cursor(events);
    for (int64_t start = 0; start < totalFrames; start += blockSize) {
        const int32_t frames =
            static_cast<int32_t>(std::min<int64_t>(blockSize, totalFrames - start));
        const BlockCursor::Range range = cursor.take(start, frames);
        for (size_t i = range.first; i < range.last; ++i)
            deliver(plugin, events[i].event, BlockCursor::offsetIn(events[i], start), report);
        plugin.process(frames, left.data(), right.data());
        for (int32_t i = 0; i < frames; ++i) {
            for (float s : {left[i], right[i]}) {
                if (!std::isfinite(s))
                    ++report.nonFiniteSamples;
                else
                    report.peak = std::max(report.peak, std::fabs(s));
            }
        }
        writer.write(channels, static_cast<uint32_t>(frames));
        report.frames += frames;
    }
    return report;
}

std::string describeParameters(testhost::PluginInstance& plugin) {
    Steinberg::Vst::IEditController* controller = plugin.controller();
    if (!controller)
        return "the plug-in has no edit controller\n";
    std::string out = "id          steps  default  flags  title\n";
    for (Steinberg::int32 i = 0; i < controller->getParameterCount(); ++i) {
        Steinberg::Vst::ParameterInfo info{};
        if (controller->getParameterInfo(i, info) != Steinberg::kResultOk)
            continue;
        char line[256];
        std::snprintf(line, sizeof line, "0x%-8X  %5d  %7.4f  0x%-5X  %s\n",
                      static_cast<unsigned>(info.id), static_cast<int>(info.stepCount),
                      info.defaultNormalizedValue, static_cast<unsigned>(info.flags),
                      ascii(info.title).c_str());
        out += line;
    }
    return out;
}

}  // namespace taluma::render
