// Helpers of the table tests: a table over a record with its notifications
// recorded, and the cells of a table row as texts.
#pragma once

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using Message = std::pair<int, int>;  // (message, wParam)

struct RecordedTable {
    RecordedTable(TableId id, CSlideCalcData& data) : table(makeTable(id, data)) {
        table->SetNotify([this](int m, int w) { messages.emplace_back(m, w); });
    }
    // Types the text and gives the messages it sent.
    std::vector<Message> type(int row, int col, const std::string& text) {
        messages.clear();
        table->SetHangLieText(row, col, text);
        return messages;
    }
    std::string text(int row, int col) const { return table->GetHangLieText(row, col); }
    CTableBase* operator->() { return table.get(); }

    std::unique_ptr<CTableBase> table;
    std::vector<Message> messages;
};

// Column 2 of a name/value table row by row: 'v' a value, '-' "---".
inline std::string shownRows(RecordedTable& t) {
    std::string s;
    for (int r = 1; r <= t->RowCount(); ++r) s += t.text(r, 2) == "---" ? '-' : 'v';
    return s;
}

inline const Message kChanged{WM_TABLE_CHANGED, 0};
inline Message countMessage(int wParam) {
    return {WM_TABLE_COUNT, wParam};
}

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
