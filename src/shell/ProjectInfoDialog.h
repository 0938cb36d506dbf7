// The project-information dialog "指定工作路径": a directory chooser whose path
// line always shows the chosen directory, with "工程名称", "工程编号" and
// "设计时间", which are read again from "GCXX.BOX" whenever the directory
// changes. "确  认" makes a missing directory and writes "GCXX.BOX" there.
#pragma once

#include "project/CProjectInfo.h"

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;
class MessageSink;

class ProjectInfoDialog : public QDialog {
    Q_OBJECT
  public:
    // Starts in workPath with the fields of info.
    ProjectInfoDialog(const QString& workPath, const CProjectInfo& info, MessageSink& messages,
                      QWidget* parent = nullptr);

    // After "确  认": the directory, ending with "/", and the information
    // written into it.
    QString workPath() const { return m_confirmedPath; }
    const CProjectInfo& info() const { return m_info; }

    QLineEdit* pathLine() const { return m_path; }

  private:
    void directoryChosen(const QModelIndex& index);
    void pathTyped(const QString& text);
    bool showPathInTree();
    void loadFields(const QString& dir);
    void confirm();

    CProjectInfo m_info;
    MessageSink& m_messages;
    QString m_confirmedPath;
    QFileSystemModel* m_model;
    QTreeView* m_tree;
    QLineEdit* m_path;
    QLineEdit* m_name;
    QLineEdit* m_number;
    QLineEdit* m_time;
    QComboBox* m_industry;
};
