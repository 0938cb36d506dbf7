// Columns of the slip table; c and φ show "---" while being back-calculated.
#include "tables/CSlipTable.h"

#include "data/CSlideCalcData.h"
#include "tables/SegmentColumns.h"

namespace {

const ListColumn kColumns[] = {
    {"折线序号", 32, ColumnKind::Number},
    {"水平投影长(m)", 54, ColumnKind::Value, segmentDx<&CSlideCalcData::slip>(kMinSectionDx)},
    {"竖向投影长(m)", 54, ColumnKind::Value, segmentDy<&CSlideCalcData::slip>()},
    {"折线长(m)", 45, ColumnKind::Length},
    {"折线仰角(度)", 45, ColumnKind::Angle},
    {"粘聚力(kPa)", 51, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int i) { return &d.slip[i].c; }),
     [](const CSlideCalcData& d, int) { return d.goal == 0 && d.checkTarget == 4; },
     "输入该滑面段的粘聚力"},
    {"摩擦角(度)", 52, ColumnKind::Value,
     realCell([](CSlideCalcData& d, int i) { return &d.slip[i].phi; }),
     [](const CSlideCalcData& d, int) { return d.goal == 0 && d.checkTarget == 3; },
     "输入该滑面段的摩擦角"},
};

}  // namespace

CSlipTable::CSlipTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CSlipTable::RowCount() const {
    return rowsOf(m_data.slipCount, CSlideCalcData::kMaxSegments);
}
