// The wavetables' undo history: what makes a step, and how many it keeps.
#include "store_fixture.h"
#include "wavetable/table_history.h"

namespace taluma::test {
namespace {

TEST_F(StoreTest, HistoryKeepsTheLatestStepsOfRealChangesAndAStrokeIsOne) {
    TableHistory history;
    auto step = [&](int op, int cell, double level) {
        RecordedTableChange recorded(history, *store);
        store->drawSample(op, cell, level);
    };
    history.open(*store);  // a stroke
    for (int i = 0; i < 32; ++i)
        store->drawSample(0, i, 1.0 + i);
    history.open(*store);
    history.close(*store);
    step(1, 0, store->cell(1, 0) + 1.0);  // draws the level the cell holds
    EXPECT_EQ(history.undoCount(0), 1u);
    EXPECT_EQ(history.undoCount(1), 0u);

    std::vector<TablesImage> images{captureTables(*store)};
    const size_t steps = TableHistory::kDepth + 44;
    for (size_t k = 0; k < steps; ++k) {
        step(0, 0, double(k % 200 + 1));
        images.push_back(captureTables(*store));
    }
    ASSERT_EQ(history.undoCount(0), TableHistory::kDepth);
    const TableStep* oldest = nullptr;
    while (const TableStep* s = history.undo(0))
        oldest = s;
    ASSERT_TRUE(oldest);
    EXPECT_TRUE(sameTable(oldest->before, images[44].table[0]));

    ASSERT_TRUE(history.redo(0));
    step(1, 5, 9.0);  // a step of the other table keeps this one's undone steps
    EXPECT_GT(history.redoCount(0), 0u);
    step(0, 5, 9.0);  // a step of its own drops them
    EXPECT_EQ(history.redoCount(0), 0u);
    history.open(*store);
    history.clear();  // forgets everything, an open step too
    for (int op = 0; op < 2; ++op)
        EXPECT_EQ(history.undoCount(op) + history.redoCount(op), 0u);
    EXPECT_FALSE(history.isOpen());
}

}  // namespace
}  // namespace taluma::test
