#include "host_edits.h"

#include "command_tags.h"
#include "engine/engine_event.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace eventid = taluma::eventid;

ParamID hostParameterOf(int32_t tag) {
    const int32_t command = cmd::commandOf(tag);
    switch (command) {
    case cmd::global::kVolume: return eventid::kVolume;
    case cmd::global::kReferencePitch: return eventid::kStdPitch;
    case cmd::global::kBitDepth: return eventid::kBitDepth;
    case cmd::setting::kBendRange: return eventid::kBendRange;
    case cmd::opValue::kLfoFreq: return eventid::kLfoFreq;
    default: break;
    }
    if (cmd::groupOf(command) != cmd::kOpValues)
        return 0;
    const int32_t item = cmd::itemOf(command);
    switch (item & 0xF0) {
    case 0x10:
        return item == 0x1F ? 0 : eventid::operatorParam(0, eventid::OperatorParam(item & 0x0F));
    case 0x20:
        return item == 0x20 || item == 0x2F
                   ? 0
                   : eventid::operatorParam(1, eventid::OperatorParam(item & 0x0F));
    case 0x80: return item <= 0x83 ? eventid::kAlgorithm : 0;
    case 0x90: return item <= 0x93 ? eventid::operatorParam(0, eventid::kVelocityCurve) : 0;
    case 0xA0: return item <= 0xA3 ? eventid::operatorParam(1, eventid::kVelocityCurve) : 0;
    case 0xB0: return item <= 0xB3 ? eventid::kLfoWave : 0;
    default: return 0;
    }
}

HostEdits::Open* HostEdits::find(ParamID id) {
    for (Open& o : open_)
        if (o.id == id)
            return &o;
    return nullptr;
}

void HostEdits::begin(ParamID id) {
    if (!id || !controller_)
        return;
    if (Open* o = find(id)) {
        ++o->depth;
        return;
    }
    open_.push_back({id, 1});
    controller_->beginEdit(id);
}

void HostEdits::end(ParamID id) {
    Open* o = find(id);
    if (!o || --o->depth > 0)
        return;
    open_.erase(open_.begin() + (o - open_.data()));
    controller_->endEdit(id);
}

void HostEdits::change(ParamID id, double normalized) {
    if (!id || !controller_)
        return;
    const bool single = find(id) == nullptr;
    if (single)
        controller_->beginEdit(id);
    controller_->setParamNormalized(id, normalized);
    controller_->performEdit(id, normalized);
    if (single)
        controller_->endEdit(id);
}

void HostEdits::endAll() {
    while (!open_.empty()) {
        const ParamID id = open_.back().id;
        open_.pop_back();
        if (controller_)
            controller_->endEdit(id);
    }
}

}  // namespace Vst
}  // namespace Steinberg
