// One edit of the input as a value: which table, which cell, the text typed
// (or a block pasted), and the record as it was before. Undo and redo in the
// desktop program are a stack of these and need to know nothing of the
// tables: apply() runs the edit through the page's table exactly as typing
// would (limits, rules, notifications), revert() puts the input back.
// The "before" is a copy of the whole record (about 51 KB, shared between
// copies of the edit): it catches every side effect of an edit (control
// rules, raised counts) without a list of fields, at the price that an undo
// stack should be held to a few hundred entries.
#pragma once

#include "tables/TableId.h"
#include "tables/TablePaste.h"

#include <memory>
#include <string>

class CSlideCalcData;
class CTablePage;

enum class EditOutcome {
    Changed,    // the record differs from before
    Unchanged,  // accepted but nothing changed: push nothing on an undo stack
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

    // Applies the edit to the page's table; the page must hold that table.
    EditOutcome apply(CTablePage& page);
    // Puts back every input field as it was before the last apply(); the
    // item's description and its last results stay. The page re-reads its
    // tables.
    void revert(CTablePage& page) const;

  private:
    TableEdit(TableId table, int row, int col, std::string text, bool block)
        : m_table(table), m_row(row), m_col(col), m_text(std::move(text)), m_block(block) {}

    TableId m_table;
    int m_row;
    int m_col;
    std::string m_text;
    bool m_block;
    PasteResult m_paste;
    std::shared_ptr<const CSlideCalcData> m_before;
};

// Copies every input field of `from` into `to`, leaving the calculation-book
// part (description, file and result names) and the last results of `to`.
void restoreInput(CSlideCalcData& to, const CSlideCalcData& from);
