// The pile kinds: all candidates of pile auto-design, or the one kind every
// other mode uses.
#pragma once

#include "tables/CListTable.h"

class CPileKindTable : public CListTable {
  public:
    explicit CPileKindTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CPileKindTable; }
    int RowCount() const override;
    std::string ColumnTitle(int col) const override;
    std::optional<CountCell> CountSource() const override;
    std::string UnitAt(int row, int col) const override;

  protected:
    std::span<const ListColumn> Columns() const override;
    std::string NumberText(int row) const override;
    std::string HintAt(int row, int col) const override;
};
