// Columns of the pile-kind table. The concrete grade is asked for only where
// the pile's internal forces (and so its reinforcement) are computed.
#include "tables/CPileKindTable.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "tables/SegmentColumns.h"

#include <algorithm>

namespace {

using D = CSlideCalcData;

const ChoiceList kMaterial = {"钢筋混凝土", "钢轨", "木桩", "钢桩"};
const ChoiceList kSection = {"圆形", "方形", "其他"};
const ChoiceList kGrade = {"C10", "C15", "C20", "C25", "C30", "C35",
                           "C40", "C45", "C50", "C55", "C60"};

constexpr int kRail = 1;
constexpr int kRound = 0, kSquare = 1;

CPileKind& kind(D& d, int i) {
    return d.pileKinds[i];
}

// The section as its drop-down shows it.
int shownSection(const CPileKind& k) {
    return std::clamp(k.section, 0, 2);
}

const ListColumn kColumns[] = {
    {"序号", 25, ColumnKind::Number},
    {"桩材料", 68, ColumnKind::Value,
     choiceCell([](D& d, int i) { return &kind(d, i).material; }, kMaterial)},
    {"截面形状", 35, ColumnKind::Value,
     choiceCell([](D& d, int i) { return &kind(d, i).section; }, kSection),
     [](const D& d, int i) { return d.pileKinds[i].material == kRail; }},
    {"尺寸参数1", 61, ColumnKind::Value, realCell([](D& d, int i) { return &kind(d, i).size1; })},
    {"尺寸参数2", 60, ColumnKind::Value, realCell([](D& d, int i) { return &kind(d, i).size2; }),
     [](const D& d, int i) {
         return d.pileKinds[i].material == kRail || shownSection(d.pileKinds[i]) == kRound;
     }},
    {"桩长(m)", 61, ColumnKind::Value, realCell([](D& d, int i) { return &kind(d, i).length; })},
    {"嵌入深度(m)", 61, ColumnKind::Value,
     realCell([](D& d, int i) { return &kind(d, i).embedDepth; })},
    {"极限承载力(kN)", 61, ColumnKind::Value,
     realCell([](D& d, int i) { return &kind(d, i).capacity; })},
    {"材料造价(元/桩)", 61, ColumnKind::Value,
     realCell([](D& d, int i) { return &kind(d, i).materialCost; })},
    {"施工造价(元/桩)", 61, ColumnKind::Value,
     realCell([](D& d, int i) { return &kind(d, i).buildCost; })},
    {"施工工期(人天/桩)", 68, ColumnKind::Value,
     realCell([](D& d, int i) { return &kind(d, i).buildDays; })},
    {"混凝土强度等级", 67, ColumnKind::Value,
     choiceCell([](D& d, int i) { return &kind(d, i).concreteGrade; }, kGrade)},
};

bool candidates(const D& d) {
    return d.goal == 1 && d.designTarget == 0;
}

bool checkMode(const D& d) {
    return d.goal == 0;
}

}  // namespace

CPileKindTable::CPileKindTable(CSlideCalcData& data) : CListTable(data, kColumns) {}

std::span<const ListColumn> CPileKindTable::Columns() const {
    bool grade = m_data.goal == 0 && m_data.checkTarget == 2;
    return std::span<const ListColumn>(kColumns).first(grade ? 12 : 11);
}

int CPileKindTable::RowCount() const {
    if (candidates(m_data)) return rowsOf(m_data.pileKindCount, CSlideCalcData::kMaxPileKinds);
    return 1;
}

std::string CPileKindTable::ColumnTitle(int col) const {
    if (col == 1 && checkMode(m_data)) return {};
    return CListTable::ColumnTitle(col);
}

std::optional<CTableBase::CountCell> CPileKindTable::CountSource() const {
    if (!candidates(m_data)) return std::nullopt;
    return CountCell{TableId::CKindCountTable, 1};
}

std::string CPileKindTable::NumberText(int row) const {
    return checkMode(m_data) ? " " : intText(row);
}

// The sizes' unit follows the material and section, as their hints say.
std::string CPileKindTable::UnitAt(int row, int col) const {
    if (FieldAt(row, col) == nullptr) return {};
    if (col == 4 || col == 5) return PileSizeUnit(m_data, ElementIndex(row), col - 3);
    return CListTable::UnitAt(row, col);
}

std::string CPileKindTable::HintAt(int row, int col) const {
    if (cellAt(row, col) == nullptr || (col != 4 && col != 5)) return {};
    const CPileKind& k = m_data.pileKinds[ElementIndex(row)];
    if (k.material == kRail) {
        if (col == 5) return {};
        return "注意：\n"
               "    此处为钢轨的型号，单位kg/m\n"
               "本软件接受的型号为 33, 38, 43, 50";
    }
    int section = shownSection(k);
    if (col == 4) {
        if (section == kRound) return "此处为圆桩直径,单位为(cm)";
        if (section == kSquare) return "此处为方桩宽,单位为(cm)";
        return "此处为桩惯性矩,单位为(cm4)";
    }
    if (section == kSquare) return "此处为方桩高,单位为(cm)";
    return section == kRound ? "" : "此处为桩截面宽,单位为(cm),计算土体抗力时使用。";
}
