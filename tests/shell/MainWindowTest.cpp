// The main window driven as a user drives it: its commands, the command
// tables against the menus and the toolbar they make (every row has an
// enable rule and a handler, every entry of the main window is the row of its
// target's table with that row's text, and every row with a text is an entry
// somewhere), the user guide of "简要说明", the project summary of "工程汇总表",
// and the item bar of a project window.
#include "support/ShellTestSupport.h"

#include "shell/CBbDoc.h"
#include "shell/CBbView.h"
#include "shell/CSplitterFrame.h"
#include "shell/CalcInfoDock.h"
#include "shell/Commands.h"
#include "shell/DrawingPane.h"
#include "shell/GuideWindow.h"
#include "shell/SummaryWindow.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/RtfReader.h"
#include "run/SummaryTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
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

// "增" answered through the chooser (line `templateLine`) and the item's
// window ("计算" or "返回").
void addItem(CSplitterFrame* frame, int templateLine, const QString& windowButton) {
    whenModal([=](QWidget* chooser) {
        QCOMPARE(chooser->windowTitle(), QString("新增项目选用模板："));
        chooser->findChild<QListWidget*>()->setCurrentRow(templateLine);
        whenModal([=](QWidget* window) {
            QCOMPARE(window->windowTitle(), QString("Talvor计算"));
            click(window, windowButton);
        });
        click(chooser, "确   认");
    });
    QTest::mouseClick(frame->addButton(), Qt::LeftButton);
}

QStringList lines(QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

void choose(QComboBox* combo, int line) {
    combo->setCurrentIndex(line);
    emit combo->activated(line);
}

CFRect extentOf(const QString& dxf) {
    DXF drawing;
    drawing.Read_FileDxf_To_Mem(dxf.toStdString());
    return drawing.GetFRect();
}

// The text of a report file, RTF or plain, without its pictures.
QString reportText(const QString& path) {
    std::optional<ReportDocument> report = LoadReport(path.toStdString());
    return report ? QString::fromStdString(PlainText(*report)) : QString();
}

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRowHasARuleAndAHandler();
    void everyEntryIsARowAndEveryRowAnEntry();
    void helpOpensTheGuideOfTheProgramDirectory();
    void showsSortsCopiesAndExportsTheSummary();
    void addCalculateLookAtResultsReopenAndDelete();
    void aDamagedProjectFileIsKeptAndAVanishedDirectoryOnlyGivesMessages();
};

