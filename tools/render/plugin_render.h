// Drives a loaded plug-in instance through a schedule of events, block by block, and
// streams its stereo output into a WAV writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "block_schedule.h"
#include "plugin_instance.h"
#include "wav_writer.h"

namespace taluma::render {

struct RenderReport {
    int64_t frames = 0;
    float peak = 0;                   // largest absolute sample
    int64_t nonFiniteSamples = 0;     // NaN or infinity from the plug-in
    int64_t unmappedControllers = 0;  // controller events the plug-in does not map
};

// Renders `totalFrames` frames in blocks of at most `blockSize`. The instance must be
// started with a maximum block size of at least `blockSize`. Controllers and pitch bend
// go through the controller's MIDI mapping, as a DAW sends them.
RenderReport renderThroughPlugin(testhost::PluginInstance& plugin,
                                 const std::vector<ScheduledEvent>& events, int64_t totalFrames,
                                 int32_t blockSize, WavWriter& writer);

// One line per parameter the controller publishes: id, title, steps, default, flags.
std::string describeParameters(testhost::PluginInstance& plugin);

}  // namespace taluma::render
