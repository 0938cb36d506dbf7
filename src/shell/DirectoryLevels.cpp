// Ancestors indented by depth above the indented subdirectories, as the
// directory lists of older Windows file dialogs showed them.
#include "shell/DirectoryLevels.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {

QString existingDirectory(const QString& dir) {
    if (dir.trimmed().isEmpty()) return {};
    QString path = QDir::cleanPath(QDir(dir.trimmed()).absolutePath());
    while (!QFileInfo(path).isDir()) {
        QString up = QFileInfo(path).path();
        if (up == path) return {};
        path = up;
    }
    return path;
}

QString nameOf(const QDir& dir) {
    return dir.isRoot() ? QDir::toNativeSeparators(dir.absolutePath()) : dir.dirName();
}

}  // namespace

QString DirectoryLevels::show(const QString& dir) {
    QString path = existingDirectory(dir);
    if (path == m_shown && !path.isEmpty()) return m_shown;
    std::vector<Row> rows;
    if (!path.isEmpty()) {
        QDir up(path);
        do rows.insert(rows.begin(), {up.absolutePath(), nameOf(up), 0, true});
        while (!up.isRoot() && up.cdUp());
        for (int depth = 0; depth < int(rows.size()); ++depth) rows[depth].depth = depth;
        const int childDepth = int(rows.size());
        QDir here(path);
        for (const QString& name :
             here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
            rows.push_back({here.absoluteFilePath(name), name, childDepth, false});
    }
    beginResetModel();
    m_rows = std::move(rows);
    m_shown = path;
    m_shownRow = -1;
    for (int row = 0; row < int(m_rows.size()) && m_rows[row].ancestor; ++row) m_shownRow = row;
    endResetModel();
    return m_shown;
}

QModelIndex DirectoryLevels::shownIndex() const {
    return m_shownRow < 0 ? QModelIndex() : index(m_shownRow);
}

QString DirectoryLevels::pathAt(const QModelIndex& index) const {
    return index.isValid() && index.row() < int(m_rows.size()) ? m_rows[index.row()].path
                                                               : QString();
}

int DirectoryLevels::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant DirectoryLevels::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size())) return {};
    const Row& row = m_rows[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            return QString(2 * row.depth, ' ') + row.name;
        case Qt::AccessibleTextRole:
            return row.name;
        case Qt::AccessibleDescriptionRole:
            return index.row() == m_shownRow ? "当前目录" : row.ancestor ? "上级目录" : "子目录";
        case Qt::ToolTipRole:
            return QDir::toNativeSeparators(row.path);
        case Qt::DecorationRole:
            return QApplication::style()->standardIcon(row.ancestor ? QStyle::SP_DirOpenIcon
                                                                    : QStyle::SP_DirClosedIcon);
        default:
            return {};
    }
}
