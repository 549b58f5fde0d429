// The audio processor: one stereo output, one 16-channel event input, and the Synth
// object with the engine behind them.
#pragma once

#include "public.sdk/source/vst/vstaudioeffect.h"

#include <memory>

namespace taluma {
class Synth;
}

namespace Steinberg {
namespace Vst {

class MainVSTProcessor : public AudioEffect {
public:
    MainVSTProcessor();
    ~MainVSTProcessor() override;

    tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    tresult PLUGIN_API terminate() SMTG_OVERRIDE;
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setActive(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;

    // The 858-byte state record and the bypass after it (state_stream.h). setState
    // applies a whole record or nothing; getState never interrupts the audio thread.
    tresult PLUGIN_API setState(IBStream* state) SMTG_OVERRIDE;
    tresult PLUGIN_API getState(IBStream* state) SMTG_OVERRIDE;

    tresult PLUGIN_API notify(IMessage* message) SMTG_OVERRIDE;

    // Null until initialize.
    taluma::Synth* synth() const { return synth_.get(); }

private:
    // The bodies of setState, getState and notify, whose exceptions end at the boundary.
    tresult readState(IBStream* state);
    tresult writeState(IBStream* state);
    tresult handleMessage(IMessage* message);
    // setActive and setProcessing do the same: start or stop rendering, free all voices.
    void setRunning(bool running);
    void sendUiUpdate();

    std::unique_ptr<taluma::Synth> synth_;
};

}  // namespace Vst
}  // namespace Steinberg
