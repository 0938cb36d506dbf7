// The calculation window driven as a user drives it: "返回" and the close
// button writing the data file, a damaged one, the result drawings, keys
// typed while a design runs and the failed run it ends in, the pile kinds
// and the tables through accessibility, the checked cells and "计算", the
// live sketch and the tables, the DXF import, undo and redo of every edit
// the window offers, and the pile library dialog.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/CalcRunner.h"
#include "shell/CalcWindow.h"
#include "shell/CCxView.h"
#include "shell/CPileLibraryDlg.h"
#include "shell/ResultChooser.h"
#include "shell/TableGrid.h"
#include "shell/TableModel.h"
#include "shell/TablePageWidget.h"
#include "shell/commands/RecordEdits.h"
#include "shell/DxfPreviewDialog.h"
#include "shell/RebarSettingsDialog.h"

#include "MaximalItem.h"
#include "data/CSlideCalcData.h"
#include "diagrams/SketchElements.h"
#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"
#include "project/ItemList.h"
#include "project/RtfReader.h"
#include "run/ResultNames.h"
#include "tables/TableId.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <optional>

namespace {

// The input of a record without its book part and its results.
CSlideCalcData inputOf(const CSlideCalcData& r) {
    CSlideCalcData in = r;
    static_cast<CJsBaseData&>(in) = CJsBaseData{};
    in.residualThrust = {};
    return in;
}

// Shows a window and waits until it is on the screen.
bool exposed(QWidget& w) {
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

QModelIndex cell(TableGrid* g, int row, int col) {
    return g->model()->index(row - 1, col - 1);
}

// What an input method does: the text it composed is committed to the
// cell's editor at once, then Enter.
void typeThroughInputMethod(TableGrid* g, int row, int col, const QString& text) {
    focusOnCell(g, row, col);
    QTest::keyClick(g, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(editor, &commit);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

QString hintLine(TablePageWidget* page) {
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->accessibleName() == QStringLiteral("表格输入提示"))
            return label->isVisible() ? label->text() : QString();
    return {};
}

QPoint onScreen(CCxView* sketch, const SketchElement& e) {
    CFPoint a = e.points.front(), b = e.points.back();
    return sketch->viewTransform().toDevice((a.x + b.x) / 2, (a.y + b.y) / 2).toPoint();
}

std::vector<CFPoint> highlightedPath(CCxView* sketch) {
    std::vector<CFPoint> out;
    if (sketch->overlays().size() != 1 || sketch->overlays()[0].paths.size() != 1) return out;
    for (QPointF p : sketch->overlays()[0].paths[0])
        out.push_back({static_cast<float>(p.x()), static_cast<float>(p.y())});
    return out;
}

void clickCell(TableGrid* grid, int row, int col) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(cell(grid, row, col)).center());
}

// Clicks the rows with the mouse, Ctrl held after the first.
void pickRows(QTableWidget* list, std::initializer_list<int> rows) {
    bool first = true;
    for (int row : rows) {
        list->scrollToItem(list->item(row, 1));
        QRect r = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton,
                          first ? Qt::NoModifier : Qt::ControlModifier, r.center());
        first = false;
    }
}

QStringList rowTexts(QTableWidget* list, int row) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c) out << list->item(row, c)->text();
    return out;
}

