// The kind count always re-reads the pile-kind list.
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

void CKindCountTable::AfterEdit(int, bool) {
    SendCount(0);
    SendChanged();
}
