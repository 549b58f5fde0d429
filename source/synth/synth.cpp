#include "synth/synth.h"

#include <algorithm>
#include <thread>

#include "engine/unit_value.h"

namespace taluma {

namespace {

// The rate menu's entries 1/1 .. 1/4 and the voice-count menu's 8 .. 1024.
int32_t rateIndexFor(double norm) {
    return int32_t(clampUnit(norm) * 3.0 + 0.5);
}
int32_t voiceCountFor(double norm) {
    return 1 << int32_t(clampUnit(norm) * 7.0 + 3.5);
}

}  // namespace

AudioThreadState::AudioThreadState(int32_t maxBlock)
    : eventPool(new EngineEvent[kEventPoolCapacity]()) {
    setMaxBlockSize(maxBlock);
}

void AudioThreadState::setMaxBlockSize(int32_t maxBlock) {
    maxBlock = std::max<int32_t>(1, maxBlock);
    if (maxBlock == maxBlockSize)
        return;
    maxBlockSize = maxBlock;
    decimatedLeft.reset(new float[size_t(decimatedCapacity())]());
    decimatedRight.reset(new float[size_t(decimatedCapacity())]());
}

void AudioThreadState::clearHold() {
    holdLeft = 0.0f;
    holdRight = 0.0f;
    holdPhase = 0;
}

Synth::Synth(int32_t maxBlock, float sampleRate) : engine_(new SynthEngine()), audio_(maxBlock) {
    engine_->init(sampleRate);
    waves_.reset(new WaveStore(*engine_));  // default tables, committed
    publishEngineValues();
}

Synth::~Synth() = default;

GeneratorSettings Synth::generator() const {
    std::lock_guard<std::mutex> lock(editLock_);
    return generator_;
}

Synth::StructuralEdit::StructuralEdit(Synth& synth) : synth_(synth) {
    // Claim the flag; a second editor waits for the first one to finish.
    bool expected = false;
    while (!synth_.editBusy_.compare_exchange_weak(expected, true, std::memory_order_seq_cst)) {
        expected = false;
        std::this_thread::yield();
    }
    synth_.renderEnabled_.store(false);
    // The audio thread raises its section flag before it reads the busy flag, so once
    // the flag is seen down here no render call can be inside or enter the engine.
    while (synth_.inEngineSection_.load(std::memory_order_seq_cst))
        std::this_thread::yield();
}

Synth::StructuralEdit::~StructuralEdit() {
    synth_.publishEngineValues();
    synth_.editBusy_.store(false, std::memory_order_seq_cst);
    synth_.updateRenderEnabled();
}

void Synth::setRunning(bool running) {
    StructuralEdit edit(*this);
    audioRunning_.store(running);
    audio_.clearHold();
    engine_->silenceAllVoices();
}  // leaving the edit sets renderEnabled from audioRunning, bypassed and busy

void Synth::restoreBypass(bool on) {
    StructuralEdit edit(*this);
    bypassed_.store(on);
    audio_.clearHold();
    engine_->silenceAllVoices();
}  // leaving the edit sets renderEnabled

void Synth::setupRate(int32_t maxBlock, float hostRate) {
    StructuralEdit edit(*this);
    audio_.setMaxBlockSize(maxBlock);
    taluma::setupRate(audio_.rate, *engine_, audio_.maxBlockSize, hostRate);
    audio_.clearHold();
}

bool Synth::deferWhileRunning(uint32_t bit, std::atomic<int32_t>& pending, int32_t value) {
    if (!audioRunning())
        return false;
    pending.store(value);
    pendingChanges_.fetch_or(bit);
    return true;
}

void Synth::chooseRateDivider(double norm) {
    const int32_t index = rateIndexFor(norm);
    if (deferWhileRunning(change::kRateDivider, pendingRateIndex_, index))
        return;
    StructuralEdit edit(*this);
    setRateDivider(index);
}

void Synth::chooseVoiceCount(double norm) {
    const int32_t count = voiceCountFor(norm);
    if (deferWhileRunning(change::kVoiceCount, pendingVoiceCount_, count))
        return;
    StructuralEdit edit(*this);
    engine_->setVoiceCount(count);
}

void Synth::setRateDivider(int32_t index) {
    // A fraction the host rate does not allow gives 1/1; nothing while reduction is off.
    taluma::setRateDivider(audio_.rate, *engine_, index);
    audio_.clearHold();
}

bool Synth::enterEngineSection() {
    inEngineSection_.store(true, std::memory_order_seq_cst);
    if (editBusy_.load(std::memory_order_seq_cst)) {
        inEngineSection_.store(false, std::memory_order_seq_cst);
        return false;
    }
    return true;
}

void Synth::leaveEngineSection() {
    inEngineSection_.store(false, std::memory_order_seq_cst);
}

void Synth::setBypassed(bool on) {
    bypassed_.store(on);
    updateRenderEnabled();
}

bool Synth::applyDeferredChanges() {
    // Take the bits this step handles; a request arriving meanwhile waits for the next
    // call instead of being cleared unseen. Presets are never loaded here: the message
    // thread reads and applies them (the audio thread touches no file).
    const uint32_t bits = pendingChanges_.exchange(0);
    if (bits & change::kRateDivider)
        setRateDivider(pendingRateIndex_.load());
    if (bits & change::kVoiceCount)
        engine_->setVoiceCount(pendingVoiceCount_.load());
    notifyChange(bits);
    return bits != 0;
}

void Synth::updateRenderEnabled() {
    renderEnabled_.store(audioRunning_.load() && !bypassed_.load() && !editBusy_.load());
}

}  // namespace taluma