// A shell script standing in for the user's editor.
QString script(const QString& dir, const QString& name, const QByteArray& body) {
    QString path = dir + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

class CalcWindowTest : public QObject, CalcWindowPlace {
    Q_OBJECT

  private slots:
    void init() {
        reset();
        qunsetenv("VISUAL");  // the pile library's editor
        qunsetenv("EDITOR");
    }

    void returnWritesTheDataFileAndReopeningShowsIt();
    void resultDrawingsOneShownDirectlySeveralInTheChooser();
    void tablesKeysPileKindsAndTypingDuringADesign();
    void flaggedCellsAreToldAndListedBeforeCalculating();
    void rowsLightUpElementsAndElementsSelectRows();
    void sectionImportPreviewsFirstThenTakesTheLinesOrNothing();
    void everyEditUndoneAndRedone();
    void rebarDialogRefusesWhatTheFileReaderRefuses();
    void shippedLibraryListedAndPickedRowsMarked();
    void editorAppendingAnEntryShowsItAfterItCloses();
    void editorsThatNeverStartOrNeverEnd();
};

void CalcWindowTest::returnWritesTheDataFileAndReopeningShowsIt() {
    ItemContext item{.caption = "滑坡推力 1", .fileBase = "&TLVR_0007", .newItem = 1};
    QTimer::singleShot(0, [] {
        auto* w = qobject_cast<CalcWindow*>(QApplication::activeModalWidget());
        QVERIFY(w);
        w->tabs()->setCurrentIndex(1);
        typeIntoCell(w->grid(TableId::CSlipTable), 2, 3, "-4.25");
        w->description()->setText("改过的说明");
        QTest::mouseClick(w->returnButton(), Qt::LeftButton);
    });
    QCOMPARE(RunCalcWindow(links(), item, nullptr), CalcWindowExit::Returned);
    std::string dataFile = workFile(ctx, "&TLVR_0007.dat");
    QVERIFY(QFile::exists(QString::fromStdString(dataFile)));

    record = CSlideCalcData{};
    item.newItem = 0;
    QString seen, description;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<CalcWindow*>(QApplication::activeModalWidget());
        QVERIFY(w);
        seen = cellText(w->grid(TableId::CSlipTable), 2, 3);
        description = w->description()->text();
        w->close();  // the window's own close button writes the file too
    });
    RunCalcWindow(links(), item, nullptr);
    QCOMPARE(seen, QString("-4.250"));
    QCOMPARE(description, QString("改过的说明"));
    CSlideCalcData reread;
    QVERIFY(reread.ReadDataFile(dataFile));
    QCOMPARE(reread.slip[1].dy, -4.25f);
    QCOMPARE(reread.GetDxfFileName(0), std::string("&TLVR_0007_TLVR_JT.DXF"));

    // A damaged data file: a message, the input as it was, the file kept.
    writeBytes(dataFile, "\xff\xfe damaged");
    record = CSlideCalcData{};
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    RunCalcWindow(links(), item, nullptr);
    QVERIFY(sinks.lines.join("\n").contains("无法读取计算数据文件"));
    QVERIFY(inputOf(record) == inputOf(CSlideCalcData{}));
    QCOMPARE(readBytes(PreviousVersionPath(dataFile)), std::string("\xff\xfe damaged"));
}

