// The point loads of the whole slope surface, one row per load, in the order
// of the segments and of the loads within each.
#pragma once

#include "tables/CListTable.h"

class CLoadTable : public CListTable {
  public:
    explicit CLoadTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CLoadTable; }
    int RowCount() const override;

  protected:
    // The element of a row is segment × kMaxLoads + load (both from 0).
    int ElementIndex(int row) const override;
    std::string NumberText(int row) const override;
};
