// libFuzzer target: the hexadecimal line of wavetable text imports.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/synth_engine.h"
#include "wavetable/wave_store.h"
#include "wavetable/wave_text_file.h"

using namespace taluma;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SynthEngine* engine = [] {
        auto* e = new SynthEngine();
        e->init(44100.0f);
        return e;
    }();
    static WaveStore store(*engine);
    if (size > 0)
        store.resizeTable(0, 2 + data[0] % 6);
    parseWaveText(store, 0, std::string(reinterpret_cast<const char*>(data), size));
    for (int i = store.size(0); i < kTableCells; ++i)
        if (store.cell(0, i) != 0)
            std::abort();
    return 0;
}
