// An in-process MainVSTProcessor with a host context, for tests that look inside the
// Synth object after a block.
#pragma once

#include "host_events.h"
#include "main_vst_processor.h"
#include "synth.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace taluma {
namespace test {

using namespace Steinberg;
using namespace Steinberg::Vst;

class ProcessorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        host = new HostApplication();
        processor = new MainVSTProcessor();
        ASSERT_EQ(processor->initialize(host), kResultOk);
        synth = processor->synth();
        ASSERT_NE(synth, nullptr);
    }
    void TearDown() override {
        processor->setActive(false);
        processor->terminate();
        processor->release();
        host->release();
    }

    void setup(double rate, int32 maxBlock) {
        ProcessSetup s{kRealtime, kSample32, maxBlock, rate};
        ASSERT_EQ(processor->setupProcessing(s), kResultOk);
    }
    void start(double rate = 44100.0, int32 maxBlock = 512) {
        setup(rate, maxBlock);
        ASSERT_EQ(processor->setActive(true), kResultOk);
    }
    void noteOn(int32 offset, int16 pitch, float velocity) {
        Event e{};
        e.type = Event::kNoteOnEvent;
        e.sampleOffset = offset;
        e.noteOn.pitch = pitch;
        e.noteOn.velocity = velocity;
        events.add(e);
    }
    void noteOff(int32 offset, int16 pitch) {
        Event e{};
        e.type = Event::kNoteOffEvent;
        e.sampleOffset = offset;
        e.noteOff.pitch = pitch;
        events.add(e);
    }
    void change(ParamID id, int32 offset, double value) {
        int32 index = 0;
        changes.addQueue(id)->addPoint(offset, value, index);
    }
    // One block into `left`/`right` (resized to n); events and changes are consumed.
    tresult run(int32 n) {
        left.assign(size_t(n > 0 ? n : 1), 7.0f);
        right.assign(size_t(n > 0 ? n : 1), 7.0f);
        float* channels[2] = {left.data(), right.data()};
        AudioBusBuffers out;
        out.numChannels = 2;
        out.channelBuffers32 = channels;
        ProcessData data;
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numSamples = n;
        data.numOutputs = 1;
        data.outputs = &out;
        data.inputEvents = &events;
        data.inputParameterChanges = &changes;
        tresult result = processor->process(data);
        events.clear();
        changes.clear();
        return result;
    }
    double energy() const {
        double sum = 0.0;
        for (size_t i = 0; i < left.size(); ++i)
            sum += double(left[i]) * left[i] + double(right[i]) * right[i];
        return sum;
    }

    IHostApplication* host = nullptr;
    MainVSTProcessor* processor = nullptr;
    Synth* synth = nullptr;
    testhost::HostEventList events;
    testhost::HostParameterChanges changes;
    std::vector<float> left, right;
};

}  // namespace test
}  // namespace taluma
