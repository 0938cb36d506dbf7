// The item's control choices: goal, targets, the countermeasure switches and
// the slope length. A choice of goal or target applies the control rules, so
// the switches the calculation needs are set and locked.
#pragma once

#include "tables/CNameValueTable.h"

class CControlTable : public CNameValueTable {
  public:
    explicit CControlTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CControlTable; }

  protected:
    bool IsLocked(int row) const override;
    void AfterEdit(int row) override;
};
