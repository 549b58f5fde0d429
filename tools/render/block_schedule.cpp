#include "block_schedule.h"

#include <algorithm>
#include <cmath>

namespace taluma::render {

int64_t secondsToSamples(double seconds, double sampleRate) {
  return static_cast<int64_t>(std::llround(seconds * sampleRate));
}

std::vector<ScheduledEvent> scheduleEvents(const EventSequence& sequence, double sampleRate) {
  std::vector<ScheduledEvent> out;
  out.reserve(sequence.events.size());
  for (const TimedEvent& e : sequence.events) out.push_back({secondsToSamples(e.seconds, sampleRate), e});
  // Rounding cannot reorder events that were in time order, but an unordered input must
  // still come out sorted for the block walk.
  std::stable_sort(out.begin(), out.end(),
                   [](const ScheduledEvent& a, const ScheduledEvent& b) { return a.sample < b.sample; });
  return out;
}

int64_t renderLength(const EventSequence& sequence, double sampleRate, double tailSeconds,
                     double lengthSeconds) {
  if (lengthSeconds > 0) return secondsToSamples(lengthSeconds, sampleRate);
  double end = sequence.endSeconds;
  for (const TimedEvent& e : sequence.events) end = std::max(end, e.seconds);
  return secondsToSamples(end + std::max(0.0, tailSeconds), sampleRate);
}

BlockCursor::Range BlockCursor::take(int64_t blockStart, int32_t length) {
  size_t first = next_;
  const int64_t blockEnd = blockStart + length;
  while (next_ < events_.size() && events_[next_].sample < blockEnd) ++next_;
  return {first, next_};
}

}  // namespace taluma::render
