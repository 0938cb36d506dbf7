// Undo and redo of the calculation window as a user meets them: a section
// edited through the widgets in every way the window offers, undone with
// Ctrl+Z back to the record it opened with, field for field, and redone
// with Ctrl+Y; edits that change nothing leave no step.
#include "support/ShellTestSupport.h"

#include "shell/CalcWindow.h"
#include "shell/TableGrid.h"
#include "shell/RebarSettingsDialog.h"
#include "shell/TablePageWidget.h"
#include "shell/commands/RecordEdits.h"

#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <optional>

class UndoTest : public QObject {
    Q_OBJECT

    ShellPlace m_place;
    ShellSinks m_sinks;
    WorkContext m_ctx;
    CSlideCalcData m_record;
    QString m_file;                        // what the window's file dialogs answer
    std::optional<RebarSettings> m_rebar;  // what the settings dialog answers

    CalcWindowLinks links() {
        CalcWindowLinks l;
        l.record = &m_record;
        l.ctx = &m_ctx;
        l.fileBase = "&TLVR_0001";
        l.chooseFile = [this](const QString&, const QString&, bool) {
            return m_file.toStdString();
        };
        l.editRebarSettings = [this](const RebarSettings&, const std::string&) { return m_rebar; };
        return l;
    }

    void takeFromLibrary(CalcWindow& w, int row);
    void importLines(CalcWindow& w, const char* name);

  private slots:
    void init() {
        m_ctx = WorkContext{};
        m_ctx.G_strExePath = m_place.programDir.toStdString();
        m_ctx.G_strWorkPath = withTrailingSlash(m_place.root.path().toStdString());
        m_ctx.messages = &m_sinks;
        m_record = CSlideCalcData{};
        m_record.setName("例题");
        SetResultFileNames(m_record, "&TLVR_0001");
        m_record.residualThrust[3] = 12.5f;  // a last run's results stay as they are
    }

    void everyEditUndoneAndRedone();
    void editsThatChangeNothingLeaveNoStep();
    void rebarSettingsUndoneAndRedone();
    void pointsTypedOnThePageAreUndoneLikeAnyEdit();
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
    m_file = importDrawing(name);
    whenModal([](QWidget* units) {
        whenModal([](QWidget* preview) {
            click(preview, buttonNamed(preview, "读入") ? "读入" : "关闭");
        });
        click(units, "OK");
    });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
}

