// The project document of one calculation kind: its item list (which items,
// which one is selected, which result view of it is shown) and the commands
// of the item bar, "增", "删" and "算", and of its two combos. It shows results
// in the two panes of its project window and opens items through the main
// frame's calculation-window command.
#pragma once

#include "shell/Commands.h"

#include "project/ItemList.h"

#include <QObject>

#include <functional>

class DrawingPane;
class ReportPane;
struct ProjectSession;

class CBbDoc : public QObject {
    Q_OBJECT
  public:
    // How the document reaches its surroundings: the two panes of its window
    // and the main frame's command that runs the calculation window for the
    // item context; it returns when that window has closed, true when a
    // calculation succeeded in it.
    struct Links {
        DrawingPane* drawing = nullptr;
        ReportPane* report = nullptr;
        std::function<bool()> runCalcWindow;
    };

    CBbDoc(ProjectSession& session, int kindIndex, Links links, QObject* parent = nullptr);

    // The item bar's commands in the menu "工程操作[&E]".
    static CommandTable<CBbDoc> commands();

    const ItemList& items() const { return m_list; }
    QString title() const;

    void RefreshItemList(bool selectLast);
    void ShowResult();
    void ClearViews();

    void OnAddItem();
    void OnDeleteItem();
    void OnCalcItem();
    void OnItemSelected(int line);
    void OnResultSelected(int line);

  signals:
    // The item lines or the result lines changed; the item bar refills.
    void listsChanged();
    // The project record may have changed ("保存数据" follows it).
    void projectChanged();

  private:
    // Opens the selected item in the calculation window; true when a
    // calculation succeeded there.
    bool OpenItem(bool newItem);
    void showDrawing(const QString& file);

    ProjectSession& m_session;
    ItemList m_list;
    Links m_links;
};
