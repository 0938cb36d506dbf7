// Columns of the layer table; only the coefficient of the chosen elastic
// method is asked for.
#include "tables/CLayerTable.h"

#include "data/CSlideCalcData.h"
#include "tables/SegmentColumns.h"

namespace {

using D = CSlideCalcData;

const ListColumn kColumns[] = {
    {"土层序号", 32, ColumnKind::Number},
    {"土层厚(m)", 44, ColumnKind::Value, realCell([](D& d, int i) { return &d.layerThickness[i]; }),
     nullptr, "注意不能小于0"},
    {"重度(kN/m3)", 45, ColumnKind::Value,
     realCell([](D& d, int i) { return &d.layerGamma[i]; }, -CellRule::kNone, CellRule::kNone, 2)},
    {"M(MN/m4)", 50, ColumnKind::Value, realCell([](D& d, int i) { return &d.layerM[i]; }),
     [](const D& d, int) { return d.elasticMethod != 0; },
     "                  不同土层地基的m参考值\n"
     "---------------------------------------------------\n"
     "    土类型                              m(MN/m4)\n"
     "---------------------------------------------------\n"
     "1.  流塑粘性土(IL >= 1)，淤泥           3~5\n"
     "2.  软塑粘性土(0.5<= IL <1)，粉砂       5~10\n"
     "3.  硬塑粘性土(0< IL < 0.5)，细砂中砂   10~20\n"
     "4.  半干硬粘性土，粗砂                  20~30\n"
     "5.  砾砂,角砾砂,砾石土,碎石土,卵石土    30~80\n"
     "6.  块石土、漂石土                      80~120\n"},
    {"C(MN/m3.5)", 53, ColumnKind::Value, realCell([](D& d, int i) { return &d.layerC[i]; }),
     [](const D& d, int) { return d.elasticMethod != 1; }},
    {"K(MN/m3)", 55, ColumnKind::Value, realCell([](D& d, int i) { return &d.layerK[i]; }),
     [](const D& d, int) { return d.elasticMethod != 2; }},
};

}  // namespace

CLayerTable::CLayerTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

int CLayerTable::RowCount() const {
    const D& d = m_data;
    if (d.usePiles != 1 || d.goal != 0 || d.checkTarget != 2) return 0;
    return rowsOf(d.layerCount, CSlideCalcData::kMaxLayers);
}
