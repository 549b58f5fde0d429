#include "scenario.h"

#include "plugin_instance.h"

#include "engine/engine_event.h"
#include "vst3/parameter_table.h"

namespace taluma {
namespace testhost {

bool renderScenario(Module& module, std::vector<float>& interleaved, std::string& error) {
    auto plugin = PluginInstance::create(module, error);
    if (!plugin)
        return false;
    constexpr int32 kMaxBlock = 512;
    if (!plugin->start(48000.0, kMaxBlock)) {
        error = "the processor refused 48 kHz with blocks of 512";
        return false;
    }

    // Block sizes cycle through odd and even lengths so that block edges fall
    // everywhere relative to events.
    const int32 blockSizes[] = {512, 100, 37, 512, 1, 256, 333};
    const int16 chord[] = {48, 55, 60, 64, 67, 71, 74};
    std::vector<float> left(kMaxBlock), right(kMaxBlock);
    int32 block = 0;
    for (int64 done = 0; done < 96000; ++block) {
        const int32 n = blockSizes[block % 7];
        if (block % 10 == 0)
            for (int i = 0; i < 3; ++i)
                plugin->noteOn(i * 5 % n, chord[(block / 10 + i) % 7], 0.3f + 0.2f * float(i));
        if (block % 10 == 6)
            for (int i = 0; i < 3; ++i)
                plugin->noteOff(0, chord[(block / 10 + i) % 7]);
        // Automation: algorithm, operator levels, LFO, pitch bend, mod wheel, bit depth.
        plugin->parameterChange(eventid::kAlgorithm, n / 2, double(block / 13 % 4) / 3.0);
        plugin->parameterChange(eventid::operatorParam(0, eventid::kTotalLevel), 0,
                                0.1 + 0.05 * double(block % 5));
        plugin->parameterChange(eventid::kLfoWave, 0, double(block / 17 % 4) / 3.0);
        plugin->parameterChange(eventid::kLfoFreq, 0, 0.2);
        plugin->parameterChange(eventid::operatorParam(0, eventid::kPms), 0, 0.7);
        plugin->parameterChange(eventid::kModWheel, n - 1, double(block % 11) / 10.0);
        plugin->parameterChange(eventid::kPitchBend, 0, 0.5 + 0.3 * double((block % 9) - 4) / 4.0);
        plugin->parameterChange(eventid::kBitDepth, 0, block % 23 == 5 ? 0.4 : 1.0);
        if (block % 31 == 30)
            plugin->parameterChange(kBypassId, 0, 1.0);
        if (block % 31 == 0)
            plugin->parameterChange(kBypassId, 0, 0.0);

        if (plugin->process(n, left.data(), right.data()) != kResultOk) {
            error = "process failed";
            return false;
        }
        for (int32 i = 0; i < n; ++i) {
            interleaved.push_back(left[size_t(i)]);
            interleaved.push_back(right[size_t(i)]);
        }
        done += n;
    }
    return true;
}

}  // namespace testhost
}  // namespace taluma
