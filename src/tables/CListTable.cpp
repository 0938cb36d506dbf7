// Cells of a list table from its column list.
#include "tables/CListTable.h"

#include "platform/PlaneGeometry.h"

#include <string_view>

std::vector<int> CListTable::ColumnWidths() const {
    std::vector<int> widths;
    for (const ListColumn& c : Columns()) widths.push_back(c.width);
    return widths;
}

std::string CListTable::ColumnTitle(int col) const {
    std::span<const ListColumn> cols = Columns();
    if (col < 1 || col > static_cast<int>(cols.size())) return {};
    return cols[col - 1].title;
}

const ListColumn* CListTable::cellAt(int row, int col) const {
    std::span<const ListColumn> cols = Columns();
    if (row < 1 || row > RowCount() || col < 1 || col > static_cast<int>(cols.size())) {
        return nullptr;
    }
    return &cols[col - 1];
}

bool CListTable::isDashed(const ListColumn& c, int row) const {
    return c.dashed != nullptr && c.dashed(m_data, ElementIndex(row));
}

std::string CListTable::computedText(const ListColumn& c, int row) const {
    std::span<const ListColumn> cols = Columns();
    int index = ElementIndex(row);
    float dx = *cols[1].value.real(m_data, index);
    float dy = *cols[2].value.real(m_data, index);
    if (c.kind == ColumnKind::Length) return realText(get_dist(0, 0, dx, dy), 3);
    // The angle is shown in degrees with the π of the original tables; the
    // division is in double and printed as it comes out, not rounded to float.
    double degrees = static_cast<double>(get_line_angle(0, 0, dx, dy) * 180.0f) / 3.1415927;
    return realText(degrees, 2);
}

std::string CListTable::GetHangLieText(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    if (c == nullptr) return {};
    switch (c->kind) {
        case ColumnKind::Number:
            return NumberText(row);
        case ColumnKind::Length:
        case ColumnKind::Angle:
            return computedText(*c, row);
        case ColumnKind::Value:
            break;
    }
    if (isDashed(*c, row)) return kDash;
    if (c->value.real == nullptr && c->value.integer == nullptr) return kUndefined;
    return c->value.text(m_data, ElementIndex(row));
}

int CListTable::IsHangLieEdit(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    return c != nullptr && col > 1 && c->kind == ColumnKind::Value && !isDashed(*c, row);
}

int CListTable::IsHangLieCombo(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    return c != nullptr && c->kind == ColumnKind::Value && c->value.kind == CellKind::Choice;
}

std::vector<std::string> CListTable::GetComboItems(int row, int col) const {
    if (!IsHangLieCombo(row, col)) return {};
    return *cellAt(row, col)->value.items;
}

int CListTable::GetComboIndex(int row, int col) const {
    if (!IsHangLieCombo(row, col)) return -1;
    return cellAt(row, col)->value.shownIndex(m_data, ElementIndex(row));
}

bool CListTable::IsComputedColumn(int col) const {
    std::span<const ListColumn> cols = Columns();
    if (col < 1 || col > static_cast<int>(cols.size())) return false;
    ColumnKind kind = cols[col - 1].kind;
    return kind == ColumnKind::Length || kind == ColumnKind::Angle;
}

std::string CListTable::HintAt(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    return c == nullptr ? std::string() : c->hint;
}

std::string CListTable::GetHangLieTiShi(int row, int col) const {
    return HintAt(row, col);
}

void CListTable::SetHangLieText(int row, int col, const std::string& text) {
    if (std::string_view(text.c_str()) == kDash) return;
    const ListColumn* c = cellAt(row, col);
    if (c == nullptr || col == 1 || c->kind != ColumnKind::Value) return;
    c->value.apply(m_data, ElementIndex(row), text);
    if (c->value.kind != CellKind::Choice)
        NoteTyped(row, col, c->value.field(m_data, ElementIndex(row)), c->value.kind, text);
}

const void* CListTable::FieldAt(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    if (c == nullptr || c->kind != ColumnKind::Value || isDashed(*c, row)) return nullptr;
    if (c->value.real == nullptr && c->value.integer == nullptr) return nullptr;
    return c->value.field(m_data, ElementIndex(row));
}

std::string CListTable::UnitAt(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    if (c == nullptr || c->kind == ColumnKind::Number || isDashed(*c, row)) return {};
    return unitInTitle(c->title);
}

std::string CListTable::CellName(int row, int col) const {
    const ListColumn* c = cellAt(row, col);
    const std::string title = c ? c->title : "";
    const std::string number = NumberText(row);
    // The single pile kind of a check has no number.
    if (number.find_first_not_of(' ') == std::string::npos) return title;
    return "第 " + number + " 行 " + title;
}

void CListTable::HoldChoices() {
    for (const ListColumn& c : Columns()) {
        if (c.kind != ColumnKind::Value || c.value.kind != CellKind::Choice || !c.value.writeBack)
            continue;
        for (int row = 1; row <= RowCount(); ++row) c.value.shownIndex(m_data, ElementIndex(row));
    }
}
