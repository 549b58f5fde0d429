// The host's side of the per-block processing interfaces: the event list, the parameter
// changes with their value queues. Capacity is reserved up front and never grows, so
// neither filling them on the audio thread nor the processor's calls into them
// allocate. The test host and the benchmarks hand them to the built module; the LV2
// plug-in, which hosts the VST 3 processor, fills them from its MIDI and control ports.
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace taluma {

using Steinberg::int16;
using Steinberg::int32;
using Steinberg::tresult;
using Steinberg::TUID;
using Steinberg::uint32;
using Steinberg::Vst::Event;
using Steinberg::Vst::IAudioProcessor;
using Steinberg::Vst::IEventList;
using Steinberg::Vst::IParameterChanges;
using Steinberg::Vst::IParamValueQueue;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;
using Steinberg::Vst::ProcessContext;

// The objects live on the host's side for the whole session; reference counting is
// not used for their lifetime.
#define TALUMA_HOST_STATIC_REFCOUNT                                                                \
    uint32 PLUGIN_API addRef() override {                                                          \
        return 1;                                                                                  \
    }                                                                                              \
    uint32 PLUGIN_API release() override {                                                         \
        return 1;                                                                                  \
    }

class HostEventList : public IEventList {
public:
    explicit HostEventList(size_t capacity = 4096) { events_.reserve(capacity); }

    // Past the capacity, later events are dropped.
    void add(const Event& e) {
        if (events_.size() < events_.capacity())
            events_.push_back(e);
    }
    void noteOn(int32 sampleOffset, int16 pitch, float velocity, int16 channel = 0);
    void noteOff(int32 sampleOffset, int16 pitch, int16 channel = 0);
    void clear() { events_.clear(); }
    size_t size() const { return events_.size(); }
    // Makes getEvent fail for this index (to exercise the plug-in's error path).
    void failAt(int32 index) { failIndex_ = index; }

    int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events_.size()); }
    tresult PLUGIN_API getEvent(int32 index, Event& e) override;
    tresult PLUGIN_API addEvent(Event& e) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_HOST_STATIC_REFCOUNT

private:
    std::vector<Event> events_;
    int32 failIndex_ = -1;
};

class HostParamValueQueue : public IParamValueQueue {
public:
    explicit HostParamValueQueue(size_t capacity) { points_.reserve(capacity); }

    void reset(ParamID id) {
        id_ = id;
        points_.clear();
    }

    ParamID PLUGIN_API getParameterId() override { return id_; }
    int32 PLUGIN_API getPointCount() override { return static_cast<int32>(points_.size()); }
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
    // A full queue replaces its last point: the latest value always arrives.
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_HOST_STATIC_REFCOUNT

private:
    struct Point {
        int32 offset;
        ParamValue value;
    };
    ParamID id_ = 0;
    std::vector<Point> points_;
};

class HostParameterChanges : public IParameterChanges {
public:
    // Room for `queues` parameters of `points` points each.
    explicit HostParameterChanges(size_t queues = 256, size_t points = 64);

    void clear() { used_ = 0; }
    // The queue of this parameter, added when needed; null when full.
    HostParamValueQueue* queueFor(ParamID id);
    // Adds a queue even if one exists for the id (hosts may not, but tests do).
    HostParamValueQueue* addQueue(ParamID id);
    // A point on the parameter's queue (points of one parameter come in time order).
    void addPoint(ParamID id, int32 sampleOffset, ParamValue value);
    // A queue of its own holding one point.
    void addChange(ParamID id, int32 sampleOffset, ParamValue value);

    int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(used_); }
    IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_HOST_STATIC_REFCOUNT

private:
    std::vector<HostParamValueQueue> queues_;
    size_t used_ = 0;
};

// One 32-bit block into left/right (numSamples floats each; both null: no output bus)
// with the given events and parameter changes. Everything lives on the stack: safe on
// the audio thread.
tresult processBlock(IAudioProcessor& processor, int32 numSamples, float* left, float* right,
                     IEventList* events, IParameterChanges* changes,
                     ProcessContext* context = nullptr);

}  // namespace taluma
