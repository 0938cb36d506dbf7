// The page-facing questions answered by the core's tables.
#include "web/WebTables.h"

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"
#include "tables/TableCaption.h"

WebTables::WebTables(CSlideCalcData& record) : m_record(record) {
    reset();
}

WebTables::~WebTables() = default;

void WebTables::reset() {
    m_flags.clear();
    m_pages.clear();
    for (const TablePageInfo& info : tablePages())
        m_pages.push_back(std::make_unique<CTablePage>(info.id, m_record, &m_flags));
}

std::vector<WebPage> WebTables::pages() {
    std::vector<WebPage> out;
    for (const TablePageInfo& info : tablePages()) {
        WebPage p{static_cast<int>(info.id), info.title, {}};
        for (TableId t : info.tables) p.tables.push_back(static_cast<int>(t));
        out.push_back(std::move(p));
    }
    return out;
}

int WebTables::pileKindsPage() const {
    return static_cast<int>(::pileKindsPage(m_record));
}

CTablePage* WebTables::page(int id) {
    if (id < 0 || id >= static_cast<int>(m_pages.size())) return nullptr;
    return m_pages[id].get();
}

CTableBase* WebTables::find(int pageId, int table) {
    CTablePage* p = page(pageId);
    if (!p || table < 0 || table >= kTableCount) return nullptr;
    return p->find(static_cast<TableId>(table));
}

WebTable WebTables::table(int pageId, int tableId) {
    CTableBase* t = find(pageId, tableId);
    if (!t) return {};
    WebTable out{tableId,        t->Name(), tableCaption(t->Id()), t->TitleHeight(),
                 t->RowHeight(), {},        t->ColumnWidths(),     t->RowCount()};
    for (int c = 1; c <= t->ColumnCount(); ++c) out.titles.push_back(t->ColumnTitle(c));
    return out;
}

WebCell WebTables::cell(int pageId, int tableId, int row, int col) {
    CTableBase* t = find(pageId, tableId);
    if (!t) return {};
    return {t->GetHangLieText(row, col),
            t->IsHangLieEdit(row, col) != 0,
            t->IsHangLieCombo(row, col) != 0,
            t->GetComboItems(row, col),
            t->GetComboIndex(row, col),
            t->GetHangLieTiShi(row, col),
            t->UnitAt(row, col),
            t->CellWarning(row, col),
            t->CellName(row, col)};
}

std::vector<std::vector<std::string>> WebTables::texts(int pageId, int tableId) {
    std::vector<std::vector<std::string>> out;
    CTableBase* t = find(pageId, tableId);
    if (!t) return out;
    for (int r = 1; r <= t->RowCount(); ++r) {
        std::vector<std::string>& row = out.emplace_back();
        for (int c = 1; c <= t->ColumnCount(); ++c) row.push_back(t->GetHangLieText(r, c));
    }
    return out;
}

EditOutcome WebTables::type(int pageId, int tableId, int row, int col, const std::string& text) {
    if (!find(pageId, tableId)) return EditOutcome::Refused;
    const CSlideCalcData before = m_record;
    return TableEdit::typed(static_cast<TableId>(tableId), row, col, text)
        .apply(*page(pageId), before);
}

WebPaste WebTables::paste(int pageId, int tableId, int row, int col, const std::string& block) {
    WebPaste out;
    if (!find(pageId, tableId)) return out;
    const CSlideCalcData before = m_record;
    TableEdit edit = TableEdit::pasted(static_cast<TableId>(tableId), row, col, block);
    out.outcome = edit.apply(*page(pageId), before);
    out.cells = edit.pasteResult();
    out.refusals = describeRefusals(out.cells);
    return out;
}

void WebTables::setPointsShown(int pageId, bool shown) {
    if (CTablePage* p = page(pageId)) p->setPointsShown(shown);
}

std::vector<CellFlag> WebTables::flags() const {
    return m_flags.current(m_record);
}
