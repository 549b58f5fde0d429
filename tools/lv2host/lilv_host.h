// A small LV2 host on liblilv for taluma-render and the LV2 tests: loads a bundle, runs
// an instance of the instrument block by block with MIDI forged into its Atom input, reads
// and sets its ports, saves and restores its state (through lilv, with port values, or as
// the plug-in's raw bytes through its state interface).
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace taluma::lv2host {

class LilvHost {
public:
    // The bundle at `bundleDir` (a folder path); instances take blocks of up to `maxBlock`.
    explicit LilvHost(const std::string& bundleDir, int32_t maxBlock = 4096);
    ~LilvHost();
    LilvWorld* world() const { return world_; }
    const LilvPlugin* plugin() const { return plugin_; }  // null when the bundle lacks it
    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &map_; }
    const LV2_Feature* const* features() const { return features_; }
    // The presets the bundle lists for the plug-in, by label.
    std::map<std::string, const LilvNode*> presets() const;

private:
    LilvWorld* world_ = nullptr;
    const LilvPlugin* plugin_ = nullptr;
    LilvNodes* related_ = nullptr;
    std::map<std::string, LV2_URID> ids_;
    std::vector<std::string> uris_;
    LV2_URID_Map map_{};
    LV2_URID_Unmap unmap_{};
    int32_t maxBlock_;
    LV2_Options_Option options_[2] = {};
    LV2_Feature mapFeature_{}, unmapFeature_{}, optionsFeature_{};
    const LV2_Feature* features_[4] = {};
};

class Lv2Instance {
public:
    Lv2Instance(LilvHost& host, double sampleRate);
    ~Lv2Instance();
    bool valid() const { return instance_ != nullptr; }
    LilvInstance* instance() const { return instance_; }

    // MIDI for the next block, at frame offsets into it; false when the block's buffer
    // is full and the message was left out.
    bool midi(uint32_t frame, uint8_t status, uint8_t d1, uint8_t d2);
    bool hasPort(const std::string& symbol) const { return indices_.count(symbol) > 0; }
    void setPort(const std::string& symbol, float value);
    float port(const std::string& symbol) const;
    // One block into left/right (frames floats each), then the MIDI is cleared. A block
    // of no frames (null buffers) lets the plug-in take up a restored state at once.
    void run(uint32_t frames, float* left, float* right);

    // Through lilv: the instance's state with every control port's value.
    LilvState* saveState();
    // Restores the state and sets the ports it holds, as hosts do.
    void restoreState(const LilvState* state);
    // The plug-in's own state interface: the bytes under its keys (none without the
    // interface); restore returns the interface's status.
    std::vector<uint8_t> stateBytes();
    int restoreBytes(const std::vector<uint8_t>& bytes, const char* key);

private:
    void clearMidi();

    LilvHost& host_;
    LilvInstance* instance_ = nullptr;
    std::map<std::string, uint32_t> indices_;
    std::vector<float> controls_;  // by port index
    alignas(8) uint8_t sequence_[65536];
    LV2_Atom_Forge forge_{};
    LV2_Atom_Forge_Frame frame_{};
};

}  // namespace taluma::lv2host
