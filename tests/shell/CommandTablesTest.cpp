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

// Calls f(table, target, name) with every command table.
template <class F>
void forEachTable(F&& f) {
    f(CMainFrame::commands(), CommandTarget::MainFrame, "main frame");
    f(CBbDoc::commands(), CommandTarget::Document, "item bar");
    f(DrawingPane::commands(), CommandTarget::DrawingView, "drawing");
    f(CBbView::commands(), CommandTarget::ReportView, "report");
    f(CSplitterFrame::activeViewCommands(), CommandTarget::ActiveView, "active view");
}

QString key(CommandTarget target, int id) {
    return QString("%1/%2").arg(int(target)).arg(id);
}

// The text of the row an entry names; empty when its table has no such row.
QString rowText(CommandRef c) {
    QString text;
    forEachTable([&](auto table, CommandTarget target, const char*) {
        const auto* row = target == c.target ? findCommand(table, c.id) : nullptr;
        if (row && row->text) text = QString::fromUtf8(row->text);
    });
    return text;
}

}  // namespace

class CommandTablesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRowHasARuleAndAHandler();
    void everyEntryIsARowAndEveryRowAnEntry();
};

// Rows without a rule or a handler, or with an id their table has already.
void CommandTablesTest::everyRowHasARuleAndAHandler() {
    QStringList faults;
    forEachTable([&](auto table, CommandTarget, const char* name) {
        QSet<int> seen;
        for (const auto& row : table) {
            if (!row.enabled || !row.run || seen.contains(row.id))
                faults << QString("%1 %2").arg(name).arg(row.id);
            seen.insert(row.id);
        }
    });
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
        shown.insert(key(command->target, command->id));
    }
    QSet<QString> rows;
    forEachTable([&](auto table, CommandTarget target, const char*) {
        for (const auto& row : table)
            if (row.text) rows.insert(key(target, row.id));
    });
    QCOMPARE(shown, rows);
}

QTEST_MAIN(CommandTablesTest)
#include "CommandTablesTest.moc"
