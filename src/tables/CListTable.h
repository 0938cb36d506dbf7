// The shape of the list tables: one row per element of an array (segments,
// loads, layers, rows of piles, pile kinds), a title row, the element's
// number in column 1. Each table lists its columns as data; how a row maps
// to an element and what follows an edit are the hooks below.
#pragma once

#include "tables/CNameValueTable.h"

enum class ColumnKind {
    Number,  // the element's number, never editable
    Value,   // a field of the element
    Length,  // computed from the dx and dy of columns 2 and 3
    Angle,   // the same, the direction in degrees
};

struct ListColumn {
    const char* title;
    int width;
    ColumnKind kind = ColumnKind::Value;
    CellRule value{};
    // "---" in the cell under the current choices (index: the element).
    bool (*dashed)(const CSlideCalcData&, int index) = nullptr;
    const char* hint = "";
};

class CListTable : public CTableBase {
  public:
    std::vector<int> ColumnWidths() const override;
    int TitleHeight() const override { return kListTitleHeight; }
    std::string ColumnTitle(int col) const override;
    std::string GetHangLieText(int row, int col) const override;
    int IsHangLieEdit(int row, int col) const override;
    int IsHangLieCombo(int row, int col) const override;
    std::vector<std::string> GetComboItems(int row, int col) const override;
    int GetComboIndex(int row, int col) const override;
    bool IsComputedColumn(int col) const override;
    std::string GetHangLieTiShi(int row, int col) const override;
    void SetHangLieText(int row, int col, const std::string& text) override;
    const void* FieldAt(int row, int col) const override;
    std::string UnitAt(int row, int col) const override;
    std::string CellName(int row, int col) const override;
    void HoldChoices() override;

  protected:
    CListTable(CSlideCalcData& data, std::span<const ListColumn> columns)
        : CTableBase(data), m_columns(columns) {}

    // The columns shown now (a table may drop trailing ones).
    virtual std::span<const ListColumn> Columns() const { return m_columns; }
    // The element a row shows, passed to the cell rules.
    virtual int ElementIndex(int row) const { return row - 1; }
    virtual std::string NumberText(int row) const { return intText(row); }
    virtual std::string HintAt(int row, int col) const;

    // The column when the row is in use and the column exists; else none.
    const ListColumn* cellAt(int row, int col) const;
    bool isDashed(const ListColumn& c, int row) const;

  private:
    std::string computedText(const ListColumn& c, int row) const;

    std::span<const ListColumn> m_columns;
};