// Rows without a rule or a handler, or with an id their table has already.
void MainWindowTest::everyRowHasARuleAndAHandler() {
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

void MainWindowTest::everyEntryIsARowAndEveryRowAnEntry() {
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
void MainWindowTest::helpOpensTheGuideOfTheProgramDirectory() {
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
void MainWindowTest::showsSortsCopiesAndExportsTheSummary() {
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

// The item bar of a project window driven as a user drives it: "增" with the
// template chooser and the item's window, "计算", the result views, "删" with
// its question, and what is written at close.
void MainWindowTest::addCalculateLookAtResultsReopenAndDelete() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    CSplitterFrame* window = frame->activeProjectWindow();
    QVERIFY(window);
    addItem(window, 0, "计算");
    QCOMPARE(lines(window->itemCombo()), QStringList{"01  Talvor设计计算 1(&TLVR_0001.DAT)"});
    QCOMPARE(lines(window->resultCombo()), (QStringList{"计算简图", "计算结果", "剩余下滑力曲线"}));
    QVERIFY(QFileInfo::exists(place.projectFile("&TLVR_0001.dat")));

    // Each result view shows exactly its own drawing and report.
    for (int line : {2, 0}) {
        choose(window->resultCombo(), line);
        QString dxf = line == 2 ? "&TLVR_0001_TLVR_SYXHL.DXF" : "&TLVR_0001_TLVR_JT.DXF";
        QVERIFY(window->drawingPane()->drawing());
        CFRect shown = window->drawingPane()->drawing()->GetFRect();
        CFRect expected = extentOf(place.projectFile(dxf));
        QCOMPARE(shown.p2.y, expected.p2.y);
        QCOMPARE(shown.p1.x, expected.p1.x);
    }
    // The sketch, zoomed in twice from the toolbar.
    QAction* zoomIn = frame->action(cmd::ZoomIn);
    QVERIFY(zoomIn->isEnabled());
    double before = window->drawingPane()->viewTransform().scale();
    zoomIn->trigger();
    zoomIn->trigger();
    QCOMPARE(window->drawingPane()->viewTransform().scale(), before * 4);
    auto* report = static_cast<CBbView*>(window->reportPane());
    QString shown = report->toPlainText().remove(QChar::ObjectReplacementCharacter);
    QCOMPARE(shown, reportText(place.projectFile("&TLVR_0001_TLVR.RTF")));
    QVERIFY(shown.contains("计算项目： Talvor设计计算 1"));

    // A chooser left with Escape or "取   消" adds nothing and opens no item
    // window; should one open, it is closed and noted.
    bool windowOpened = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->windowTitle() == "Talvor计算") {
            windowOpened = true;
            modal->close();
        }
    });
    guard.start(10);
    whenModal([&](QWidget* chooser) {
        QCOMPARE(chooser->windowTitle(), QString("新增项目选用模板："));
        QTest::keyClick(chooser, Qt::Key_Escape);
    });
    QTest::mouseClick(window->addButton(), Qt::LeftButton);
    QCOMPARE(window->itemCombo()->count(), 1);
    QCOMPARE(frame->session().project.itemCount[0], 1);
    whenModal([](QWidget* chooser) { click(chooser, "取   消"); });
    QTest::mouseClick(window->addButton(), Qt::LeftButton);
    guard.stop();
    QVERIFY(!windowOpened);
    QCOMPARE(frame->session().project.itemCount[0], 1);
    frame->close();

    // Opened again, the project shows the calculated item's sketch and report.
    frame = startFrame(place.options(true));
    window = frame->activeProjectWindow();
    QVERIFY(window->drawingPane()->drawing());
    QCOMPARE(window->drawingPane()->drawing()->GetFRect().p2.y,
             extentOf(place.projectFile("&TLVR_0001_TLVR_JT.DXF")).p2.y);
    QVERIFY(static_cast<CBbView*>(window->reportPane())->toPlainText().contains("计算项目"));
    // A result view whose drawing the run did not make says so.
    QFile::remove(place.projectFile("&TLVR_0001_TLVR_JG.DXF"));
    choose(window->resultCombo(), 1);
    QVERIFY(!window->drawingPane()->drawing());
    QVERIFY2(window->drawingPane()->note().startsWith("“计算结果”没有图形"),
             qPrintable(window->drawingPane()->note()));
    choose(window->resultCombo(), 0);
    QVERIFY(window->drawingPane()->drawing());
    QVERIFY(window->drawingPane()->note().isEmpty());

    addItem(window, 1, "返回");
    QCOMPARE(window->itemCombo()->count(), 2);
    QCOMPARE(window->itemCombo()->currentIndex(), 1);

    QString asked;
    answerMessage(QMessageBox::No, &asked);
    QTest::mouseClick(window->deleteButton(), Qt::LeftButton);
    QCOMPARE(asked, QString("是否真要删除 02  Talvor设计计算 2(&TLVR_0002.DAT)?"));
    QCOMPARE(window->itemCombo()->count(), 2);
    choose(window->itemCombo(), 0);
    answerMessage(QMessageBox::Yes);
    QTest::mouseClick(window->deleteButton(), Qt::LeftButton);
    QCOMPARE(lines(window->itemCombo()), QStringList{"01  Talvor设计计算 2(&TLVR_0002.DAT)"});
    QVERIFY(!QFileInfo::exists(place.projectFile("&TLVR_0001.dat")));
    QVERIFY(QFileInfo::exists(place.projectFile("Removed/&TLVR_0001-1/&TLVR_0001.dat")));
    QVERIFY(frame->infoDock()->text().contains("已删除项目"));
    QVERIFY(frame->action(cmd::SaveData)->isEnabled());
    frame->action(cmd::SaveData)->trigger();
    QVERIFY(!frame->action(cmd::SaveData)->isEnabled());
    QByteArray saved = fileBytes(place.projectFile("Talvor.PRJ"));
    QCOMPARE(saved.size(), CProjectData::kFileSize);

    // Closing and reopening without a change writes nothing.
    frame->close();
    QFile::remove(place.projectFile("Talvor.BAK"));
    frame = startFrame(place.options(true));
    QCOMPARE(frame->activeProjectWindow()->itemCombo()->count(), 1);
    frame->close();
    QVERIFY(!QFileInfo::exists(place.projectFile("Talvor.BAK")));
    QCOMPARE(fileBytes(place.projectFile("Talvor.PRJ")), saved);
}

void MainWindowTest::aDamagedProjectFileIsKeptAndAVanishedDirectoryOnlyGivesMessages() {
    ShellPlace place;
    QDir().mkpath(place.projectDir);
    const QByteArray damaged = "Morvane Talvor Pro\x01\x02";
    QFile prj(place.projectFile("Talvor.PRJ"));
    QVERIFY(prj.open(QIODevice::WriteOnly));
    prj.write(damaged);
    prj.close();

    QString told;
    answerMessage(QMessageBox::Ok, &told);
    auto frame = startFrame(place.options(true));
    QVERIFY2(told.contains("已损坏"), qPrintable(told));
    frame->close();
    QCOMPARE(fileBytes(place.projectFile("Talvor.PRJ")), damaged);

    answerMessage(QMessageBox::Ok);  // the damaged file again
    frame = startFrame(place.options(true));
    QDir(place.projectDir).removeRecursively();
    QStringList messages;
    whenModal([&](QWidget* chooser) {
        whenModal([&](QWidget* window) {
            whenModal([&](QWidget* box) {
                messages << qobject_cast<QMessageBox*>(box)->text();
                click(box, "OK");
            });
            click(window, "返回");
        });
        click(chooser, "确   认");
    });
    QTest::mouseClick(frame->activeProjectWindow()->addButton(), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains("无法写入计算数据文件"), qPrintable(messages[0]));
    answerMessage(QMessageBox::Ok, &told);
    frame->close();
    QVERIFY2(told.contains("无法写入工程文件"), qPrintable(told));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
