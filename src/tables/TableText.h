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
class MessageSink;
class StatusSink;

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

// An item's tables worked from its data file, as `talvor-cli table` does:
// every table listed when none is named, else the sets typed into it and the
// table shown, and the file written back when asked.
struct ItemTableRequest {
    std::string item, table;  // the data file; the table's class name, or empty
    std::vector<std::string> sets;
    bool points = false;    // the point columns of the section lines' tables
    bool editable = false;  // rows of 1/0 for the cells a user can type into
    bool write = false;
};
enum class ItemTableOutcome {
    Done,
    ItemUnreadable,  // told to messages
    NoSuchTable,
    NoPoints,     // points asked of a table without them
    ItemGuessed,  // shown, but read with guesses (told): not written back
    NotWritten,
};
struct ItemTable {
    ItemTableOutcome outcome = ItemTableOutcome::ItemUnreadable;
    std::vector<TablePlace> tables;  // when no table was named
    std::vector<std::string> refused, rows, warnings;
};
ItemTable WorkItemTable(const ItemTableRequest& request, StatusSink& status, MessageSink& messages);
