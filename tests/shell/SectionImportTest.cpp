// The DXF import of the calculation window as a user meets it: the question,
// the file, the units dialog, then the preview of the lines found over the
// sketch, before anything changes; "读入" takes them over, "取消" nothing.
// What each drawing holds and how the preview tells it is DxfImportTest's.
#include "support/ShellTestSupport.h"

#include "shell/CCxView.h"
#include "shell/CalcWindow.h"
#include "shell/DxfPreviewDialog.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"

#include <QAction>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>

class SectionImportTest : public QObject {
    Q_OBJECT

  private slots:
    void previewFirstThenTheLinesOrNothing();
};

void SectionImportTest::previewFirstThenTheLinesOrNothing() {
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
    CalcWindowPlace at;
    CSlideCalcData& record = at.record;
    for (const auto& c : cases) {
        at.reset();
        const CSlideCalcData opened = record;
        at.chosenFile = c.file;
        CalcWindow w(at.links());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
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
    at.reset();
    const CSlideCalcData opened = record;
    at.chosenFile = "/nonexistent.dxf";
    CalcWindow w(at.links());
    w.show();
    whenModal([](QWidget* units) { click(units, "OK"); });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
    QCOMPARE(at.sinks.lines, QStringList({"读取DXF失败，请保存为R12版本的DXF再试!"}));
    QVERIFY(record == opened);
}

QTEST_MAIN(SectionImportTest)
#include "SectionImportTest.moc"
