// libFuzzer target: the RIFF chunk walk and the sample conversion of WAV imports.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "wavetable/wav_file.h"

using namespace taluma;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RiffRecord r = parseRiff(data, size);
    if (r.data && (r.data < data + 12 || r.data + r.dataSize > data + size || r.channels == 0 ||
                   uint64_t(r.frameCount) * r.channels * (r.bitsPerSample / 8) > r.dataSize))
        std::abort();
    uint8_t cells[kTableCells + 1];
    cells[kTableCells] = 0x5A;
    const int count = size ? data[0] % (kTableCells + 1) : kTableCells;
    convertSamples(r, cells, count);
    if (cells[kTableCells] != 0x5A)
        std::abort();
    return 0;
}
