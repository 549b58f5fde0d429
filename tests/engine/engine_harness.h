// Helpers shared by the engine tests: an engine at 44.1 kHz, event lists, and
// rendering into plain vectors.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/synth_engine.h"

namespace taluma::test {

struct Rendered {
    std::vector<float> left, right;
};

// Owns event records and links them into a list in insertion order.
class EventList {
public:
    EventList& add(int32_t offset, uint32_t id, float value = 0.0f) {
        events_.push_back({nullptr, offset, id, value});
        return *this;
    }
    EventList& noteOn(int32_t offset, int key, float velocity = 1.0f) {
        return add(offset, eventid::noteOn(key), velocity);
    }
    EventList& noteOff(int32_t offset, int key) { return add(offset, eventid::noteOff(key)); }
    // Links the records; valid until the next add.
    const EngineEvent* head() const {
        for (size_t i = 0; i + 1 < events_.size(); ++i)
            events_[i].next = &events_[i + 1];
        if (!events_.empty())
            events_.back().next = nullptr;
        return events_.empty() ? nullptr : &events_[0];
    }
    const std::vector<EngineEvent>& records() const { return events_; }

private:
    mutable std::vector<EngineEvent> events_;
};

// Renders `length` samples in blocks of `block` (one block: `length`), handing each block the events that
// fall into it with offsets relative to the block.
inline Rendered renderInBlocks(SynthEngine& engine, const EventList& events, int32_t length,
                               int32_t block) {
    Rendered out;
    out.left.assign(size_t(length), 0.0f);
    out.right.assign(size_t(length), 0.0f);
    for (int32_t start = 0; start < length; start += block) {
        const int32_t count = std::min(block, length - start);
        EventList local;
        for (const EngineEvent& e : events.records())
            if (e.sampleOffset >= start && e.sampleOffset < start + count)
                local.add(e.sampleOffset - start, e.id, e.value);
        engine.render(local.head(), out.left.data() + start, out.right.data() + start, 0, count);
    }
    return out;
}

inline float peak(const std::vector<float>& v) {
    float p = 0.0f;
    for (float x : v)
        p = std::max(p, x < 0 ? -x : x);
    return p;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { engine.init(44100.0f); }
    Rendered play(const EventList& events, int32_t samples) {
        return renderInBlocks(engine, events, samples, samples);
    }
    Rendered play(int32_t samples) { return play(EventList(), samples); }

    SynthEngine engine;
};

}  // namespace taluma::test
