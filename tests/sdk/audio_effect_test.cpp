// AudioEffect's bus helpers. The defaults the processor does not override (latency,
// tail, sample sizes) are checked on the processor (process_loop_test); sample sizes,
// setups and bus arrangements it refuses are rows of the module's careless-host test.
#include "public.sdk/source/vst/vstaudioeffect.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST(AudioEffect, BusHelpersAndArrangements) {
    auto* effect = new AudioEffect();
    EXPECT_EQ(effect->getAudioOutput(0), nullptr);
    AudioBus* out = effect->addAudioOutput(STR16("Out"), SpeakerArr::kStereo);
    AudioBus* in = effect->addAudioInput(STR16("In"), SpeakerArr::kMono, kAux, 0);
    EventBus* events = effect->addEventInput(STR16("Ev"), 4);
    EXPECT_EQ(effect->getAudioOutput(0), out);
    EXPECT_EQ(effect->getAudioInput(0), in);
    EXPECT_EQ(effect->getEventInput(0), events);
    EXPECT_EQ(effect->getEventOutput(0), nullptr);
    EXPECT_EQ(effect->getAudioOutput(-1), nullptr);
    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.busType, kAux);
    EXPECT_EQ(info.channelCount, 1);

    SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
    EXPECT_EQ(effect->setBusArrangements(&stereo, 1, &mono, 1), kResultTrue);
    SpeakerArrangement arr = 0;
    ASSERT_EQ(effect->getBusArrangement(kOutput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, mono);
    ASSERT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, stereo);
    EXPECT_EQ(effect->setBusArrangements(nullptr, 0, &mono, 1), kResultFalse);  // input exists
    EXPECT_EQ(effect->setBusArrangements(&stereo, -1, &mono, 1), kInvalidArgument);
    effect->release();
}

}  // namespace
