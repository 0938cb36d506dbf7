// The number of slope-surface segments and the slope's start x.
#pragma once

#include "tables/CNameValueTable.h"

class CSlopeCountTable : public CNameValueTable {
  public:
    explicit CSlopeCountTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CSlopeCountTable; }

  protected:
    std::string UndefinedRowText() const override { return {}; }
};
