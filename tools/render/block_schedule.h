// Places timed events on samples and hands them out block by block, as a host's
// sequencer does: each event lands at sample round(seconds × rate).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "timed_event.h"

namespace taluma::render {

struct ScheduledEvent {
    int64_t sample = 0;
    TimedEvent event;
};

int64_t secondsToSamples(double seconds, double sampleRate);

// Events with their sample positions, in sequence order (equal samples keep it).
std::vector<ScheduledEvent> scheduleEvents(const EventSequence& sequence, double sampleRate);

// The longest render accepted, so that a stray time stamp cannot fill the disk.
constexpr double kMaxRenderSeconds = 3600;

// Samples to render: `lengthSeconds` when given (> 0), else the sequence's end (or its
// last event, if later) plus `tailSeconds`. Throws InputError beyond kMaxRenderSeconds.
int64_t renderLength(const EventSequence& sequence, double sampleRate, double tailSeconds,
                     double lengthSeconds);

// Walks a schedule in consecutive blocks.
class BlockCursor {
public:
    explicit BlockCursor(const std::vector<ScheduledEvent>& events) : events_(events) {}

    // The index range [first, last) of the events inside [blockStart, blockStart + length).
    // Blocks must be asked for in rising order; an event before blockStart (never the case
    // for consecutive blocks) is still handed out, at offset 0.
    struct Range {
        size_t first;
        size_t last;
    };
    Range take(int64_t blockStart, int32_t length);

    // The event's position inside the block that `take` returned it for.
    static int32_t offsetIn(const ScheduledEvent& e, int64_t blockStart) {
        return e.sample < blockStart ? 0 : static_cast<int32_t>(e.sample - blockStart);
    }

    bool done() const { return next_ >= events_.size(); }

private:
    const std::vector<ScheduledEvent>& events_;
    size_t next_ = 0;
};

}  // namespace taluma::render
