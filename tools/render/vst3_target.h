// The VST 3 bundle as the render loop drives it: events through the test host's
// instance, controllers and pitch bend through the controller's MIDI mapping, as a DAW
// sends them.
#pragma once

#include <string>

#include "plugin_instance.h"
#include "render_loop.h"

namespace taluma::render {

class Vst3Target : public RenderTarget {
public:
    // The instance must be started with a maximum block size of at least the loop's.
    explicit Vst3Target(testhost::PluginInstance& plugin) : plugin_(plugin) {}
    Delivery deliver(const TimedEvent& event, int32_t offset) override;
    void process(int32_t frames, float* left, float* right) override;

private:
    testhost::PluginInstance& plugin_;
};

// One line per parameter the controller publishes: id, title, steps, default, flags.
std::string describeParameters(testhost::PluginInstance& plugin);

}  // namespace taluma::render
