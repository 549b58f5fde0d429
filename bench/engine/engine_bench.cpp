// Rendering cost of the engine with every voice sounding. Reports voice-samples per
// second; 1024 voices at 48 kHz need 49.2 M of them per second of audio.
//
// BM_ReferenceLoop is the yardstick for the heaviest routine: the same per-sample work
// written as a plain scalar loop over a plain struct, fed with the engine's own tables
// and voice states (and checked to render the same samples). BM_HeaviestOverReference
// times the two alternately, block by block, and reports engine time / reference time
// as "ratio"; interleaving them keeps load on the other core from skewing the ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "engine/synth_engine.h"

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

// Starts `voices` notes with the patch held forever.
void startVoices(SynthEngine& engine, int32_t voices, void (*patch)(SynthEngine&)) {
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
}

void renderVoices(benchmark::State& state, void (*patch)(SynthEngine&)) {
    const int32_t voices = int32_t(state.range(0));
    SynthEngine engine;
    startVoices(engine, voices, patch);
    if (engine.sounding() != voices)
        state.SkipWithError("not every voice sounds");
    std::vector<float> left(kBlock), right(kBlock);

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

// --- The scalar reference loop -----------------------------------------------------

struct RefOperator {
    uint32_t phase, increment, envPosition, envRate, stageEnd;
    int32_t pitch, levelAtt, pmDepth, amDepth, amOffset;
    const int32_t* curve;
};

struct RefVoice {
    RefOperator a, b;
    int32_t lfoCounter, lfoStep, lfoIncrement;
    int32_t feedbackAtt, expressionAtt, maskA, maskB, outputMask;
    float gainL, gainR;
};

// Tables shared by every voice.
struct RefTables {
    const int32_t* exp;
    const uint32_t* exponent;
    const uint8_t* pitchShift;
    const int32_t* lfoWave;
    int32_t waveA[128], waveB[128];
};

RefOperator refOperator(const VoiceOperator& o) {
    return {o.phase,    o.increment, o.envPosition, o.envRate,  o.stageEnd, o.pitch,
            o.levelAtt, o.pmDepth,   o.amDepth,     o.amOffset, o.curve};
}

// The engine's sounding voices as reference voices (both operators sounding, serial).
std::vector<RefVoice> refVoices(const SynthEngine& engine) {
    std::vector<RefVoice> out;
    for (int32_t i = 0; i < engine.voiceCount; ++i) {
        const Voice& v = engine.voices()[i];
        if (v.flags == 0)
            continue;
        out.push_back({refOperator(v.op[0]), refOperator(v.op[1]), v.lfoCounter, v.lfoStep,
                       v.lfoIncrement, v.feedbackAtt, v.expressionAtt, v.waveIndexMask[0],
                       v.waveIndexMask[1], int32_t(v.outputMask), v.gainL, v.gainR});
    }
    return out;
}

uint32_t refIncrement(const RefTables& t, int32_t pitch) {
    const int32_t p = pitch < 0 ? 0 : pitch;
    return t.exponent[p & 8191] >> t.pitchShift[p >> 13];
}

// A modulates B with feedback, pitch and amplitude LFO on both operators. An envelope
// reaching its stage end holds there (the benchmark's voices never get there).
void referenceLoop(const RefTables& t, std::vector<RefVoice>& voices, float* left, float* right,
                   int32_t count) {
    for (RefVoice& voice : voices) {
        RefVoice v = voice;
        for (int32_t pos = 0; pos < count; ++pos) {
            if (v.lfoCounter < 1) {
                const int32_t pm = t.lfoWave[v.lfoStep];
                const int32_t am = t.lfoWave[v.lfoStep + 1];
                v.a.increment = refIncrement(t, v.a.pitch + ((pm * v.a.pmDepth) >> 11));
                v.b.increment = refIncrement(t, v.b.pitch + ((pm * v.b.pmDepth) >> 11));
                v.a.amOffset = ((am * v.a.amDepth) >> 11) & 0x7FFFFFFE;
                v.b.amOffset = ((am * v.b.amDepth) >> 11) & 0x7FFFFFFE;
                v.lfoCounter += 0x40000000;
                v.lfoStep = (v.lfoStep + 2) & 255;
            }

            if (v.a.envPosition >= v.a.stageEnd) {
                v.a.envPosition = v.a.stageEnd;
                v.a.envRate = 0;
            }
            const int32_t idxA = int32_t(v.a.phase >> 16);
            const int32_t levelA = v.a.curve[v.a.envPosition >> 18] + v.a.levelAtt + v.a.amOffset;
            const int32_t feedback = t.exp[t.waveA[idxA & v.maskA] + v.feedbackAtt + 2304 + levelA];
            const int32_t modulation =
                t.exp[t.waveA[(idxA + 4 * feedback) & v.maskA] + levelA + 2304];
            v.a.envPosition += v.a.envRate;
            v.a.phase = (v.a.phase + v.a.increment) & 0x7FFFFF;

            if (v.b.envPosition >= v.b.stageEnd) {
                v.b.envPosition = v.b.stageEnd;
                v.b.envRate = 0;
            }
            const int32_t idxB = (int32_t(v.b.phase >> 16) + modulation) & v.maskB;
            const int32_t levelB = v.b.curve[v.b.envPosition >> 18] + v.b.levelAtt + v.b.amOffset;
            const int32_t out = t.exp[t.waveB[idxB] + levelB + v.expressionAtt] & v.outputMask;
            v.b.envPosition += v.b.envRate;
            v.b.phase = (v.b.phase + v.b.increment) & 0x7FFFFF;

            const float s = float(out);
            left[pos] += s * v.gainL;
            right[pos] += s * v.gainR;
            v.lfoCounter -= v.lfoIncrement;
        }
        voice = v;
    }
}

// An engine playing the heaviest routine and a reference copy of its voices, checked to
// render the same block.
struct HeaviestAndReference {
    SynthEngine engine;
    RefTables tables{};
    std::vector<RefVoice> voices;
    std::vector<float> left = std::vector<float>(kBlock), right = std::vector<float>(kBlock);

    // Empty when both render the same samples.
    const char* setUp(int32_t count) {
        startVoices(engine, count, heaviest);
        // Past the attacks, so that no envelope changes stage from here on.
        for (int i = 0; i < 16; ++i)
            engine.render(nullptr, left.data(), right.data(), 0, kBlock);
        if (engine.sounding() != count || engine.tone().renderSelect != 31)
            return "not every voice sounds the heaviest routine";
        tables.exp = engine.tone().exp;
        tables.exponent = engine.tone().exponent;
        tables.pitchShift = engine.tone().pitchShift;
        tables.lfoWave = engine.tone().lfoWave;
        for (int i = 0; i < 128; ++i) {
            tables.waveA[i] = int32_t(engine.waveLog[0][i].load());
            tables.waveB[i] = int32_t(engine.waveLog[1][i].load());
        }
        voices = refVoices(engine);
        for (const Voice& v : std::vector<Voice>(engine.voices(), engine.voices() + count)) {
            if (v.op[0].curve != v.op[1].curve || v.op[0].envRate != 0 || v.op[1].envRate != 0)
                return "an envelope is still moving";
        }
        std::vector<float> refLeft(kBlock), refRight(kBlock);
        for (int i = 0; i < 4; ++i) {
            std::fill(left.begin(), left.end(), 0.0f);
            std::fill(right.begin(), right.end(), 0.0f);
            std::fill(refLeft.begin(), refLeft.end(), 0.0f);
            std::fill(refRight.begin(), refRight.end(), 0.0f);
            engine.render(nullptr, left.data(), right.data(), 0, kBlock);
            referenceLoop(tables, voices, refLeft.data(), refRight.data(), kBlock);
            if (left != refLeft || right != refRight)
                return "the reference loop renders other samples than the engine";
        }
        return nullptr;
    }
    void renderEngine() {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        engine.render(nullptr, left.data(), right.data(), 0, kBlock);
        benchmark::DoNotOptimize(left.data());
    }
    void renderReference() {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        referenceLoop(tables, voices, left.data(), right.data(), kBlock);
        benchmark::DoNotOptimize(left.data());
    }
};

void BM_ReferenceLoop(benchmark::State& state) {
    const int32_t voices = int32_t(state.range(0));
    HeaviestAndReference r;
    if (const char* error = r.setUp(voices))
        state.SkipWithError(error);
    for (auto _ : state)
        r.renderReference();
    state.SetItemsProcessed(state.iterations() * int64_t(voices) * kBlock);
}

// Engine time over reference time, the two rendering alternate blocks.
void BM_HeaviestOverReference(benchmark::State& state) {
    const int32_t voices = int32_t(state.range(0));
    HeaviestAndReference r;
    if (const char* error = r.setUp(voices))
        state.SkipWithError(error);
    using Clock = std::chrono::steady_clock;
    Clock::duration engineTime{}, referenceTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        r.renderEngine();
        const auto t1 = Clock::now();
        r.renderReference();
        referenceTime += Clock::now() - t1;
        engineTime += t1 - t0;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(voices) * kBlock * 2);
    state.counters["ratio"] = double(engineTime.count()) / double(referenceTime.count());
}

BENCHMARK(BM_HeaviestRoutine)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReferenceLoop)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeaviestOverReference)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LightestRoutine)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taluma
