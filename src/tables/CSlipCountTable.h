// The number of slip-surface segments.
#pragma once

#include "tables/CNameValueTable.h"

class CSlipCountTable : public CNameValueTable {
  public:
    explicit CSlipCountTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CSlipCountTable; }

  protected:
    std::string UndefinedRowText() const override { return {}; }
};
