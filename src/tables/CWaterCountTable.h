// The number of water-line segments and the water line's start point.
#pragma once

#include "tables/CNameValueTable.h"

class CWaterCountTable : public CNameValueTable {
  public:
    explicit CWaterCountTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CWaterCountTable; }

  protected:
    std::string UndefinedRowText() const override { return {}; }
};
