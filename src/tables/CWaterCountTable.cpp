// The water line's segment count and start point.
#include "tables/CWaterCountTable.h"

#include "data/CSlideCalcData.h"

namespace {

const char* const kOriginHint = "注意：\n     以滑面线的起始点为坐标原点。";

const NameValueRow kRows[] = {
    {"水面线段数",
     countCell([](CSlideCalcData& d, int) { return &d.waterCount; }, 1,
               CSlideCalcData::kMaxSegments),
     nullptr,
     "     该参数最大为 100，软件假定\n"
     "首末两段两侧水面自动水平延伸，\n"
     "用户可以不必输入。"},
    {"水面线起始点坐标X(m)", realCell([](CSlideCalcData& d, int) { return &d.waterX0; }), nullptr,
     kOriginHint},
    {"水面线起始点坐标Y(m)", realCell([](CSlideCalcData& d, int) { return &d.waterY0; }), nullptr,
     kOriginHint},
};

}  // namespace

CWaterCountTable::CWaterCountTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 130, 100) {}
