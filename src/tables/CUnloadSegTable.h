// The segments of the unloading line.
#pragma once

#include "tables/CListTable.h"

class CUnloadSegTable : public CListTable {
  public:
    explicit CUnloadSegTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CUnloadSegTable; }
    int RowCount() const override;
    std::optional<CountCell> CountSource() const override {
        return CountCell{TableId::CUnloadTable, 2};
    }
};
