#include "render_loop.h"

#include <algorithm>
#include <cmath>

namespace taluma::render {
namespace {

void count(Delivery delivery, RenderReport& report) {
    switch (delivery) {
    case Delivery::Taken: break;
    case Delivery::UnmappedController: ++report.unmappedControllers; break;
    case Delivery::UnmappedParameter: ++report.unmappedParameters; break;
    case Delivery::AtBlockStart: ++report.parametersAtBlockStart; break;
    }
}

void measure(const float* samples, int32_t frames, RenderReport& report) {
    for (int32_t i = 0; i < frames; ++i) {
        if (!std::isfinite(samples[i]))
            ++report.nonFiniteSamples;
        else
            report.peak = std::max(report.peak, std::fabs(samples[i]));
    }
}

}  // namespace

RenderReport renderBlocks(RenderTarget& target, const std::vector<ScheduledEvent>& events,
                          int64_t totalFrames, int32_t blockSize, const BlockSink& sink) {
    RenderReport report;
    std::vector<float> left(static_cast<size_t>(blockSize)), right(left.size());
    const float* channels[2] = {left.data(), right.data()};
    BlockCursor cursor(events);
    for (int64_t start = 0; start < totalFrames; start += blockSize) {
        const int32_t frames =
            static_cast<int32_t>(std::min<int64_t>(blockSize, totalFrames - start));
        const BlockCursor::Range range = cursor.take(start, frames);
        for (size_t i = range.first; i < range.last; ++i)
            count(target.deliver(events[i].event, BlockCursor::offsetIn(events[i], start)), report);
        target.process(frames, left.data(), right.data());
        measure(left.data(), frames, report);
        measure(right.data(), frames, report);
        sink(channels, static_cast<uint32_t>(frames));
        report.frames += frames;
    }
    return report;
}

}  // namespace taluma::render
