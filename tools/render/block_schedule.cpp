#include "block_schedule.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "input_error.h"

namespace taluma::render {

int64_t secondsToSamples(double seconds, double sampleRate) {
    return static_cast<int64_t>(std::llround(seconds * sampleRate));
}

std::vector<ScheduledEvent> scheduleEvents(const EventSequence& sequence, double sampleRate) {
    std::vector<ScheduledEvent> out;
    out.reserve(sequence.events.size());
    for (const TimedEvent& e : sequence.events)
        out.push_back({secondsToSamples(e.seconds, sampleRate), e});
    // Rounding cannot reorder events that were in time order, but an unordered input must
    // still come out sorted for the block walk.
    std::stable_sort(out.begin(), out.end(), [](const ScheduledEvent& a, const ScheduledEvent& b) {
        return a.sample < b.sample;
    });
    return out;
}

int64_t renderLength(const EventSequence& sequence, double sampleRate, double tailSeconds,
                     double lengthSeconds) {
    double seconds = lengthSeconds;
    if (seconds <= 0) {
        seconds = sequence.endSeconds;
        for (const TimedEvent& e : sequence.events)
            seconds = std::max(seconds, e.seconds);
        seconds += std::max(0.0, tailSeconds);
    }
    if (seconds > kMaxRenderSeconds)
        throw InputError("the input lasts " + std::to_string(static_cast<long long>(seconds)) +
                         " s; at most " + std::to_string(static_cast<int>(kMaxRenderSeconds)) +
                         " s can be rendered");
    return secondsToSamples(seconds, sampleRate);
}

BlockCursor::Range BlockCursor::take(int64_t blockStart, int32_t length) {
    size_t first = next_;
    const int64_t blockEnd = blockStart + length;
    while (next_ < events_.size() && events_[next_].sample < blockEnd)
        ++next_;
    return {first, next_};
}

}  // namespace taluma::render
