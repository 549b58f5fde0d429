#include "synth.h"

#include <algorithm>
#include <thread>

namespace taluma {

Synth::Synth(int32_t maxBlock, float sampleRate)
    : maxBlockSize(std::max<int32_t>(1, maxBlock)),
      decimatedLeft(new float[size_t((std::max<int32_t>(1, maxBlock) + 1) / 2)]()),
      decimatedRight(new float[size_t((std::max<int32_t>(1, maxBlock) + 1) / 2)]()),
      eventPool(new EngineEvent[kEventPoolCapacity]()), engine_(new SynthEngine()) {
    engine_->init(sampleRate);
    engine = engine_.get();
    tone = &engine_->tone();
    waveStore.reset(new WaveStore(*engine));  // default tables, committed
    publishEngineValues();
}

Synth::~Synth() = default;

Synth::StructuralEdit::StructuralEdit(Synth& synth) : synth_(synth) {
    // Claim the flag; a second editor waits for the first one to finish.
    bool expected = false;
    while (!synth_.editBusy.compare_exchange_weak(expected, true, std::memory_order_seq_cst)) {
        expected = false;
        std::this_thread::yield();
    }
    synth_.renderEnabled.store(false);
    // The audio thread raises its section flag before it reads editBusy, so once the
    // flag is seen down here no render call can be inside or enter the engine.
    while (synth_.inEngineSection_.load(std::memory_order_seq_cst))
        std::this_thread::yield();
}

Synth::StructuralEdit::~StructuralEdit() {
    synth_.publishEngineValues();
    synth_.editBusy.store(false, std::memory_order_seq_cst);
    synth_.updateRenderEnabled();
}

bool Synth::enterEngineSection() {
    inEngineSection_.store(true, std::memory_order_seq_cst);
    if (editBusy.load(std::memory_order_seq_cst)) {
        inEngineSection_.store(false, std::memory_order_seq_cst);
        return false;
    }
    return true;
}

void Synth::leaveEngineSection() {
    inEngineSection_.store(false, std::memory_order_seq_cst);
}

void Synth::setupRate(int32_t maxBlock, float hostRate) {
    maxBlock = std::max<int32_t>(1, maxBlock);
    if (maxBlock != maxBlockSize) {
        const size_t size = size_t((maxBlock + 1) / 2);
        decimatedLeft.reset(new float[size]());
        decimatedRight.reset(new float[size]());
        maxBlockSize = maxBlock;
    }
    taluma::setupRate(rate, *engine, maxBlock, hostRate);
    clearHold();
}

void Synth::setRateDivider(int32_t index) {
    taluma::setRateDivider(rate, *engine, index);
    clearHold();
}

void Synth::updateRenderEnabled() {
    renderEnabled.store(audioRunning.load() && !bypassed.load() && !editBusy.load());
}

void Synth::clearHold() {
    holdLeft = 0.0f;
    holdRight = 0.0f;
    holdPhase = 0;
}

}  // namespace taluma
