// Edits as values, run through the table's own rules.
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

bool TableEdit::apply(CTablePage& page) {
    CTableBase* table = page.find(m_table);
    talvor_assert(table != nullptr);
    if (m_block) {
        m_paste = page.paste(m_table, m_row, m_col, m_text);
        return m_paste.cellsSet > 0;
    }
    if (!table->IsHangLieEdit(m_row, m_col)) return false;
    table->SetHangLieText(m_row, m_col, m_text);
    return true;
}

EditOutcome TableEdit::apply(CTablePage& page, const CSlideCalcData& before) {
    const bool taken = apply(page);
    if (before == page.data()) return taken ? EditOutcome::Unchanged : EditOutcome::Refused;
    return EditOutcome::Changed;
}

void restoreInput(CSlideCalcData& to, const CSlideCalcData& from) {
    CJsBaseData book = to;
    auto results = to.residualThrust;
    to = from;
    static_cast<CJsBaseData&>(to) = book;
    to.residualThrust = results;
}
