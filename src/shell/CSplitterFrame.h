// The project window of one calculation kind: the item bar on top (item combo,
// "增", "删", "算", result combo) and below it the drawing view on the left and
// the report view on the right. It routes the commands of the menus and the
// toolbar to its document and its two views.
#pragma once

#include "shell/Commands.h"

#include <QWidget>

#include <functional>

class CBbDoc;
class DrawingPane;
class QComboBox;
class QPushButton;
class QSplitter;
class ReportPane;
struct ProjectSession;

class CSplitterFrame : public QWidget {
    Q_OBJECT
  public:
    CSplitterFrame(ProjectSession& session, int kindIndex, std::function<bool()> runCalcWindow,
                   QWidget* parent = nullptr);

    CBbDoc& document() { return *m_doc; }
    DrawingPane* drawingPane() const { return m_drawing; }
    ReportPane* reportPane() const { return m_report; }
    QComboBox* itemCombo() const { return m_items; }
    QComboBox* resultCombo() const { return m_results; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* calcButton() const { return m_calc; }

    // Whether the window carries out the command now, and doing it: the
    // target's table says, for the document, either view, or the view that
    // had the focus last.
    bool canRun(int command, CommandTarget target) const;
    void run(int command, CommandTarget target);
    // The commands of whichever view had the focus last (printing).
    static CommandTable<CSplitterFrame> activeViewCommands();
    // F6 and Shift+F6: the focus to the other pane.
    void focusOtherPane();

  signals:
    // The project record or the views changed: the commands' states follow.
    void projectChanged();
    // The drawing point under the mouse, as the status bar shows it.
    void cursorText(const QString& text);
    // The report view's "Line: %d" for the status bar.
    void lineShown(const QString& text);

  private:
    QWidget* createItemBar();
    // The one place where the right pane is made.
    ReportPane* createReportPane(ProjectSession& session);
    void fillCombos();
    // The view that had the focus last: the report view unless the drawing did.
    CommandTarget activeView() const;
    bool activeViewCanRun(int command) const;
    void runInActiveView(int command);

    CBbDoc* m_doc;
    QComboBox* m_items;
    QComboBox* m_results;
    QPushButton* m_add;
    QPushButton* m_delete;
    QPushButton* m_calc;
    QSplitter* m_splitter;
    DrawingPane* m_drawing;
    ReportPane* m_report;
    bool m_drawingFocusedLast = false;
};
