// Rendering one block: straight at the host rate, or at a reduced engine rate with
// each engine sample repeated (sample-and-hold, no interpolation).
#include "process_steps.h"
#include "synth.h"

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
    const int32_t d = synth.rate.decimation;
    int32_t out = 0;
    int32_t remaining = numSamples;

    // Finish the engine sample whose repetitions the previous block began.
    if (synth.holdPhase >= 1 && synth.holdPhase < d) {
        while (synth.holdPhase < d && remaining > 0) {
            left[out] = synth.holdLeft;
            right[out] = synth.holdRight;
            ++out;
            ++synth.holdPhase;
            --remaining;
        }
    }
    if (remaining == 0) {
        if (synth.holdPhase >= d)
            synth.holdPhase = 0;
        // No engine sample falls in this block: its events open the next one.
        if (synth.eventList)
            synth.eventsCarried = true;
        return;
    }

    const int32_t whole = remaining / d;
    const int32_t partial = remaining - whole * d;
    const int32_t count = whole + (partial > 0 ? 1 : 0);
    const int32_t capacity = synth.decimatedCapacity();
    float* decLeft = synth.decimatedLeft.get();
    float* decRight = synth.decimatedRight.get();

    // Blocks longer than announced are rendered in chunks the buffers can hold.
    EngineEvent* events = synth.eventList;
    for (int32_t start = 0; start < count;) {
        const int32_t n = std::min(capacity, count - start);
        const bool lastChunk = start + n == count;
        EngineEvent* chunkEvents = takeChunkEvents(events, start, start + n, lastChunk);
        zero(decLeft, n);
        zero(decRight, n);
        synth.engine->render(chunkEvents, decLeft, decRight, 0, n);
        for (int32_t k = 0; k < n; ++k) {
            const bool held = start + k == whole;  // the partly written last engine sample
            const int32_t repeats = held ? partial : d;
            for (int32_t r = 0; r < repeats; ++r) {
                left[out] = decLeft[k];
                right[out] = decRight[k];
                ++out;
            }
            if (held) {
                synth.holdLeft = decLeft[k];
                synth.holdRight = decRight[k];
            }
        }
        start += n;
    }
    synth.holdPhase = partial;
}

}  // namespace

void applyBlockEventsOnly(Synth& synth) {
    if (synth.eventList)
        synth.engine->applyEvents(synth.eventList);
    dropBlockEvents(synth);
}

void renderBlock(Synth& synth, float* left, float* right, int32_t numSamples) {
    if (numSamples < 1) {
        applyBlockEventsOnly(synth);
        return;
    }
    if (synth.bypassChangePending) {
        synth.engine->silenceAllVoices();
        synth.clearHold();
        synth.bypassChangePending = false;
    }
    if (!synth.renderEnabled.load()) {
        applyBlockEventsOnly(synth);
        zero(left, numSamples);
        zero(right, numSamples);
        return;
    }
    if (synth.rate.decimation <= 1) {
        zero(left, numSamples);
        zero(right, numSamples);
        synth.engine->render(synth.eventList, left, right, 0, numSamples);
        dropBlockEvents(synth);
        return;
    }
    renderHeld(synth, left, right, numSamples);
    if (!synth.eventsCarried)
        dropBlockEvents(synth);
}

}  // namespace taluma
