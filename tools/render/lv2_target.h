// The LV2 bundle as the render loop drives it: notes, controllers and pitch bend as MIDI
// in the instance's Atom input (the plug-in maps controllers itself), parameter changes
// as the values of their control ports, read by the plug-in once per block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lilv_host.h"
#include "render_loop.h"

namespace taluma::render {

class Lv2Target : public RenderTarget {
public:
    // The instance must take blocks as long as the loop's (its host's maximum).
    explicit Lv2Target(lv2host::Lv2Instance& plugin) : plugin_(plugin) {}
    Delivery deliver(const TimedEvent& event, int32_t offset) override;
    void process(int32_t frames, float* left, float* right) override;

private:
    lv2host::Lv2Instance& plugin_;
};

// Loads saved bytes (a component state, or a preset's record) through the plug-in's
// state interface as the session state they are, as the VST 3 bundle's setState takes
// them. Throws std::runtime_error when the plug-in refuses them.
void restoreLv2State(lv2host::Lv2Instance& plugin, const std::vector<uint8_t>& bytes);

// The bytes the plug-in saves through its state interface (its component state).
std::vector<uint8_t> savedLv2State(lv2host::Lv2Instance& plugin);

// One line per control port of the bundle: index, symbol, range, default, name.
std::string describePorts(lv2host::LilvHost& host);

}  // namespace taluma::render
