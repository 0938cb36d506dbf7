// The top unloading: start height, number of segments, costs and the range
// of the start height in auto-design.
#pragma once

#include "tables/CNameValueTable.h"

class CUnloadTable : public CNameValueTable {
  public:
    explicit CUnloadTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CUnloadTable; }

  protected:
    bool IsDashed(int row) const override;
};
