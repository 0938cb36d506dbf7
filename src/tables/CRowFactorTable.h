// The share of the capacity each row of piles develops.
#pragma once

#include "tables/CListTable.h"

class CRowFactorTable : public CListTable {
  public:
    explicit CRowFactorTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CRowFactorTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override;
};
