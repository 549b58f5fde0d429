#include "lv2/lv2_instance.h"
#include "lv2/host_features.h"

#include "lv2/port_map.h"
#include "vst3/main_vst_controller.h"
#include "vst3/main_vst_processor.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/options/options.h>

#include <algorithm>

namespace taluma::lv2 {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The host's maximum block length, when it gives one as an integer option.
int32_t maxBlockOption(const LV2_Feature* const* features, LV2_URID_Map& map) {
    const auto* options =
        static_cast<const LV2_Options_Option*>(hostFeature(features, LV2_OPTIONS__options));
    const LV2_URID key = map.map(map.handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID intType = map.map(map.handle, LV2_ATOM__Int);
    for (; options && options->key; ++options)
        if (options->key == key && options->type == intType && options->value &&
            options->size == sizeof(int32_t)) {
            const int32_t length = *static_cast<const int32_t*>(options->value);
            if (length > 0)
                return std::min<int32_t>(length, 1 << 16);
        }
    return 4096;
}

}  // namespace

Lv2Instance* Lv2Instance::create(double sampleRate, const LV2_Feature* const* features) {
    try {
        Lv2Instance* instance = new Lv2Instance();
        if (!instance->setUp(sampleRate, features)) {
            delete instance;
            return nullptr;
        }
        return instance;
    } catch (...) {
        return nullptr;  // out of memory
    }
}

bool Lv2Instance::setUp(double sampleRate, const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(hostFeature(features, LV2_URID__map));
    if (!map || !(sampleRate >= 1.0 && sampleRate <= 1.0e7))
        return false;
    map_ = *map;
    midiEvent_ = map_.map(map_.handle, LV2_MIDI__MidiEvent);
    maxBlock_ = maxBlockOption(features, map_);

    host_ = new HostApplication();
    processor_ = new MainVSTProcessor();
    controller_ = new MainVSTController();
    if (processor_->initialize(host_) != kResultOk || controller_->initialize(host_) != kResultOk)
        return false;
    processor_->connect(controller_);
    controller_->connect(processor_);
    ProcessSetup setup{kRealtime, kSample32, maxBlock_, sampleRate};
    if (processor_->setupProcessing(setup) != kResultOk)
        return false;

    for (int32 number = 0; number < 130; ++number) {
        ParamID id = 0;
        if (controller_->getMidiControllerAssignment(0, 0, CtrlNumber(number), id) == kResultOk)
            midiParameter_[number] = id;
    }
    const int ports = controlPortCount();
    controls_.assign(size_t(ports), nullptr);
    applied_.resize(size_t(ports));
    // The ports start where the parameters do: a port at its default changes nothing.
    for (int i = 0; i < ports; ++i)
        applied_[size_t(i)] =
            normalizedFromPort(controlPortRow(i), float(portDefault(controlPortRow(i))));
    return true;
}

Lv2Instance::~Lv2Instance() {
    if (processor_ && controller_) {
        processor_->disconnect(controller_);
        controller_->disconnect(processor_);
    }
    if (controller_) {
        controller_->terminate();
        controller_->release();
    }
    if (processor_) {
        processor_->terminate();
        processor_->release();
    }
    delete static_cast<HostApplication*>(host_);
}

void Lv2Instance::connectPort(uint32_t port, void* data) {
    if (port == kMidiInPort)
        midiIn_ = static_cast<const LV2_Atom_Sequence*>(data);
    else if (port == kLeftOutPort || port == kRightOutPort)
        out_[port - kLeftOutPort] = static_cast<float*>(data);
    else if (port >= kFirstControlPort && port - kFirstControlPort < controls_.size())
        controls_[port - kFirstControlPort] = static_cast<const float*>(data);
}

void Lv2Instance::activate() {
    processor_->setActive(true);
    processor_->setProcessing(true);
}

void Lv2Instance::deactivate() {
    processor_->setProcessing(false);
    processor_->setActive(false);
}

void Lv2Instance::run(uint32_t frames) {
    const bool restored = restorePending_.exchange(false, std::memory_order_acquire);
    if (restored)
        takePortsAsApplied();
    // Hosts may pass longer blocks than they announced: the processor gets pieces.
    uint32_t start = 0;
    do {
        const uint32_t piece = std::min<uint32_t>(frames - start, uint32_t(maxBlock_));
        runPiece(start, piece, start == 0 && !restored, start + piece == frames);
        start += piece;
    } while (start < frames);
}

void Lv2Instance::runPiece(uint32_t start, uint32_t frames, bool readPorts, bool last) {
    events_.clear();
    changes_.clear();
    if (readPorts)
        readChangedPorts();
    readMidi(start, frames, last);

    processBlock(*processor_, int32(frames), out_[0] ? out_[0] + start : nullptr,
                 out_[1] ? out_[1] + start : nullptr, &events_, &changes_);
}

// A control port whose value moved since it was last applied becomes a parameter change
// at the block's first sample, as a host's automation point would.
void Lv2Instance::readChangedPorts() {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (!controls_[i])
            continue;
        const ParameterDescription& row = controlPortRow(int(i));
        const double normalized = normalizedFromPort(row, *controls_[i]);
        if (normalized == applied_[i])
            continue;
        applied_[i] = normalized;
        changes_.addPoint(row.id, 0, normalized);
    }
}

