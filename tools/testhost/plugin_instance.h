// One instrument instance as a DAW holds it: the processor component and its edit
// controller, created from a loaded module's factory, initialised with a host context,
// connected to each other, and driven block by block.
//
// Typical use:
//   std::string error;
//   auto module = taluma::testhost::Module::load ("build/TALUMA_W.vst3", error);
//   auto plugin = taluma::testhost::PluginInstance::create (*module, error);
//   plugin->start (48000.0, 512);                // setupProcessing, setActive, setProcessing
//   plugin->noteOn (0, 60, 0.8f);                 // queued for the next block
//   plugin->parameterChange (0x40093, 0, 0.25);   // likewise, at its sample offset
//   plugin->process (512, left, right);           // left/right: 512 floats each
//   plugin->stop ();
// Keep the Module alive while instances exist.
#pragma once

#include "component_handler.h"
#include "message_tap.h"
#include "module_loader.h"
#include "vst3/host_events.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivsthostapplication.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace taluma {
namespace testhost {

using namespace Steinberg;
using namespace Steinberg::Vst;

// A component's state through a memory stream, as hosts save and load it.
bool componentState(IComponent& component, std::vector<uint8_t>& bytes);
tresult loadComponentState(IComponent& component, const std::vector<uint8_t>& bytes);

class PluginInstance {
public:
    // Creates the module's first "Audio Module Class" class and the controller class it
    // names, initialises both and connects them. Null and a reason on failure.
    static std::unique_ptr<PluginInstance> create(Module& module, std::string& error);
    ~PluginInstance();  // stops, disconnects, terminates and releases both
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    IComponent* component() const { return component_; }
    IAudioProcessor* processor() const { return processor_; }
    IEditController* controller() const { return controller_; }  // may be null
    IHostApplication* hostContext() const { return host_; }
    // The processor's class id as 32 hexadecimal digits, as preset files name it.
    const std::string& processorClassId() const { return processorClassId_; }

    // Life cycle. start() = setupProcessing (32-bit realtime) + setActive + setProcessing;
    // stop() undoes the last two.
    bool start(double sampleRate, int32 maxBlockSize);
    void stop();
    tresult setupProcessing(double sampleRate, int32 maxBlockSize);
    double sampleRate() const { return sampleRate_; }
    int32 maxBlockSize() const { return maxBlockSize_; }

    // Events and parameter changes for the next process call.
    void noteOn(int32 sampleOffset, int16 pitch, float velocity, int16 channel = 0);
    void noteOff(int32 sampleOffset, int16 pitch, int16 channel = 0);
    void parameterChange(ParamID id, int32 sampleOffset, double value);
    // The MIDI controller's parameter through the controller's IMidiMapping; false when
    // the plug-in does not map it (CC numbers 0..127, 129 = pitch bend).
    bool midiControllerParameter(int32 controllerNumber, ParamID& id, int16 channel = 0) const;
    HostEventList& events() { return events_; }
    HostParameterChanges& parameterChanges() { return changes_; }

    // Runs one block into left/right (numSamples floats each; both null = no output
    // buffers) and clears the queued events and changes. Returns process's result.
    tresult process(int32 numSamples, float* left, float* right);
    // Runs a block with data the caller set up completely (events and changes are not
    // attached or cleared).
    tresult processRaw(ProcessData& data) { return processor_->process(data); }

    // Component state through a memory stream; setState also hands the same bytes to the
    // controller's setComponentState, as hosts do.
    bool getState(std::vector<uint8_t>& bytes);
    tresult setState(const std::vector<uint8_t>& bytes);

    // Sends a message to the processor as if from the controller (allocated through the
    // host context, which must be released by the caller; null if unsupported).
    IMessage* allocateMessage() const;
    tresult sendToProcessor(IMessage* message);

    // What passed between processor and controller (the host connects them through taps).
    const std::vector<RecordedMessage>& messagesToController() const {
        return toController_->messages();
    }
    const std::vector<RecordedMessage>& messagesToProcessor() const {
        return toProcessor_->messages();
    }
    void clearMessages();
    // As when processor and controller run in different processes: messages between
    // them are recorded but not delivered (no "Processor:openGUI" answer, no address).
    void setMessagesDelivered(bool delivered);

    // The parameter edits the controller reported to the host.
    HostComponentHandler& componentHandler() { return handler_; }

private:
    PluginInstance() = default;

    IHostApplication* host_ = nullptr;
    IComponent* component_ = nullptr;
    IAudioProcessor* processor_ = nullptr;
    IEditController* controller_ = nullptr;
    IConnectionPoint* componentConnection_ = nullptr;
    IConnectionPoint* controllerConnection_ = nullptr;
    std::string processorClassId_;
    bool controllerInitialized_ = false;
    bool active_ = false;
    bool processing_ = false;
    double sampleRate_ = 44100.0;
    int32 maxBlockSize_ = 1024;

    std::unique_ptr<MessageTap> toController_{new MessageTap(nullptr)};
    std::unique_ptr<MessageTap> toProcessor_{new MessageTap(nullptr)};
    HostComponentHandler handler_;
    HostEventList events_;
    HostParameterChanges changes_;
    ProcessContext context_{};
    int64 samplePosition_ = 0;
};

}  // namespace testhost
}  // namespace taluma
