// The wavetables' undo history: steps, strokes, depth, and exact restores.
#include "store_fixture.h"
#include "table_history.h"

#include <functional>

namespace taluma::test {
namespace {

class HistoryTest : public StoreTest {
protected:
    void change(const std::function<void()>& edit) {
        RecordedTableChange recorded(history, *store);
        edit();
    }
    // Takes one step back or forward as the dispatch does; false when there is none.
    bool undo() { return restore(history.undo(), true); }
    bool redo() { return restore(history.redo(), false); }
    bool restore(const TableStep* step, bool before) {
        if (!step)
            return false;
        restoreTables(*store, before ? step->before : step->after, step->changed);
        return true;
    }
    void expectTables(const TablesImage& expected) {
        const TablesImage now = captureTables(*store);
        for (int op = 0; op < 2; ++op) {
            EXPECT_TRUE(sameTable(now.table[op], expected.table[op])) << "table " << op;
            EXPECT_EQ(engine.waveLog2Size[op], expected.table[op].log2Size);
            const int sh = 7 - expected.table[op].log2Size;
            for (int k = 0; k < (1 << expected.table[op].log2Size); ++k)
                EXPECT_EQ(wave(op, k << sh), store->sampleToWave(expected.table[op].cells[k]));
        }
    }

    TableHistory history;
};

TEST_F(HistoryTest, AStrokeIsOneStepAndNothingChangedIsNoStep) {
    const TablesImage start = captureTables(*store);
    history.open(*store);
    for (int i = 0; i < 32; ++i)
        store->drawSample(0, i, 1.0 + i);
    history.open(*store);  // a stroke stays one step
    history.close(*store);
    change([&] { store->rotateLeft(1, 32); });  // a full turn changes nothing
    change([] {});
    EXPECT_EQ(history.undoCount(), 1u);
    ASSERT_TRUE(undo());
    expectTables(start);

    // A new step drops the undone one.
    change([&] { store->reverse(1); });
    EXPECT_EQ(history.redoCount(), 0u);
    EXPECT_FALSE(redo());
}

TEST_F(HistoryTest, KeepsTheLatestStepsAndClearForgetsAll) {
    std::vector<TablesImage> images{captureTables(*store)};
    const size_t steps = TableHistory::kDepth + 44;
    for (size_t k = 0; k < steps; ++k) {
        change([&] { store->drawSample(int(k & 1), 0, double(k % 200 + 1)); });
        images.push_back(captureTables(*store));
    }
    ASSERT_EQ(history.undoCount(), TableHistory::kDepth);
    while (undo()) {
    }
    expectTables(images[steps - TableHistory::kDepth]);

    history.open(*store);
    store->clear(0);
    history.clear();
    history.close(*store);
    EXPECT_EQ(history.undoCount() + history.redoCount(), 0u);
    EXPECT_FALSE(history.isOpen());
}

}  // namespace
}  // namespace taluma::test
