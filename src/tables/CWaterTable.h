// The water-line segments.
#pragma once

#include "tables/CListTable.h"

class CWaterTable : public CListTable {
  public:
    explicit CWaterTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CWaterTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override {
        return CountCell{TableId::CWaterCountTable, 1};
    }
};
