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
    const CellRule& rule = rowAt(row)->value;
    rule.apply(m_data, 0, text);
    if (rule.kind != CellKind::Choice) NoteTyped(row, col, rule.field(m_data, 0), rule.kind, text);
    AfterEdit(row);
}

const void* CNameValueTable::FieldAt(int row, int col) const {
    if (!isValueCell(row, col) || IsDashed(row)) return nullptr;
    return rowAt(row)->value.field(m_data, 0);
}

std::string CNameValueTable::UnitAt(int row, int col) const {
    return FieldAt(row, col) ? unitInTitle(rowAt(row)->name) : std::string();
}

std::string CNameValueTable::CellName(int row, int) const {
    const NameValueRow* r = rowAt(row);
    return r ? r->name : std::string();
}

void CNameValueTable::HoldChoices() {
    for (int row = 1; row <= RowCount(); ++row) {
        const CellRule& rule = rowAt(row)->value;
        if (rule.kind == CellKind::Choice && rule.writeBack) rule.shownIndex(m_data, 0);
    }
}
