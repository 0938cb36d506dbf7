// The directory list of the project dialog: the shown directory's ancestors
// from the root down to it, then its subdirectories, one row each. The list
// is read at once and replaced whole when another directory is shown, so its
// rows are always the rows a list view shows: a screen reader told of a
// change never asks for a row that is not there.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <vector>

class DirectoryLevels : public QAbstractListModel {
  public:
    using QAbstractListModel::QAbstractListModel;

    // Lists dir, or its nearest existing ancestor when dir is missing; an
    // empty dir lists nothing. Returns the directory listed.
    QString show(const QString& dir);
    const QString& shown() const { return m_shown; }
    // The row of the shown directory itself (the last ancestor row).
    QModelIndex shownIndex() const;
    QString pathAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    struct Row {
        QString path;
        QString name;
        int depth;
        bool ancestor;
    };
    std::vector<Row> m_rows;
    QString m_shown;
    int m_shownRow = -1;
};
