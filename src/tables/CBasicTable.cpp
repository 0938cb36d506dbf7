// Rows of the basic table. Values are taken as typed; a switched-off water or
// earthquake option keeps its values, shown again when switched on.
#include "tables/CBasicTable.h"

#include "data/CSlideCalcData.h"

namespace {

const ChoiceList kYesNo = {"否", "是"};
const ChoiceList kQuake = {"不考虑地震", "设计烈度7度", "设计烈度8度", "设计烈度9度"};

using D = CSlideCalcData;

const NameValueRow kRows[] = {
    {"滑体土重度(kN/m3)", realCell([](D& d, int) { return &d.gamma; }), nullptr,
     "    坡面线与滑动面之间土体的容重，\n"
     "有水位面时，水位面以上用此参数计\n"
     "算"},
    {"滑体土饱和重度(kN/m3)", realCell([](D& d, int) { return &d.gammaSat; }), nullptr,
     "    有水位面时，水位面以下用\n"
     "此参数计算"},
    {"计算滑坡推力时的安全系数", realCell([](D& d, int) { return &d.thrustSafetyFactor; }), nullptr,
     "    抗滑安全系数；一般工程取1.1~1.2，\n"
     "重点工程1.25~1.3，考虑地震1.05~1.10；\n"
     "当荷载产生作用的方向与整体滑坡的方向\n"
     "相反时，K取1。"},
    {"考虑动水压力和浮托力", choiceCell([](D& d, int) { return &d.useSeepage; }, kYesNo, true),
     nullptr,
     "     此参数影响下滑力计算；动水压力作用\n"
     "于饱水面积重心，方向与水力坡度平行，浮\n"
     "托力方向垂直于滑面。"},
    {"滑体土的孔隙度", realCell([](D& d, int) { return &d.porosity; }),
     [](const D& d) { return d.useSeepage == 0; }, "动水压力的计算参数。孔隙度小于1"},
    {"考虑承压水的浮托力", choiceCell([](D& d, int) { return &d.useConfinedWater; }, kYesNo, true),
     nullptr,
     "    此参数影响下滑力计算；浮托力\n"
     "方向垂直于滑面。"},
    {"承压水水头高(m)", realCell([](D& d, int) { return &d.confinedHead; }),
     [](const D& d) { return d.useConfinedWater == 0; }},
    {"地震烈度", choiceCell([](D& d, int) { return &d.quakeLevel; }, kQuake, true), nullptr,
     "    此参数设置表示稳定计算时是否\n"
     "考虑地震作用；考虑时，安全系数\n"
     "一般取1.05~1.1。"},
    {"地震力计算综合影响系数", realCell([](D& d, int) { return &d.quakeCz; }),
     [](const D& d) { return d.quakeLevel == 0; },
     "    地震力的计算参数；公路行业一\n"
     "般取0.25；铁路行业一般取0.2~0.25"},
    {"地震力计算重要性修正系数", realCell([](D& d, int) { return &d.quakeCi; }),
     [](const D& d) { return d.quakeLevel == 0; },
     "    地震力的计算参数；公路行业一\n"
     "般取0.6~1.7。"},
    {"最大的φ值(度)", realCell([](D& d, int) { return &d.maxPhi; }),
     [](const D& d) { return d.goal == 1 || d.checkTarget != 3; }},
    {"最大的C值(kPa)", realCell([](D& d, int) { return &d.maxC; }),
     [](const D& d) { return d.goal == 1 || d.checkTarget != 4; }},
    {"考虑坡面以上的静水压力",
     choiceCell([](D& d, int) { return &d.useStaticWater; }, kYesNo, true), nullptr,
     "此参数的意义是：\n"
     "    当水面高于坡面时，是否考虑坡面以上水的\n"
     "静止水压力作用。\n"
     "    当水面低于坡面时，此参数不起作用。"},
};

}  // namespace

CBasicTable::CBasicTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 190, 120) {}
