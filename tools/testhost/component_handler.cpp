#include "component_handler.h"

namespace taluma {
namespace testhost {

tresult PLUGIN_API HostComponentHandler::beginEdit(ParamID id) {
    edits_.push_back({HostEdit::kBegin, id, 0.0});
    ++open_;
    return kResultOk;
}

tresult PLUGIN_API HostComponentHandler::performEdit(ParamID id, ParamValue value) {
    edits_.push_back({HostEdit::kPerform, id, value});
    return kResultOk;
}

tresult PLUGIN_API HostComponentHandler::endEdit(ParamID id) {
    edits_.push_back({HostEdit::kEnd, id, 0.0});
    --open_;
    return kResultOk;
}

tresult PLUGIN_API HostComponentHandler::restartComponent(int32 flags) {
    restarts_.push_back({flags, std::this_thread::get_id(), hostCalls_ > 0});
    return kResultOk;
}

tresult PLUGIN_API HostComponentHandler::queryInterface(const TUID iid, void** obj) {
    if (FUnknownPrivate::iidEqual(iid, IComponentHandler::iid) ||
        FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
        *obj = this;
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

}  // namespace testhost
}  // namespace taluma
