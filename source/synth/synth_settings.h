// The user's display settings kept in the Synth and saved with the state. Relaxed
// atomics: the editor reads them while another host thread may load a state.
#pragma once

#include <atomic>
#include <cstdint>

namespace taluma {

struct SynthSettings {
    std::atomic<int32_t> skin{0};            // 0 "TALUMA", 1 "CINDRA"
    std::atomic<int32_t> frameRateIndex{2};  // 24, 25, 30, 50, 60 frames per second
    std::atomic<int32_t> numberRadix{0};     // 0 decimal, 1 hexadecimal
    std::atomic<int32_t> waveOpacity{85};    // percent
    std::atomic<int32_t> gridOpacity{30};    // percent
    std::atomic<int32_t> page{1};            // 1 logic, 2 wave generator, 3 settings
};

}  // namespace taluma
