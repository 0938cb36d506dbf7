// Splitting spreadsheet text and typing it cell by cell.
#include "tables/TablePaste.h"

#include "tables/CTableBase.h"
#include "tables/CellRule.h"

namespace {

std::vector<std::string> splitLine(std::string_view line) {
    char sep = line.find('\t') != std::string_view::npos ? '\t' : ',';
    std::vector<std::string> cells;
    size_t start = 0;
    while (true) {
        size_t end = line.find(sep, start);
        cells.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return cells;
}

void raiseCount(CTableBase& table, CTableBase* counter, int lastRow) {
    if (counter == nullptr || lastRow <= table.RowCount()) return;
    int countRow = table.CountSource()->row;
    if (counter->IsHangLieEdit(countRow, 2)) counter->SetHangLieText(countRow, 2, intText(lastRow));
}

}  // namespace

std::vector<std::vector<std::string>> splitPastedCells(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        rows.push_back(splitLine(line));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return rows;
}

PasteResult pasteCells(CTableBase& table, CTableBase* counter, int row, int col,
                       std::string_view text) {
    std::vector<std::vector<std::string>> cells = splitPastedCells(text);
    PasteResult result;
    if (cells.empty()) return result;
    raiseCount(table, counter, row + static_cast<int>(cells.size()) - 1);
    for (size_t i = 0; i < cells.size(); ++i) {
        int r = row + static_cast<int>(i);
        if (r < 1 || r > table.RowCount()) {
            ++result.rowsRefused;
            continue;
        }
        for (size_t j = 0; j < cells[i].size(); ++j) {
            int c = col + static_cast<int>(j);
            if (!table.IsHangLieEdit(r, c)) {
                ++result.cellsRefused;
                continue;
            }
            table.SetHangLieText(r, c, cells[i][j]);
            ++result.cellsSet;
        }
    }
    return result;
}
