// Paste of a block of cells as spreadsheets copy them: one line per row,
// cells separated by tabs (or by commas in a line without a tab). Every cell
// goes through the table's SetHangLieText, so every limit holds as if typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CTableBase;

struct PasteResult {
    int cellsSet = 0;      // cells that took their text
    int cellsRefused = 0;  // cells a user cannot type into (locked, "---", beyond the last column)
    int rowsRefused = 0;   // rows beyond the list even after raising its count
};

// Lines split at "\n" (a "\r" before it dropped); a last empty line is none.
std::vector<std::vector<std::string>> splitPastedCells(std::string_view text);

// Pastes from (row, col). When the rows run past the list's end and the list
// has a count table (counter, holding the count at its CountSource row), the
// count is raised by typing the needed number there, within its limits; rows
// still beyond the list are refused.
PasteResult pasteCells(CTableBase& table, CTableBase* counter, int row, int col,
                       std::string_view text);
