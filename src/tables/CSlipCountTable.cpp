// The number of slip-surface segments.
#include "tables/CSlipCountTable.h"

#include "data/CSlideCalcData.h"

namespace {

const NameValueRow kRows[] = {
    {"滑面线段数",
     countCell([](CSlideCalcData& d, int) { return &d.slipCount; }, 1,
               CSlideCalcData::kMaxSegments),
     nullptr, "该参数限定为1~100个"},
};

}  // namespace

CSlipCountTable::CSlipCountTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 130, 100) {}
