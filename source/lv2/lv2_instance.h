// One LV2 instance of the instrument: the VST 3 bundle's processor and controller from
// the same library, connected in-process as a VST 3 host connects them. `run` turns the
// block's MIDI and control-port changes into the processor's event list and parameter
// changes and calls its `process`; nothing in it allocates, locks or touches a file.
//
// Threads: run on the audio thread; save on any thread beside it (the processor's
// getState never interrupts audio); everything else on the host's instantiation thread,
// or, for the window, on its user-interface thread (it reaches the controller as a VST 3
// host's window does).
#pragma once

#include "vst3/host_events.h"

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace Steinberg {
class FUnknown;
namespace Vst {
class MainVSTProcessor;
class MainVSTController;
class IHostApplication;
}  // namespace Vst
}  // namespace Steinberg

#include <lv2/atom/atom.h>

namespace taluma::lv2 {

class Lv2Instance {
public:
    // Null when the host lacks urid:map or the instrument cannot be set up.
    static Lv2Instance* create(double sampleRate, const LV2_Feature* const* features);
    ~Lv2Instance();
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    void connectPort(uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(uint32_t frames);

    // The state as the VST 3 component saves it (record and extension); empty on failure.
    std::vector<uint8_t> save();
    // Loads saved bytes; `preset` applies the sound only, as a preset loaded in the
    // window does. False, with the instrument unchanged, for bytes it cannot read.
    bool restore(const void* bytes, size_t size, bool preset);

    Steinberg::Vst::MainVSTProcessor& processor() { return *processor_; }
    Steinberg::Vst::MainVSTController& controller() { return *controller_; }
    LV2_URID_Map& map() { return map_; }

private:
    Lv2Instance() = default;
    bool setUp(double sampleRate, const LV2_Feature* const* features);
    // One piece of at most maxBlock_ frames starting at `start` of the host's block; the
    // first reads the control ports, the last also takes MIDI stamped past the block.
    void runPiece(uint32_t start, uint32_t frames, bool readPorts, bool last);
    void readChangedPorts();
    void takePortsAsApplied();
    void readMidi(uint32_t start, uint32_t frames, bool last);

    LV2_URID_Map map_{};
    LV2_URID midiEvent_ = 0;
    Steinberg::Vst::IHostApplication* host_ = nullptr;
    Steinberg::Vst::MainVSTProcessor* processor_ = nullptr;
    Steinberg::Vst::MainVSTController* controller_ = nullptr;
    int32_t maxBlock_ = 4096;
    // The parameter each MIDI controller number (129: pitch bend) drives, 0 for none.
    uint32_t midiParameter_[130] = {};

    const LV2_Atom_Sequence* midiIn_ = nullptr;
    float* out_[2] = {nullptr, nullptr};
    std::vector<const float*> controls_;  // one per control port
    std::vector<double> applied_;         // the normalised value each port last gave
    // A state was restored: the restored values hold, and the ports' values at the next
    // block count as applied (hosts set them from the same saved state); only a port
    // moved after that changes the sound again.
    std::atomic<bool> restorePending_{false};

    // One block's input as the processor reads it, filled without allocating: more notes
    // than this in one block are dropped; every parameter fits (the host lists 43), and
    // a parameter's queue full of points keeps its latest value.
    HostEventList events_{1024};
    HostParameterChanges changes_{64, 256};
};

}  // namespace taluma::lv2
