// libFuzzer target: preset file images as the loader checks and applies them.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "synth/preset_file.h"
#include "synth/state_record.h"
#include "synth/synth.h"

using namespace taluma;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Synth synth(512, 44100.0f);
    const std::vector<uint8_t> before = writeStateRecord(synth);
    const uint8_t* record = presetRecord(data, size);
    if (!record || !readStateRecord(synth, record, kStateRecordSize)) {
        if (writeStateRecord(synth) != before)
            std::abort();  // a refused file changed the instrument
        return 0;
    }
    const WaveStore& store = synth.waves();
    for (int op = 0; op < 2; ++op)
        for (int i = store.size(op); i < kTableCells; ++i)
            if (store.cell(op, i) != 0)
                std::abort();
    const int32_t voices = synth.engine().voiceCount;
    if (voices < 8 || voices > 1024 || (voices & (voices - 1)) != 0)
        std::abort();
    // What was accepted saves as a record that loads back to itself.
    const std::vector<uint8_t> saved = writeStateRecord(synth);
    if (!readStateRecord(synth, saved.data(), saved.size()) || writeStateRecord(synth) != saved)
        std::abort();
    return 0;
}
