// The basic parameters: unit weights, safety factor, water, earthquake and
// the bounds of the strength back-calculation.
#pragma once

#include "tables/CNameValueTable.h"

class CBasicTable : public CNameValueTable {
  public:
    explicit CBasicTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CBasicTable; }
};
