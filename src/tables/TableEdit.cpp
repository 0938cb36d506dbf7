// Edits as values: a snapshot of the record before, the edit run through the
// table, and a comparison that tells an edit that changed nothing.
#include "tables/TableEdit.h"

#include "data/CSlideCalcData.h"
#include "platform/Assert.h"
#include "tables/TablePage.h"

TableEdit TableEdit::typed(TableId table, int row, int col, std::string text) {
    return TableEdit(table, row, col, std::move(text), false);
}

TableEdit TableEdit::pasted(TableId table, int row, int col, std::string block) {
    return TableEdit(table, row, col, std::move(block), true);
}

EditOutcome TableEdit::apply(CTablePage& page) {
    CTableBase* table = page.find(m_table);
    talvor_assert(table != nullptr);
    auto before = std::make_shared<const CSlideCalcData>(page.data());
    if (m_block) {
        m_paste = page.paste(m_table, m_row, m_col, m_text);
        if (m_paste.cellsSet == 0) return EditOutcome::Refused;
    } else {
        if (!table->IsHangLieEdit(m_row, m_col)) return EditOutcome::Refused;
        table->SetHangLieText(m_row, m_col, m_text);
    }
    m_before = before;
    return *before == page.data() ? EditOutcome::Unchanged : EditOutcome::Changed;
}

void TableEdit::revert(CTablePage& page) const {
    if (!m_before) return;
    restoreInput(page.data(), *m_before);
    page.refreshAll();
}

void restoreInput(CSlideCalcData& to, const CSlideCalcData& from) {
    CJsBaseData book = to;
    auto results = to.residualThrust;
    to = from;
    static_cast<CJsBaseData&>(to) = book;
    to.residualThrust = results;
}
