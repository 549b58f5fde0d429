// Rendering cost of the engine with every voice sounding. Reports voice-samples per
// second; 1024 voices at 48 kHz need 49.2 M of them per second of audio.
#include <benchmark/benchmark.h>

#include <vector>

#include "synth_engine.h"

namespace taluma {
namespace {

constexpr int32_t kBlock = 512;

// Holds every voice at a steady level so that none ends during the run.
void sustainForever(SynthEngine& engine) {
    for (int op = 0; op < 2; ++op) {
        engine.tone().setDecayRate(op, 0);
        engine.tone().setSustainRate(op, 0);
    }
}

void heaviest(SynthEngine& engine) {
    engine.tone().setAlgorithm(3);  // A modulates B
    engine.tone().setFeedback(128);
    for (int op = 0; op < 2; ++op) {
        engine.tone().setPms(op, 7);
        engine.tone().setAms(op, 7);
    }
    engine.setModWheel(127);
    engine.setLfoFreq(16383);
}

void lightest(SynthEngine& engine) {
    engine.tone().setAlgorithm(1);
}

void renderVoices(benchmark::State& state, void (*patch)(SynthEngine&)) {
    const int32_t voices = int32_t(state.range(0));
    SynthEngine engine;
    engine.init(48000.0f);
    engine.setVoiceCount(voices);
    patch(engine);
    sustainForever(engine);

    std::vector<EngineEvent> notes(static_cast<size_t>(voices));
    for (int32_t i = 0; i < voices; ++i) {
        notes[size_t(i)] = {i + 1 < voices ? &notes[size_t(i) + 1] : nullptr, 0,
                            eventid::noteOn(24 + i % 96), 0.8f};
    }
    std::vector<float> left(kBlock), right(kBlock);
    engine.render(notes.data(), left.data(), right.data(), 0, kBlock);
    if (engine.sounding() != voices)
        state.SkipWithError("not every voice sounds");

    for (auto _ : state) {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        engine.render(nullptr, left.data(), right.data(), 0, kBlock);
        benchmark::DoNotOptimize(left.data());
    }
    if (engine.sounding() != voices)
        state.SkipWithError("voices ended during the run");
    state.SetItemsProcessed(state.iterations() * int64_t(voices) * kBlock);
    // Share of one core that rendering in real time at 48 kHz takes: seconds per block
    // over the block's duration.
    state.counters["core_share_48k"] =
        benchmark::Counter(kBlock / 48000.0, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

void BM_HeaviestRoutine(benchmark::State& state) {
    renderVoices(state, heaviest);
}
void BM_LightestRoutine(benchmark::State& state) {
    renderVoices(state, lightest);
}

BENCHMARK(BM_HeaviestRoutine)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LightestRoutine)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taluma