void CalcWindowTest::resultDrawingsOneShownDirectlySeveralInTheChooser() {
    QStringList shown;
    ResultChooser chooser([&](const std::string& p) { shown << QString::fromStdString(p); });
    CSlideCalcData one;
    one.setResult(0, {"计算简图", "a.DXF", "a.RTF"});
    QCOMPARE(ShowResultDrawings(one, "/w/", chooser), 1);
    QCOMPARE(shown, QStringList{"/w/a.DXF"});
    QVERIFY(!chooser.isVisible());

    shown.clear();
    CSlideCalcData three;
    SetResultFileNames(three, "&TLVR_0002");
    QCOMPARE(ShowResultDrawings(three, "/w/", chooser), 3);
    QVERIFY(shown.isEmpty());
    QVERIFY(chooser.isVisible());
    QCOMPARE(chooser.list()->count(), 3);
    QCOMPARE(chooser.list()->item(2)->text(), QString("剩余下滑力曲线"));
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QListWidgetItem* curve = chooser.list()->item(2);
    QPoint at = chooser.list()->visualItemRect(curve).center();
    QTest::mouseClick(chooser.list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(chooser.list()->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(shown, QStringList{"/w/&TLVR_0002_TLVR_SYXHL.DXF"});

    CSlideCalcData none;
    none.setResultCount(0);
    shown.clear();
    QCOMPARE(ShowResultDrawings(none, "/w/", chooser), 0);
    QVERIFY(shown.isEmpty());
}

// One window: its tables through accessibility and the keys in a cell, the
// pile kinds by goal, then keys typed while a design runs.
void CalcWindowTest::tablesKeysPileKindsAndTypingDuringADesign() {
    CalcWindow w(links());
    QVERIFY(exposed(w));
    w.tabs()->setCurrentIndex(1);
    TableGrid* slip = w.grid(TableId::CSlipTable);
    auto* model = slip->tableModel();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(slip);
    QVERIFY(table);
    QCOMPARE(table->text(QAccessible::Name), QString("滑面 滑面线"));
    QAccessibleTableInterface* cells = table->tableInterface();
    QVERIFY(cells);
    QCOMPARE(cells->rowCount(), record.slipCount);
    QAccessibleInterface* dy = cells->cellAt(0, 2);
    QVERIFY(dy);
    QCOMPARE(dy->text(QAccessible::Name), QString("2.000"));
    dy->setText(QAccessible::Value, "3.5");
    QCOMPARE(record.slip[0].dy, 3.5f);
    QCOMPARE(cells->columnDescription(1).remove('\n'), QString("水平投影长(m)"));
    focusOnCell(slip, 1, 3);
    QTest::keyClicks(slip, "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // cancels the edit
    QCOMPARE(cellText(slip, 1, 3), QString("3.500"));
    QTest::keyClick(slip, Qt::Key_Delete);  // clears to the cell's rule
    QCOMPARE(cellText(slip, 1, 3), QString("0.000"));

    w.tabs()->setCurrentIndex(3);
    auto* button = w.page(3)->findChild<QPushButton*>();
    QVERIFY(button && button->text() == "桩身参数");
    record.usePiles = 0;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(sinks.lines.last(), QString("不采用桩 !"));

    record.usePiles = 1;
    for (int goal : {0, 1}) {
        record.goal = goal;
        record.designTarget = 0;
        record.pileKindCount = 3;
        int rows = -1;
        QTimer::singleShot(0, [&] {
            QWidget* list = QApplication::activeModalWidget();
            QVERIFY(list && list != &w);
            auto grids = list->findChildren<TableGrid*>();
            TableGrid* kinds = grids.last();
            rows = kinds->model()->rowCount();
            typeIntoCell(kinds, rows, 4, "63.5");
            list->close();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(rows, goal == 1 ? 3 : 1);  // every candidate in a pile design
        QCOMPARE(record.pileKinds[rows - 1].size1, 63.5f);
    }

    // A berm design on the largest item, held at its first search step while
    // keys are typed and Escape pressed, then let go: it must end cancelled.
    record = MaximalItem();
    record.goal = 1;
    record.designTarget = 1;
    w.refreshPages();
    CSlideCalcData before = inputOf(record);
    std::promise<void> latch;
    std::shared_future<void> opened = latch.get_future().share();
    std::atomic<bool> held{false};
    // The wait is bounded only so that a broken window fails instead of hanging.
    w.runner()->setSearchStepHook([&](int, int total) {
        if (total > 0 && !held.exchange(true)) opened.wait_for(std::chrono::minutes(10));
    });
    bool busy = false, typed = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &w, [&] {
        if (!held || !w.statusBar()->currentMessage().startsWith("搜索进度")) return;
        poll.stop();
        busy = w.calculating();
        typed = true;
        TableGrid* g = w.grid(TableId::CSlipTable);
        g->setCurrentIndex(cell(g, 1, 2));
        QTest::keyClicks(g, "777");
        model->typeText(1, 2, "888");  // refused while the run holds the record
        QTest::keyClick(&w, Qt::Key_Escape);
        latch.set_value();
    });
    poll.start(10);
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    w.runner()->setSearchStepHook({});
    QVERIFY(held);
    QVERIFY2(typed, "the held design showed no search progress");
    QVERIFY(busy);
    // Cancelled, the run failed: the window stays open for correction, its
    // input as it was and every control usable again.
    QVERIFY(inputOf(record) == before);
    QVERIFY(!w.calculating());
    QCOMPARE(w.exitReason(), CalcWindowExit::Returned);
    QVERIFY(w.isVisible() && w.tabs()->isEnabled() && w.calculateButton()->isEnabled());
    QVERIFY(sinks.lines.join("\n").contains("301 计算失败"));
}

// Checked cells in the calculation window, typed as a user types: a text
// read only in part and a value out of its range are told on the hint line,
// full-width digits from an input method give the number meant, and "计算"
// lists what is left on every page, asks once and calculates what was typed.
// What each cell carries is RecordEditsTest's.
void CalcWindowTest::flaggedCellsAreToldAndListedBeforeCalculating() {
    const std::string rtf = ctx.G_strWorkPath + "&TLVR_0001_TLVR.RTF";
    std::filesystem::remove(rtf);  // an earlier test's run
    sinks.answer = false;
    ctx.G_Disp_TableTip = 1;
    CalcWindow w(links());  // a pile safety check of the worked example
    QVERIFY(exposed(w));
    QCOMPARE(w.inputWarnings().size(), 0);
    w.tabs()->setCurrentIndex(1);
    TableGrid* slip = w.grid(TableId::CSlipTable);
    typeIntoCell(slip, 3, 6, "abc");
    // Enter moved on, but the hint line tells what was just typed.
    QCOMPARE(slip->currentIndex(), slip->model()->index(3, 5));
    QVERIFY2(hintLine(w.page(1)).startsWith("“abc” 不是数, 读作 0"),
             qPrintable(hintLine(w.page(1))));
    typeThroughInputMethod(slip, 1, 6, "１２");  // an input method set to Chinese
    QCOMPARE(record.slip[0].c, 12.0f);
    typeThroughInputMethod(slip, 1, 7, "18。5");
    QCOMPARE(record.slip[0].phi, 18.5f);
    focusOnCell(slip, 1, 7);
    QVERIFY(hintLine(w.page(1)).contains("单位: 度"));  // no flag: the cell's unit

    const struct {
        int tab;
        TableId table;
        int row, col;
        QString typed, message;
    } cases[] = {
        {1, TableId::CSlipTable, 3, 6, "abc", "滑面线 第 3 行 粘聚力(kPa): “abc” 不是数, 读作 0"},
        {0, TableId::CBasicTable, 1, 2, "3", "滑体土重度 = 3.000 kN/m3, 应在 5~35 kN/m3 之间"},
        {1, TableId::CSlipTable, 2, 7, "95", "滑面第 2 段摩擦角 φ = 95.000 度"},
        {3, TableId::CPileTable, 1, 2, "200", "第一排桩的定位坐标 X = 200.000 m 在滑面范围"},
        {3, TableId::CPileTable, 2, 2, "0.3", "桩的间距 0.300 m 小于桩宽 0.500 m"},
    };
    for (const auto& c : cases) {
        w.tabs()->setCurrentIndex(c.tab);
        typeIntoCell(w.grid(c.table), c.row, c.col, c.typed);
    }
    QCOMPARE(w.inputWarnings().size(), 5);
    // "计算" lists them and asks once; "否" leaves the window and the input.
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    QCOMPARE(sinks.asked.size(), 1);
    for (const auto& c : cases) QVERIFY2(sinks.asked[0].contains(c.message), qPrintable(c.message));
    QVERIFY(w.isVisible());
    QVERIFY(!std::filesystem::exists(rtf));

    // Typed over, the flag goes; "是" calculates anyway, with the input typed.
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(slip, 3, 6, "12.75");
    QCOMPARE(w.inputWarnings().size(), 4);
    sinks.answer = true;
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    QCOMPARE(sinks.asked.size(), 2);
    std::optional<ReportDocument> report = LoadReport(rtf);
    QVERIFY(report && PlainText(*report).find("12.750") != std::string::npos);
}

// The live sketch and the tables answering each other through the widgets:
// a row clicked in a table lights its element up, an element clicked in the
// sketch makes its row current, the mouse over an element names it, an edit
// keeps the sketch's zoom.
void CalcWindowTest::rowsLightUpElementsAndElementsSelectRows() {
    record.slope[1].loadCount = 2;
    CalcWindow w(links());
    QVERIFY(exposed(w));
    CCxView* sketch = w.sketch();
    std::vector<SketchElement> all = SketchElements(record);
    auto element = [&](SketchElementKind kind, int index) {
        for (const SketchElement& e : all)
            if (e.kind == kind && e.index == index) return e;
        return SketchElement{kind, -1, {}, ""};
    };

    w.tabs()->setCurrentIndex(1);
    clickCell(w.grid(TableId::CSlipTable), 3, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::SlipSegment, 2).points);
    w.tabs()->setCurrentIndex(2);
    clickCell(w.grid(TableId::CLoadTable), 2, 3);  // the second load of slope segment 2
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::PointLoad, 1).points);

    w.tabs()->setCurrentIndex(3);
    clickCell(w.grid(TableId::CRowFactorTable), 1, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::PileRow, 0).points);
    w.tabs()->setCurrentIndex(4);
    clickCell(w.grid(TableId::CBermTable), 2, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::Berm, 0).points);

    // A click on slope segment 5, from the slip page.
    w.tabs()->setCurrentIndex(1);
    QTest::mouseClick(sketch, Qt::LeftButton, {},
                      onScreen(sketch, element(SketchElementKind::SlopeSegment, 4)));
    QCOMPARE(w.tabs()->currentIndex(), 2);
    QCOMPARE(w.grid(TableId::CSlopeTable)->currentIndex().row(), 4);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::SlopeSegment, 4).points);
    // A click on nothing changes nothing.
    QTest::mouseClick(sketch, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(w.grid(TableId::CSlopeTable)->currentIndex().row(), 4);

    // The mouse over slip segment 2 names it.
    SketchElement slip2 = element(SketchElementKind::SlipSegment, 1);
    QTest::mouseMove(sketch, onScreen(sketch, slip2));
    QCOMPARE(w.statusBar()->currentMessage(), QString::fromStdString(DescribeSketchElement(slip2)));
    QVERIFY(w.statusBar()->currentMessage().startsWith("滑面第2段  起点("));

    // An edit keeps the zoom and pan the engineer chose; one that carries the
    // section far past the view shows it whole again.
    sketch->zoomIn();
    const ViewTransform zoomed = sketch->viewTransform();
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(w.grid(TableId::CSlipTable), 3, 6, "12.75");
    QCOMPARE(sketch->viewTransform(), zoomed);
    typeIntoCell(w.grid(TableId::CSlipTable), 1, 2, "5000");
    QVERIFY(sketch->navigator().showsAll() && sketch->viewTransform() != zoomed);
    w.reject();
}

