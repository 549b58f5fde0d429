// Where the editor's values come from. With the address of the processor's Synth:
// what the Synth offers its readers (the engine values the processor publishes, the
// display settings, the wave cells, a copy of the generator settings). Without it (processor in another process, or its answer not
// yet arrived): the controller's parameters, for whatever is a parameter; the rest
// stays as it is shown.
#pragma once

#include "synth/synth.h"

#include <cstdint>

namespace Steinberg {
namespace Vst {

class EditController;

class EditorSource {
public:
    EditorSource(taluma::Synth* synth, EditController* controller)
        : synth_(synth), controller_(controller) {}

    bool hasSynth() const { return synth_ != nullptr; }

    // The engine's integer for a parameter id (volume 0x20002, reference pitch 0x80002 in
    // 1/100 Hz, bit depth, tone parameters), -1 when unknown.
    int32_t value(uint32_t id) const;

    // Only with the Synth (null, 0 or false without it).
    const taluma::SynthSettings* settings() const { return synth_ ? &synth_->settings() : nullptr; }
    const taluma::WaveStore* waves() const { return synth_ ? &synth_->waves() : nullptr; }
    const taluma::TableHistory* history() const { return synth_ ? &synth_->history() : nullptr; }
    bool generator(taluma::GeneratorSettings& out) const;
    // The engine's sample rate (the host rate over the divider).
    float sampleRate() const { return synth_ ? synth_->snapshot().sampleRate() : 0.0f; }
    // The engine rate for divider index 0..3 (0 when the host rate does not allow it).
    int32_t rate(int index) const { return synth_ ? synth_->snapshot().rateTable(index) : 0; }
    // -1 while the host rate allows no reduction.
    int32_t rateDivider() const { return synth_ ? synth_->snapshot().rateDivider() : 0; }
    int32_t voiceCount() const { return synth_ ? synth_->snapshot().voiceCount() : 0; }
    // Takes the processor's change notice and clears it in one atomic exchange.
    uint32_t takeChangeNotice() const { return synth_ ? synth_->takeChangeNotice() : 0; }

private:
    taluma::Synth* synth_;
    EditController* controller_;
};

}  // namespace Vst
}  // namespace Steinberg
