#include "vst3_target.h"

#include <cstdio>
#include <stdexcept>

#include "pluginterfaces/vst/ivstmidicontrollers.h"

namespace taluma::render {
namespace {

using Steinberg::Vst::ParamID;

constexpr int32_t kPitchBendController = Steinberg::Vst::kPitchBend;  // 129

std::string ascii(const Steinberg::Vst::String128 text) {
    std::string out;
    for (int i = 0; i < 128 && text[i]; ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

}  // namespace

Delivery Vst3Target::deliver(const TimedEvent& e, int32_t offset) {
    const auto channel = static_cast<Steinberg::int16>(e.channel);
    const auto key = static_cast<Steinberg::int16>(e.number);
    switch (e.kind) {
    case EventKind::NoteOn:
        plugin_.noteOn(offset, key, static_cast<float>(e.value) / 127.0f, channel);
        break;
    case EventKind::NoteOff: plugin_.noteOff(offset, key, channel); break;
    case EventKind::Controller:
    case EventKind::PitchBend: {
        const bool bend = e.kind == EventKind::PitchBend;
        ParamID id = 0;
        if (!plugin_.midiControllerParameter(bend ? kPitchBendController : e.number, id, channel))
            return Delivery::UnmappedController;
        plugin_.parameterChange(id, offset, bend ? e.value / 16383.0 : e.value / 127.0);
        break;
    }
    case EventKind::Parameter: plugin_.parameterChange(e.paramId, offset, e.normalized); break;
    }
    return Delivery::Taken;
}

void Vst3Target::process(int32_t frames, float* left, float* right) {
    if (plugin_.process(frames, left, right) != Steinberg::kResultOk)
        throw std::runtime_error("the plug-in failed to process a block");
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
