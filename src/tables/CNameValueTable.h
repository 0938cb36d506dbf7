// The shape of the parameter tables: one row per parameter, its name in
// column 1 and its value in column 2, no title. Each table lists its rows as
// data; the few rules that are not a row's own (locks, rules applied after an
// edit) are the hooks below.
#pragma once

#include "tables/CTableBase.h"
#include "tables/CellRule.h"

#include <span>

inline constexpr const char* kDash = "---";
inline constexpr const char* kUndefined = "无定义";

struct NameValueRow {
    const char* name;
    CellRule value;
    // "---" in the value cell under the current control choices.
    bool (*dashed)(const CSlideCalcData&) = nullptr;
    const char* hint = "";
};

class CNameValueTable : public CTableBase {
  public:
    std::vector<int> ColumnWidths() const override { return {m_nameWidth, m_valueWidth}; }
    int TitleHeight() const override { return kNoTitleHeight; }
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    std::string GetHangLieText(int row, int col) const override;
    int IsHangLieEdit(int row, int col) const override;
    int IsHangLieCombo(int row, int col) const override;
    std::vector<std::string> GetComboItems(int row, int col) const override;
    int GetComboIndex(int row, int col) const override;
    std::string GetHangLieTiShi(int row, int col) const override;
    void SetHangLieText(int row, int col, const std::string& text) override;
    const void* FieldAt(int row, int col) const override;
    std::string UnitAt(int row, int col) const override;
    std::string CellName(int row, int col) const override;
    void HoldChoices() override;

  protected:
    CNameValueTable(CSlideCalcData& data, std::span<const NameValueRow> rows, int nameWidth,
                    int valueWidth)
        : CTableBase(data), m_rows(rows), m_nameWidth(nameWidth), m_valueWidth(valueWidth) {}

    // The row's own "---" rule; tables add a rule for every row.
    virtual bool IsDashed(int row) const;
    // Rows the table's rules lock although they show a value.
    virtual bool IsLocked(int) const { return false; }
    // After an accepted edit of the row.
    virtual void AfterEdit(int) {}
    // What a row outside the table shows.
    virtual std::string UndefinedRowText() const { return kUndefined; }

    const NameValueRow* rowAt(int row) const;
    bool isValueCell(int row, int col) const { return col == 2 && rowAt(row) != nullptr; }

  private:
    std::span<const NameValueRow> m_rows;
    int m_nameWidth;
    int m_valueWidth;
};
