#include "plugin_instance.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <cstring>

namespace taluma {
namespace testhost {

namespace {

// Writes the bytes into the stream and rewinds it.
void fill(MemoryStream& stream, const std::vector<uint8_t>& bytes) {
    int32 written = 0;
    stream.write(const_cast<uint8_t*>(bytes.data()), static_cast<int32>(bytes.size()), &written);
    stream.seek(0, IBStream::kIBSeekSet, nullptr);
}

template <typename T>
void releaseAndClear(T*& object) {
    if (object)
        object->release();
    object = nullptr;
}

}  // namespace

std::unique_ptr<PluginInstance> PluginInstance::create(Module& module, std::string& error) {
    std::unique_ptr<PluginInstance> plugin(new PluginInstance());
    plugin->host_ = new HostApplication();

    IPluginFactory* factory = module.factory();
    TUID processorCid{};
    bool found = false;
    for (const PClassInfo2& info : module.classes()) {
        if (std::strncmp(info.category, kVstAudioEffectClass, PClassInfo::kCategorySize) == 0) {
            std::memcpy(processorCid, info.cid, sizeof(TUID));
            char classId[33] = {};
            FUID::fromTUID(processorCid).toString(classId);
            plugin->processorClassId_ = classId;
            found = true;
            break;
        }
    }
    if (!found) {
        error = "the module has no audio processor class";
        return nullptr;
    }
    if (factory->createInstance(processorCid, IComponent::iid,
                                reinterpret_cast<void**>(&plugin->component_)) != kResultOk ||
        !plugin->component_) {
        error = "the factory could not create the processor";
        return nullptr;
    }
    if (plugin->component_->initialize(plugin->host_) != kResultOk) {
        error = "the processor's initialize failed";
        return nullptr;
    }
    if (plugin->component_->queryInterface(
            IAudioProcessor::iid, reinterpret_cast<void**>(&plugin->processor_)) != kResultOk) {
        error = "the component is no audio processor";
        return nullptr;
    }

    // The controller: the class the processor names, unless the component is both.
    TUID controllerCid{};
    if (plugin->component_->queryInterface(
            IEditController::iid, reinterpret_cast<void**>(&plugin->controller_)) != kResultOk) {
        plugin->controller_ = nullptr;
        if (plugin->component_->getControllerClassId(controllerCid) == kResultOk &&
            factory->createInstance(controllerCid, IEditController::iid,
                                    reinterpret_cast<void**>(&plugin->controller_)) == kResultOk &&
            plugin->controller_) {
            if (plugin->controller_->initialize(plugin->host_) != kResultOk) {
                error = "the controller's initialize failed";
                return nullptr;
            }
            plugin->controllerInitialized_ = true;
            plugin->controller_->setComponentHandler(&plugin->handler_);
        }
    }

    // Connect processor and controller both ways, through taps that record the traffic.
    if (plugin->controller_ && plugin->controllerInitialized_) {
        plugin->component_->queryInterface(IConnectionPoint::iid,
                                           reinterpret_cast<void**>(&plugin->componentConnection_));
        plugin->controller_->queryInterface(
            IConnectionPoint::iid, reinterpret_cast<void**>(&plugin->controllerConnection_));
        if (plugin->componentConnection_ && plugin->controllerConnection_) {
            plugin->toController_.reset(new MessageTap(plugin->controllerConnection_));
            plugin->toProcessor_.reset(new MessageTap(plugin->componentConnection_));
            plugin->componentConnection_->connect(plugin->toController_.get());
            plugin->controllerConnection_->connect(plugin->toProcessor_.get());
        }
    }
    return plugin;
}

PluginInstance::~PluginInstance() {
    stop();
    if (componentConnection_ && controllerConnection_) {
        componentConnection_->disconnect(toController_.get());
        controllerConnection_->disconnect(toProcessor_.get());
    }
    releaseAndClear(componentConnection_);
    releaseAndClear(controllerConnection_);
    if (controller_ && controllerInitialized_) {
        controller_->setComponentHandler(nullptr);
        controller_->terminate();
    }
    releaseAndClear(controller_);
    releaseAndClear(processor_);
    if (component_)
        component_->terminate();
    releaseAndClear(component_);
    // The SDK's host application ignores reference counting: its owner deletes it.
    delete static_cast<HostApplication*>(host_);
}

tresult PluginInstance::setupProcessing(double sampleRate, int32 maxBlockSize) {
    ProcessSetup setup{kRealtime, kSample32, maxBlockSize, sampleRate};
    tresult result = processor_->setupProcessing(setup);
    if (result == kResultOk) {
        sampleRate_ = sampleRate;
        maxBlockSize_ = maxBlockSize;
    }
    return result;
}

bool PluginInstance::start(double sampleRate, int32 maxBlockSize) {
    if (setupProcessing(sampleRate, maxBlockSize) != kResultOk)
        return false;
    component_->activateBus(kAudio, kOutput, 0, true);
    component_->activateBus(kEvent, kInput, 0, true);
    if (component_->setActive(true) != kResultOk)
        return false;
    active_ = true;
    processor_->setProcessing(true);  // kNotImplemented is an acceptable answer
    processing_ = true;
    return true;
}

void PluginInstance::stop() {
    if (processing_)
        processor_->setProcessing(false);
    processing_ = false;
    if (active_)
        component_->setActive(false);
    active_ = false;
}

void PluginInstance::noteOn(int32 sampleOffset, int16 pitch, float velocity, int16 channel) {
    events_.noteOn(sampleOffset, pitch, velocity, channel);
}

void PluginInstance::noteOff(int32 sampleOffset, int16 pitch, int16 channel) {
    events_.noteOff(sampleOffset, pitch, channel);
}

void PluginInstance::parameterChange(ParamID id, int32 sampleOffset, double value) {
    changes_.addPoint(id, sampleOffset, value);
}

bool PluginInstance::midiControllerParameter(int32 controllerNumber, ParamID& id,
                                             int16 channel) const {
    if (!controller_)
        return false;
    FUnknownPtr<IMidiMapping> mapping(controller_);
    return mapping && mapping->getMidiControllerAssignment(
                          0, channel, static_cast<CtrlNumber>(controllerNumber), id) == kResultOk;
}

tresult PluginInstance::process(int32 numSamples, float* left, float* right) {
    context_.sampleRate = sampleRate_;
    context_.projectTimeSamples = samplePosition_;
    context_.state = ProcessContext::kPlaying;
    tresult result =
        processBlock(*processor_, numSamples, left, right, &events_, &changes_, &context_);
    events_.clear();
    changes_.clear();
    samplePosition_ += numSamples > 0 ? numSamples : 0;
    return result;
}

bool componentState(IComponent& component, std::vector<uint8_t>& bytes) {
    MemoryStream stream;
    if (component.getState(&stream) != kResultOk)
        return false;
    int64 size = 0;
    stream.seek(0, IBStream::kIBSeekEnd, &size);
    bytes.assign(static_cast<size_t>(size), 0);
    if (!bytes.empty())
        std::memcpy(bytes.data(), stream.getData(), bytes.size());
    return true;
}

tresult loadComponentState(IComponent& component, const std::vector<uint8_t>& bytes) {
    MemoryStream stream;
    fill(stream, bytes);
    return component.setState(&stream);
}

bool PluginInstance::getState(std::vector<uint8_t>& bytes) {
    return componentState(*component_, bytes);
}

tresult PluginInstance::setState(const std::vector<uint8_t>& bytes) {
    MemoryStream stream;
    fill(stream, bytes);
    handler_.enterHostCall();
    tresult result = component_->setState(&stream);
    if (result == kResultOk && controller_) {
        stream.seek(0, IBStream::kIBSeekSet, nullptr);
        controller_->setComponentState(&stream);
    }
    handler_.leaveHostCall();
    return result;
}

IMessage* PluginInstance::allocateMessage() const {
    TUID cid;
    IMessage::iid.toTUID(cid);
    void* message = nullptr;
    if (host_->createInstance(cid, cid, &message) != kResultOk)
        return nullptr;
    return static_cast<IMessage*>(message);
}

void PluginInstance::clearMessages() {
    toController_->clear();
    toProcessor_->clear();
}

void PluginInstance::setMessagesDelivered(bool delivered) {
    toController_->setDelivering(delivered);
    toProcessor_->setDelivering(delivered);
}

tresult PluginInstance::sendToProcessor(IMessage* message) {
    if (!componentConnection_)
        return kResultFalse;
    return componentConnection_->notify(message);
}

}  // namespace testhost
}  // namespace taluma
