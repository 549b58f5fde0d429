// Whole-module cost: MainVSTProcessor::process at 48 kHz in 512-sample blocks with 1024
// voices of the heaviest routine held, next to the engine alone rendering the same
// voices, so that the shell's share shows directly.
#include <benchmark/benchmark.h>

#include "vst3/host_events.h"
#include "vst3/main_vst_processor.h"
#include "synth/synth.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <vector>

namespace taluma {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr int32 kBlock = 512;
constexpr int kVoices = 1024;

// A modulates B with full feedback, full LFO depths and speed, and envelopes that
// never decay, so every voice runs the heaviest routine for the whole run.
void heaviestPatch(HostParameterChanges& changes) {
    int32 index = 0;
    auto set = [&](ParamID id, double value) { changes.addQueue(id)->addPoint(0, value, index); };
    set(0x40002, 1.0);  // algorithm 3
    set(0x40090, 1.0);  // feedback 128
    set(0x40004, 1.0);  // LFO frequency
    set(0x20001, 1.0);  // modulation wheel
    for (ParamID op : {0x40090u, 0x400A0u}) {
        set(op + 0xD, 1.0);  // PMS 7
        set(op + 0xE, 1.0);  // AMS 7
        set(op + 0x5, 0.0);  // DR 0
        set(op + 0x7, 0.0);  // SR 0
    }
}

class ModuleRig {
public:
    ModuleRig() {
        host_ = new HostApplication();
        processor_ = new MainVSTProcessor();
        processor_->initialize(host_);
        ProcessSetup setup{kRealtime, kSample32, kBlock, 48000.0};
        processor_->setupProcessing(setup);
        processor_->setActive(true);
        synth_ = processor_->synth();
        synth_->chooseVoiceCount(1.0);  // 1024 voices
        heaviestPatch(changes_);
        run();
        // The pool takes 512 events per block: two blocks of note-ons.
        for (int i = 0; i < kVoices; ++i) {
            Event e{};
            e.type = Event::kNoteOnEvent;
            e.noteOn.pitch = int16(24 + i % 96);
            e.noteOn.velocity = 0.8f;
            events_.add(e);
            if (i % 512 == 511)
                run();
        }
    }
    ~ModuleRig() {
        processor_->setActive(false);
        processor_->terminate();
        processor_->release();
        host_->release();
    }
    void run() {
        processBlock(*processor_, kBlock, left_.data(), right_.data(), &events_, &changes_);
        events_.clear();
        changes_.clear();
    }
    Synth& synth() { return *synth_; }
    const float* output() const { return left_.data(); }

private:
    IHostApplication* host_ = nullptr;
    MainVSTProcessor* processor_ = nullptr;
    Synth* synth_ = nullptr;
    HostEventList events_;
    HostParameterChanges changes_;
    std::vector<float> left_ = std::vector<float>(kBlock), right_ = std::vector<float>(kBlock);
};

void reportRealTimeShare(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * int64_t(kVoices) * kBlock);
    state.counters["core_share_48k"] =
        benchmark::Counter(kBlock / 48000.0, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

void BM_ModuleProcessHeaviest(benchmark::State& state) {
    ModuleRig rig;
    if (rig.synth().engine().sounding() != kVoices)
        state.SkipWithError("not every voice sounds");
    for (auto _ : state) {
        rig.run();
        benchmark::DoNotOptimize(rig.output());
    }
    if (rig.synth().engine().sounding() != kVoices)
        state.SkipWithError("voices ended during the run");
    reportRealTimeShare(state);
}

// The same engine, set up by the same blocks, rendered directly.
void BM_EngineRenderHeaviest(benchmark::State& state) {
    ModuleRig rig;
    SynthEngine& engine = rig.synth().engine();
    if (engine.sounding() != kVoices)
        state.SkipWithError("not every voice sounds");
    std::vector<float> left(kBlock), right(kBlock);
    for (auto _ : state) {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        engine.render(nullptr, left.data(), right.data(), 0, kBlock);
        benchmark::DoNotOptimize(left.data());
    }
    reportRealTimeShare(state);
}

BENCHMARK(BM_ModuleProcessHeaviest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineRenderHeaviest)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace taluma
