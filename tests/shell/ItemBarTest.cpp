// The item bar of a project window driven as a user drives it: "增" with the
// template chooser and the item's window, "计算", the result views, "删" with
// its question, and what is written at close.
#include "support/ShellTestSupport.h"

#include "shell/CSplitterFrame.h"
#include "shell/CalcInfoDock.h"
#include "shell/DrawingPane.h"
#include "shell/CBbView.h"

#include "platform/Drawing.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/RtfReader.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

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

class ItemBarTest : public QObject {
    Q_OBJECT
  private slots:
    void addCalculateLookAtResultsReopenAndDelete();
    void aDamagedProjectFileIsKeptAndAVanishedDirectoryOnlyGivesMessages();
};

void ItemBarTest::addCalculateLookAtResultsReopenAndDelete() {
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

void ItemBarTest::aDamagedProjectFileIsKeptAndAVanishedDirectoryOnlyGivesMessages() {
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

QTEST_MAIN(ItemBarTest)
#include "ItemBarTest.moc"
