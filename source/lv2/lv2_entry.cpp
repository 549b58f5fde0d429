// The bundle's two entry points: the plug-in's descriptor and its window's (lv2_ui.cpp).
// They are the only symbols the binary exports.
#include "lv2/lv2_instance.h"
#include "lv2/lv2_state.h"
#include "lv2/lv2_ui.h"
#include "lv2/lv2_uris.h"

#include <cstring>

namespace taluma::lv2 {
namespace {

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
    return Lv2Instance::create(rate, features);
}

Lv2Instance& of(LV2_Handle handle) {
    return *static_cast<Lv2Instance*>(handle);
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    of(handle).connectPort(port, data);
}

void activate(LV2_Handle handle) {
    of(handle).activate();
}

void run(LV2_Handle handle, uint32_t frames) {
    of(handle).run(frames);
}

void deactivate(LV2_Handle handle) {
    of(handle).deactivate();
}

void cleanup(LV2_Handle handle) {
    delete static_cast<Lv2Instance*>(handle);
}

const void* extensionData(const char* uri) {
    if (std::strcmp(uri, LV2_STATE__interface) == 0)
        return stateInterface();
    return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        deactivate,  cleanup,     extensionData};

}  // namespace
}  // namespace taluma::lv2

extern "C" {

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &taluma::lv2::kDescriptor : nullptr;
}

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? taluma::lv2::uiDescriptor() : nullptr;
}
}
