// The two editable 8-bit wavetables, their sizes, four storage slots and the drawing
// quantisers, with the operations that change them. After each change the table is
// committed to the engine's wave array, which is what the oscillators read.
//
// Cells are relaxed atomics: the editor's thread edits and draws them while the host
// may save the state from another thread, and voices read the wave arrays meanwhile.
// Each cell is therefore seen either before or after a change, never torn.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/synth_engine.h"

namespace taluma {

constexpr int kTableCells = 128;
constexpr int kSlotCount = 4;

// Kinds of level and scale operations on every used cell.
enum class LevelOp { Up4, Up1, Down1, Down4, Invert, Amplify2, Amplify1_5, Scale2_3, ScaleHalf };

class WaveStore {
public:
    using Cell = std::atomic<uint8_t>;

    // Default contents (a 32-point sine, empty slots), sizes from the engine, both
    // tables committed.
    explicit WaveStore(SynthEngine& engine);

    void commitTable(int op);

    void clear(int op);
    void rotateLeft(int op, int n);
    void rotateRight(int op, int n);
    void reverse(int op);
    void applyLevel(int op, LevelOp kind);
    void reduceBits(int op, int k);  // keeps the top k + 1 bits, k = 0..6
    void copy(int from, int to);
    void exchange();
    // Changes the table's size (log2 2..7); silences every voice. Not for the audio
    // thread's concurrent use: run it where the engine is not rendering.
    void resizeTable(int op, int newLog2);
    void loadSlot(int op, int slot);
    void saveSlot(int op, int slot);
    // Puts back a table as it was: log2 size (2..7) and 128 cells, committed. Like
    // resizeTable, a size change silences every voice and must not meet rendering.
    void setTable(int op, int log2, const uint8_t* cells);
    // Draws level (1..256 as the editor shows it) into cell i; returns the stored level + 1.
    double drawSample(int op, int cell, double level);
    void setStepQuantiser(int op, int bits);

    uint8_t cell(int op, int i) const {
        return table_[op & 1][i & 127].load(std::memory_order_relaxed);
    }
    void setCell(int op, int i, uint8_t v) {
        table_[op & 1][i & 127].store(v, std::memory_order_relaxed);
    }
    uint8_t slotCell(int slot, int i) const {
        return slot_[slot & 3][i & 127].load(std::memory_order_relaxed);
    }
    void setSlotCell(int slot, int i, uint8_t v) {
        slot_[slot & 3][i & 127].store(v, std::memory_order_relaxed);
    }
    int log2Size(int op) const { return log2Size_[op & 1].load(std::memory_order_relaxed); }
    int size(int op) const { return 1 << log2Size(op); }
    int stepBits(int op) const { return stepBits_[op & 1].load(std::memory_order_relaxed); }
    int32_t stepMask(int op) const { return int32_t(0xFFFFFFFFu << (8 - stepBits(op))); }
    uint32_t sampleToWave(uint8_t level) const { return sampleToWave_[level]; }

    std::atomic<bool> linkAB{false};

private:
    int shift(int op) const { return 7 - log2Size(op); }
    void writeWave(int op, int cell, uint8_t v);

    SynthEngine& engine_;
    uint32_t sampleToWave_[256];
    uint8_t scratch_[kTableCells];
    Cell table_[2][kTableCells];
    Cell slot_[kSlotCount][kTableCells];
    std::atomic<int> log2Size_[2];
    std::atomic<int> stepBits_[2];
};

}  // namespace taluma
