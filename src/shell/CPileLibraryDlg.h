// The selection dialog "单桩试验资料库列表" over a loaded pile library: the
// eleven columns of every test, several rows selectable with the mouse,
// "确认" marking the selected entries, and "编辑试验资料库" opening the
// library file in the user's editor and reading it again when the editor
// closes (or whenever the file is saved while the dialog is open).
#pragma once

#include <QDialog>

class CPileLibrary;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTableWidget;
struct WorkContext;

class CPileLibraryDlg : public QDialog {
    Q_OBJECT
  public:
    CPileLibraryDlg(CPileLibrary* library, const WorkContext& ctx, QWidget* parent = nullptr);

    // Rebuilds the list rows from the library.
    void FillPileList();
    // "编辑试验资料库".
    void OnEditLibrary();

    QTableWidget* list() const { return m_list; }
    QPushButton* editButton() const { return m_edit; }
    // What the dialog says about the editor (empty when nothing to say).
    QLabel* note() const { return m_note; }
    QString libraryPath() const { return m_path; }

  public slots:
    // "确认": ends with OK only when at least one row is selected.
    void accept() override;

  private:
    void reload();
    void setUpList();
    void sizeColumns();

    CPileLibrary* m_library;
    const WorkContext& m_ctx;
    QString m_path;
    QTableWidget* m_list;
    QPushButton* m_edit;
    QLabel* m_note;
    QFileSystemWatcher* m_watcher;
};
