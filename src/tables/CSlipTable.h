// The slip-surface segments: projections, the computed length and angle, and
// the strength of each segment.
#pragma once

#include "tables/CListTable.h"

class CSlipTable : public CListTable {
  public:
    explicit CSlipTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CSlipTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override {
        return CountCell{TableId::CSlipCountTable, 1};
    }
};
