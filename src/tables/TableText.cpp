#include "tables/TableText.h"

#include "data/CSlideCalcData.h"
#include "data/ItemOpening.h"
#include "tables/CTableBase.h"
#include "tables/CoordinateView.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

namespace {

// The pile-kind lists are opened from the pile page's "桩身参数" button.
std::string pageTitle(TableId id) {
    const TablePageInfo& page = tablePage(pageOfTable(id));
    return *page.title ? page.title : std::string("抗滑桩/桩身参数");
}

}  // namespace

std::vector<TablePlace> ListTables(CSlideCalcData& item) {
    std::vector<TablePlace> places;
    for (int i = 0; i < kTableCount; ++i) {
        auto id = static_cast<TableId>(i);
        places.push_back({tableName(id), pageTitle(id), makeTable(id, item)->RowCount()});
    }
    return places;
}

std::vector<std::string> TableRows(CTableBase& table, bool editable) {
    std::vector<std::string> rows;
    for (int r = 1; r <= table.RowCount(); ++r) {
        std::string& line = rows.emplace_back();
        for (int c = 1; c <= table.ColumnCount(); ++c) {
            if (c > 1) line += '\t';
            line +=
                editable ? std::to_string(table.IsHangLieEdit(r, c)) : table.GetHangLieText(r, c);
        }
    }
    return rows;
}

std::vector<std::string> CellWarnings(CTableBase& table) {
    std::vector<std::string> lines;
    for (int r = 1; r <= table.RowCount(); ++r)
        for (int c = 1; c <= table.ColumnCount(); ++c) {
            std::string warning = table.CellWarning(r, c);
            if (warning.empty()) continue;
            std::string cell = table.CellName(r, c);
            if (std::string unit = table.UnitAt(r, c); !unit.empty()) cell += " [" + unit + "]";
            lines.push_back(std::string(table.Name()) + " 第" + std::to_string(r) + "行第" +
                            std::to_string(c) + "列 " + cell + ": " + warning);
        }
    return lines;
}

std::optional<CellText> ParseCellText(const std::string& arg) {
    size_t eq = arg.find('=');
    size_t comma = arg.find(',');
    if (eq == std::string::npos || comma == std::string::npos || comma > eq) return std::nullopt;
    std::string row = arg.substr(0, comma), col = arg.substr(comma + 1, eq - comma - 1);
    auto digits = [](const std::string& s) {
        return !s.empty() && s.size() < 9 && s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(row) || !digits(col)) return std::nullopt;
    return CellText{std::stoi(row), std::stoi(col), arg.substr(eq + 1)};
}

std::vector<std::string> TypeCellTexts(CTablePage& page, TableId id,
                                       const std::vector<std::string>& sets) {
    std::vector<std::string> refused;
    for (const std::string& arg : sets) {
        std::optional<CellText> set = ParseCellText(arg);
        if (!set) {
            refused.push_back("--set " + arg + " 的格式应为 行,列=文字");
        } else if (!TableEdit::typed(id, set->row, set->col, set->text).apply(page)) {
            refused.push_back(std::string(tableName(id)) + " 第" + std::to_string(set->row) +
                              "行第" + std::to_string(set->col) +
                              "列不能输入，已拒绝: " + set->text);
        }
    }
    return refused;
}

ItemTable WorkItemTable(const ItemTableRequest& request, StatusSink& status,
                        MessageSink& messages) {
    ItemTable out;
    CSlideCalcData item;
    const OpenedItem opened = OpenItemFile(request.item, item, &status, &messages);
    if (!opened.read) return out;
    out.outcome = ItemTableOutcome::Done;
    if (request.table.empty()) {
        out.tables = ListTables(item);
        return out;
    }
    const std::optional<TableId> id = tableByName(request.table);
    if (!id) {
        out.outcome = ItemTableOutcome::NoSuchTable;
        return out;
    }
    CTablePage page(pageOfTable(*id), item);
    if (request.points && !CoordinateView::Fits(*id)) {
        out.outcome = ItemTableOutcome::NoPoints;
        return out;
    }
    if (request.points) page.setPointsShown(true);
    out.refused = TypeCellTexts(page, *id, request.sets);
    out.rows = TableRows(*page.find(*id), request.editable);
    out.warnings = CellWarnings(*page.find(*id));
    // Rewriting would make the reader's guesses permanent: the file stays as it is.
    if (request.write && !opened.mayRewrite())
        out.outcome = ItemTableOutcome::ItemGuessed;
    else if (request.write && !item.WriteDataFile(request.item))
        out.outcome = ItemTableOutcome::NotWritten;
    return out;
}
