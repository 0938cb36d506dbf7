// Undo and redo of the calculation window as a user meets them: a section
// edited through the widgets in every way the window offers (a file that
// cannot be read and a copy to the clipboard among them), undone with
// Ctrl+Z back to the record it opened with, field for field, and redone
// with Ctrl+Y. Which edits are steps, and what a step puts back, is
// RecordEditsTest's; this checks that every way of the window reaches them.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/CalcWindow.h"
#include "shell/TableGrid.h"
#include "shell/RebarSettingsDialog.h"
#include "shell/commands/RecordEdits.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <optional>

class UndoTest : public QObject, CalcWindowPlace {
    Q_OBJECT

    void takeFromLibrary(CalcWindow& w, int row);
    void importLines(CalcWindow& w, const char* name);

  private slots:
    void init() {
        reset();
        record.setName("例题");
        record.residualThrust[3] = 12.5f;  // a last run's results stay as they are
    }

    void everyEditUndoneAndRedone();
    void rebarDialogRefusesWhatTheFileReaderRefuses();
};

void UndoTest::takeFromLibrary(CalcWindow& w, int row) {
    whenModal([row](QWidget* kinds) {
        whenModal([row, kinds](QWidget* library) {
            auto* list = library->findChild<QTableWidget*>();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row, 1)).center());
            click(library, "确认");
            click(kinds, "确  认");
        });
        click(kinds, "从库中选择");
    });
    w.tabs()->setCurrentIndex(3);
    click(w.tabs()->currentWidget(), "桩身参数");
}

void UndoTest::importLines(CalcWindow& w, const char* name) {
    chosenFile = importDrawing(name);
    whenModal([](QWidget* units) {
        whenModal([](QWidget* preview) {
            click(preview, buttonNamed(preview, "读入") ? "读入" : "关闭");
        });
        click(units, "OK");
    });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
}

void UndoTest::everyEditUndoneAndRedone() {
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
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
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
    takeFromLibrary(w, 2);
    importLines(w, "section_m.dxf");
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

void UndoTest::rebarDialogRefusesWhatTheFileReaderRefuses() {
    RebarSettingsDialog dialog(RebarSettings{}, place.root.path().toStdString() + "/a.PJ");
    dialog.findChild<QLineEdit*>("gammaF")->setText("abc");
    std::string why;
    QVERIFY(!dialog.settings(&why));
    QVERIFY(QString::fromStdString(why).contains("γF"));
    dialog.findChild<QLineEdit*>("gammaF")->setText("1.2");
    QVERIFY(dialog.settings(&why).value_or(RebarSettings{}).gammaF == 1.2);
}

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
