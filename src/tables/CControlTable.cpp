// Rows of the control table and the switch locks of each goal and target.
#include "tables/CControlTable.h"

#include "data/CSlideCalcData.h"

namespace {

const ChoiceList kGoals = {"验算校核", "自动设计"};
const ChoiceList kDesignTargets = {"自动设计抗滑桩", "自动设计反压码", "自动设计刷方减载"};
const ChoiceList kCheckTargets = {"计算抗滑桩安全系数", "计算滑坡推力", "计算抗滑桩桩身内力",
                                  "已知C反算φ", "已知φ反算C"};
const ChoiceList kSwitch = {"不采用", "采用"};

const NameValueRow kRows[] = {
    {"计算类型", choiceCell([](CSlideCalcData& d, int) { return &d.goal; }, kGoals, true)},
    {"自动设计目标",
     choiceCell([](CSlideCalcData& d, int) { return &d.designTarget; }, kDesignTargets, true),
     [](const CSlideCalcData& d) { return d.goal == 0; }},
    {"验算校核目标",
     choiceCell([](CSlideCalcData& d, int) { return &d.checkTarget; }, kCheckTargets, true),
     [](const CSlideCalcData& d) { return d.goal == 1; }},
    {"是否采用桩", choiceCell([](CSlideCalcData& d, int) { return &d.usePiles; }, kSwitch, true)},
    {"是否采用反压码",
     choiceCell([](CSlideCalcData& d, int) { return &d.useBerm; }, kSwitch, true)},
    {"是否采用上部刷方减载",
     choiceCell([](CSlideCalcData& d, int) { return &d.useUnload; }, kSwitch, true)},
    {"滑坍边坡纵向长度(m)", realCell([](CSlideCalcData& d, int) { return &d.slopeLength; }, 0.001f),
     nullptr, "发生滑坍的边坡长度，用来统计工程量。"},
};

constexpr int kPilesRow = 4, kBermRow = 5, kUnloadRow = 6;

}  // namespace

CControlTable::CControlTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 190, 120) {}

// The switch a goal or target needs is locked where the control rules set it.
bool CControlTable::IsLocked(int row) const {
    const CSlideCalcData& d = m_data;
    if (d.goal == 1) {
        return (d.designTarget == 0 && row == kPilesRow) ||
               (d.designTarget == 1 && row == kBermRow) ||
               (d.designTarget == 2 && row == kUnloadRow);
    }
    switch (d.checkTarget) {
        case 0:
        case 2:
            return row == kPilesRow;
        case 3:
        case 4:
            return row >= kPilesRow && row <= kUnloadRow;
        default:
            return false;
    }
}

void CControlTable::AfterEdit(int row) {
    if (row <= 3) m_data.ApplyControlRules();
}
