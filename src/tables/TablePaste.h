// Paste of a block of cells as spreadsheets copy them: one line per row,
// cells separated by tabs (or by commas in a line without a tab). Every cell
// goes through the table's SetHangLieText, so every limit holds as if typed.
//
// A block narrower than the table from the first cell on holds inputs only
// (dx, dy, c, φ from a spreadsheet): its cells fill the editable columns in
// order and step over the columns the table computes (length, angle). A
// block that reaches the table's last column is taken as the table shows its
// columns (copied from such a table) and goes cell for cell; its computed
// cells are the table's own and are passed over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CTableBase;

// A pasted cell that found no place, where the block put it.
struct PasteRefusal {
    enum class Why {
        Locked,    // a cell a user cannot type into ("---", a rule's lock)
        NoColumn,  // beyond the table's last column
        NoRow,     // beyond the list even after raising its count
    };
    int row = 0;
    int col = 0;  // the column it would have taken (past the last for NoColumn)
    std::string text;
    Why why = Why::Locked;
};

struct PasteResult {
    int cellsSet = 0;      // cells that took their text
    int cellsRefused = 0;  // cells a user cannot type into (locked, "---", beyond the last column)
    int rowsRefused = 0;   // rows beyond the list even after raising its count
    std::vector<PasteRefusal> refused;  // every cell that found no place, in block order
};

// Lines split at "\n" (a "\r" before it dropped); a last empty line is none.
std::vector<std::vector<std::string>> splitPastedCells(std::string_view text);

// Pastes from (row, col). When the rows run past the list's end and the list
// has a count table (counter, holding the count at its CountSource row), the
// count is raised by typing the needed number there, within its limits; rows
// still beyond the list are refused.
PasteResult pasteCells(CTableBase& table, CTableBase* counter, int row, int col,
                       std::string_view text);

// The cells that found no place, one line each ("第3行第8列“12.5”: 超出表格的列"),
// at most `lines` lines and a last one that counts the rest; empty when every
// cell was placed.
std::string describeRefusals(const PasteResult& result, int lines = 12);
