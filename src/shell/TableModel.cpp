// Model rows and columns count from 0, the tables' from 1: every call adds one.
#include "shell/TableModel.h"

#include "tables/CTableBase.h"
#include "tables/TablePage.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

// A title without its own line break is split before its unit, so that
// "水平投影长(m)" takes two lines in a narrow column as it did in the title
// picture.
QString headerText(std::string title) {
    QString t = qt(title);
    if (!t.contains('\n')) {
        qsizetype unit = t.indexOf('(');
        if (unit > 0) t.insert(unit, '\n');
    }
    return t;
}

}  // namespace

TableModel::TableModel(CTablePage& page, CTableBase& table, EditRunner runEdit, QObject* parent)
    : QAbstractTableModel(parent),
      m_page(page),
      m_table(table),
      m_runEdit(std::move(runEdit)),
      m_rows(std::max(0, table.RowCount())),
      m_cols(std::max(0, table.ColumnCount())) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_cols) return {};
    int row = index.row() + 1, col = index.column() + 1;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return qt(m_table.GetHangLieText(row, col));
        case kHintRole:
            return hintText(row, col);
        case kWarningRole:
            return qt(m_table.CellWarning(row, col));
        case Qt::ToolTipRole: {
            QString warning = qt(m_table.CellWarning(row, col));
            return warning.isEmpty() ? QVariant() : QVariant(warning);
        }
        case Qt::AccessibleDescriptionRole:
            return description(row, col);
        case kLockedRole:
            return !m_table.IsHangLieEdit(row, col);
        case Qt::ForegroundRole:
            if (m_table.GetHangLieText(row, col) == "---") return QBrush(QColor(150, 150, 150));
            if (!m_table.CellWarning(row, col).empty()) return QBrush(QColor(160, 0, 0));
            return {};
        case Qt::BackgroundRole:
            if (!m_table.CellWarning(row, col).empty()) return QBrush(QColor(255, 220, 200));
            if (!m_table.IsHangLieEdit(row, col)) return QBrush(QColor(238, 238, 238));
            return {};
        case Qt::TextAlignmentRole:
            if (col > 1 || m_table.TitleHeight() != CTableBase::kNoTitleHeight)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QString TableModel::hintText(int row, int col) const {
    QStringList parts;
    if (std::string warning = m_table.CellWarning(row, col); !warning.empty()) parts << qt(warning);
    QString hint = qt(m_table.GetHangLieTiShi(row, col)).trimmed();
    if (!hint.isEmpty()) parts << hint;
    if (std::string unit = m_table.UnitAt(row, col); !unit.empty())
        parts << QStringLiteral("单位: ") + qt(unit);
    return parts.join('\n');
}

// What a screen reader adds to the cell's text: its unit and its warning.
QString TableModel::description(int row, int col) const {
    QStringList parts;
    if (std::string unit = m_table.UnitAt(row, col); !unit.empty())
        parts << QStringLiteral("单位: ") + qt(unit);
    if (std::string warning = m_table.CellWarning(row, col); !warning.empty()) parts << qt(warning);
    return parts.join(QStringLiteral("; "));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole) return section + 1;
        return {};
    }
    if (role == Qt::DisplayRole) return headerText(m_table.ColumnTitle(section + 1));
    if (role == Qt::AccessibleTextRole) return qt(m_table.ColumnTitle(section + 1));
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() < m_rows && index.column() < m_cols &&
        m_table.IsHangLieEdit(index.row() + 1, index.column() + 1))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    return typeText(index.row() + 1, index.column() + 1, value.toString()) != EditOutcome::Refused;
}

EditOutcome TableModel::typeText(int row, int col, const QString& text) {
    return m_runEdit(TableEdit::typed(m_table.Id(), row, col, text.toStdString()));
}

EditOutcome TableModel::pasteText(int row, int col, const QString& text) {
    return m_runEdit(TableEdit::pasted(m_table.Id(), row, col, text.toStdString()));
}

void TableModel::followCount(int& held, int now, bool rows) {
    if (now > held) {
        rows ? beginInsertRows({}, held, now - 1) : beginInsertColumns({}, held, now - 1);
        held = now;
        rows ? endInsertRows() : endInsertColumns();
    } else if (now < held) {
        rows ? beginRemoveRows({}, now, held - 1) : beginRemoveColumns({}, now, held - 1);
        held = now;
        rows ? endRemoveRows() : endRemoveColumns();
    }
}

void TableModel::refresh() {
    followCount(m_rows, std::max(0, m_table.RowCount()), true);
    int cols = std::max(0, m_table.ColumnCount());
    if (cols != m_cols) {
        followCount(m_cols, cols, false);
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, m_cols - 1));
    }
    if (m_rows > 0 && m_cols > 0) emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}
