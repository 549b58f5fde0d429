#include "vst3/main_vst_processor.h"

#include "synth/editor_commands.h"
#include "synth/file_requests.h"
#include "vst3/host_boundary.h"
#include "vst3/live_synths.h"
#include "vst3/parameter_table.h"
#include "vst3/process_steps.h"
#include "vst3/messages.h"
#include "synth/state_record.h"
#include "vst3/state_stream.h"
#include "synth/synth.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace Steinberg {
namespace Vst {

namespace {

// The decimated buffers serve blocks up to this size; longer blocks render in pieces, so
// a host's huge maximum block size costs no huge allocation.
constexpr int32 kLargestBufferedBlock = 1 << 16;

int32 bufferedBlock(int32 maxSamplesPerBlock) {
    return std::min(maxSamplesPerBlock, kLargestBufferedBlock);
}

// The two channel buffers of the first output bus, if the host gave them.
bool stereoOutputs(ProcessData& data, float*& left, float*& right) {
    left = right = nullptr;
    if (data.numOutputs < 1 || !data.outputs || data.symbolicSampleSize != kSample32)
        return false;
    AudioBusBuffers& bus = data.outputs[0];
    if (bus.numChannels < 2 || !bus.channelBuffers32)
        return false;
    left = bus.channelBuffers32[0];
    right = bus.channelBuffers32[1];
    return left && right;
}

// Silence for whatever 32-bit channels exist when a block cannot be rendered.
void silenceOutputs(ProcessData& data) {
    if (data.numSamples < 1 || data.numOutputs < 1 || !data.outputs ||
        data.symbolicSampleSize != kSample32)
        return;
    for (int32 b = 0; b < data.numOutputs; ++b) {
        AudioBusBuffers& bus = data.outputs[b];
        if (!bus.channelBuffers32)
            continue;
        for (int32 c = 0; c < bus.numChannels; ++c)
            if (bus.channelBuffers32[c])
                std::memset(bus.channelBuffers32[c], 0, sizeof(float) * size_t(data.numSamples));
    }
}

}  // namespace

MainVSTProcessor::MainVSTProcessor() = default;
MainVSTProcessor::~MainVSTProcessor() {
    if (synth_)
        taluma::removeLiveSynth(synth_.get());
}

tresult PLUGIN_API MainVSTProcessor::initialize(FUnknown* context) {
    // A second call (even without a host context) would add the buses again.
    if (getBusCount(kAudio, kOutput) > 0)
        return kResultFalse;
    tresult result = AudioEffect::initialize(context);
    if (result != kResultOk)
        return result;
    result = taluma::hostBoundary([this] {
        addAudioOutput(STR16("AudioOut"), SpeakerArr::kStereo, kMain, BusInfo::kDefaultActive);
        addEventInput(STR16("EventInput"), taluma::kEventInputChannels, kMain,
                      BusInfo::kDefaultActive);
        if (!synth_) {
            const int32 block = bufferedBlock(processSetup.maxSamplesPerBlock);
            auto synth = std::make_unique<taluma::Synth>(block, float(processSetup.sampleRate));
            // The rate table follows the set-up the Synth was made for (the defaults give
            // 44100, 22050, 14700, 11025), also when the host set up processing first.
            synth->setupRate(block, float(processSetup.sampleRate));
            taluma::addLiveSynth(synth.get());
            synth_ = std::move(synth);
        }
        return kResultOk;
    });
    if (result != kResultOk)
        removeAllBusses();
    return result;
}

tresult PLUGIN_API MainVSTProcessor::terminate() {
    return AudioEffect::terminate();
}

tresult PLUGIN_API MainVSTProcessor::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                        SpeakerArrangement* outputs,
                                                        int32 numOuts) {
    if (numOuts != 1 || !outputs || outputs[0] != SpeakerArr::kStereo)
        return kResultFalse;
    return AudioEffect::setBusArrangements(inputs, numIns, outputs, numOuts);
}

