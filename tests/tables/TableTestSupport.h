// Helpers of the table tests: a table over a record, and the cells of a table
// row as texts.
#pragma once

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

struct TypedTable {
    TypedTable(TableId id, CSlideCalcData& data) : table(makeTable(id, data)) {}
    void type(int row, int col, const std::string& text) { table->SetHangLieText(row, col, text); }
    std::string text(int row, int col) const { return table->GetHangLieText(row, col); }
    CTableBase* operator->() { return table.get(); }

    std::unique_ptr<CTableBase> table;
};

// Every table over the record, for tests that go through all of them.
inline std::vector<std::unique_ptr<CTableBase>> allTables(CSlideCalcData& data) {
    std::vector<std::unique_ptr<CTableBase>> tables;
    for (int i = 0; i < kTableCount; ++i)
        tables.push_back(makeTable(static_cast<TableId>(i), data));
    return tables;
}

// A random item as an engineer could type it: a random goal and target,
// then in every cell a user may edit (table by table, twice, as counts typed
// early add rows) a random number with two decimals or a random item of the
// cell's drop-down. Numbers reach every limit of the tables.
std::string randomNumberText(std::mt19937& rng);
CSlideCalcData randomTypedItem(std::mt19937& rng);
