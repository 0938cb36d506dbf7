// Helpers of the table tests: a table over a record with its notifications
// recorded, and the cells of a table row as texts.
#pragma once

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"

#include <memory>
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

inline const Message kChanged{WM_TABLE_CHANGED, 0};
inline Message countMessage(int wParam) {
    return {WM_TABLE_COUNT, wParam};
}
