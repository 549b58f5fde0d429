#include "lv2/block_input.h"

namespace taluma::lv2 {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

template <typename Interface>
tresult answer(Interface* self, const TUID iid, void** obj) {
    if (FUnknownPrivate::iidEqual(iid, Interface::iid) ||
        FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
        *obj = self;
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

}  // namespace

void BlockEvents::noteOn(int32 offset, int16_t channel, int16_t pitch, float velocity) {
    Event e{};
    e.sampleOffset = offset;
    e.type = Event::kNoteOnEvent;
    e.noteOn.channel = channel;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
    e.noteOn.noteId = -1;
    addEvent(e);
}

void BlockEvents::noteOff(int32 offset, int16_t channel, int16_t pitch) {
    Event e{};
    e.sampleOffset = offset;
    e.type = Event::kNoteOffEvent;
    e.noteOff.channel = channel;
    e.noteOff.pitch = pitch;
    e.noteOff.noteId = -1;
    addEvent(e);
}

tresult PLUGIN_API BlockEvents::getEvent(int32 index, Event& e) {
    if (index < 0 || index >= count_)
        return kInvalidArgument;
    e = events_[index];
    return kResultOk;
}

tresult PLUGIN_API BlockEvents::addEvent(Event& e) {
    if (count_ >= kCapacity)
        return kOutOfMemory;
    events_[count_++] = e;
    return kResultOk;
}

tresult PLUGIN_API BlockEvents::queryInterface(const TUID iid, void** obj) {
    return answer<IEventList>(this, iid, obj);
}

tresult PLUGIN_API BlockQueue::getPoint(int32 index, int32& offset, ParamValue& value) {
    if (index < 0 || index >= count_)
        return kInvalidArgument;
    offset = points_[index].offset;
    value = points_[index].value;
    return kResultOk;
}

tresult PLUGIN_API BlockQueue::addPoint(int32 offset, ParamValue value, int32& index) {
    if (count_ == kCapacity)
        --count_;
    index = count_;
    points_[count_++] = {offset, value};
    return kResultOk;
}

tresult PLUGIN_API BlockQueue::queryInterface(const TUID iid, void** obj) {
    return answer<IParamValueQueue>(this, iid, obj);
}

void BlockChanges::add(ParamID id, int32 offset, ParamValue value) {
    int32 index = 0;
    if (IParamValueQueue* queue = addParameterData(id, index))
        queue->addPoint(offset, value, index);
}

IParamValueQueue* PLUGIN_API BlockChanges::getParameterData(int32 index) {
    return index >= 0 && index < count_ ? &queues_[index] : nullptr;
}

IParamValueQueue* PLUGIN_API BlockChanges::addParameterData(const ParamID& id, int32& index) {
    for (index = 0; index < count_; ++index)
        if (queues_[index].getParameterId() == id)
            return &queues_[index];
    if (count_ == kCapacity)
        return nullptr;
    queues_[count_].reset(id);
    index = count_++;
    return &queues_[index];
}

tresult PLUGIN_API BlockChanges::queryInterface(const TUID iid, void** obj) {
    return answer<IParameterChanges>(this, iid, obj);
}

}  // namespace taluma::lv2
