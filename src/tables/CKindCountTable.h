// The number of candidate pile kinds of pile auto-design.
#pragma once

#include "tables/CNameValueTable.h"

class CKindCountTable : public CNameValueTable {
  public:
    explicit CKindCountTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CKindCountTable; }
};
