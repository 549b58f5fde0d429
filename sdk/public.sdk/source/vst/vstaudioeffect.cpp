#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg {
namespace Vst {

namespace {

bool busKindExists(MediaType type, BusDirection dir) {
    return (type == kAudio || type == kEvent) && (dir == kInput || dir == kOutput);
}

}  // namespace

AudioEffect::AudioEffect() {
    // Until the host's first setupProcessing the component assumes a realtime
    // 44.1 kHz stream of at most 1024 32-bit samples per block.
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

AudioBus* AudioEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType busType,
                                     int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* AudioEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType busType,
                                      int32 flags) {
    auto* bus = new AudioBus(name, busType, flags, arr);
    audioOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* AudioEffect::getAudioInput(int32 index) {
    if (index < 0 || index >= static_cast<int32>(audioInputs.size()))
        return nullptr;
    return static_cast<AudioBus*>(audioInputs.at(static_cast<size_t>(index)).get());
}

AudioBus* AudioEffect::getAudioOutput(int32 index) {
    if (index < 0 || index >= static_cast<int32>(audioOutputs.size()))
        return nullptr;
    return static_cast<AudioBus*>(audioOutputs.at(static_cast<size_t>(index)).get());
}

EventBus* AudioEffect::addEventInput(const TChar* name, int32 channels, BusType busType,
                                     int32 flags) {
    auto* bus = new EventBus(name, busType, flags, channels);
    eventInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

EventBus* AudioEffect::addEventOutput(const TChar* name, int32 channels, BusType busType,
                                      int32 flags) {
    auto* bus = new EventBus(name, busType, flags, channels);
    eventOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

EventBus* AudioEffect::getEventInput(int32 index) {
    if (index < 0 || index >= static_cast<int32>(eventInputs.size()))
        return nullptr;
    return static_cast<EventBus*>(eventInputs.at(static_cast<size_t>(index)).get());
}

EventBus* AudioEffect::getEventOutput(int32 index) {
    if (index < 0 || index >= static_cast<int32>(eventOutputs.size()))
        return nullptr;
    return static_cast<EventBus*>(eventOutputs.at(static_cast<size_t>(index)).get());
}

tresult PLUGIN_API AudioEffect::getControllerClassId(TUID classId) {
    if (!classId)
        return kInvalidArgument;
    return Component::getControllerClassId(classId);
}

int32 PLUGIN_API AudioEffect::getBusCount(MediaType type, BusDirection dir) {
    return busKindExists(type, dir) ? Component::getBusCount(type, dir) : 0;
}

tresult PLUGIN_API AudioEffect::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                           BusInfo& info) {
    if (!busKindExists(type, dir))
        return kInvalidArgument;
    return Component::getBusInfo(type, dir, index, info);
}

tresult PLUGIN_API AudioEffect::activateBus(MediaType type, BusDirection dir, int32 index,
                                            TBool state) {
    if (!busKindExists(type, dir))
        return kInvalidArgument;
    return Component::activateBus(type, dir, index, state);
}

tresult PLUGIN_API AudioEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts) {
    if (numIns < 0 || numOuts < 0)
        return kInvalidArgument;
    // The host must describe exactly the buses the component has.
    if (numIns != static_cast<int32>(audioInputs.size()) ||
        numOuts != static_cast<int32>(audioOutputs.size()))
        return kResultFalse;
    if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
        return kInvalidArgument;
    for (int32 i = 0; i < numIns; ++i)
        getAudioInput(i)->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        getAudioOutput(i)->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement(BusDirection dir, int32 index,
                                                  SpeakerArrangement& arr) {
    AudioBus* bus = dir == kInput ? getAudioInput(index) : getAudioOutput(index);
    if (!busKindExists(kAudio, dir) || !bus)
        return kInvalidArgument;
    arr = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API AudioEffect::setupProcessing(ProcessSetup& newSetup) {
    if (canProcessSampleSize(newSetup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup = newSetup;
    return kResultOk;
}

}  // namespace Vst
}  // namespace Steinberg
