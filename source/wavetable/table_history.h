// The undo histories of the two wavetables, one per table, so that undoing in one
// table never changes the other. A change made from the editor or by a file import (a
// whole painting stroke, a button, a menu command, a generator apply, an import) is a
// step in the history of each table it changed: a linked stroke or an exchange of A
// and B makes a step in both, which each table then undoes on its own. A step holds
// its table as it stood before and after; undo writes the "before" image back, redo
// the "after" one, with its exact size and bytes. Steps that change nothing are not
// kept.
//
// The history lives as long as the plug-in instance; a loaded state clears it. It is
// not thread-safe: a Synth::Edit guards it, and the audio thread never uses it.
// The two counts are atomics, so the editor may read them to enable its menu entries.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "wavetable/wave_store.h"

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
// Whether writing table op's image back changes its size; such a restore must run
// where the engine is not rendering (it silences the voices).
bool restoreResizes(const WaveStore& store, int op, const TableImage& image);
// Writes the image back into table op, size included, and commits it.
void restoreTable(WaveStore& store, int op, const TableImage& image);

struct TableStep {
    TableImage before;
    TableImage after;
};

class TableHistory {
public:
    static constexpr size_t kDepth = 256;

    // Remembers the tables before a change. A step already open stays open, so that
    // the commands of one painting stroke make one step.
    void open(const WaveStore& store);
    bool isOpen() const { return open_; }
    // Ends the open step: each table it changed keeps a step, which drops the steps
    // undone in that table. Nothing happens when no step is open.
    void close(const WaveStore& store);

    // Table op's step to take back (undo) or to replay (redo), moved to its other list;
    // null when there is none. Valid until the history changes again.
    const TableStep* undo(int op);
    const TableStep* redo(int op);

    // Forgets every step of both tables, an open one included.
    void clear();

    size_t undoCount(int op) const { return counts_[op & 1].undo.load(std::memory_order_relaxed); }
    size_t redoCount(int op) const { return counts_[op & 1].redo.load(std::memory_order_relaxed); }

private:
    struct Steps {
        std::deque<TableStep> undo;
        std::deque<TableStep> redo;
    };
    struct Counts {
        std::atomic<size_t> undo{0};
        std::atomic<size_t> redo{0};
    };
    void publishCounts();
    static const TableStep* move(std::deque<TableStep>& from, std::deque<TableStep>& to);

    Steps steps_[2];
    Counts counts_[2];
    TablesImage pending_;
    bool open_ = false;
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