// The DXF import of the calculation window as a user meets it: the question,
// the file, the units dialog, then the preview of the lines found over the
// sketch, before anything changes; "读入" takes them over, "取消" nothing.
// What each drawing holds and how the preview tells it is DxfImportTest's.
void CalcWindowTest::sectionImportPreviewsFirstThenTakesTheLinesOrNothing() {
    const struct {
        QString file;
        const char* unit;
        bool take;
        QString told;  // a line the preview shows
        int slip, slope, water;
    } cases[] = {
        {importDrawing("section_m.dxf"), "m", true, "滑面线(黄色)：2 段", 2, 2, 1},
        {importDrawing("section_mm.dxf"), "mm", true, "坡面线(绿色)：2 段", 2, 2, 1},
        {importDrawing("section_m.dxf"), "m", false, "水面线(蓝色)：1 段", -1, -1, -1},
        {importDrawing("no_lines.dxf"), "m", false, "数据不会改变", -1, -1, -1},
    };
    for (const auto& c : cases) {
        reset();
        const CSlideCalcData opened = record;
        chosenFile = c.file;
        CalcWindow w(links());
        QVERIFY(exposed(w));
        QString summary;
        bool unchangedWhileShown = false;
        whenModal([&](QWidget* units) {
            QCOMPARE(units->windowTitle(), QString("确定Dxf图单位"));
            auto* combo = units->findChild<QComboBox*>();
            combo->setCurrentIndex(combo->findText(c.unit));
            whenModal([&](QWidget* shown) {
                auto* preview = qobject_cast<DxfPreviewDialog*>(shown);
                QVERIFY(preview);
                // What was found, as a screen reader reads it.
                QAccessibleInterface* read =
                    QAccessible::queryAccessibleInterface(preview->summary());
                summary = read->text(QAccessible::Description);
                QCOMPARE(read->text(QAccessible::Name), QString("读入结果"));
                QCOMPARE(summary, preview->summary()->text());
                unchangedWhileShown = record == opened;
                click(preview, c.take ? "读入" : buttonNamed(preview, "取消") ? "取消" : "关闭");
            });
            click(units, "OK");
        });
        w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
        QVERIFY2(summary.contains(c.told), qPrintable(summary));
        QVERIFY(unchangedWhileShown);
        const int counts[] = {record.slipCount, record.slopeCount, record.waterCount};
        const int want[] = {c.slip, c.slope, c.water};
        const int was[] = {opened.slipCount, opened.slopeCount, opened.waterCount};
        for (int i = 0; i < 3; ++i) QCOMPARE(counts[i], want[i] < 0 ? was[i] : want[i]);
        if (!c.take) QVERIFY(record == opened);
        if (c.take && c.slip == 2) QCOMPARE(record.slip[1].dx, 10.0f);
        w.reject();
    }

    // A file the reader cannot read says so and changes nothing.
    reset();
    const CSlideCalcData opened = record;
    chosenFile = "/nonexistent.dxf";
    CalcWindow w(links());
    w.show();
    whenModal([](QWidget* units) { click(units, "OK"); });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
    QCOMPARE(sinks.lines, QStringList({"读取DXF失败，请保存为R12版本的DXF再试!"}));
    QVERIFY(record == opened);
}

