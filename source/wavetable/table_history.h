// The undo history of the two wavetables. Each step holds both tables as they stood
// before and after one change made from the editor or by a file import (a whole
// painting stroke, a button, a menu command, a generator apply, an import); undo
// writes the "before" images back, redo the "after" ones, each with its exact size
// and bytes. Steps that change nothing are not kept.
//
// The history lives as long as the plug-in instance; a loaded state clears it. It is
// not thread-safe: a Synth::Edit guards it, and the audio thread never uses it.
// The two counts are atomics, so the editor may read them to enable its menu entries.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "wave_store.h"

namespace taluma {

// One table as it stands: its log2 size and all 128 cells (those beyond the size
// read 0 after every commit).
struct TableImage {
    int32_t log2Size = 0;
    uint8_t cells[kTableCells] = {};
};

// Both tables, A then B.
struct TablesImage {
    TableImage table[2];
};

TablesImage captureTables(const WaveStore& store);
bool sameTable(const TableImage& a, const TableImage& b);
// Whether writing the tables of `mask` (bit 0 A, bit 1 B) back changes a size; such a
// restore must run where the engine is not rendering (it silences the voices).
bool restoreResizes(const WaveStore& store, const TablesImage& image, uint32_t mask);
// Writes the tables of `mask` back into the store, sizes included, and commits them.
void restoreTables(WaveStore& store, const TablesImage& image, uint32_t mask);

struct TableStep {
    uint32_t changed = 0;  // bit 0: table A, bit 1: table B
    TablesImage before;
    TablesImage after;
};

class TableHistory {
public:
    static constexpr size_t kDepth = 256;

    // Remembers the tables before a change. A step already open stays open, so that
    // the commands of one painting stroke make one step.
    void open(const WaveStore& store);
    bool isOpen() const { return open_; }
    // Ends the open step; it is kept when a table changed, and a kept step drops
    // the steps that were undone. Nothing happens when no step is open.
    void close(const WaveStore& store);

    // The step to take back (undo) or to replay (redo), moved to the other list; null
    // when there is none. Valid until the history changes again.
    const TableStep* undo();
    const TableStep* redo();

    // Forgets every step, an open one included.
    void clear();

    size_t undoCount() const { return undoCount_.load(std::memory_order_relaxed); }
    size_t redoCount() const { return redoCount_.load(std::memory_order_relaxed); }

private:
    void publishCounts();

    std::deque<TableStep> undo_;
    std::deque<TableStep> redo_;
    TablesImage pending_;
    bool open_ = false;
    std::atomic<size_t> undoCount_{0};
    std::atomic<size_t> redoCount_{0};
};

// One recorded change: the tables before construction and after destruction make one
// step (a stroke left open is ended first). Hold a Synth::Edit for its lifetime.
class RecordedTableChange {
public:
    RecordedTableChange(TableHistory& history, const WaveStore& store)
        : history_(history), store_(store) {
        history_.close(store_);
        history_.open(store_);
    }
    ~RecordedTableChange() { history_.close(store_); }
    RecordedTableChange(const RecordedTableChange&) = delete;
    RecordedTableChange& operator=(const RecordedTableChange&) = delete;

private:
    TableHistory& history_;
    const WaveStore& store_;
};

}  // namespace taluma