void Lv2Instance::takePortsAsApplied() {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i])
            applied_[i] = normalizedFromPort(controlPortRow(int(i)), *controls_[i]);
}

// Notes, the mapped controllers and pitch bend, as a VST 3 host sends them through the
// controller's MIDI mapping: velocity / 127, controller value / 127, bend / 16383.
void Lv2Instance::readMidi(uint32_t start, uint32_t frames, bool last) {
    if (!midiIn_)
        return;
    LV2_ATOM_SEQUENCE_FOREACH(midiIn_, ev) {
        if (ev->body.type != midiEvent_ || ev->body.size < 1 || ev->time.frames < 0)
            continue;
        // Events belong to the piece they fall in; the last piece takes any stamped late.
        int64_t at = ev->time.frames;
        if (at < int64_t(start) || (at >= int64_t(start) + frames && !last))
            continue;
        at = std::min<int64_t>(at, int64_t(start) + std::max<int64_t>(frames, 1) - 1);
        const auto* bytes = reinterpret_cast<const uint8_t*>(ev + 1);
        const int32 offset = int32(at - int64_t(start));
        const int16_t channel = bytes[0] & 0x0F;
        const uint8_t d1 = ev->body.size > 1 ? bytes[1] & 0x7F : 0;
        const uint8_t d2 = ev->body.size > 2 ? bytes[2] & 0x7F : 0;
        switch (lv2_midi_message_type(bytes)) {
        case LV2_MIDI_MSG_NOTE_ON:
            if (d2 > 0) {
                events_.noteOn(offset, d1, float(d2) / 127.0f, channel);
                break;
            }
            [[fallthrough]];
        case LV2_MIDI_MSG_NOTE_OFF: events_.noteOff(offset, d1, channel); break;
        case LV2_MIDI_MSG_CONTROLLER:
            if (midiParameter_[d1])
                changes_.addPoint(midiParameter_[d1], offset, d2 / 127.0);
            break;
        case LV2_MIDI_MSG_BENDER:
            if (midiParameter_[kPitchBend])
                changes_.addPoint(midiParameter_[kPitchBend], offset, (d1 | d2 << 7) / 16383.0);
            break;
        default: break;
        }
    }
}

std::vector<uint8_t> Lv2Instance::save() {
    MemoryStream stream;
    if (processor_->getState(&stream) != kResultOk)
        return {};
    return std::vector<uint8_t>(stream.getData(), stream.getData() + stream.getSize());
}

}  // namespace taluma::lv2
