// Defaults for the cells most tables do not have, and the two notifications.
#include "tables/CTableBase.h"

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

std::string CTableBase::GetHangLieTiShi(int, int) const {
    return {};
}

void CTableBase::SendCount(int wParam) const {
    if (m_notify) m_notify(WM_TABLE_COUNT, wParam);
}

void CTableBase::SendChanged() const {
    if (m_notify) m_notify(WM_TABLE_CHANGED, 0);
}
