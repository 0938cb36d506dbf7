// The user guide opened by "简要说明": in the web browser, or in a window of
// the program when there is none.
#include "support/ShellTestSupport.h"

#include "shell/GuideWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class HelpGuideTest : public QObject {
    Q_OBJECT
  private slots:
    void helpOpensTheGuideOfTheProgramDirectory();
};

void HelpGuideTest::helpOpensTheGuideOfTheProgramDirectory() {
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

QTEST_MAIN(HelpGuideTest)
#include "HelpGuideTest.moc"
