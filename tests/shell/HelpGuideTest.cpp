// The pictures of the user guide, taken from the program as it is, and the
// guide opened by "简要说明".
#include "support/ShellTestSupport.h"

#include "shell/CSplitterFrame.h"
#include "shell/GuideWindow.h"
#include "shell/ProjectInfoDialog.h"
#include "shell/TemplateChooserDialog.h"

#include "data/CSlideCalcData.h"
#include "project/CTemplateIndex.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QListWidget>
#include <QTextBrowser>
#include <QTest>
#include <QTreeView>
#include <QUrl>

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class GuidePicturesTest : public QObject {
    Q_OBJECT
  private slots:
    void dialogsForTheGuide();
    void helpOpensTheGuideOfTheProgramDirectory();
};

void GuidePicturesTest::dialogsForTheGuide() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    CProjectInfo info = CProjectInfo::Defaults(place.projectDir.toStdString() + "/", 0);
    info.name = "某高速公路K12+300滑坡抢险工程";
    info.designTime = "2024年5月18日 09:30:00";
    ProjectInfoDialog dialog(place.projectDir, info, *frame->session().ctx.messages);
    dialog.show();
    QTRY_COMPARE_WITH_TIMEOUT(dialog.findChild<QTreeView*>()->currentIndex().data().toString(),
                              QString("project"), 300000);
    QTest::qWait(300);  // the other directories of the tree arrive in the background
    saveShot(&dialog, "project-dialog");

    CTemplateIndex index;
    index.LoadTemplateIndex(frame->session().ctx);
    TemplateChooser chooser(index, frame->session().ctx, 0);
    QVERIFY2(chooser.lines().size() > 2, "the shipped template library has an example");
    TemplateChooserDialog templates(chooser, CSlideCalcData{}, frame->session().ctx);
    templates.findChild<QListWidget*>()->setCurrentRow(2);
    templates.show();
    QTest::qWait(50);
    saveShot(&templates, "template-chooser");
    QVERIFY(QFileInfo::exists(QString(TALVOR_SHOT_DIR) + "/template-chooser.png"));
}

void GuidePicturesTest::helpOpensTheGuideOfTheProgramDirectory() {
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

QTEST_MAIN(GuidePicturesTest)
#include "GuidePicturesTest.moc"
