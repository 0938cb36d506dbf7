// The slope line's segment count and start point.
#include "tables/CSlopeCountTable.h"

#include "data/CSlideCalcData.h"

namespace {

const NameValueRow kRows[] = {
    {"坡面线段数",
     countCell([](CSlideCalcData& d, int) { return &d.slopeCount; }, 1,
               CSlideCalcData::kMaxSegments),
     nullptr, "该参数限定为1~100个"},
    {"坡面线起始点坐标X(m)", realCell([](CSlideCalcData& d, int) { return &d.slopeX0; }, 0.0f),
     nullptr, "注意：\n     以滑面线的起始点为坐标原点。"},
};

}  // namespace

CSlopeCountTable::CSlopeCountTable(CSlideCalcData& data) : CNameValueTable(data, kRows, 130, 100) {}
