// Columns of the water table.
#include "tables/CWaterTable.h"

#include "tables/SegmentColumns.h"

namespace {

const ListColumn kColumns[] = {
    {"折线序号", 32, ColumnKind::Number},
    {"水平投影长(m)", 71, ColumnKind::Value, segmentDx<&CSlideCalcData::water>(kMinSectionDx)},
    {"竖向投影长(m)", 71, ColumnKind::Value, segmentDy<&CSlideCalcData::water>()},
    {"折线长(m)", 70, ColumnKind::Length},
    {"折线仰角(度)", 79, ColumnKind::Angle},
};

}  // namespace

CWaterTable::CWaterTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CWaterTable::RowCount() const {
    return rowsOf(m_data.waterCount, CSlideCalcData::kMaxSegments);
}
