// Processors and controllers connected in-process as a host connects them, with state
// streams in memory.
#pragma once

#include "main_vst_controller.h"
#include "main_vst_processor.h"
#include "state_record.h"
#include "synth.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace taluma {
namespace test {

using namespace Steinberg;
using namespace Steinberg::Vst;

// One instrument: processor and controller, initialised and connected.
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

    std::vector<uint8_t> save(tresult expected = kResultOk) {
        auto* stream = new MemoryStream();
        EXPECT_EQ(processor->getState(stream), expected);
        std::vector<uint8_t> bytes(size_t(stream->getSize()));
        if (!bytes.empty())
            std::memcpy(bytes.data(), stream->getData(), bytes.size());
        stream->release();
        return bytes;
    }
    tresult load(const std::vector<uint8_t>& bytes) {
        auto* stream = new MemoryStream();
        int32 written = 0;
        if (!bytes.empty())
            stream->write(const_cast<uint8_t*>(bytes.data()), int32(bytes.size()), &written);
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        const tresult result = processor->setState(stream);
        stream->release();
        return result;
    }
    void start(double rate = 44100.0, int32 maxBlock = 512) {
        ProcessSetup s{kRealtime, kSample32, maxBlock, rate};
        processor->setupProcessing(s);
        processor->setActive(true);
    }

    IHostApplication* host = nullptr;
    MainVSTProcessor* processor = nullptr;
    MainVSTController* controller = nullptr;
    Synth* synth = nullptr;
};

}  // namespace test
}  // namespace taluma
