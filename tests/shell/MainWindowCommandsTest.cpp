// The main window's commands: the command tables against the menus and the
// toolbar they make (every row has an enable rule and a handler, every entry
// of the main window is the row of its target's table with that row's text,
// and every row with a text is an entry somewhere), the user guide of
// "简要说明" and the project summary of "工程汇总表".
#include "support/ShellTestSupport.h"

#include "shell/CBbDoc.h"
#include "shell/CBbView.h"
#include "shell/CSplitterFrame.h"
#include "shell/Commands.h"
#include "shell/DrawingPane.h"
#include "shell/GuideWindow.h"
#include "shell/SummaryWindow.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "run/SummaryTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

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

// The worked example twice, the second item with weaker soil.
std::vector<SummaryItem> writeProject(const ShellPlace& place, WorkContext& ctx) {
    QDir().mkpath(place.projectDir);
    ctx.G_strWorkPath = withTrailingSlash(place.projectDir.toStdString());
    CProjectData project;
    project.IncludeKind(0);
    std::vector<SummaryItem> items;
    for (int i = 0; i < 2; ++i) {
        const int number = project.AddItem(0);
        CSlideCalcData item;
        item.setName(i == 0 ? "K12+300 左侧滑坡" : "K12+300 右侧滑坡");
        if (i == 1) item.SetAllPhi(8.0f);
        item.WriteDataFile(ctx.G_strWorkPath + ItemFileBase(number) + ".dat");
        items.push_back({number, ItemFileBase(number)});
    }
    project.SaveProject(ctx);
    return items;
}

QString shown(QTableView* t, int row, int col) {
    return t->model()->index(row, col).data().toString();
}

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class MainWindowCommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRowHasARuleAndAHandler();
    void everyEntryIsARowAndEveryRowAnEntry();
    void helpOpensTheGuideOfTheProgramDirectory();
    void showsSortsCopiesAndExportsTheSummary();
};

// Rows without a rule or a handler, or with an id their table has already.
void MainWindowCommandsTest::everyRowHasARuleAndAHandler() {
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

void MainWindowCommandsTest::everyEntryIsARowAndEveryRowAnEntry() {
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

// The user guide opened by "简要说明": in the web browser, or in a window of
// the program when there is none.
void MainWindowCommandsTest::helpOpensTheGuideOfTheProgramDirectory() {
    ShellPlace place;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const QByteArray browser = qgetenv("BROWSER"), path = qgetenv("PATH");
    qputenv("BROWSER", "firefox");
    auto frame = startFrame(place.options(true));
    frame->action(cmd::Help)->trigger();
    QCOMPARE(catcher.opened.size(), 1);
    QCOMPARE(catcher.opened[0].toLocalFile(), place.programDir + "guide/index.html");
    QVERIFY(QFileInfo::exists(catcher.opened[0].toLocalFile()));
    QVERIFY(!frame->findChild<GuideWindow*>());

    // No browser: the guide opens in a window of the program, pictures and all.
    qunsetenv("BROWSER");
    qputenv("PATH", place.root.path().toLocal8Bit());
    frame->action(cmd::Help)->trigger();
    qputenv("PATH", path);
    if (!browser.isEmpty()) qputenv("BROWSER", browser);
    QCOMPARE(catcher.opened.size(), 1);
    auto* guide = frame->findChild<GuideWindow*>();
    QVERIFY(guide && guide->isVisible());
    QCOMPARE(guide->browser()->source().toLocalFile(), place.programDir + "guide/index.html");
    QVERIFY(guide->browser()->toPlainText().contains("Talvor"));
    QDesktopServices::unsetUrlHandler("file");
}

// The project summary window as a user meets it: opened from the menu on a
// project of two items, its figures those of the core's table, sorted by a
// click on a column title, cells copied and the CSV table saved.
void MainWindowCommandsTest::showsSortsCopiesAndExportsTheSummary() {
    ShellPlace place;
    WorkContext ctx;
    const std::vector<SummaryItem> items = writeProject(place, ctx);
    auto frame = startFrame(place.options(true));
    QAction* entry = frame->action(cmd::ProjectSummary);
    QVERIFY(entry->isEnabled());
    entry->trigger();
    auto* window = frame->findChild<SummaryWindow*>();
    QVERIFY(window);
    QTableView* table = window->table();

    const std::vector<SummaryRow> expected = SummarizeProject(frame->session().ctx, items, 1);
    const std::vector<std::string> cells = SummaryCells(expected[1]);
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(table->model()->columnCount(), static_cast<int>(cells.size()));
    const int fs = 6;  // 稳定系数Fs
    QCOMPARE(table->model()->headerData(fs, Qt::Horizontal).toString(), "稳定系数Fs(隐式解)");
    QVERIFY(!cells[fs].empty());
    QCOMPARE(shown(table, 1, fs), QString::fromStdString(cells[fs]));
    // Figures stand on the right of their cells, words on the left.
    auto aligned = [&](int column) {
        return table->model()->index(1, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(aligned(fs), Qt::AlignRight);
    QCOMPARE(aligned(0), Qt::AlignRight);  // the item number
    QCOMPARE(aligned(1), Qt::AlignLeft);   // the description

    // A click on the title sorts ascending, by value: the weaker item first.
    const bool secondWeaker = QString::fromStdString(expected[1].fs).toDouble() <
                              QString::fromStdString(expected[0].fs).toDouble();
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(table->horizontalHeader()->sectionViewportPosition(fs) + 5, 5));
    QCOMPARE(shown(table, 0, 0), QString::number(expected[secondWeaker ? 1 : 0].number));
    QVERIFY(secondWeaker);

    table->setFocus();
    table->selectionModel()->select(
        QItemSelection(table->model()->index(0, 0), table->model()->index(1, 1)),
        QItemSelectionModel::Select);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), shown(table, 0, 0) + "\t" + shown(table, 0, 1) +
                                                    "\n" + shown(table, 1, 0) + "\t" +
                                                    shown(table, 1, 1));

    const QString csv = place.projectFile("汇总.csv");
    QVERIFY(window->exportCsv(csv));
    QCOMPARE(fileBytes(csv), QByteArray::fromStdString(SummaryCsv(expected)));
    QVERIFY(!window->exportCsv(place.projectFile("no/such/dir/汇总.csv")));
}

QTEST_MAIN(MainWindowCommandsTest)
#include "MainWindowCommandsTest.moc"
