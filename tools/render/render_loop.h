// The render loop every plug-in format shares: the schedule's events handed to the
// plug-in block by block, each block processed and passed on, the output measured. A
// format only says how an event reaches its plug-in and how a block is processed.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "block_schedule.h"

namespace taluma::render {

// How a plug-in took an event.
enum class Delivery {
    Taken,
    UnmappedController,  // a controller or pitch bend the plug-in maps to no parameter
    UnmappedParameter,   // a parameter id the format cannot address
    AtBlockStart,        // a parameter change that takes effect at its block's first sample
};

// A loaded, started plug-in as the loop drives it.
class RenderTarget {
public:
    virtual ~RenderTarget() = default;
    // Queues the event at `offset` into the next block.
    virtual Delivery deliver(const TimedEvent& event, int32_t offset) = 0;
    // Processes the next block of `frames` frames into left and right. Throws
    // std::runtime_error when the plug-in cannot be driven.
    virtual void process(int32_t frames, float* left, float* right) = 0;
};

struct RenderReport {
    int64_t frames = 0;
    float peak = 0;                      // largest absolute sample
    int64_t nonFiniteSamples = 0;        // NaN or infinity from the plug-in
    int64_t unmappedControllers = 0;     // controller events the plug-in does not map
    int64_t unmappedParameters = 0;      // parameter changes the plug-in cannot take
    int64_t parametersAtBlockStart = 0;  // parameter changes moved to their block's start
};

// Receives each processed block: two channels of `frames` samples.
using BlockSink = std::function<void(const float* const* channels, uint32_t frames)>;

// Renders `totalFrames` frames in blocks of at most `blockSize`; the target must take
// blocks that long.
RenderReport renderBlocks(RenderTarget& target, const std::vector<ScheduledEvent>& events,
                          int64_t totalFrames, int32_t blockSize, const BlockSink& sink);

}  // namespace taluma::render