// Undo and redo of the calculation window as a user meets them: a section
// edited through the widgets in every way the window offers (a file that
// cannot be read and a copy to the clipboard among them), undone with
// Ctrl+Z back to the record it opened with, field for field, and redone
// with Ctrl+Y. Which edits are steps, and what a step puts back, is
// RecordEditsTest's; this checks that every way of the window reaches them.
void CalcWindowTest::everyEditUndoneAndRedone() {
    record.setName("例题");
    record.residualThrust[3] = 12.5f;  // a last run's results stay as they are
    const CSlideCalcData opened = record;
    CSlideCalcData foreign;
    foreign.setName("外来算例");
    foreign.slopeLength = 321.0f;
    foreign.slipCount = 3;
    SetResultFileNames(foreign, "FOREIGN");
    QString foreignFile = place.root.path() + "/foreign.TV";
    QVERIFY(foreign.WriteDataFile(foreignFile.toStdString()));
    const QString broken = place.root.path() + "/broken.TV";
    writeBytes(broken.toStdString(), "NOT_A_TALVOR_FILE\n1,2,3\n");
    const std::string rebarFile = place.root.path().toStdString() + "/&TLVR_0001.PJ";

    CalcWindow w(links());
    QVERIFY(exposed(w));
    // A drop-down, typing, a pasted block, the pile library, a DXF import, a
    // data file read and the reinforcement settings: one step each.
    chooseInCell(w.grid(TableId::CControlTable), 1, 2, "自动设计");
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(w.grid(TableId::CSlipTable), 3, 6, "12.75");
    TableGrid* slip = w.grid(TableId::CSlipTable);
    QApplication::clipboard()->setText("2.5\t-0.5\n2.6\t-0.6\n");
    focusOnCell(slip, 1, 2);
    QTest::keyClick(slip, Qt::Key_V, Qt::ControlModifier);
    slip->selectionModel()->select(
        QItemSelection(slip->model()->index(0, 1), slip->model()->index(1, 2)),
        QItemSelectionModel::ClearAndSelect);
    QApplication::clipboard()->clear();
    QTest::keyClick(slip, Qt::Key_C, Qt::ControlModifier);  // copied as shown
    QCOMPARE(QApplication::clipboard()->text(), QString("2.500\t-0.500\n2.600\t-0.600\n"));
    // The third kind of the pile library, taken from "桩身参数".
    whenModal([](QWidget* kinds) {
        whenModal([kinds](QWidget* library) {
            auto* list = library->findChild<QTableWidget*>();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(2, 1)).center());
            click(library, "确认");
            click(kinds, "确  认");
        });
        click(kinds, "从库中选择");
    });
    w.tabs()->setCurrentIndex(3);
    click(w.tabs()->currentWidget(), "桩身参数");
    chosenFile = importDrawing("section_m.dxf");
    whenModal([](QWidget* units) {
        whenModal([](QWidget* preview) {
            click(preview, buttonNamed(preview, "读入") ? "读入" : "关闭");
        });
        click(units, "OK");
    });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
    QCOMPARE(record.slipCount, 2);  // from the drawing
    // A file that is no data file changes nothing and says so; one of another
    // item is taken whole but keeps this item's result files.
    chosenFile = broken;
    const CSlideCalcData beforeRead = record;
    w.action("读入数据文件")->trigger();
    QVERIFY(record == beforeRead);
    QVERIFY(sinks.lines.join("\n").contains("broken.TV"));
    chosenFile = foreignFile;
    w.action("读入数据文件")->trigger();
    QCOMPARE(w.description()->text(), QString("外来算例"));
    QCOMPARE(record.GetRtfFileName(0), std::string("&TLVR_0001_TLVR.RTF"));
    rebar = RebarSettings{};
    w.action("配筋参数...")->trigger();
    QVERIFY(std::filesystem::exists(rebarFile));
    const CSlideCalcData edited = record;
    QCOMPARE(w.edits()->steps(), 7);

    // Undo with the keys back to the record the window opened with; the
    // tables and the description follow each step.
    w.tabs()->setCurrentIndex(1);
    focusOnCell(slip, 1, 2);
    for (int i = 0; i < 7; ++i) QTest::keyClick(slip, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!w.edits()->canUndo());
    QVERIFY(record == opened);
    QVERIFY(!std::filesystem::exists(rebarFile));
    QCOMPARE(w.description()->text(), QString("例题"));
    QCOMPARE(slip->model()->rowCount(), 6);
    QCOMPARE(cellText(w.grid(TableId::CSlipCountTable), 1, 2), QString("6"));

    for (int i = 0; i < 7; ++i) QTest::keyClick(slip, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(record == edited);
    QCOMPARE(w.description()->text(), QString("外来算例"));
    QCOMPARE(cellText(w.grid(TableId::CSlipCountTable), 1, 2), QString("3"));
    w.reject();
}

