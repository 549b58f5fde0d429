#include "table_history.h"

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

bool restoreResizes(const WaveStore& store, const TablesImage& image, uint32_t mask) {
    for (int op = 0; op < 2; ++op)
        if ((mask >> op & 1) && image.table[op].log2Size != store.log2Size(op))
            return true;
    return false;
}

void restoreTables(WaveStore& store, const TablesImage& image, uint32_t mask) {
    for (int op = 0; op < 2; ++op)
        if (mask >> op & 1)
            store.setTable(op, image.table[op].log2Size, image.table[op].cells);
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
    TableStep step;
    step.before = pending_;
    step.after = captureTables(store);
    for (int op = 0; op < 2; ++op)
        if (!sameTable(step.before.table[op], step.after.table[op]))
            step.changed |= 1u << op;
    if (step.changed == 0)
        return;
    undo_.push_back(step);
    if (undo_.size() > kDepth)
        undo_.pop_front();
    redo_.clear();
    publishCounts();
}

const TableStep* TableHistory::undo() {
    if (undo_.empty())
        return nullptr;
    redo_.push_back(undo_.back());
    undo_.pop_back();
    publishCounts();
    return &redo_.back();
}

const TableStep* TableHistory::redo() {
    if (redo_.empty())
        return nullptr;
    undo_.push_back(redo_.back());
    redo_.pop_back();
    publishCounts();
    return &undo_.back();
}

void TableHistory::clear() {
    undo_.clear();
    redo_.clear();
    open_ = false;
    publishCounts();
}

void TableHistory::publishCounts() {
    undoCount_.store(undo_.size(), std::memory_order_relaxed);
    redoCount_.store(redo_.size(), std::memory_order_relaxed);
}

}  // namespace taluma
