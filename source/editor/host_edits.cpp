#include "editor/host_edits.h"

#include "synth/command_tags.h"
#include "engine/engine_event.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Steinberg {
namespace Vst {

namespace cmd = taluma::cmd;
namespace eventid = taluma::eventid;

ParamID hostParameterOf(int32_t tag) {
    return cmd::parameterOf(cmd::commandOf(tag));
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