void CalcWindowTest::rebarDialogRefusesWhatTheFileReaderRefuses() {
    RebarSettingsDialog dialog(RebarSettings{}, place.root.path().toStdString() + "/a.PJ");
    dialog.findChild<QLineEdit*>("gammaF")->setText("abc");
    std::string why;
    QVERIFY(!dialog.settings(&why));
    QVERIFY(QString::fromStdString(why).contains("γF"));
    dialog.findChild<QLineEdit*>("gammaF")->setText("1.2");
    QVERIFY(dialog.settings(&why).value_or(RebarSettings{}).gammaF == 1.2);
}

// The pile library dialog driven as a user drives it: rows picked with the
// mouse, "确认", and "编辑试验资料库" with editors that append, never start or
// never end. Taking kinds over is CPileLibraryTest's; "从库中选择" is reached
// from the calculation window in everyEditUndoneAndRedone.
void CalcWindowTest::shippedLibraryListedAndPickedRowsMarked() {
    CPileLibrary library;
    QCOMPARE(library.LoadPileLibrary(ctx), 1);
    CPileLibraryDlg dialog(&library, ctx);
    QVERIFY(exposed(dialog));
    QTableWidget* list = dialog.list();
    QCOMPARE(list->rowCount(), static_cast<int>(library.entries.size()));
    QCOMPARE(list->horizontalHeaderItem(4)->text(), QString("规格/桩径m"));
    QCOMPARE(rowTexts(list, 2), QStringList({"3", "3", "Z3", "钢轨", "43.0kg/m", "3.00", "2.50",
                                             "硬塑粘土", "平地", "80.00", "75.00"}));

    click(&dialog, "确认");  // nothing picked yet
    QCOMPARE(sinks.lines, QStringList({"请用鼠标选择至少一根桩 !"}));
    QVERIFY(dialog.isVisible());

    pickRows(list, {0, 2, 5});
    click(&dialog, "确认");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    for (int i = 0; i < static_cast<int>(library.entries.size()); ++i)
        QCOMPARE(library.entries[i].selected, int(i == 0 || i == 2 || i == 5));
}

