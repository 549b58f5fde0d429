#include "wavetable/wav_file.h"

#include <algorithm>
#include <cstring>

#include "wavetable/file_io.h"

namespace taluma {

namespace {

uint16_t u16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
bool tagIs(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}
void putTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(tag[i]));
}

}  // namespace

RiffRecord parseRiff(const uint8_t* bytes, size_t length) {
    RiffRecord r;
    if (length < 16)
        return r;
    if (!tagIs(bytes, "RIFF") || u32(bytes + 4) != length - 8 || !tagIs(bytes + 8, "WAVE"))
        return r;
    r.file = bytes;
    size_t pos = 12;
    while (pos + 8 <= length) {
        const uint8_t* chunk = bytes + pos;
        const uint32_t size = u32(chunk + 4);
        size_t next = pos + 8 + size;
        if (tagIs(chunk, "fmt ")) {
            // A format chunk cut short by the end of the bytes is not read.
            if (pos + 24 > length)
                break;
            r.formatTag = u16(chunk + 8);
            r.channels = u16(chunk + 10);
            r.sampleRate = u32(chunk + 12);
            r.bytesPerSecond = u32(chunk + 16);
            r.blockAlign = u16(chunk + 20);
            r.bitsPerSample = u16(chunk + 22);
            if (size <= 16)
                next = pos + 24;
        } else if (tagIs(chunk, "data")) {
            // Data before the format, or a format nothing can be counted in, rejects
            // the whole file.
            if (r.formatTag != 1 || r.channels == 0 || r.bitsPerSample < 8)
                return RiffRecord();
            // A chunk claiming more bytes than present is cut to what is there.
            const uint32_t present = uint32_t(std::min<size_t>(size, length - pos - 8));
            r.dataSize = present;
            r.frameCount = present / (r.bitsPerSample / 8u) / r.channels;
            r.data = chunk + 8;
        }
        if (size & 1)
            ++next;
        pos = next;
    }
    return r;
}

bool convertSamples(const RiffRecord& r, uint8_t* dest, int count) {
    if (!r.file || r.formatTag != 1 || r.channels != 1 || !r.data)
        return false;
    const int bytesPerSample = r.bitsPerSample / 8;
    if (r.bitsPerSample % 8 != 0 || bytesPerSample < 1 || bytesPerSample > 4)
        return false;
    const uint32_t available = r.channels * r.frameCount;
    int k = 0;
    for (; k < count && uint32_t(k) < available; ++k) {
        const uint8_t* sample = r.data + size_t(k) * size_t(bytesPerSample);
        dest[k] = bytesPerSample == 1 ? sample[0] : uint8_t(sample[bytesPerSample - 1] + 128);
    }
    for (; k < count; ++k)
        dest[k] = 0;
    return true;
}

std::vector<uint8_t> formatWav(const WaveStore& store, int op) {
    const uint32_t n = uint32_t(store.size(op));
    std::vector<uint8_t> out;
    out.reserve(44 + n);
    putTag(out, "RIFF");
    put32(out, n + 36);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);      // PCM
    put16(out, 1);      // mono
    put32(out, 44100);  // sample rate
    put32(out, 44100);  // bytes per second
    put16(out, 1);      // block align
    put16(out, 8);      // bits per sample
    putTag(out, "data");
    put32(out, n);
    for (uint32_t k = 0; k < n; ++k)
        out.push_back(store.cell(op, int(k)));
    return out;
}

bool exportWav(const WaveStore& store, int op, const std::string& utf8Path) {
    const std::vector<uint8_t> bytes = formatWav(store, op);
    return writeFile(utf8Path, bytes.data(), bytes.size());
}

bool importWav(WaveStore& store, int op, const std::string& utf8Path) {
    std::vector<uint8_t> bytes;
    uint64_t length = 0;
    if (!readFilePrefix(utf8Path, kMaxWavBytes, bytes, length))
        return false;
    const RiffRecord record = parseRiff(bytes.data(), bytes.size());
    uint8_t cells[kTableCells];
    const int n = store.size(op);
    if (record.channels == 1 && convertSamples(record, cells, n)) {
        for (int k = 0; k < n; ++k)
            store.setCell(op, k, cells[k]);
    }
    store.commitTable(op);
    return true;
}

}  // namespace taluma