void UndoTest::everyEditUndoneAndRedone() {
    const CSlideCalcData opened = m_record;
    CSlideCalcData foreign;
    foreign.setName("外来算例");
    foreign.slopeLength = 321.0f;
    foreign.slipCount = 3;
    QString foreignFile = m_place.root.path() + "/foreign.TV";
    QVERIFY(foreign.WriteDataFile(foreignFile.toStdString()));

    CalcWindow w(links());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    RecordEdits* edits = w.edits();

    TableGrid* control = w.grid(TableId::CControlTable);
    chooseInCell(control, 1, 2, "自动设计");  // pile design: the kinds become candidates
    chooseInCell(control, 6, 2, "不采用");    // unloading switched off
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(w.grid(TableId::CSlipCountTable), 1, 2, "8");
    typeIntoCell(w.grid(TableId::CSlipTable), 3, 6, "12.75");
    QStringList rows;
    for (int i = 0; i < 20; ++i) rows << QString("%1\t-%2").arg(2.0 + 0.1 * i).arg(0.5 + 0.01 * i);
    QApplication::clipboard()->setText(rows.join("\n") + "\n");
    focusOnCell(w.grid(TableId::CSlipTable), 1, 2);
    QTest::keyClick(w.grid(TableId::CSlipTable), Qt::Key_V, Qt::ControlModifier);
    w.tabs()->setCurrentIndex(2);
    typeIntoCell(w.grid(TableId::CSlopeTable), 1, 6, "2");
    typeIntoCell(w.grid(TableId::CLoadTable), 2, 2, "2.5");
    takeFromLibrary(w, 2);
    importLines(w, "section_m.dxf");
    const CSlideCalcData imported = m_record;
    QCOMPARE(imported.goal, 1);
    QCOMPARE(imported.useUnload, 0);
    QCOMPARE(imported.slipCount, 2);  // from the drawing, after 8 typed and 20 pasted
    QCOMPARE(imported.slip[2].c, 12.75f);
    QCOMPARE(imported.slope[0].loads[1].dist, 2.5f);
    QCOMPARE(imported.pileKindCount, opened.pileKindCount + 1);
    m_file = foreignFile;
    w.action("读入数据文件")->trigger();
    QCOMPARE(w.description()->text(), QString("外来算例"));

    const CSlideCalcData edited = m_record;
    QCOMPARE(edited.slopeLength, 321.0f);
    QCOMPARE(edits->steps(), 10);

    // Undo step by step with the keys, one step through the menu.
    w.action("撤销")->trigger();
    QVERIFY(m_record == imported);
    QCOMPARE(w.description()->text(), QString("例题"));
    TableGrid* slip = w.grid(TableId::CSlipTable);
    w.tabs()->setCurrentIndex(1);
    focusOnCell(slip, 1, 2);
    for (int i = 0; i < 9; ++i) QTest::keyClick(slip, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!edits->canUndo());
    QVERIFY(m_record == opened);
    QCOMPARE(cellText(w.grid(TableId::CSlipCountTable), 1, 2), QString("6"));
    QCOMPARE(slip->model()->rowCount(), 6);

    for (int i = 0; i < 10; ++i) QTest::keyClick(slip, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(!edits->canRedo());
    QVERIFY(m_record == edited);
    QCOMPARE(w.description()->text(), QString("外来算例"));
    QCOMPARE(cellText(w.grid(TableId::CSlipCountTable), 1, 2), QString("3"));
    w.reject();
}

void UndoTest::editsThatChangeNothingLeaveNoStep() {
    CalcWindow w(links());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    RecordEdits* edits = w.edits();
    w.tabs()->setCurrentIndex(1);
    TableGrid* slip = w.grid(TableId::CSlipTable);
    QString cohesion = cellText(slip, 2, 6);
    typeIntoCell(slip, 2, 6, cohesion);                              // the same value
    typeIntoCell(w.grid(TableId::CSlipCountTable), 1, 2, "6");       // the same count
    chooseInCell(w.grid(TableId::CControlTable), 1, 2, "验算校核");  // the same choice
    QApplication::clipboard()->setText(cellText(slip, 1, 2) + "\t" + cellText(slip, 1, 3) + "\n");
    focusOnCell(slip, 1, 2);
    QTest::keyClick(slip, Qt::Key_V, Qt::ControlModifier);  // the same block
    importLines(w, "no_lines.dxf");                         // nothing to take
    QCOMPARE(edits->steps(), 0);
    QVERIFY(!w.action("撤销")->isEnabled());

    typeIntoCell(slip, 2, 6, "33");
    QCOMPARE(edits->steps(), 1);
    QVERIFY(w.action("撤销")->isEnabled());
    QVERIFY(w.action("撤销")->statusTip().contains("33"));
    w.reject();
}

// The settings beside the item's data file change through the dialog as one
// step each; undo puts back the file as it was, byte for byte, or removes it.
void UndoTest::rebarSettingsUndoneAndRedone() {
    const std::string path = m_place.root.path().toStdString() + "/&TLVR_0001.PJ";
    auto onDisk = [&] {
        InputDiagnostics d;
        return ReadRebarSettings(path, d);
    };
    CalcWindow w(links());
    RecordEdits* edits = w.edits();
    RebarSettings cover75;
    QVERIFY(SetRebarSetting(cover75, "cover", "75", nullptr));
    RebarSettings hrb500 = cover75;
    QVERIFY(SetRebarSetting(hrb500, "bar", "HRB500", nullptr));

    m_rebar = std::nullopt;  // cancelled
    w.action("配筋参数...")->trigger();
    QVERIFY(!std::filesystem::exists(path));
    m_rebar = cover75;
    w.action("配筋参数...")->trigger();
    w.action("配筋参数...")->trigger();  // the same again: no step
    m_rebar = hrb500;
    w.action("配筋参数...")->trigger();
    QCOMPARE(edits->steps(), 2);
    QVERIFY(onDisk() == hrb500);
    w.action("撤销")->trigger();
    QVERIFY(onDisk() == cover75);
    w.action("撤销")->trigger();
    QVERIFY(!std::filesystem::exists(path));
    w.action("重做")->trigger();
    w.action("重做")->trigger();
    QVERIFY(onDisk() == hrb500);

    // A damaged file comes back exactly as it was.
    const std::string damaged = "cover=abc\nfoo\n";
    QVERIFY(writeFileAtomically(path, damaged));
    m_rebar = RebarSettings{};
    w.action("配筋参数...")->trigger();
    QVERIFY(onDisk() == RebarSettings{});
    w.action("撤销")->trigger();
    QCOMPARE(readFileBytes(path).value_or(""), damaged);

    // The dialog refuses what the file reader would refuse.
    RebarSettingsDialog dialog(cover75, path);
    dialog.findChild<QLineEdit*>("gammaF")->setText("abc");
    std::string why;
    QVERIFY(!dialog.settings(&why));
    QVERIFY(QString::fromStdString(why).contains("γF"));
    dialog.findChild<QLineEdit*>("gammaF")->setText("1.2");
    QVERIFY(dialog.settings(&why).value_or(RebarSettings{}).gammaF == 1.2);
    w.reject();
}

void UndoTest::pointsTypedOnThePageAreUndoneLikeAnyEdit() {
    const CSlideCalcData opened = m_record;
    CalcWindow w(links());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.tabs()->setCurrentIndex(1);
    TablePageWidget* page = w.page(1);
    QVERIFY(page && page->pointsSwitch());
    TableGrid* slip = w.grid(TableId::CSlipTable);
    const int columns = slip->model()->columnCount();
    page->pointsSwitch()->click();
    QCOMPARE(slip->model()->columnCount(), columns + 2);
    QCOMPARE(w.grid(TableId::CWaterTable)->model()->columnCount(), 7);
    QCOMPARE(slip->model()->headerData(1, Qt::Horizontal).toString(), QString("终点X\n(m)"));

    const QString next = cellText(slip, 4, 2);
    typeIntoCell(slip, 3, 2, "30.25");
    typeIntoCell(slip, 3, 3, "4.5");
    QCOMPARE(cellText(slip, 3, 2), QString("30.250"));
    QCOMPARE(cellText(slip, 4, 2), next);  // the next point stays
    // Points and strengths pasted as a spreadsheet copies them.
    QApplication::clipboard()->setText("45.5\t16\t11\t21\n");
    focusOnCell(slip, 4, 2);
    QTest::keyClick(slip, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cellText(slip, 4, 2), QString("45.500"));
    QCOMPARE(m_record.slip[3].phi, 21.0f);
    QCOMPARE(w.edits()->steps(), 3);

    page->pointsSwitch()->click();
    QCOMPARE(slip->model()->columnCount(), columns);
    // What a paste could not place is named.
    QString told;
    answerMessage(QMessageBox::Ok, &told);
    QApplication::clipboard()->setText("7\t1\t12\t30\t99\n");
    focusOnCell(slip, 5, 2);
    QTest::keyClick(slip, Qt::Key_V, Qt::ControlModifier);
    QVERIFY2(told.contains("第5行第8列“99”: 超出表格的列"), qPrintable(told));
    QCOMPARE(m_record.slip[4].phi, 30.0f);
    QCOMPARE(w.edits()->steps(), 4);
    for (int i = 0; i < 4; ++i) w.action("撤销")->trigger();
    QVERIFY(!w.edits()->canUndo());
    QVERIFY(m_record == opened);
    w.reject();
}

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
