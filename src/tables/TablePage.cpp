// The page table and the tables of one page.
#include "tables/TablePage.h"

#include "data/CSlideCalcData.h"
#include "platform/Assert.h"
#include "tables/CoordinateView.h"

using enum TableId;

const std::vector<TablePageInfo>& tablePages() {
    static const std::vector<TablePageInfo> pages = {
        {TablePageId::Control, "控制", {CControlTable, CBasicTable}},
        {TablePageId::Slip, "滑面", {CSlipCountTable, CSlipTable, CWaterCountTable, CWaterTable}},
        {TablePageId::Slope, "坡面", {CSlopeCountTable, CSlopeTable, CLoadTable}},
        {TablePageId::Pile, "抗滑桩", {CPileTable, CLayerTable, CRowFactorTable}},
        {TablePageId::Berm, "反压码", {CBermTable}},
        {TablePageId::Unload, "刷方", {CUnloadTable, CUnloadSegTable}},
        {TablePageId::KindList, "", {CKindCountTable, CPileKindTable}},
        {TablePageId::OneKindList, "", {CPileKindTable}},
    };
    return pages;
}

TablePageId pileKindsPage(const CSlideCalcData& data) {
    return data.goal == 1 && data.designTarget == 0 ? TablePageId::KindList
                                                    : TablePageId::OneKindList;
}

const TablePageInfo& tablePage(TablePageId id) {
    return tablePages().at(static_cast<size_t>(id));
}

TablePageId pageOfTable(TableId id) {
    for (const TablePageInfo& page : tablePages()) {
        for (TableId t : page.tables) {
            if (t == id) return page.id;
        }
    }
    talvor_assert(false);
    return TablePageId::Control;
}

void HoldStoredChoices(CSlideCalcData& data) {
    for (int i = 0; i < kTableCount; ++i) makeTable(static_cast<TableId>(i), data)->HoldChoices();
}

CTablePage::CTablePage(TablePageId id, CSlideCalcData& data, CellFlags* flags)
    : m_id(id), m_data(data), m_flags(flags) {
    if (m_flags == nullptr) {
        m_ownFlags = std::make_unique<CellFlags>();
        m_flags = m_ownFlags.get();
    }
    HoldStoredChoices(data);
    for (TableId t : tablePage(id).tables) {
        std::unique_ptr<CTableBase> table = makeTable(t, data);
        table->SetFlags(m_flags);
        if (CoordinateView::Fits(t))
            table = std::make_unique<CoordinateView>(std::move(table), data);
        table->SetFlags(m_flags);
        m_tables.push_back(std::move(table));
    }
}

CTableBase* CTablePage::find(TableId id) {
    for (auto& t : m_tables) {
        if (t->Id() == id) return t.get();
    }
    return nullptr;
}

std::vector<CoordinateView*> CTablePage::coordinateViews() {
    std::vector<CoordinateView*> views;
    for (auto& t : m_tables) {
        if (CoordinateView::Fits(t->Id())) views.push_back(static_cast<CoordinateView*>(t.get()));
    }
    return views;
}

void CTablePage::setPointsShown(bool shown) {
    for (CoordinateView* v : coordinateViews()) v->SetPointsShown(shown);
}

PasteResult CTablePage::paste(TableId id, int row, int col, std::string_view text) {
    m_lastPaste = {};
    CTableBase* table = find(id);
    if (table == nullptr) return {};
    std::optional<CTableBase::CountCell> source = table->CountSource();
    CTableBase* counter = source ? find(source->table) : nullptr;
    m_lastPaste = pasteCells(*table, counter, row, col, text);
    return m_lastPaste;
}
