// One block's input as the VST 3 processor reads it: the note events and the parameter
// changes, in fixed arrays filled on the audio thread without allocating. The LV2 plug-in
// turns its MIDI input and control ports into these, as a VST 3 host would.
#pragma once

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <cstdint>

namespace taluma::lv2 {

using Steinberg::int32;
using Steinberg::tresult;
using Steinberg::TUID;
using Steinberg::uint32;
using Steinberg::Vst::Event;
using Steinberg::Vst::IParamValueQueue;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;

// Objects of the plug-in's instance, alive as long as it: no reference counting.
#define TALUMA_LV2_FIXED_REFCOUNT                                                                  \
    uint32 PLUGIN_API addRef() override {                                                          \
        return 1;                                                                                  \
    }                                                                                              \
    uint32 PLUGIN_API release() override {                                                         \
        return 1;                                                                                  \
    }

class BlockEvents : public Steinberg::Vst::IEventList {
public:
    // More notes than this in one block: the later ones are dropped.
    static constexpr int32 kCapacity = 1024;

    void clear() { count_ = 0; }
    void noteOn(int32 offset, int16_t channel, int16_t pitch, float velocity);
    void noteOff(int32 offset, int16_t channel, int16_t pitch);

    int32 PLUGIN_API getEventCount() override { return count_; }
    tresult PLUGIN_API getEvent(int32 index, Event& e) override;
    tresult PLUGIN_API addEvent(Event& e) override;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_LV2_FIXED_REFCOUNT

private:
    Event events_[kCapacity] = {};
    int32 count_ = 0;
};

class BlockQueue : public IParamValueQueue {
public:
    // A queue full of points replaces its last one: the latest value always arrives.
    static constexpr int32 kCapacity = 256;

    void reset(ParamID id) {
        id_ = id;
        count_ = 0;
    }
    ParamID PLUGIN_API getParameterId() override { return id_; }
    int32 PLUGIN_API getPointCount() override { return count_; }
    tresult PLUGIN_API getPoint(int32 index, int32& offset, ParamValue& value) override;
    tresult PLUGIN_API addPoint(int32 offset, ParamValue value, int32& index) override;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_LV2_FIXED_REFCOUNT

private:
    struct Point {
        int32 offset;
        ParamValue value;
    };
    ParamID id_ = 0;
    Point points_[kCapacity] = {};
    int32 count_ = 0;
};

class BlockChanges : public Steinberg::Vst::IParameterChanges {
public:
    // Every parameter fits: the host lists 43.
    static constexpr int32 kCapacity = 64;

    void clear() { count_ = 0; }
    // A point at `offset` (points of one parameter come in time order).
    void add(ParamID id, int32 offset, ParamValue value);

    int32 PLUGIN_API getParameterCount() override { return count_; }
    IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
    TALUMA_LV2_FIXED_REFCOUNT

private:
    BlockQueue queues_[kCapacity];
    int32 count_ = 0;
};

}  // namespace taluma::lv2
