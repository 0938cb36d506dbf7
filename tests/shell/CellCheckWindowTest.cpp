// Checked cells in the calculation window, typed as a user types: a text
// read only in part and a value out of its range are told on the hint line,
// full-width digits from an input method give the number meant, and "计算"
// lists what is left on every page, asks once and calculates what was typed.
// What each cell carries is TableModelTest's.
#include "support/ShellTestSupport.h"

#include "shell/CalcWindow.h"
#include "shell/TableGrid.h"
#include "shell/TablePageWidget.h"

#include "project/RtfReader.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>

namespace {

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

}  // namespace

class CellCheckWindowTest : public QObject, CalcWindowPlace {
    Q_OBJECT

  private slots:
    void flaggedCellsAreToldAndListedBeforeCalculating();
};

void CellCheckWindowTest::flaggedCellsAreToldAndListedBeforeCalculating() {
    sinks.answer = false;
    ctx.G_Disp_TableTip = 1;
    CalcWindow w(links());  // a pile safety check of the worked example
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
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
    QVERIFY(!std::filesystem::exists(ctx.G_strWorkPath + "&TLVR_0001_TLVR.RTF"));

    // Typed over, the flag goes; "是" calculates anyway, with the input typed.
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(slip, 3, 6, "12.75");
    QCOMPARE(w.inputWarnings().size(), 4);
    sinks.answer = true;
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    QCOMPARE(sinks.asked.size(), 2);
    std::optional<ReportDocument> report = LoadReport(ctx.G_strWorkPath + "&TLVR_0001_TLVR.RTF");
    QVERIFY(report && PlainText(*report).find("12.750") != std::string::npos);
}

QTEST_MAIN(CellCheckWindowTest)
#include "CellCheckWindowTest.moc"
