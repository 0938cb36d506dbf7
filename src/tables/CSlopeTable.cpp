// Columns of the slope table.
#include "tables/CSlopeTable.h"

#include "tables/SegmentColumns.h"

namespace {

const ListColumn kColumns[] = {
    {"折线序号", 32, ColumnKind::Number},
    {"水平投影长(m)", 54, ColumnKind::Value, segmentDx<&CSlideCalcData::slope>(kMinSectionDx)},
    {"竖向投影长(m)", 54, ColumnKind::Value, segmentDy<&CSlideCalcData::slope>()},
    {"坡线长(m)", 54, ColumnKind::Length},
    {"坡线仰角(度)", 54, ColumnKind::Angle},
    {"附加荷载数", 58, ColumnKind::Value,
     countCell([](CSlideCalcData& d, int i) { return &d.slope[i].loadCount; }, 0,
               CLineSeg::kMaxLoads)},
};

}  // namespace

CSlopeTable::CSlopeTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CSlopeTable::RowCount() const {
    return rowsOf(m_data.slopeCount, CSlideCalcData::kMaxSegments);
}
