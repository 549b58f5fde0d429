// The Synth object: everything sound-related that the processor owns: the engine, the
// user's settings, the wavetables and generator settings, the run flags shared with
// other threads, the per-block event pool, the rate-reduction fields and the
// sample-and-hold state of the output.
//
// Threads. The audio thread owns the engine, the rate and hold state and the event
// pool. Other threads touch the engine only inside a StructuralEdit, during which the
// audio thread leaves it alone. The threads other than the audio thread (state load and
// save, editor commands, file requests) take editLock around what they change or read
// as a whole; nothing on the audio thread ever takes it. Readers that show values (the
// controller, the editor) use the engine snapshot, the settings and the wave cells,
// which are all atomics.
#pragma once

#include "engine/engine_event.h"
#include "engine/engine_rate.h"
#include "engine/synth_engine.h"
#include "engine_snapshot.h"
#include "synth_settings.h"
#include "table_history.h"
#include "wave_generators.h"
#include "wave_store.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace taluma {

// Bits of pendingChanges (work for the end of the next render call) and changeNotice
// (what the editor should refresh).
namespace change {
constexpr uint32_t kRateDivider = 1;
constexpr uint32_t kVoiceCount = 2;
constexpr uint32_t kPresetLoad = 16;
}  // namespace change

class Synth {
public:
    static constexpr int32_t kEventPoolCapacity = 512;

    // Builds the engine for the host's sample rate with 128 voices, and decimated
    // buffers for blocks of up to maxBlockSize samples.
    Synth(int32_t maxBlockSize, float sampleRate);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // Holds off the audio thread for a change that restructures the engine (state
    // load, voice count or rate change while audio is stopped). Raises editBusy, then
    // waits until no process call is inside its engine section; meanwhile process
    // outputs silence and leaves the engine alone. Not reentrant on one thread; two
    // threads editing at once take turns.
    class StructuralEdit {
    public:
        explicit StructuralEdit(Synth& synth);
        ~StructuralEdit();
        StructuralEdit(const StructuralEdit&) = delete;
        StructuralEdit& operator=(const StructuralEdit&) = delete;

    private:
        Synth& synth_;
    };

    // Audio-thread side of the hand-off: true if the engine may be used until
    // leaveEngineSection; false while a structural edit runs.
    bool enterEngineSection();
    void leaveEngineSection();

    // Rate set-up from the host's processing set-up: re-sizes the decimated buffers when
    // the block size changed and rebuilds the rate table. Call under StructuralEdit.
    void setupRate(int32_t maxBlock, float hostRate);
    // Selects a rate divider 0..3. Call under StructuralEdit or on the audio thread.
    void setRateDivider(int32_t index);

    // renderEnabled = audioRunning and not bypassed and not editBusy.
    void updateRenderEnabled();
    void clearHold();
    // Capacity of each decimated buffer, in engine samples.
    int32_t decimatedCapacity() const { return (maxBlockSize + 1) / 2; }

    SynthEngine* engine = nullptr;
    ToneParameters* tone = nullptr;

    // Run flags and hand-off words, shared between threads.
    std::atomic<uint32_t> changeNotice{0};
    std::atomic<bool> renderEnabled{false};
    std::atomic<bool> audioRunning{false};
    std::atomic<bool> bypassed{false};
    std::atomic<bool> editBusy{false};
    std::atomic<uint32_t> pendingChanges{0};
    std::atomic<float> pendingRateValue{0.0f};   // kept with kRateDivider
    std::atomic<float> pendingVoiceValue{0.0f};  // kept with kVoiceCount

    // Rate reduction: rateTable, rateDivider and decimation.
    EngineRate rate;
    int32_t maxBlockSize = 0;
    std::unique_ptr<float[]> decimatedLeft;
    std::unique_ptr<float[]> decimatedRight;
    float holdLeft = 0.0f;
    float holdRight = 0.0f;
    int32_t holdPhase = 0;  // output samples of the held engine sample written so far

    // The per-block event list, built from a fixed pool.
    std::unique_ptr<EngineEvent[]> eventPool;
    int32_t eventPoolCapacity = kEventPoolCapacity;
    int32_t eventCount = 0;
    EngineEvent* eventList = nullptr;
    // Events of a block that ended before any engine sample was due; they open the
    // next block's list at position 0.
    bool eventsCarried = false;
    // A bypass change arrived while a structural edit held the engine: the next render
    // frees the voices and clears the hold. Audio thread only.
    bool bypassChangePending = false;

    std::string deferredPresetPath;

    // The user's settings, wavetables and generator (saved with the state).
    SynthSettings settings;
    std::unique_ptr<WaveStore> waveStore;
    GeneratorSettings generator;  // under editLock
    TableHistory tableHistory;    // under editLock; a loaded state clears it
    // Serialises the non-audio threads' changes and whole-state reads.
    std::mutex editLock;

    // The engine's values for other threads; published by the audio thread after a
    // block that changed them and at the end of every structural edit.
    EngineSnapshot snapshot;
    void publishEngineValues() { snapshot.publish(*engine, rate); }

private:
    friend class StructuralEdit;
    std::unique_ptr<SynthEngine> engine_;
    std::atomic<bool> inEngineSection_{false};
};

}  // namespace taluma
