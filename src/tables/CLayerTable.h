// The soil layers along the embedded part of the pile, asked for only when
// the pile internal forces are computed.
#pragma once

#include "tables/CListTable.h"

class CLayerTable : public CListTable {
  public:
    explicit CLayerTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CLayerTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override {
        return CountCell{TableId::CPileTable, 5};
    }
};
