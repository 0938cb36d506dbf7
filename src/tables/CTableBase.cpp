// Defaults for the cells most tables do not have, and a cell's warning.
#include "tables/CTableBase.h"

#include "data/InputRanges.h"
#include "tables/CellFlags.h"
#include "tables/CellRule.h"
#include "tables/TableCaption.h"

std::string CTableBase::ColumnTitle(int) const {
    return {};
}

int CTableBase::IsHangLieCombo(int, int) const {
    return 0;
}

std::vector<std::string> CTableBase::GetComboItems(int, int) const {
    return {};
}

int CTableBase::GetComboIndex(int, int) const {
    return -1;
}

bool CTableBase::IsComputedColumn(int) const {
    return false;
}

std::string CTableBase::GetHangLieTiShi(int, int) const {
    return {};
}

std::string CTableBase::CellWarning(int row, int col) const {
    const void* field = FieldAt(row, col);
    if (field == nullptr) return {};
    if (m_flags) {
        std::string flag = m_flags->find(m_data, field);
        if (!flag.empty()) return flag;
    }
    for (const RangeFinding& f : CheckInputRanges(m_data))
        if (f.field == field) return f.message;
    return {};
}

void CTableBase::NoteTyped(int row, int col, const void* field, CellKind kind,
                           const std::string& text) {
    if (m_flags == nullptr || field == nullptr) return;
    m_flags->set(m_data, field, std::string(tableCaption(Id())) + " " + CellName(row, col),
                 readingWarning(kind, text));
}
