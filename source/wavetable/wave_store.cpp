#include "wavetable/wave_store.h"

#include <algorithm>
#include <cmath>

#include "engine/log_math.h"

namespace taluma {

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

int32_t clampSample(int32_t d) {
    return std::clamp(d, -128, 127) + 128;
}
}  // namespace

WaveStore::WaveStore(SynthEngine& engine) : engine_(engine), scratch_() {
    for (int b = 0; b < 256; ++b)
        sampleToWave_[b] = uint32_t(logEncodeSingle(float(b - 128) / 128.0f));
    const double twoPi = 6.28318530717958647692;
    for (int op = 0; op < 2; ++op) {
        stepBits_[op].store(8, kRelaxed);
        log2Size_[op].store(engine.waveLog2Size[op], kRelaxed);
        for (int i = 0; i < kTableCells; ++i) {
            // round() rounds halves away from zero.
            const int32_t level =
                i < 32 ? int32_t(std::round(std::sin(twoPi * i / 32.0) * 127.0)) : -128;
            table_[op][i].store(uint8_t(i < 32 ? clampSample(level) : 0), kRelaxed);
        }
    }
    for (auto& slot : slot_)
        for (Cell& c : slot)
            c.store(0x80, kRelaxed);
    commitTable(0);
    commitTable(1);
}

void WaveStore::writeWave(int op, int k, uint8_t v) {
    engine_.waveLog[op][(k << shift(op)) & 127].store(sampleToWave_[v], kRelaxed);
}

void WaveStore::commitTable(int op) {
    const int n = size(op);
    for (int k = 0; k < n; ++k)
        writeWave(op, k, cell(op, k));
    for (int k = n; k < kTableCells; ++k)
        setCell(op, k, 0);
}

void WaveStore::clear(int op) {
    for (int i = 0; i < kTableCells; ++i)
        setCell(op, i, 0);
    commitTable(op);
}

void WaveStore::rotateLeft(int op, int n) {
    const int mask = size(op) - 1;
    for (int j = 0; j <= mask; ++j)
        scratch_[j] = cell(op, (j + n) & mask);
    for (int j = 0; j <= mask; ++j)
        setCell(op, j, scratch_[j]);
    commitTable(op);
}

void WaveStore::rotateRight(int op, int n) {
    rotateLeft(op, -n);
}

void WaveStore::reverse(int op) {
    const int n = size(op);
    for (int i = 0; i < n / 2; ++i) {
        const uint8_t a = cell(op, i);
        setCell(op, i, cell(op, n - 1 - i));
        setCell(op, n - 1 - i, a);
    }
    commitTable(op);
}

void WaveStore::applyLevel(int op, LevelOp kind) {
    const int n = size(op);
    for (int i = 0; i < n; ++i) {
        const int32_t s = cell(op, i);
        const int32_t d = s - 128;
        int32_t r = s;
        switch (kind) {
        case LevelOp::Up4: r = std::min(s + 4, 255); break;
        case LevelOp::Up1: r = std::min(s + 1, 255); break;
        case LevelOp::Down1: r = std::max(s - 1, 0); break;
        case LevelOp::Down4: r = std::max(s - 4, 0); break;
        case LevelOp::Invert: r = 255 - s; break;
        case LevelOp::Amplify2: r = clampSample(2 * d); break;
        case LevelOp::Amplify1_5: r = clampSample((d * 3) >> 1); break;
        case LevelOp::Scale2_3: r = clampSample((2 * d) / 3); break;
        case LevelOp::ScaleHalf: r = clampSample(d >> 1); break;
        }
        setCell(op, i, uint8_t(r));
    }
    commitTable(op);
}

void WaveStore::reduceBits(int op, int k) {
    const uint8_t mask = uint8_t((0xFF << (7 - std::clamp(k, 0, 6))) & 0xFF);
    for (int i = 0; i < size(op); ++i)
        setCell(op, i, cell(op, i) & mask);
    commitTable(op);
}

void WaveStore::copy(int from, int to) {
    const int shFrom = shift(from), shTo = shift(to);
    for (int i = 0; i < kTableCells; ++i)
        setCell(to, i >> shTo, cell(from, i >> shFrom));
    commitTable(to);
}

void WaveStore::exchange() {
    const int shA = shift(0), shB = shift(1);
    for (int i = 0; i < kTableCells; ++i)
        scratch_[i] = cell(0, i >> shA);
    for (int i = 0; i < kTableCells; ++i)
        setCell(0, i >> shA, cell(1, i >> shB));
    for (int i = 0; i < kTableCells; ++i)
        setCell(1, i >> shB, scratch_[i]);
    commitTable(0);
    commitTable(1);
}

void WaveStore::resizeTable(int op, int newLog2) {
    newLog2 = std::clamp(newLog2, 2, 7);
    if (newLog2 == log2Size(op))
        return;
    const int shOld = shift(op), shNew = 7 - newLog2;
    for (int i = 0; i < kTableCells; ++i)
        scratch_[i] = cell(op, i >> shOld);
    for (int i = 0; i < kTableCells; ++i)
        setCell(op, i >> shNew, scratch_[i]);
    engine_.setWaveSize(op, newLog2);  // silences every voice before the masks change
    log2Size_[op].store(newLog2, kRelaxed);
    commitTable(op);
}

void WaveStore::setTable(int op, int log2, const uint8_t* cells) {
    op &= 1;
    log2 = std::clamp(log2, 2, 7);
    for (int i = 0; i < kTableCells; ++i)
        setCell(op, i, cells[i]);
    if (log2 != log2Size(op)) {
        engine_.setWaveSize(op, log2);
        log2Size_[op].store(log2, kRelaxed);
    }
    commitTable(op);
}

void WaveStore::loadSlot(int op, int s) {
    const int sh = shift(op);
    for (int k = 0; k < size(op); ++k)
        setCell(op, k, slotCell(s, k << sh));
    commitTable(op);
}

void WaveStore::saveSlot(int op, int s) {
    const int sh = shift(op);
    for (int i = 0; i < kTableCells; ++i)
        setSlotCell(s, i, cell(op, i >> sh));
}

double WaveStore::drawSample(int op, int i, double level) {
    op &= 1;
    int32_t v =
        std::isfinite(level) ? int32_t(std::clamp(std::trunc(level + 0.5) - 1.0, 0.0, 255.0)) : 0;
    v &= stepMask(op);
    // Cells beyond the table's size are not played; writing them would break the
    // promise that unused cells read 0, so such a request only reports the level.
    if (i < 0 || i >= size(op))
        return v + 1;
    setCell(op, i, uint8_t(v));
    writeWave(op, i, uint8_t(v));
    if (linkAB.load(kRelaxed)) {
        const int o = op ^ 1;
        const int count = std::max(size(o) / size(op), 1);
        int j = (i << shift(op)) >> shift(o);
        for (int c = 0; c < count && j < size(o); ++c, ++j) {
            setCell(o, j, uint8_t(v));
            writeWave(o, j, uint8_t(v));
        }
    }
    return v + 1;
}

void WaveStore::setStepQuantiser(int op, int bits) {
    stepBits_[op & 1].store(std::clamp(bits, 1, 8), kRelaxed);
}

}  // namespace taluma
