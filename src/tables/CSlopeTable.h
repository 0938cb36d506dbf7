// The slope-surface segments and the number of point loads on each.
#pragma once

#include "tables/CListTable.h"

class CSlopeTable : public CListTable {
  public:
    explicit CSlopeTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CSlopeTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override {
        return CountCell{TableId::CSlopeCountTable, 1};
    }
};
