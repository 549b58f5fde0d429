// Building the per-block event list from the fixed pool.
#include "vst3/plugin_ids.h"
#include "vst3/process_steps.h"
#include "synth/synth.h"
#include "engine/unit_value.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <algorithm>

namespace taluma {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

// Host values become 0..1 before they reach the engine.
float normalised(double v) {
    return float(clampUnit(v));
}

// Inserts into the time-ordered list after every record from the cursor on whose
// position is not later, so equal positions keep arrival order. Time-ordered input
// keeps the scan short; an earlier position restarts from the head.
void insertAfterCursor(Synth& synth, EngineEvent* record, EngineEvent*& cursor) {
    EngineEvent** link = &synth.audio().eventList;
    if (cursor && cursor->sampleOffset <= record->sampleOffset)
        link = &cursor->next;
    while (*link && (*link)->sampleOffset <= record->sampleOffset)
        link = &(*link)->next;
    record->next = *link;
    *link = record;
    cursor = record;
}

class BlockPositions {
public:
    BlockPositions(int32_t numSamples, int32_t decimation)
        : last_(std::max<int32_t>(0, numSamples - 1)),
          decimation_(std::max<int32_t>(1, decimation)) {}
    // Host sample offset (clamped into the block) in engine samples.
    int32_t operator()(int32_t offset) const {
        return std::clamp<int32_t>(offset, 0, last_) / decimation_;
    }

private:
    int32_t last_;
    int32_t decimation_;
};

EngineEvent* takeRecord(Synth& synth, uint32_t id, float value, int32_t position) {
    AudioThreadState& audio = synth.audio();
    EngineEvent* record = &audio.eventPool[audio.eventCount++];
    record->next = nullptr;
    record->id = id;
    record->value = value;
    record->sampleOffset = position;
    return record;
}

void startList(Synth& synth) {
    AudioThreadState& audio = synth.audio();
    if (audio.eventsCarried) {
        // The previous block ended before its events were due: they come first here.
        for (EngineEvent* e = audio.eventList; e; e = e->next)
            e->sampleOffset = 0;
        audio.eventsCarried = false;
        return;
    }
    dropBlockEvents(synth);
}

bool poolFull(Synth& synth) {
    return synth.audio().eventCount >= AudioThreadState::kEventPoolCapacity;
}

void collectNotes(Synth& synth, IEventList* events, const BlockPositions& position) {
    if (!events)
        return;
    EngineEvent* cursor = nullptr;
    const int32 count = events->getEventCount();
    for (int32 i = 0; i < count && !poolFull(synth); ++i) {
        Event e{};
        if (events->getEvent(i, e) != kResultOk)
            continue;
        uint32_t id;
        float value = 0.0f;
        if (e.type == Event::kNoteOnEvent) {
            id = eventid::noteOn(e.noteOn.pitch);
            value = normalised(e.noteOn.velocity);
        } else if (e.type == Event::kNoteOffEvent) {
            id = eventid::noteOff(e.noteOff.pitch);
        } else {
            continue;
        }
        insertAfterCursor(synth, takeRecord(synth, id, value, position(e.sampleOffset)), cursor);
    }
}

void setBypass(Synth& synth, bool on) {
    synth.setBypassed(on);
    synth.audio().clearHold();
    synth.engine().silenceAllVoices();
}

// While a structural edit holds the engine and the hold state, a bypass change only
// sets the flag; the voices are freed and the hold cleared by the next render.
void setBypassDeferred(Synth& synth, bool on) {
    synth.setBypassed(on);
    synth.audio().bypassChangePending = true;
}

// The bypass switches the whole block: the last point of its queue that can be read
// holds (every point is read, in order). False when none can.
bool bypassAtBlockEnd(IParamValueQueue& queue, bool& on) {
    bool read = false;
    for (int32 i = 0; i < queue.getPointCount(); ++i) {
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue.getPoint(i, offset, value) == kResultOk) {
            on = value == 1.0;
            read = true;
        }
    }
    return read;
}

bool isEngineQueue(IParamValueQueue* queue) {
    return queue && (queue->getParameterId() & kEngineParamBits) && queue->getPointCount() > 0;
}

// Every point of an engine parameter's queue becomes an event at its offset. When the
// pool has fewer records left than the queue has points (and one kept for each later
// queue), points are taken evenly across the queue, always with its last one, so a
// ramp keeps its shape in coarser steps and ends on its final value.
void collectQueue(Synth& synth, IParamValueQueue& queue, int32_t room,
                  const BlockPositions& position, EngineEvent*& cursor) {
    const int32 points = queue.getPointCount();
    const int32_t taken = std::min<int32_t>(points, room);
    const ParamID id = queue.getParameterId();
    for (int32_t k = 0; k < taken; ++k) {
        const int32 index = taken == points ? k
                            : taken == 1    ? points - 1
                                            : int32(int64_t(k) * (points - 1) / (taken - 1));
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue.getPoint(index, offset, value) != kResultOk)
            continue;
        insertAfterCursor(synth, takeRecord(synth, id, normalised(value), position(offset)),
                          cursor);
    }
}

void collectParameterChanges(Synth& synth, IParameterChanges* changes,
                             const BlockPositions& position) {
    if (!changes)
        return;
    EngineEvent* cursor = nullptr;
    const int32 queues = changes->getParameterCount();
    // Each engine queue still to come keeps one record for its last point.
    int32_t engineQueuesLeft = 0;
    for (int32 q = 0; q < queues; ++q)
        engineQueuesLeft += isEngineQueue(changes->getParameterData(q));
    for (int32 q = 0; q < queues; ++q) {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (!queue || queue->getPointCount() < 1)
            continue;
        const ParamID id = queue->getParameterId();
        if (isEngineQueue(queue)) {
            --engineQueuesLeft;
            const int32_t left = AudioThreadState::kEventPoolCapacity - synth.audio().eventCount;
            const int32_t room = std::max<int32_t>(std::min(left, 1), left - engineQueuesLeft);
            collectQueue(synth, *queue, room, position, cursor);
        } else if (id == kBypassId) {
            bool on = false;
            if (!bypassAtBlockEnd(*queue, on))
                continue;
            setBypass(synth, on);
            if (on)
                return;  // the rest of this block's changes are not read
        }
    }
}

}  // namespace

void collectBlockEvents(Synth& synth, ProcessData& data) {
    startList(synth);
    const BlockPositions position(data.numSamples, synth.audio().rate.decimation);
    collectNotes(synth, data.inputEvents, position);
    collectParameterChanges(synth, data.inputParameterChanges, position);
}

void readBypassOnly(Synth& synth, ProcessData& data) {
    dropBlockEvents(synth);
    IParameterChanges* changes = data.inputParameterChanges;
    if (!changes)
        return;
    const int32 queues = changes->getParameterCount();
    for (int32 q = 0; q < queues; ++q) {
        IParamValueQueue* queue = changes->getParameterData(q);
        bool on = false;
        if (!queue || queue->getParameterId() != kBypassId || !bypassAtBlockEnd(*queue, on))
            continue;
        setBypassDeferred(synth, on);
        if (on)
            return;
    }
}

void dropBlockEvents(Synth& synth) {
    AudioThreadState& audio = synth.audio();
    audio.eventCount = 0;
    audio.eventList = nullptr;
    audio.eventsCarried = false;
}

}  // namespace taluma
