// Rendering one block: straight at the host rate, or at a reduced engine rate with
// each engine sample repeated (sample-and-hold, no interpolation).
#include "vst3/process_steps.h"
#include "synth/synth.h"

#include <algorithm>
#include <cstring>

namespace taluma {
namespace {

void zero(float* buffer, int32_t count) {
    std::memset(buffer, 0, sizeof(float) * size_t(count));
}

// Detaches the events due before engine sample `end` (all of them for the last chunk)
// and makes their positions relative to `start`.
EngineEvent* takeChunkEvents(EngineEvent*& remaining, int32_t start, int32_t end, bool lastChunk) {
    EngineEvent* head = nullptr;
    EngineEvent** tail = &head;
    while (remaining && (lastChunk || remaining->sampleOffset < end)) {
        EngineEvent* e = remaining;
        remaining = e->next;
        e->next = nullptr;
        e->sampleOffset = std::clamp<int32_t>(e->sampleOffset - start, 0, end - start - 1);
        *tail = e;
        tail = &e->next;
    }
    return head;
}

void renderHeld(Synth& synth, float* left, float* right, int32_t numSamples) {
    AudioThreadState& audio = synth.audio();
    const int32_t d = audio.rate.decimation;
    int32_t out = 0;
    int32_t remaining = numSamples;

    // Finish the engine sample whose repetitions the previous block began.
    if (audio.holdPhase >= 1 && audio.holdPhase < d) {
        while (audio.holdPhase < d && remaining > 0) {
            left[out] = audio.holdLeft;
            right[out] = audio.holdRight;
            ++out;
            ++audio.holdPhase;
            --remaining;
        }
    }
    if (remaining == 0) {
        if (audio.holdPhase >= d)
            audio.holdPhase = 0;
        // No engine sample falls in this block: its events open the next one.
        if (audio.eventList)
            audio.eventsCarried = true;
        return;
    }

    const int32_t whole = remaining / d;
    const int32_t partial = remaining - whole * d;
    const int32_t count = whole + (partial > 0 ? 1 : 0);
    const int32_t capacity = audio.decimatedCapacity();
    float* decLeft = audio.decimatedLeft.get();
    float* decRight = audio.decimatedRight.get();

    // Blocks longer than announced are rendered in chunks the buffers can hold.
    EngineEvent* events = audio.eventList;
    for (int32_t start = 0; start < count;) {
        const int32_t n = std::min(capacity, count - start);
        const bool lastChunk = start + n == count;
        EngineEvent* chunkEvents = takeChunkEvents(events, start, start + n, lastChunk);
        zero(decLeft, n);
        zero(decRight, n);
        synth.engine().render(chunkEvents, decLeft, decRight, 0, n);
        for (int32_t k = 0; k < n; ++k) {
            const bool held = start + k == whole;  // the partly written last engine sample
            const int32_t repeats = held ? partial : d;
            for (int32_t r = 0; r < repeats; ++r) {
                left[out] = decLeft[k];
                right[out] = decRight[k];
                ++out;
            }
            if (held) {
                audio.holdLeft = decLeft[k];
                audio.holdRight = decRight[k];
            }
        }
        start += n;
    }
    audio.holdPhase = partial;
}

}  // namespace

void applyBlockEventsOnly(Synth& synth) {
    AudioThreadState& audio = synth.audio();
    if (audio.eventList)
        synth.engine().applyEvents(audio.eventList);
    dropBlockEvents(synth);
}

void renderBlock(Synth& synth, float* left, float* right, int32_t numSamples) {
    if (numSamples < 1) {
        applyBlockEventsOnly(synth);
        return;
    }
    AudioThreadState& audio = synth.audio();
    if (audio.bypassChangePending) {
        synth.engine().silenceAllVoices();
        audio.clearHold();
        audio.bypassChangePending = false;
    }
    if (!synth.renderEnabled()) {
        applyBlockEventsOnly(synth);
        zero(left, numSamples);
        zero(right, numSamples);
        return;
    }
    if (audio.rate.decimation <= 1) {
        zero(left, numSamples);
        zero(right, numSamples);
        synth.engine().render(audio.eventList, left, right, 0, numSamples);
        dropBlockEvents(synth);
        return;
    }
    renderHeld(synth, left, right, numSamples);
    if (!audio.eventsCarried)
        dropBlockEvents(synth);
}

}  // namespace taluma
