// Cells of a parameter table from its row list.
#include "tables/CNameValueTable.h"

#include <string_view>

const NameValueRow* CNameValueTable::rowAt(int row) const {
    if (row < 1 || row > RowCount()) return nullptr;
    return &m_rows[row - 1];
}

bool CNameValueTable::IsDashed(int row) const {
    const NameValueRow* r = rowAt(row);
    return r != nullptr && r->dashed != nullptr && r->dashed(m_data);
}

std::string CNameValueTable::GetHangLieText(int row, int col) const {
    if (col < 1 || col > 2) return {};
    const NameValueRow* r = rowAt(row);
    if (r == nullptr) return UndefinedRowText();
    if (col == 1) return r->name;
    if (IsDashed(row)) return kDash;
    return r->value.text(m_data, 0);
}

int CNameValueTable::IsHangLieEdit(int row, int col) const {
    if (!isValueCell(row, col) || IsDashed(row) || IsLocked(row)) return 0;
    return 1;
}

int CNameValueTable::IsHangLieCombo(int row, int col) const {
    return isValueCell(row, col) && rowAt(row)->value.kind == CellKind::Choice;
}

std::vector<std::string> CNameValueTable::GetComboItems(int row, int col) const {
    if (!IsHangLieCombo(row, col)) return {};
    return *rowAt(row)->value.items;
}

int CNameValueTable::GetComboIndex(int row, int col) const {
    if (!IsHangLieCombo(row, col)) return -1;
    return rowAt(row)->value.shownIndex(m_data, 0);
}

std::string CNameValueTable::GetHangLieTiShi(int row, int col) const {
    const NameValueRow* r = rowAt(row);
    return r == nullptr || col < 1 || col > 2 ? std::string() : r->hint;
}

void CNameValueTable::SetHangLieText(int row, int col, const std::string& text) {
    if (std::string_view(text.c_str()) == kDash || !isValueCell(row, col)) return;
    bool changed = rowAt(row)->value.apply(m_data, 0, text);
    AfterEdit(row, changed);
}
