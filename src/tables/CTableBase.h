// What every input table answers, whatever fields it edits: its size, its
// cells' texts, which cells take typing or a drop-down, the hints, and how a
// typed text is applied to the record. A grid widget needs nothing else: one
// model adapter and one delegate serve all seventeen tables.
//
// Rows and columns count from 1; row 0 is the title row. Every question is
// answered from the record at the moment it is asked (a table keeps no copy
// of any value), so a change made elsewhere shows at the next redraw; only
// RowCount() and ColumnCount() need re-reading after an edit.
//
// For a GUI adapter:
//   rowCount()            -> RowCount()
//   columnCount()         -> ColumnCount() (column widths in pixels from
//                            ColumnWidths(); row height RowHeight(); the title
//                            row is TitleHeight() high: 1 means "no title")
//   headerData(col)       -> ColumnTitle(col)
//   data(DisplayRole)     -> GetHangLieText(row, col), UTF-8
//   data(ToolTipRole)     -> GetHangLieTiShi(row, col), may hold "\n"
//   flags(editable)       -> IsHangLieEdit(row, col)
//   delegate editor       -> IsHangLieCombo(row, col) ? a drop-down of
//                            GetComboItems() with GetComboIndex() selected
//                            (choose an item: its text goes to SetHangLieText)
//                            : a line edit
//   setData               -> SetHangLieText(row, col, text), best through a
//                            TableEdit so that undo works
#pragma once

#include "tables/TableId.h"

#include <optional>
#include <string>
#include <vector>

class CSlideCalcData;
class CellFlags;
enum class CellKind;

class CTableBase {
  public:
    static constexpr int kListTitleHeight = 36;
    static constexpr int kNoTitleHeight = 1;
    static constexpr int kRowHeight = 20;

    explicit CTableBase(CSlideCalcData& data) : m_data(data) {}
    virtual ~CTableBase() = default;
    CTableBase(const CTableBase&) = delete;
    CTableBase& operator=(const CTableBase&) = delete;

    virtual TableId Id() const = 0;
    const char* Name() const { return tableName(Id()); }

    // Size: one width per column, in pixels; the count may follow the record
    // (the pile-kind table has a twelfth column only for pile forces).
    virtual std::vector<int> ColumnWidths() const = 0;
    int ColumnCount() const { return static_cast<int>(ColumnWidths().size()); }
    virtual int TitleHeight() const = 0;
    int RowHeight() const { return kRowHeight; }
    // From the record: a fixed number for name/value tables, the matching
    // count for list tables (0 when the list does not apply).
    virtual int RowCount() const = 0;
    // The text of a list table's column title (its picture's text, "\n" may
    // split it); empty for name/value tables.
    virtual std::string ColumnTitle(int col) const;

    virtual std::string GetHangLieText(int row, int col) const = 0;
    // 1 when a user may edit the cell: never row 0, column 1, a computed
    // column, a "---" cell, a row beyond the count, nor a cell the table's
    // own rules lock.
    virtual int IsHangLieEdit(int row, int col) const = 0;
    // 1 when the cell is edited by a drop-down list (whether or not it is
    // editable now).
    virtual int IsHangLieCombo(int row, int col) const;
    // The drop-down's items in order, empty for other cells.
    virtual std::vector<std::string> GetComboItems(int row, int col) const;
    // The item shown: the stored index held to the list; -1 for other cells.
    virtual int GetComboIndex(int row, int col) const;
    // True for a column the table computes from others (a segment's length
    // and angle): never typed into, and a pasted block of inputs steps over it.
    virtual bool IsComputedColumn(int col) const;
    // The hint shown while the cell is current; empty for none.
    virtual std::string GetHangLieTiShi(int row, int col) const;
    // Applies a typed text to the record with the table's parse rules and
    // limits. "---", a row beyond the count and a column that is not an input
    // column change nothing. A text that
    // does not parse stores 0 (then held to the limits); a text that is not an
    // item of the cell's drop-down leaves the field as it was.
    virtual void SetHangLieText(int row, int col, const std::string& text) = 0;

    // The record field a value cell edits; null for titles, numbers, computed
    // columns, "---" cells and rows beyond the count.
    virtual const void* FieldAt(int, int) const { return nullptr; }
    // The unit of the cell's value ("kPa", "cm", "度"); empty for none.
    virtual std::string UnitAt(int, int) const { return {}; }
    // "第 3 行 粘聚力(kPa)", "滑体土重度(kN/m3)": the cell as a user names it.
    virtual std::string CellName(int row, int col) const = 0;
    // What is wrong with the cell's value: the flag of a text read only in
    // part, else a value outside its physical range (InputRanges.h); empty
    // when nothing is.
    std::string CellWarning(int row, int col) const;
    // Where the table keeps the flags of texts read in part; without one it
    // flags nothing. Not owned.
    void SetFlags(CellFlags* flags) { m_flags = flags; }
    // Holds every drop-down index the table writes back when shown, so that
    // the "---" rules read what the table shows before any cell is drawn.
    virtual void HoldChoices() {}

    // For paste: the table and row of the count that sets this list's row
    // count, when typing a bigger number there makes the list longer.
    struct CountCell {
        TableId table;
        int row;
    };
    virtual std::optional<CountCell> CountSource() const { return std::nullopt; }

  protected:
    // After a typed text was applied to the field of a cell of this kind:
    // flags the cell when the text was read only in part, else unflags it.
    void NoteTyped(int row, int col, const void* field, CellKind kind, const std::string& text);

    CSlideCalcData& m_data;

  private:
    CellFlags* m_flags = nullptr;
};
