// The number of candidate pile kinds of pile auto-design.
#include "tables/CKindCountTable.h"

#include "data/CSlideCalcData.h"

namespace {

const NameValueRow kRows[] = {
    {"自动设计时可选择的桩数",
     countCell([](CSlideCalcData& d, int) { return &d.pileKindCount; }, 0,
               CSlideCalcData::kMaxPileKinds),
     nullptr, "该参数限定为0~100个"},
};

}  // namespace

CKindCountTable::CKindCountTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 190, 100) {}
