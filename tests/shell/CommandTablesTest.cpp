// The command tables against the menus and the toolbar they make: every row
// has an enable rule and a handler, every entry of the main window is the row
// of its target's table with that row's text, and every row with a text is an
// entry somewhere.
#include "support/ShellTestSupport.h"

#include "shell/CBbDoc.h"
#include "shell/CBbView.h"
#include "shell/CSplitterFrame.h"
#include "shell/DrawingPane.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QToolBar>

namespace {

// Rows without a rule or a handler, or with an id the table has already.
template <class Target>
QStringList faultyRows(CommandTable<Target> table, const QString& name) {
    QStringList faults;
    QSet<int> seen;
    for (const CommandRow<Target>& row : table) {
        if (!row.enabled || !row.run || seen.contains(row.id))
            faults << QString("%1 %2").arg(name).arg(row.id);
        seen.insert(row.id);
    }
    return faults;
}

template <class Target>
void collectTexts(CommandTable<Target> table, CommandTarget target, QSet<QString>& texts) {
    for (const CommandRow<Target>& row : table)
        if (row.text) texts.insert(QString("%1/%2").arg(int(target)).arg(row.id));
}

// The text of the row an entry names; empty when its table has no such row.
QString rowText(CommandRef c) {
    auto text = [&](auto table) {
        const auto* row = findCommand(table, c.id);
        return row && row->text ? QString::fromUtf8(row->text) : QString();
    };
    switch (c.target) {
        case CommandTarget::MainFrame:
            return text(CMainFrame::commands());
        case CommandTarget::Document:
            return text(CBbDoc::commands());
        case CommandTarget::DrawingView:
            return text(DrawingPane::commands());
        case CommandTarget::ReportView:
            return text(CBbView::commands());
        case CommandTarget::ActiveView:
            return text(CSplitterFrame::activeViewCommands());
    }
    return {};
}

}  // namespace

class CommandTablesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRowHasARuleAndAHandler();
    void everyEntryIsARowAndEveryRowAnEntry();
};

void CommandTablesTest::everyRowHasARuleAndAHandler() {
    QStringList faults = faultyRows(CMainFrame::commands(), "main frame") +
                         faultyRows(CBbDoc::commands(), "item bar") +
                         faultyRows(DrawingPane::commands(), "drawing") +
                         faultyRows(CBbView::commands(), "report") +
                         faultyRows(CSplitterFrame::activeViewCommands(), "active view");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    // The active view's commands end in the report view, which has them all.
    for (const auto& row : CSplitterFrame::activeViewCommands())
        QVERIFY2(findCommand(CBbView::commands(), row.id), qPrintable(QString::number(row.id)));
}

void CommandTablesTest::everyEntryIsARowAndEveryRowAnEntry() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    QList<QAction*> entries = frame->findChild<QToolBar*>()->actions();
    for (QAction* menu : frame->menuBar()->actions())
        for (QAction* a : menu->menu()->actions())
            if (!a->menu()) entries << a;  // the recent projects are no commands
    QSet<QString> shown;
    for (QAction* a : entries) {
        if (a->isSeparator()) continue;
        std::optional<CommandRef> command = frame->commandOf(a);
        QVERIFY2(command, qPrintable(a->text()));
        QCOMPARE(a->text(), rowText(*command));
        shown.insert(QString("%1/%2").arg(int(command->target)).arg(command->id));
    }
    QSet<QString> rows;
    collectTexts(CMainFrame::commands(), CommandTarget::MainFrame, rows);
    collectTexts(CBbDoc::commands(), CommandTarget::Document, rows);
    collectTexts(DrawingPane::commands(), CommandTarget::DrawingView, rows);
    collectTexts(CBbView::commands(), CommandTarget::ReportView, rows);
    collectTexts(CSplitterFrame::activeViewCommands(), CommandTarget::ActiveView, rows);
    QCOMPARE(shown, rows);
}

QTEST_MAIN(CommandTablesTest)
#include "CommandTablesTest.moc"
