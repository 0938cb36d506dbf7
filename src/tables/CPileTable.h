// The pile arrangement, the soil model of the embedded part and the thrust
// distribution. Each row is asked for only where the goal and target use it.
#pragma once

#include "tables/CNameValueTable.h"

class CPileTable : public CNameValueTable {
  public:
    explicit CPileTable(CSlideCalcData& data);
    TableId Id() const override { return TableId::CPileTable; }

  protected:
    bool IsDashed(int row) const override;
    bool IsLocked(int row) const override;
};
