// The tables as text, as the calculation window shows them, for front ends
// without grids: each table's place and size, its rows as tab-separated
// lines, what its cells warn of, and a cell edit written as "ROW,COL=TEXT".
#pragma once

#include "tables/TableId.h"

#include <optional>
#include <string>
#include <vector>

class CSlideCalcData;
class CTableBase;
class CTablePage;

struct TablePlace {
    std::string name;  // the table's class name, e.g. "CSlipTable"
    std::string page;  // the page it stands on; the pile-kind lists under the pile page
    int rows = 0;
};

// All tables of the item in their order.
std::vector<TablePlace> ListTables(CSlideCalcData& item);

// One line per row, the cells separated by tabs: their texts, or 1 where a
// user can type and 0 where not.
std::vector<std::string> TableRows(CTableBase& table, bool editable);

// What the window marks: texts read in part, values out of their range, one
// line per cell ("CSlipTable 第2行第3列 c [kPa]: ...").
std::vector<std::string> CellWarnings(CTableBase& table);

struct CellText {
    int row = 0, col = 0;  // 1-based
    std::string text;
};

// "ROW,COL=TEXT"; the text runs to the end and may hold '=' and ','.
std::optional<CellText> ParseCellText(const std::string& arg);

// Types each "ROW,COL=TEXT" into table id of page, in order, as typing into
// the window's cell does; each text refused or not of that form gives a line
// saying so, and the others still apply.
std::vector<std::string> TypeCellTexts(CTablePage& page, TableId id,
                                       const std::vector<std::string>& sets);
