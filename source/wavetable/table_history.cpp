#include "wavetable/table_history.h"

#include <cstring>

namespace taluma {

TablesImage captureTables(const WaveStore& store) {
    TablesImage image;
    for (int op = 0; op < 2; ++op) {
        image.table[op].log2Size = store.log2Size(op);
        for (int i = 0; i < kTableCells; ++i)
            image.table[op].cells[i] = store.cell(op, i);
    }
    return image;
}

bool sameTable(const TableImage& a, const TableImage& b) {
    return a.log2Size == b.log2Size && std::memcmp(a.cells, b.cells, sizeof(a.cells)) == 0;
}

bool restoreResizes(const WaveStore& store, int op, const TableImage& image) {
    return image.log2Size != store.log2Size(op);
}

void restoreTable(WaveStore& store, int op, const TableImage& image) {
    store.setTable(op, image.log2Size, image.cells);
}

void TableHistory::open(const WaveStore& store) {
    if (open_)
        return;
    pending_ = captureTables(store);
    open_ = true;
}

void TableHistory::close(const WaveStore& store) {
    if (!open_)
        return;
    open_ = false;
    const TablesImage after = captureTables(store);
    for (int op = 0; op < 2; ++op) {
        if (sameTable(pending_.table[op], after.table[op]))
            continue;
        Steps& steps = steps_[op];
        steps.undo.push_back({pending_.table[op], after.table[op]});
        if (steps.undo.size() > kDepth)
            steps.undo.pop_front();
        steps.redo.clear();
    }
    publishCounts();
}

const TableStep* TableHistory::move(std::deque<TableStep>& from, std::deque<TableStep>& to) {
    if (from.empty())
        return nullptr;
    to.push_back(from.back());
    from.pop_back();
    return &to.back();
}

const TableStep* TableHistory::undo(int op) {
    const TableStep* step = move(steps_[op & 1].undo, steps_[op & 1].redo);
    publishCounts();
    return step;
}

const TableStep* TableHistory::redo(int op) {
    const TableStep* step = move(steps_[op & 1].redo, steps_[op & 1].undo);
    publishCounts();
    return step;
}

void TableHistory::clear() {
    for (Steps& steps : steps_) {
        steps.undo.clear();
        steps.redo.clear();
    }
    open_ = false;
    publishCounts();
}

void TableHistory::publishCounts() {
    for (int op = 0; op < 2; ++op) {
        counts_[op].undo.store(steps_[op].undo.size(), std::memory_order_relaxed);
        counts_[op].redo.store(steps_[op].redo.size(), std::memory_order_relaxed);
    }
}

}  // namespace taluma
