// Rows of the berm table. What auto-design varies (the height or the
// position) shows "---", and only its range is asked for; with piles in the
// section the berm stands at the piles, so its position is not asked for.
#include "tables/CBermTable.h"

#include "data/CSlideCalcData.h"

namespace {

using D = CSlideCalcData;

const ChoiceList kDesignMode = {"自动设计H", "自动设计X0"};

bool designingBerm(const D& d) {
    return d.goal == 1 && d.designTarget == 1;
}
bool notDesigning(const D& d) {
    return !designingBerm(d);
}
bool noHRange(const D& d) {
    return !designingBerm(d) || d.bermDesignMode == 1;
}
bool noXRange(const D& d) {
    return !designingBerm(d) || d.bermDesignMode == 0;
}

const NameValueRow kRows[] = {
    {"反压码的定位坐标X(m)", realCell([](D& d, int) { return &d.bermX; }),
     [](const D& d) { return d.usePiles == 1 || (designingBerm(d) && d.bermDesignMode == 1); }},
    {"反压码高度(m)", realCell([](D& d, int) { return &d.bermH; }, 0.0f),
     [](const D& d) { return designingBerm(d) && d.bermDesignMode == 0; }},
    {"反压码坡度(1:xxx)", realCell([](D& d, int) { return &d.bermSlope; }, 0.0f)},
    {"反压码容重(kN/m3)", realCell([](D& d, int) { return &d.bermGamma; }, 0.0f)},
    {"反压码饱和容重(kN/m3)", realCell([](D& d, int) { return &d.bermGammaSat; }, 0.0f)},
    {"每方反压码的造价(元/方)", realCell([](D& d, int) { return &d.bermCost; }, 0.0f)},
    {"每方反压码的工期(人天/方)", realCell([](D& d, int) { return &d.bermDays; }, 0.0f)},
    {"反压码自动设计类型", choiceCell([](D& d, int) { return &d.bermDesignMode; }, kDesignMode),
     notDesigning},
    {"自动设计H的最小值(m)", realCell([](D& d, int) { return &d.bermHRange.minValue; }), noHRange},
    {"自动设计H的最大值(m)", realCell([](D& d, int) { return &d.bermHRange.maxValue; }), noHRange},
    {"自动设计H的每步增量(m)", realCell([](D& d, int) { return &d.bermHRange.step; }), noHRange},
    {"自动设计X0的最小值(m)", realCell([](D& d, int) { return &d.bermXRange.minValue; }), noXRange},
    {"自动设计X0的最大值(m)", realCell([](D& d, int) { return &d.bermXRange.maxValue; }), noXRange},
    {"自动设计X0的每步增量(m)", realCell([](D& d, int) { return &d.bermXRange.step; }), noXRange},
};

}  // namespace

CBermTable::CBermTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 190, 120) {}

bool CBermTable::IsDashed(int row) const {
    return m_data.useBerm == 0 || CNameValueTable::IsDashed(row);
}
