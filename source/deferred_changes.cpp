// Structural changes requested while audio runs, carried out by the audio thread at the
// end of a process call.
#include "process_steps.h"
#include "synth.h"

namespace taluma {
namespace {

float clampedUnit(float v) {
    if (!(v >= 0.0f))
        return 0.0f;
    return v > 1.0f ? 1.0f : v;
}

void applyRateDivider(Synth& synth) {
    if (synth.rate.rateDivider >= 0) {
        const int32_t index = int32_t(clampedUnit(synth.pendingRateValue.load()) * 3.0f + 0.5f);
        synth.setRateDivider(index);  // a fraction the host rate does not allow gives 1/1
    }
    synth.changeNotice.fetch_or(change::kRateDivider);
}

void applyVoiceCount(Synth& synth) {
    // 0..1 selects 8, 16, ... 1024 voices.
    const int32_t n = 1 << int32_t(clampedUnit(synth.pendingVoiceValue.load()) * 7.0f + 3.5f);
    SynthEngine& engine = *synth.engine;
    if (n != engine.voiceCount) {
        engine.allocCursor = 0;
        engine.voiceMask = n - 1;
        engine.setVoiceCount(n);
        engine.updateRateConstants();
    }
    synth.changeNotice.fetch_or(change::kVoiceCount);
}

}  // namespace

void applyDeferredChanges(Synth& synth) {
    // Take the bits this step handles; a request arriving meanwhile waits for the next
    // call instead of being cleared unseen. Presets are never loaded here: the message
    // thread reads and applies them (the audio thread touches no file).
    const uint32_t bits =
        synth.pendingChanges.fetch_and(~(change::kRateDivider | change::kVoiceCount));
    if (bits & change::kRateDivider)
        applyRateDivider(synth);
    if (bits & change::kVoiceCount)
        applyVoiceCount(synth);
}

}  // namespace taluma