tresult PLUGIN_API MainVSTProcessor::setupProcessing(ProcessSetup& setup) {
    // A set-up the engine cannot run with is refused before anything changes.
    if (!std::isfinite(setup.sampleRate) || setup.sampleRate < 1.0 || setup.sampleRate > 1.0e7 ||
        setup.maxSamplesPerBlock < 1 || setup.processMode < kRealtime ||
        setup.processMode > kOffline ||
        canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    const tresult result = taluma::hostBoundary([&] {
        if (synth_)
            synth_->setupRate(bufferedBlock(setup.maxSamplesPerBlock), float(setup.sampleRate));
        return kResultOk;
    });
    if (result != kResultOk)
        return result;
    sendUiUpdate();
    return AudioEffect::setupProcessing(setup);
}

void MainVSTProcessor::setRunning(bool running) {
    if (!synth_)
        return;
    synth_->setRunning(running);
    sendUiUpdate();
}

tresult PLUGIN_API MainVSTProcessor::setActive(TBool state) {
    setRunning(state != 0);
    return AudioEffect::setActive(state);
}

tresult PLUGIN_API MainVSTProcessor::setProcessing(TBool state) {
    setRunning(state != 0);
    return AudioEffect::setProcessing(state);
}

tresult PLUGIN_API MainVSTProcessor::process(ProcessData& data) {
    taluma::Synth* synth = synth_.get();
    if (!synth) {
        silenceOutputs(data);
        return kResultOk;
    }

    if (!synth->enterEngineSection()) {
        // A structural edit holds the engine: keep the bypass state, drop the events.
        taluma::readBypassOnly(*synth, data);
        silenceOutputs(data);
        return kResultOk;
    }

    taluma::collectBlockEvents(*synth, data);
    bool valuesMayChange = synth->audio().eventCount > 0;

    float* left = nullptr;
    float* right = nullptr;
    const int32 numSamples = data.numSamples;
    if (numSamples > 0 && stereoOutputs(data, left, right)) {
        taluma::renderBlock(*synth, left, right, numSamples);
        if (data.outputs[0].silenceFlags != 0)
            data.outputs[0].silenceFlags = 0;
    } else {
        // Nothing to render into: parameter changes still take effect.
        taluma::applyBlockEventsOnly(*synth);
        silenceOutputs(data);
    }

    if (synth->applyDeferredChanges())
        valuesMayChange = true;
    if (valuesMayChange)
        synth->publishEngineValues();
    synth->leaveEngineSection();
    return kResultOk;
}

tresult PLUGIN_API MainVSTProcessor::setState(IBStream* state) {
    if (!synth_ || !state)
        return kResultFalse;
    return taluma::hostBoundary([&] { return readState(state); });
}

tresult MainVSTProcessor::readState(IBStream* state) {
    const taluma::SavedState saved = taluma::readSavedState(*state);
    if (saved.kind == taluma::SavedState::kRecord) {
        taluma::readStateRecord(*synth_, saved.record, sizeof(saved.record),
                                taluma::hostLoadScope(*state));
        if (saved.hasExtension)
            synth_->restoreBypass(saved.extension.bypassed);
    }
    taluma::sendSynthAddress(*this, taluma::message::kStateLoaded, synth_.get());
    // A record that ends early is refused whole: a part of it would mix two states. One
    // of another version is passed over.
    return saved.kind == taluma::SavedState::kUnreadable ||
                   saved.kind == taluma::SavedState::kIncomplete
               ? kResultFalse
               : kResultOk;
}

tresult PLUGIN_API MainVSTProcessor::getState(IBStream* state) {
    if (!synth_ || !state)
        return kResultFalse;
    return taluma::hostBoundary([&] { return writeState(state); });
}

tresult MainVSTProcessor::writeState(IBStream* state) {
    taluma::StateExtension extension;
    extension.bypassed = synth_->bypassed();
    const bool saved =
        taluma::writeSavedState(*state, taluma::writeStateRecord(*synth_), extension);
    taluma::sendSynthAddress(*this, taluma::message::kStateSaved, synth_.get());
    // A stream that takes less than the whole state has not saved the instrument.
    return saved ? kResultOk : kResultFalse;
}

tresult PLUGIN_API MainVSTProcessor::notify(IMessage* message) {
    if (!message)
        return kInvalidArgument;
    return taluma::hostBoundary([&] { return handleMessage(message); });
}

tresult MainVSTProcessor::handleMessage(IMessage* message) {
    if (taluma::isMessage(*message, taluma::message::kEditorOpened)) {
        taluma::sendSynthAddress(*this, taluma::message::kSynthForEditor, synth_.get());
        return kResultOk;
    }
    if (taluma::isMessage(*message, taluma::message::kValueChange)) {
        int32_t tag = 0;
        double value = 0.0;
        if (synth_ && taluma::readValue(*message, tag, value))
            taluma::handleEditorValue(*synth_, tag, value, [this](int64 t, double v) {
                taluma::sendValue(*this, taluma::message::kValueUpdate, t, v);
            });
        return kResultOk;
    }
    if (taluma::isMessage(*message, taluma::message::kFileSelect)) {
        int32_t code = 0;
        std::string path;
        if (synth_ && taluma::readFileRequest(*message, code, path))
            taluma::handleFileSelect(*synth_, code, path, [this] { sendUiUpdate(); });
        return kResultOk;
    }
    return taluma::answerOtherMessage(*message);
}

void MainVSTProcessor::sendUiUpdate() {
    taluma::sendNotice(*this, taluma::message::kUiUpdate);
}

}  // namespace Vst
}  // namespace Steinberg
