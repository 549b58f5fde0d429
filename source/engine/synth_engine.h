// The sound engine: a pool of two-operator voices driven by timed events. It knows
// nothing of plug-in formats; the processor hands it each block's events and buffers.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/engine_event.h"
#include "engine/engine_tables.h"
#include "engine/tone_parameters.h"
#include "engine/voice.h"

namespace taluma {

constexpr int kWaveArraySize = 128;

class SynthEngine {
public:
    SynthEngine();
    ~SynthEngine();
    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;

    // Builds the engine with its defaults, tables, 128 voices and sine wave arrays.
    void init(float engineSampleRate);

    // Adds the sound of every voice into left/right from start to start + count - 1,
    // applying each event of the list at its sample offset. The buffers are not cleared.
    void render(const EngineEvent* events, float* left, float* right, int32_t start, int32_t count);
    // Applies controller, tone and engine-setting events without rendering; notes are dropped.
    void applyEvents(const EngineEvent* events);

    void silenceAllVoices();
    void allSoundOff();  // CC 120: damp every held or released voice
    void allNotesOff();  // CC 123: release every held voice

    // Rebuilds the voice pool with n voices, raised to a power of two in 8..1024, when
    // that differs from the current count: every voice is freed, allocation starts again
    // at the first voice and the rate constants are recomputed. Returns whether it changed.
    bool setVoiceCount(int32_t n);
    // Recomputes everything that depends on sampleRate and silences all voices.
    void updateRateConstants();
    // A4 in 1/100 Hz (42000..46000); reaches voices at their next note-on or bend.
    void setReferencePitch(uint32_t centiHz);
    // Silences every voice and fills both wave arrays with one sine cycle.
    void resetWaveTables();

    // Value setters that also reach sounding voices. Each ignores an unchanged value
    // and returns whether it changed anything.
    bool setModWheel(int32_t v);
    bool setVolume(int32_t v);
    bool setPan(int32_t v);
    bool setExpression(int32_t v);
    bool setPitchBend(int32_t v);
    bool setBendRange(int32_t v);
    bool setLfoFreq(int32_t v);
    bool setBitDepth(int32_t v);

    // Sets the parameter with this event id (tone, controller or engine setting) to an
    // integer in its own range, as the event handlers and editor commands do. Returns
    // whether anything changed; unknown ids change nothing.
    bool setParameterValue(uint32_t id, int32_t value);
    // The integer an event's normalised value becomes for this id (values outside
    // 0..1, NaN included, are clamped first). Returns false for ids without a value.
    static bool scaleEventValue(uint32_t id, float value, int32_t& scaled);
    // The current integer of the parameter with this event id, or -1 for unknown ids.
    int32_t parameterValue(uint32_t id) const;

    // Points the voices at the wave arrays' current sizes: log2 size 2..7 per operator.
    void setWaveSize(int op, int32_t log2Size);

    ToneParameters& tone() { return *tone_; }
    const ToneParameters& tone() const { return *tone_; }
    EngineTables& tables() { return *tables_; }
    Voice* voices() { return voices_.get(); }
    const Voice* voices() const { return voices_.get(); }
    int32_t sounding() const;  // voices with non-zero flags
    // Calls f(Voice&) for every voice with non-zero flags.
    template <typename F>
    void forSounding(F f) {
        for (int32_t i = 0; i < voiceCount; ++i)
            if (voices_[i].flags != 0)
                f(voices_[i]);
    }

    // Engine fields.
    int32_t bitDepth = 16;
    uint32_t outputMask = 0xFFFFFFFE;
    WaveCell* waveLog[2] = {nullptr, nullptr};  // 128 log codes per operator
    int32_t waveLog2Size[2] = {5, 5};
    int32_t waveSize[2] = {32, 32};
    int32_t waveIndexMask[2] = {124, 124};
    float sampleRate = 44100.0f;
    uint32_t referencePitch = 44000;
    int32_t voiceCount = 0;
    int32_t allocCursor = 0;
    int32_t voiceMask = 0;
    int32_t lfoRateFactor = 0, rateBase = 0, dampRate = 0, pitchBase = 0;

private:
    // Whether an event changes anything; `scaled` receives its integer value.
    bool eventChangesState(const EngineEvent& e, int32_t& scaled) const;
    void applyEvent(const EngineEvent& e, int32_t scaled);
    void noteOn(int32_t key, int32_t velocity, int32_t offset);
    void noteOff(int32_t key);
    Voice* allocateVoice();
    void renderVoicesTo(int32_t end);
    int32_t computePitchBase() const;
    void initVoice(Voice& v) const;

    std::unique_ptr<EngineTables> tables_;
    std::unique_ptr<ToneParameters> tone_;
    std::unique_ptr<Voice[]> voices_;
    std::unique_ptr<WaveCell[]> waveStorage_;
    float* left_ = nullptr;  // buffers of the render call in progress
    float* right_ = nullptr;
};

}  // namespace taluma
