#include "vst3/host_events.h"

namespace taluma {

using namespace Steinberg;
using namespace Steinberg::Vst;

void HostEventList::noteOn(int32 sampleOffset, int16 pitch, float velocity, int16 channel) {
    Event e{};
    e.type = Event::kNoteOnEvent;
    e.sampleOffset = sampleOffset;
    e.noteOn.channel = channel;
    e.noteOn.pitch = pitch;
    e.noteOn.velocity = velocity;
    e.noteOn.noteId = -1;
    add(e);
}

void HostEventList::noteOff(int32 sampleOffset, int16 pitch, int16 channel) {
    Event e{};
    e.type = Event::kNoteOffEvent;
    e.sampleOffset = sampleOffset;
    e.noteOff.channel = channel;
    e.noteOff.pitch = pitch;
    e.noteOff.noteId = -1;
    add(e);
}

tresult PLUGIN_API HostEventList::getEvent(int32 index, Event& e) {
    if (index < 0 || index >= getEventCount() || index == failIndex_)
        return kInvalidArgument;
    e = events_[static_cast<size_t>(index)];
    return kResultOk;
}

tresult PLUGIN_API HostEventList::addEvent(Event& e) {
    if (events_.size() == events_.capacity())
        return kOutOfMemory;  // never grow while the plug-in may be processing
    events_.push_back(e);
    return kResultOk;
}

tresult PLUGIN_API HostEventList::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IEventList)
    QUERY_INTERFACE(iid, obj, IEventList::iid, IEventList)
    *obj = nullptr;
    return kNoInterface;
}

tresult PLUGIN_API HostParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                                 ParamValue& value) {
    if (index < 0 || index >= getPointCount())
        return kInvalidArgument;
    sampleOffset = points_[static_cast<size_t>(index)].offset;
    value = points_[static_cast<size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API HostParamValueQueue::addPoint(int32 sampleOffset, ParamValue value,
                                                 int32& index) {
    if (points_.size() == points_.capacity())
        points_.pop_back();
    index = static_cast<int32>(points_.size());
    points_.push_back({sampleOffset, value});
    return kResultOk;
}

tresult PLUGIN_API HostParamValueQueue::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IParamValueQueue)
    QUERY_INTERFACE(iid, obj, IParamValueQueue::iid, IParamValueQueue)
    *obj = nullptr;
    return kNoInterface;
}

HostParameterChanges::HostParameterChanges(size_t queues, size_t points) {
    queues_.reserve(queues);
    for (size_t i = 0; i < queues; ++i)
        queues_.emplace_back(points);  // each reserves its own points (copies would not)
}

HostParamValueQueue* HostParameterChanges::queueFor(ParamID id) {
    for (size_t i = 0; i < used_; ++i)
        if (queues_[i].getParameterId() == id)
            return &queues_[i];
    return addQueue(id);
}

HostParamValueQueue* HostParameterChanges::addQueue(ParamID id) {
    if (used_ == queues_.size())
        return nullptr;
    HostParamValueQueue* queue = &queues_[used_++];
    queue->reset(id);
    return queue;
}

void HostParameterChanges::addPoint(ParamID id, int32 sampleOffset, ParamValue value) {
    int32 index = 0;
    if (HostParamValueQueue* queue = queueFor(id))
        queue->addPoint(sampleOffset, value, index);
}

void HostParameterChanges::addChange(ParamID id, int32 sampleOffset, ParamValue value) {
    int32 index = 0;
    if (HostParamValueQueue* queue = addQueue(id))
        queue->addPoint(sampleOffset, value, index);
}

IParamValueQueue* PLUGIN_API HostParameterChanges::getParameterData(int32 index) {
    if (index < 0 || static_cast<size_t>(index) >= used_)
        return nullptr;
    return &queues_[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API HostParameterChanges::addParameterData(const ParamID& id,
                                                                    int32& index) {
    HostParamValueQueue* queue = queueFor(id);
    if (queue)
        index = static_cast<int32>(queue - queues_.data());
    return queue;
}

tresult PLUGIN_API HostParameterChanges::queryInterface(const TUID iid, void** obj) {
    QUERY_INTERFACE(iid, obj, FUnknown::iid, IParameterChanges)
    QUERY_INTERFACE(iid, obj, IParameterChanges::iid, IParameterChanges)
    *obj = nullptr;
    return kNoInterface;
}

tresult processBlock(IAudioProcessor& processor, int32 numSamples, float* left, float* right,
                     IEventList* events, IParameterChanges* changes, ProcessContext* context) {
    float* channels[2] = {left, right};
    Steinberg::Vst::AudioBusBuffers output;
    output.numChannels = 2;
    output.silenceFlags = 0;
    output.channelBuffers32 = channels;
    Steinberg::Vst::ProcessData data;
    data.processMode = Steinberg::Vst::kRealtime;
    data.symbolicSampleSize = Steinberg::Vst::kSample32;
    data.numSamples = numSamples;
    data.numOutputs = (left || right) ? 1 : 0;
    data.outputs = (left || right) ? &output : nullptr;
    data.inputEvents = events;
    data.inputParameterChanges = changes;
    data.processContext = context;
    return processor.process(data);
}

}  // namespace taluma
