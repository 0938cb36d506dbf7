// Rows of the pile table. Condition A: the arrangement is designed or not
// needed; condition B: anything but the pile internal forces.
#include "tables/CPileTable.h"

#include "data/CSlideCalcData.h"

namespace {

using D = CSlideCalcData;

const ChoiceList kBase = {"自由", "铰接", "固定"};
const ChoiceList kMethod = {"M法", "C法", "K法"};
const ChoiceList kShape = {"矩形", "三角形", "梯形"};

bool condA(const D& d) {
    return (d.goal == 1 && d.designTarget == 0) || (d.goal == 0 && d.checkTarget == 1);
}
bool condB(const D& d) {
    return !(d.goal == 0 && d.checkTarget == 2);
}

const char* const kElasticHint =
    "   滑面处弹性抗力系数，应根据滑面埋深\n"
    "以及土质情况而定。";

const NameValueRow kRows[] = {
    {"第一排桩的定位坐标X(m)", realCell([](D& d, int) { return &d.pileX; })},
    {"桩的间距(m)", realCell([](D& d, int) { return &d.pileSpacing; }, 0.0f), condA},
    {"桩的排数", countCell([](D& d, int) { return &d.pileRows; }, 1, CSlideCalcData::kMaxRows),
     condA},
    {"桩的排距(m)", realCell([](D& d, int) { return &d.rowSpacing; }, 0.0f), condA},
    {"嵌入段土层数(<=20)",
     countCell([](D& d, int) { return &d.layerCount; }, 1, CSlideCalcData::kMaxLayers), condB},
    {"桩底支承条件", choiceCell([](D& d, int) { return &d.baseCondition; }, kBase), condB,
     "    不同支承条件影响桩的内力及配筋\n"
     "依锚固程度采用不同的支承条件。\n"
     "    较常采用自由支承和铰支承。当\n"
     "锚固地层为土体、松软破裂岩石时，\n"
     "采用自由支承；当桩底岩层完整、较\n"
     "上部土体坚硬、但嵌入不深时，采用\n"
     "铰支承。"},
    {"计算方法", choiceCell([](D& d, int) { return &d.elasticMethod; }, kMethod), condB,
     "    采用不同的弹性计算方法，\n"
     "影响其内力结果"},
    {"初始弹性系数A(MN/m3)", realCell([](D& d, int) { return &d.coefA; }),
     [](const D& d) { return condB(d) || d.elasticMethod != 2; }, kElasticHint},
    {"初始弹性系数A1(MN/m3)", realCell([](D& d, int) { return &d.coefA1; }),
     [](const D& d) { return condB(d) || d.elasticMethod != 2; }, kElasticHint},
    {"桩顶锚索水平刚度(MN/m)", realCell([](D& d, int) { return &d.anchorStiffness; }), condB,
     "    该值影响桩的内力计算，\n"
     "范围0.1~50MN/m"},
    {"滑坡推力分布类型", choiceCell([](D& d, int) { return &d.thrustShape; }, kShape), condB,
     "    当滑体的上层和下层的滑动速度大体\n"
     "一致时，可假定为矩形。\n"
     "    对于软塑或流塑土，底部滑速往往大\n"
     "于上部，可假定为三角形。\n"
     "    介于二者之间时，可假定为梯形。\n"},
    {"滑坡推力调整系数", realCell([](D& d, int) { return &d.thrustAdjust; }, 0.0f), condB,
     "通过此值可调整滑坡推力的大小。"},
    {"梯形荷载q1/q2(0-2.0)", realCell([](D& d, int) { return &d.trapezoidRatio; }, 0.0f, 2.0f),
     [](const D& d) { return condB(d) || d.thrustShape != 2; },
     "推力为梯形分布时，上面与下面分布推力的比值。"},
    {"最小桩间距(m)", realCell([](D& d, int) { return &d.minPileSpacing; }, 0.0f),
     [](const D& d) { return !(d.goal == 1 && d.designTarget == 0); }},
};

constexpr int kRowsRow = 3;

}  // namespace

CPileTable::CPileTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 150, 60) {}

bool CPileTable::IsDashed(int row) const {
    return m_data.usePiles == 0 || CNameValueTable::IsDashed(row);
}

// Pile internal forces are computed for one row of piles.
bool CPileTable::IsLocked(int row) const {
    return row == kRowsRow && m_data.goal == 0 && m_data.checkTarget == 2;
}
