#include "wavetable/wave_text_file.h"

#include <vector>

#include "wavetable/file_io.h"

namespace taluma {

namespace {

// Only upper-case digits count: a lower-case pair is not a sample.
int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A text table is at most 128 pairs and spaces; anything longer is not read past this.
constexpr size_t kMaxTextBytes = 1 << 20;

}  // namespace

std::string formatWaveText(const WaveStore& store, int op) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (int k = 0; k < store.size(op); ++k) {
        if (k > 0)
            out += ' ';
        const uint8_t v = store.cell(op, k);
        out += digits[v >> 4];
        out += digits[v & 15];
    }
    return out;
}

void parseWaveText(WaveStore& store, int op, const std::string& text) {
    if (text.empty())
        return;
    const std::string line = text.substr(0, text.find('\n'));
    const int n = store.size(op);
    int cell = 0;
    for (size_t i = 0; i + 1 < line.size() && cell < n;) {
        const int hi = hexValue(line[i]), lo = hexValue(line[i + 1]);
        if (hi >= 0 && lo >= 0) {
            store.setCell(op, cell++, uint8_t(hi * 16 + lo));
            i += 2;
        } else {
            ++i;
        }
    }
    for (; cell < n; ++cell)
        store.setCell(op, cell, 0);
    store.commitTable(op);
}

bool exportWaveText(const WaveStore& store, int op, const std::string& utf8Path) {
    const std::string text = formatWaveText(store, op);
    return writeFile(utf8Path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

bool importWaveText(WaveStore& store, int op, const std::string& utf8Path) {
    std::vector<uint8_t> bytes;
    uint64_t length = 0;
    if (!readFilePrefix(utf8Path, kMaxTextBytes, bytes, length))
        return false;
    parseWaveText(store, op, std::string(bytes.begin(), bytes.end()));
    return true;
}

}  // namespace taluma
