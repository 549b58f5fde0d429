// The Synth object: everything sound-related that the processor owns: the engine, the
// user's settings, the wavetables and generator settings, the run flags shared with
// other threads and what the audio thread keeps between blocks.
//
// Threads, and what each may touch:
// - Readers on any thread (the editor and the controller, through the Synth's address):
//   settings(), waves(), history(), snapshot(), generator(), takeChangeNotice(). All
//   lock-free but
//   generator(), which copies under the edit lock.
// - The threads other than the audio thread (state load and save, editor commands, file
//   requests) change settings, tables and generator inside an Edit, which serialises
//   them. They reach the engine and the audio thread's state only inside a
//   StructuralEdit, which holds the audio thread off meanwhile.
// - The audio thread owns the engine and audio() between enterEngineSection and
//   leaveEngineSection, and never takes the edit lock.
#pragma once

#include "engine/engine_event.h"
#include "engine/engine_rate.h"
#include "engine/synth_engine.h"
#include "synth/engine_snapshot.h"
#include "synth/synth_settings.h"
#include "wavetable/table_history.h"
#include "wavetable/wave_generators.h"
#include "wavetable/wave_store.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace taluma {

// Bits of the change notice: what the editor should refresh.
namespace change {
constexpr uint32_t kRateDivider = 1;
constexpr uint32_t kVoiceCount = 2;
constexpr uint32_t kPresetLoad = 16;
}  // namespace change

// What the audio thread keeps between and within its blocks: rate reduction, the
// sample-and-hold state of the output and the block's event list from a fixed pool.
struct AudioThreadState {
    static constexpr int32_t kEventPoolCapacity = 512;

    explicit AudioThreadState(int32_t maxBlock);
    // Re-sizes the decimated buffers for blocks of up to maxBlock samples.
    void setMaxBlockSize(int32_t maxBlock);
    // Capacity of each decimated buffer, in engine samples.
    int32_t decimatedCapacity() const { return (maxBlockSize + 1) / 2; }
    void clearHold();

    EngineRate rate;  // rateTable, rateDivider, decimation
    int32_t maxBlockSize = 0;
    std::unique_ptr<float[]> decimatedLeft;
    std::unique_ptr<float[]> decimatedRight;
    float holdLeft = 0.0f;
    float holdRight = 0.0f;
    int32_t holdPhase = 0;  // output samples of the held engine sample written so far

    std::unique_ptr<EngineEvent[]> eventPool;
    int32_t eventCount = 0;
    EngineEvent* eventList = nullptr;
    // Events of a block that ended before any engine sample was due; they open the
    // next block's list at position 0.
    bool eventsCarried = false;
    // A bypass change arrived while a structural edit held the engine: the next render
    // frees the voices and clears the hold.
    bool bypassChangePending = false;
};

class Synth {
public:
    // Builds the engine for the host's sample rate with 128 voices, and decimated
    // buffers for blocks of up to maxBlockSize samples.
    Synth(int32_t maxBlockSize, float sampleRate);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // ---- Readers, any thread.
    const SynthSettings& settings() const { return settings_; }
    const WaveStore& waves() const { return *waves_; }
    // Its step counts only: the steps themselves are the edits' business.
    const TableHistory& history() const { return history_; }
    // The engine's values as the audio thread or the last structural edit left them.
    const EngineSnapshot& snapshot() const { return snapshot_; }
    GeneratorSettings generator() const;
    // The change:: bits set since the last call, taken and cleared in one exchange.
    uint32_t takeChangeNotice() { return changeNotice_.exchange(0); }
    bool audioRunning() const { return audioRunning_.load(); }
    bool bypassed() const { return bypassed_.load(); }
    bool renderEnabled() const { return renderEnabled_.load(); }

    // ---- Threads other than the audio thread.

    // Serialises their changes and whole-state reads: settings, tables and generator
    // change only inside one. Not reentrant.
    class Edit {
    public:
        explicit Edit(Synth& synth) : synth_(synth), lock_(synth.editLock_) {}
        SynthSettings& settings() { return synth_.settings_; }
        WaveStore& waves() { return *synth_.waves_; }
        GeneratorSettings& generator() { return synth_.generator_; }
        TableHistory& history() { return synth_.history_; }  // a loaded state clears it

    private:
        Synth& synth_;
        std::lock_guard<std::mutex> lock_;
    };

    // Holds off the audio thread for a change to the engine or the audio thread's state.
    // Raises the busy flag, then waits until no process call is inside its engine
    // section; meanwhile process outputs silence and leaves the engine alone. At the end
    // the engine's values are published. Not reentrant on one thread; two threads
    // editing at once take turns.
    class StructuralEdit {
    public:
        explicit StructuralEdit(Synth& synth);
        ~StructuralEdit();
        StructuralEdit(const StructuralEdit&) = delete;
        StructuralEdit& operator=(const StructuralEdit&) = delete;

    private:
        Synth& synth_;
    };

    // Starts or stops rendering (the host's activation or processing), freeing every voice.
    void setRunning(bool running);
    // The host's processing set-up: block size and rate table.
    void setupRate(int32_t maxBlock, float hostRate);
    // The rate menu and the voice-count menu, as normalised choices. While audio runs
    // the change waits for the end of the audio thread's next block; otherwise it is
    // made at once.
    void chooseRateDivider(double norm);
    void chooseVoiceCount(double norm);
    // A saved bypass state being restored: sets the flag, frees every voice and clears
    // the hold, as the host's bypass parameter does on the audio thread.
    void restoreBypass(bool on);
    // Sets bits of the change notice.
    void notifyChange(uint32_t bits) { changeNotice_.fetch_or(bits); }

    // ---- The engine and the audio thread's state: the audio thread inside its engine
    // section, other threads inside a StructuralEdit.
    SynthEngine& engine() { return *engine_; }
    AudioThreadState& audio() { return audio_; }
    // Selects a rate divider 0..3 and clears the hold.
    void setRateDivider(int32_t index);

    // ---- The audio thread.

    // True if the engine may be used until leaveEngineSection; false while a structural
    // edit runs.
    bool enterEngineSection();
    void leaveEngineSection();
    // The host's bypass parameter.
    void setBypassed(bool on);
    // Carries out the rate-divider and voice-count changes chosen while audio ran;
    // returns whether there were any.
    bool applyDeferredChanges();
    // Publishes the engine's values for the readers.
    void publishEngineValues() { snapshot_.publish(*engine_, audio_.rate); }

private:
    // renderEnabled = audioRunning and not bypassed and not busy.
    void updateRenderEnabled();
    // While audio runs: stores the value and sets the bit of pendingChanges for the
    // audio thread, and returns true.
    bool deferWhileRunning(uint32_t bit, std::atomic<int32_t>& pending, int32_t value);

    std::unique_ptr<SynthEngine> engine_;
    AudioThreadState audio_;
    SynthSettings settings_;
    std::unique_ptr<WaveStore> waves_;
    GeneratorSettings generator_;
    TableHistory history_;
    EngineSnapshot snapshot_;
    mutable std::mutex editLock_;

    std::atomic<uint32_t> changeNotice_{0};
    std::atomic<bool> renderEnabled_{false};
    std::atomic<bool> audioRunning_{false};
    std::atomic<bool> bypassed_{false};
    std::atomic<bool> editBusy_{false};
    std::atomic<bool> inEngineSection_{false};
    // Work for the end of the next block (change:: bits) and its values.
    std::atomic<uint32_t> pendingChanges_{0};
    std::atomic<int32_t> pendingRateIndex_{0};
    std::atomic<int32_t> pendingVoiceCount_{0};
};

}  // namespace taluma
