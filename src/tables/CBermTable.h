// The counter-pressure berm at the toe and its auto-design ranges.
#pragma once

#include "tables/CNameValueTable.h"

class CBermTable : public CNameValueTable {
  public:
    explicit CBermTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CBermTable; }

  protected:
    bool IsDashed(int row) const override;
};