void CalcWindowTest::editorAppendingAnEntryShowsItAfterItCloses() {
    QTemporaryDir dir;
    std::string entry = utf8ToGbk("10,10,Z10,钢轨,38,2.8,2.0,砂土,平地,60,55");
    qputenv("VISUAL",
            script(dir.path(), "append.sh",
                   "sleep 0.3\nprintf '%s\\n' '" + QByteArray::fromStdString(entry) + "' >> \"$1\"")
                .toLocal8Bit());
    CPileLibrary library;
    library.LoadPileLibrary(ctx);
    const int before = static_cast<int>(library.entries.size());
    CPileLibraryDlg dialog(&library, ctx);
    QVERIFY(exposed(dialog));
    click(&dialog, "编辑试验资料库");
    QVERIFY(!dialog.editButton()->isEnabled());  // while the editor runs
    QTRY_COMPARE_WITH_TIMEOUT(dialog.list()->rowCount(), before + 1, 300000);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.editButton()->isEnabled(), 300000);
    QCOMPARE(rowTexts(dialog.list(), before).mid(1, 4),
             QStringList({"10", "Z10", "钢轨", "38.0kg/m"}));
}

void CalcWindowTest::editorsThatNeverStartOrNeverEnd() {
    CPileLibrary library;
    library.LoadPileLibrary(ctx);
    const int entries = static_cast<int>(library.entries.size());
    qputenv("VISUAL", "/nonexistent/editor --wait");
    {
        CPileLibraryDlg dialog(&library, ctx);
        dialog.show();
        click(&dialog, "编辑试验资料库");
        QVERIFY(dialog.note()->isVisible());
        QVERIFY(dialog.note()->text().contains("无法启动"));
        QVERIFY(dialog.editButton()->isEnabled());
        QCOMPARE(dialog.list()->rowCount(), entries);
    }

    // An editor left open: the dialog still answers, and closing it leaves
    // the editor running.
    QTemporaryDir dir;
    qputenv("VISUAL", script(dir.path(), "forever.sh", "exec sleep 60").toLocal8Bit());
    CPileLibraryDlg dialog(&library, ctx);
    QVERIFY(exposed(dialog));
    click(&dialog, "编辑试验资料库");
    QVERIFY(!dialog.editButton()->isEnabled());
    pickRows(dialog.list(), {1});
    click(&dialog, "确认");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(library.entries[1].selected, 1);
    QList<QProcess*> editors = qApp->findChildren<QProcess*>();
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors[0]->state(), QProcess::Running);
    editors[0]->kill();
    editors[0]->waitForFinished();
}

QTEST_MAIN(CalcWindowTest)
#include "CalcWindowTest.moc"
