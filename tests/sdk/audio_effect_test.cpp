// AudioEffect's bus helpers and its processing defaults.
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
    EXPECT_EQ(effect->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kInput), 1);

    BusInfo info{};
    ASSERT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.busType, kAux);
    EXPECT_EQ(info.channelCount, 1);
    ASSERT_EQ(effect->getBusInfo(kEvent, kInput, 0, info), kResultOk);
    EXPECT_EQ(info.channelCount, 4);
    EXPECT_EQ(info.flags, uint32(BusInfo::kDefaultActive));

    SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono;
    EXPECT_EQ(effect->setBusArrangements(&stereo, 1, &mono, 1), kResultTrue);
    SpeakerArrangement arr = 0;
    ASSERT_EQ(effect->getBusArrangement(kOutput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, mono);
    ASSERT_EQ(effect->getBusArrangement(kInput, 0, arr), kResultTrue);
    EXPECT_EQ(arr, stereo);
    EXPECT_EQ(effect->getBusArrangement(kOutput, 1, arr), kInvalidArgument);
    EXPECT_EQ(effect->setBusArrangements(nullptr, 0, &mono, 1),
              kResultFalse);  // the input bus exists
    EXPECT_EQ(effect->setBusArrangements(&stereo, -1, &mono, 1), kInvalidArgument);
    effect->release();
}

TEST(AudioEffect, ProcessingDefaults) {
    auto* effect = new AudioEffect();
    EXPECT_EQ(effect->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(effect->canProcessSampleSize(kSample64), kResultFalse);
    ProcessSetup wide{kRealtime, kSample64, 256, 48000.0};
    EXPECT_EQ(effect->setupProcessing(wide), kResultFalse);
    ProcessSetup setup{kRealtime, kSample32, 256, 48000.0};
    EXPECT_EQ(effect->setupProcessing(setup), kResultOk);
    EXPECT_EQ(effect->setProcessing(true), kNotImplemented);
    ProcessData data;
    EXPECT_EQ(effect->process(data), kNotImplemented);
    EXPECT_EQ(effect->getLatencySamples(), 0u);
    EXPECT_EQ(effect->getTailSamples(), 0u);

    IAudioProcessor* processor = nullptr;
    ASSERT_EQ(effect->queryInterface(IAudioProcessor::iid, reinterpret_cast<void**>(&processor)),
              kResultOk);
    processor->release();
    IComponent* component = nullptr;
    ASSERT_EQ(effect->queryInterface(IComponent::iid, reinterpret_cast<void**>(&component)),
              kResultOk);
    component->release();
    effect->release();
}

}  // namespace
