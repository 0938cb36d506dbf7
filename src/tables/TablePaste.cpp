// Splitting spreadsheet text and typing it cell by cell.
#include "tables/TablePaste.h"

#include "tables/CNameValueTable.h"
#include "tables/CTableBase.h"
#include "tables/CellRule.h"

#include <cstdio>

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

// A blank cell that found no place (a spreadsheet's trailing tab) and a
// "---" copied from a table are counted but not named: nothing is lost.
void refuse(PasteResult& result, int row, int col, const std::string& text, PasteRefusal::Why why) {
    if (why != PasteRefusal::Why::NoRow) ++result.cellsRefused;
    if (text.find_first_not_of(" \t") != std::string::npos && text != kDash)
        result.refused.push_back({row, col, text, why});
}

// One pasted line into table row r. Inputs-only lines step over computed
// columns; lines as the table shows them keep their places.
void pasteRow(CTableBase& table, int r, int col, const std::vector<std::string>& cells,
              bool asShown, PasteResult& result) {
    int c = col;
    for (const std::string& text : cells) {
        if (!asShown) {
            while (c <= table.ColumnCount() && table.IsComputedColumn(c)) ++c;
        }
        if (c > table.ColumnCount()) {
            refuse(result, r, c++, text, PasteRefusal::Why::NoColumn);
        } else if (asShown && table.IsComputedColumn(c)) {
            ++c;
        } else if (!table.IsHangLieEdit(r, c)) {
            refuse(result, r, c++, text, PasteRefusal::Why::Locked);
        } else {
            table.SetHangLieText(r, c++, text);
            ++result.cellsSet;
        }
    }
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
            for (size_t j = 0; j < cells[i].size(); ++j)
                refuse(result, r, col + static_cast<int>(j), cells[i][j], PasteRefusal::Why::NoRow);
            continue;
        }
        int width = static_cast<int>(cells[i].size());
        bool asShown = col + width - 1 >= table.ColumnCount();
        pasteRow(table, r, col, cells[i], asShown, result);
    }
    return result;
}

std::string describeRefusals(const PasteResult& result, int lines) {
    std::string text;
    int shown = 0;
    for (const PasteRefusal& p : result.refused) {
        if (shown == lines) {
            char more[64];
            std::snprintf(more, sizeof more, "……另有 %d 个\n",
                          static_cast<int>(result.refused.size()) - shown);
            text += more;
            break;
        }
        const char* why = p.why == PasteRefusal::Why::Locked     ? "此格不能输入"
                          : p.why == PasteRefusal::Why::NoColumn ? "超出表格的列"
                                                                 : "超出表格的行数";
        char head[64];
        std::snprintf(head, sizeof head, "第%d行第%d列", p.row, p.col);
        text += std::string(head) + "“" + p.text + "”: " + why + "\n";
        ++shown;
    }
    return text;
}
