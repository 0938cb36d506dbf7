// Checked cells in the calculation window, typed as a user types: a text
// read only in part and a value out of its range are marked with their
// message on the hint line, full-width digits give the number meant, and
// "计算" lists what is left and asks once.
#include "support/ShellTestSupport.h"

#include "shell/CalcWindow.h"
#include "shell/TableGrid.h"
#include "shell/TableModel.h"
#include "shell/TablePageWidget.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace {

// Sinks that keep every question and answer it as told.
struct AskingSinks : StatusSink, MessageSink {
    bool answer = false;
    QStringList asked;
    void tell_error(int, const std::string&) override {}
    void message(const std::string&) override {}
    bool question(const std::string& text, bool) override {
        asked << QString::fromStdString(text);
        return answer;
    }
};

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

}  // namespace

class CellCheckWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    AskingSinks m_sinks;
    WorkContext m_ctx;
    CSlideCalcData m_record;

  private slots:
    void mistypedCellsAreMarkedAndListedBeforeCalculating();
};

void CellCheckWindowTest::mistypedCellsAreMarkedAndListedBeforeCalculating() {
    m_ctx.G_strWorkPath = withTrailingSlash(m_dir.path().toStdString());
    m_ctx.status = &m_sinks;
    m_ctx.messages = &m_sinks;
    m_ctx.G_Disp_TableTip = 1;
    m_record.goal = 0;
    m_record.checkTarget = 1;
    SetResultFileNames(m_record, "&TLVR_0001");
    CalcWindowLinks links;
    links.record = &m_record;
    links.ctx = &m_ctx;
    links.fileBase = "&TLVR_0001";
    CalcWindow w(links);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.tabs()->setCurrentIndex(1);
    TableGrid* slip = w.grid(TableId::CSlipTable);

    typeIntoCell(slip, 3, 6, "abc");
    QCOMPARE(m_record.slip[2].c, 0.0f);
    QCOMPARE(cell(slip, 3, 6).data(TableModel::kWarningRole).toString(),
             QString("“abc” 不是数, 读作 0"));
    // Enter moved on, but the hint line tells what was just typed.
    QCOMPARE(slip->currentIndex(), cell(slip, 4, 6));
    QVERIFY2(hintLine(w.page(1)).startsWith("“abc” 不是数, 读作 0"),
             qPrintable(hintLine(w.page(1))));
    QVERIFY(cell(slip, 3, 6).data(Qt::AccessibleDescriptionRole).toString().contains("单位: kPa"));
    QVERIFY(cell(slip, 3, 6).data(Qt::AccessibleDescriptionRole).toString().contains("不是数"));
    QVERIFY(cell(slip, 3, 6).data(Qt::BackgroundRole).isValid());

    typeIntoCell(slip, 2, 7, "95");
    QVERIFY(
        cell(slip, 2, 7).data(TableModel::kWarningRole).toString().contains("应在 0~90 度之间"));
    typeThroughInputMethod(slip, 1, 6, "１２");  // an input method set to Chinese
    QCOMPARE(m_record.slip[0].c, 12.0f);
    QVERIFY(cell(slip, 1, 6).data(TableModel::kWarningRole).toString().isEmpty());
    typeThroughInputMethod(slip, 1, 7, "18。5");
    QCOMPARE(m_record.slip[0].phi, 18.5f);
    // The hint of an unflagged cell names its unit.
    focusOnCell(slip, 1, 7);
    QVERIFY(hintLine(w.page(1)).contains("单位: 度"));

    // "计算" lists both and asks once; "否" leaves the window and the input.
    QCOMPARE(w.inputWarnings().size(), 2);
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    QCOMPARE(m_sinks.asked.size(), 1);
    QVERIFY(m_sinks.asked[0].contains("滑面线 第 3 行 粘聚力(kPa): “abc” 不是数, 读作 0"));
    QVERIFY(m_sinks.asked[0].contains("滑面第 2 段摩擦角 φ = 95.000 度"));
    QVERIFY(w.isVisible());
    QVERIFY(!std::filesystem::exists(m_ctx.G_strWorkPath + "&TLVR_0001_TLVR.RTF"));

    // Typed over, the flag goes; "是" calculates anyway.
    typeIntoCell(slip, 3, 6, "10");
    QVERIFY(cell(slip, 3, 6).data(TableModel::kWarningRole).toString().isEmpty());
    QCOMPARE(w.inputWarnings().size(), 1);
    m_sinks.answer = true;
    QTest::mouseClick(w.calculateButton(), Qt::LeftButton);
    QCOMPARE(m_sinks.asked.size(), 2);
    QVERIFY(std::filesystem::exists(m_ctx.G_strWorkPath + "&TLVR_0001_TLVR.RTF"));
}

QTEST_MAIN(CellCheckWindowTest)
#include "CellCheckWindowTest.moc"
