// The calculation window driven as a user drives it: "返回" and the close
// button writing the data file, a damaged one, the result drawings, keys
// typed while a design runs and the failed run it ends in, the pile kinds
// and the tables through accessibility. Typed, pasted and read edits are
// UndoTest's, the checked cells and "计算" CellCheckWindowTest's.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/CalcRunner.h"
#include "shell/CalcWindow.h"
#include "shell/CCxView.h"
#include "shell/ResultChooser.h"
#include "shell/TableGrid.h"
#include "shell/TableModel.h"
#include "shell/TablePageWidget.h"

#include "MaximalItem.h"
#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/WorkContext.h"
#include "project/ItemList.h"
#include "run/ResultNames.h"
#include "tables/CTableBase.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <future>

namespace {

// The input of a record without its book part and its results.
CSlideCalcData inputOf(const CSlideCalcData& r) {
    CSlideCalcData in = r;
    static_cast<CJsBaseData&>(in) = CJsBaseData{};
    in.residualThrust = {};
    return in;
}

QModelIndex cell(TableGrid* g, int row, int col) {
    return g->model()->index(row - 1, col - 1);
}

}  // namespace

class CalcWindowTest : public QObject, CalcWindowPlace {
    Q_OBJECT

  private slots:
    void init() { reset(); }

    void returnWritesTheDataFileAndReopeningShowsIt();
    void resultDrawingsOneShownDirectlySeveralInTheChooser();
    void tablesKeysPileKindsAndTypingDuringADesign();
};

void CalcWindowTest::returnWritesTheDataFileAndReopeningShowsIt() {
    ItemContext item;
    item.caption = "滑坡推力 1";
    item.fileBase = "&TLVR_0007";
    item.newItem = 1;
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
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
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

QTEST_MAIN(CalcWindowTest)
#include "CalcWindowTest.moc"
