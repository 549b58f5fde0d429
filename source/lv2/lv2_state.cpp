// Saving and restoring through LV2's state extension: a session stores the bytes of the
// VST 3 component state (the 858-byte record and the extension after it) under one key;
// a preset of the bundle stores the record alone under another, which loads the sound
// only, as a preset loaded in the window does.
#include "lv2/lv2_instance.h"
#include "lv2/lv2_state.h"
#include "lv2/lv2_uris.h"

#include "vst3/main_vst_controller.h"
#include "vst3/main_vst_processor.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <lv2/atom/atom.h>

namespace taluma::lv2 {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Saved bytes as a stream; a preset's stream says so ("StateType" "Preset"), which the
// processor reads as "the sound only".
class StateBytes : public MemoryStream, public IStreamAttributes {
public:
    StateBytes(const void* bytes, size_t size, bool preset) {
        int32 written = 0;
        write(const_cast<void*>(bytes), int32(size), &written);
        seek(0, kIBSeekSet, nullptr);
        if (preset) {
            attributes_ = owned(new HostAttributeList());
            attributes_->setString("StateType", STR16("Preset"));
        }
    }
    void rewind() { seek(0, kIBSeekSet, nullptr); }

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
        if (attributes_ && FUnknownPrivate::iidEqual(iid, IStreamAttributes::iid)) {
            addRef();
            *obj = static_cast<IStreamAttributes*>(this);
            return kResultOk;
        }
        return MemoryStream::queryInterface(iid, obj);
    }
    uint32 PLUGIN_API addRef() override { return MemoryStream::addRef(); }
    uint32 PLUGIN_API release() override { return MemoryStream::release(); }
    tresult PLUGIN_API getFileName(String128 name) override {
        name[0] = 0;
        return kResultFalse;
    }
    IAttributeList* PLUGIN_API getAttributes() override { return attributes_; }

private:
    IPtr<IAttributeList> attributes_;
};

LV2_State_Status saveState(LV2_Handle handle, LV2_State_Store_Function store,
                           LV2_State_Handle storeHandle, uint32_t, const LV2_Feature* const*) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    try {
        const std::vector<uint8_t> bytes = instance->save();
        if (bytes.empty())
            return LV2_STATE_ERR_UNKNOWN;
        LV2_URID_Map& map = instance->map();
        return store(storeHandle, map.map(map.handle, kStateKey), bytes.data(), bytes.size(),
                     map.map(map.handle, LV2_ATOM__Chunk),
                     LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
    } catch (...) {
        return LV2_STATE_ERR_UNKNOWN;
    }
}

LV2_State_Status restoreState(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                              LV2_State_Handle retrieveHandle, uint32_t,
                              const LV2_Feature* const*) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    LV2_URID_Map& map = instance->map();
    bool preset = false;
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* bytes =
        retrieve(retrieveHandle, map.map(map.handle, kStateKey), &size, &type, &flags);
    if (!bytes) {
        bytes = retrieve(retrieveHandle, map.map(map.handle, kPresetKey), &size, &type, &flags);
        preset = true;
    }
    if (!bytes)
        return LV2_STATE_ERR_NO_PROPERTY;
    if (type != map.map(map.handle, LV2_ATOM__Chunk))
        return LV2_STATE_ERR_BAD_TYPE;
    return instance->restore(bytes, size, preset) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}

}  // namespace

bool Lv2Instance::restore(const void* bytes, size_t size, bool preset) {
    try {
        IPtr<StateBytes> stream = owned(new StateBytes(bytes, size, preset));
        if (processor_->setState(stream) != kResultOk)
            return false;
        // The controller reads the same bytes, as a VST 3 host hands them to it.
        stream->rewind();
        controller_->setComponentState(stream);
    } catch (...) {
        return false;
    }
    restorePending_.store(true, std::memory_order_release);
    return true;
}

const LV2_State_Interface* stateInterface() {
    static const LV2_State_Interface kInterface = {saveState, restoreState};
    return &kInterface;
}

}  // namespace taluma::lv2
