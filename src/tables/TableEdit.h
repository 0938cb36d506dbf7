// One edit of the input as a value: which table, which cell, and the text
// typed (or a block pasted). apply() runs it through the page's table exactly
// as typing would (limits, rules). What the edit did to the
// record as a whole, and how to take it back, is the business of whoever
// holds the record before the edit: the desktop's undo history keeps one copy
// of the record per step and compares with it; the command line needs neither.
#pragma once

#include "tables/TableId.h"
#include "tables/TablePaste.h"

#include <string>

class CSlideCalcData;
class CTablePage;

// What an edit did to the record.
enum class EditOutcome {
    Changed,    // the record differs from before: one step
    Unchanged,  // accepted, but the record is as it was: no step
    Refused,    // a user cannot type there (locked, "---", beyond the list)
};

class TableEdit {
  public:
    static TableEdit typed(TableId table, int row, int col, std::string text);
    // A block of spreadsheet text pasted from (row, col).
    static TableEdit pasted(TableId table, int row, int col, std::string block);

    TableId table() const { return m_table; }
    int row() const { return m_row; }
    int col() const { return m_col; }
    const std::string& text() const { return m_text; }
    bool isBlock() const { return m_block; }
    // What the last apply() of a block did, cell by cell.
    const PasteResult& pasteResult() const { return m_paste; }

    // Applies the edit to the page's table (the page must hold that table).
    // False when a user cannot type there (locked, "---", beyond the list) or
    // a pasted block found no cell; the record is then as it was.
    bool apply(CTablePage& page);
    // The same, telling what it did compared with `before`, the page's record
    // as it was. Even a block that found no cell may have raised its list's
    // count on the way: whatever changed the record is a change.
    EditOutcome apply(CTablePage& page, const CSlideCalcData& before);

  private:
    TableEdit(TableId table, int row, int col, std::string text, bool block)
        : m_table(table), m_row(row), m_col(col), m_text(std::move(text)), m_block(block) {}

    TableId m_table;
    int m_row;
    int m_col;
    std::string m_text;
    bool m_block;
    PasteResult m_paste;
};

// Copies every input field of `from` into `to`, leaving the calculation-book
// part (description, file and result names) and the last results of `to`.
void restoreInput(CSlideCalcData& to, const CSlideCalcData& from);
