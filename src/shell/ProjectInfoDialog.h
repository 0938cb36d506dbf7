// The project-information dialog "指定工作路径": a directory list whose
// directory is entered by a double click or Enter, and a path line that
// always shows the chosen directory, with "工程名称", "工程编号" and
// "设计时间", which are read again from "GCXX.BOX" whenever the directory
// changes. "确  认" makes a missing directory and writes "GCXX.BOX" there.
#pragma once

#include "project/CProjectInfo.h"

#include <QDialog>

class QComboBox;
class DirectoryLevels;
class QLineEdit;
class QListView;
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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void enter(const QModelIndex& index);
    void pathTyped(const QString& text);
    void showInList(const QString& dir);
    void loadFields(const QString& dir);
    void confirm();

    CProjectInfo m_info;
    MessageSink& m_messages;
    QString m_confirmedPath;
    DirectoryLevels* m_levels;
    QListView* m_list;
    QLineEdit* m_path;
    QLineEdit* m_name;
    QLineEdit* m_number;
    QLineEdit* m_time;
    QComboBox* m_industry;
};
