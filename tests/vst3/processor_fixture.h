// One instrument in-process: processor and controller initialised and connected as a
// host connects them, state streams in memory, blocks played into buffers. Tests look
// inside the Synth object after each step.
#pragma once

#include "vst3/main_vst_controller.h"
#include "vst3/main_vst_processor.h"
#include "plugin_instance.h"
#include "synth/state_record.h"
#include "synth/synth.h"

#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <vector>

namespace taluma::test {

using namespace Steinberg;
using namespace Steinberg::Vst;

class Instance {
public:
    Instance() {
        host = new HostApplication();
        processor = new MainVSTProcessor();
        controller = new MainVSTController();
        processor->initialize(host);
        controller->initialize(host);
        processor->connect(controller);
        controller->connect(processor);
        synth = processor->synth();
    }
    ~Instance() {
        processor->disconnect(controller);
        controller->disconnect(processor);
        processor->setActive(false);
        controller->terminate();
        processor->terminate();
        controller->release();
        processor->release();
        host->release();
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    std::vector<uint8_t> save() {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(testhost::componentState(*processor, bytes));
        return bytes;
    }
    tresult load(const std::vector<uint8_t>& bytes) {
        return testhost::loadComponentState(*processor, bytes);
    }

    void setup(double rate, int32 maxBlock) {
        ProcessSetup s{kRealtime, kSample32, maxBlock, rate};
        EXPECT_EQ(processor->setupProcessing(s), kResultOk);
    }
    void start(double rate = 44100.0, int32 maxBlock = 512) {
        setup(rate, maxBlock);
        EXPECT_EQ(processor->setActive(true), kResultOk);
    }
    // One block into `left`/`right` (resized to n); events and changes are consumed.
    tresult run(int32 n) {
        left.assign(size_t(n > 0 ? n : 1), 7.0f);
        right.assign(size_t(n > 0 ? n : 1), 7.0f);
        const tresult result =
            processBlock(*processor, n, left.data(), right.data(), &events, &changes);
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
    MainVSTController* controller = nullptr;
    Synth* synth = nullptr;
    HostEventList events;
    HostParameterChanges changes;
    std::vector<float> left, right;
};

class ProcessorFixture : public ::testing::Test, public Instance {};

}  // namespace taluma::test
