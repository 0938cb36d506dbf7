// Starting the desktop program: with a project on the command line, without
// one, the settings kept at close, and the one-instance rule.
#include "support/ShellTestSupport.h"

#include "shell/CSplitterFrame.h"
#include "shell/ProjectInfoDialog.h"
#include "shell/SingleInstance.h"
#include "shell/TalvorApp.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QSettings>
#include <QTest>

namespace {

// How long a started program may take to answer: only a guard against a
// hang, so that a loaded machine never fails the test.
constexpr int kPatienceMs = 300000;

// The date of the design time a project dialog shows; its format is
// ProjectInfoTest's.
QString designDateIn(QWidget* dialog) {
    for (QLineEdit* e : dialog->findChildren<QLineEdit*>())
        if (e->accessibleName() == "设计时间") return e->text().section(' ', 0, 0);
    return {};
}

QString today() {
    const QDate d = QDate::currentDate();
    return QString("%1年%2月%3日").arg(d.year()).arg(d.month()).arg(d.day());
}

QStringList visibleMenus(CMainFrame& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        if (a->isVisible()) titles << a->text();
    return titles;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
  private slots:
    void aGivenProjectOpensWithoutADialogAndClosingKeepsTheSettings();
    void withoutProjectTheDialogAsksAndCancellingWritesNoSettings();
    void theDialogMakesTheTypedDirectoryAndOpensItsProject();
    void aSecondInstanceEndsAtOnceAndTheFirstRunsOn();
    void standardButtonsSpeakChineseOnAnyLocale();
    void aSecondStartHandsItsProjectToTheFirst();
};

// The program loads Qt's Chinese texts itself; the test runs under whatever
// locale the machine has.
void StartupTest::standardButtonsSpeakChineseOnAnyLocale() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(installQtChinese(*QCoreApplication::instance()),
             "Qt's translations are not installed (tools/setup.sh installs them)");
    QMessageBox box(QMessageBox::Question, "Talvor", "?",
                    QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    const std::pair<QMessageBox::StandardButton, const char*> expected[] = {
        {QMessageBox::Ok, "确定"},
        {QMessageBox::Cancel, "取消"},
        {QMessageBox::Yes, "是"},
        {QMessageBox::No, "否"}};
    for (const auto& [button, text] : expected)
        QCOMPARE(box.button(button)->text().remove('&').remove(QRegularExpression("\\(.*\\)")),
                 QString(text));
}

void StartupTest::aGivenProjectOpensWithoutADialogAndClosingKeepsTheSettings() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(frame->projectWindows().size(), size_t(1));
    QVERIFY(frame->windowTitle().contains(place.projectDir));
    QCOMPARE(visibleMenus(*frame), (QStringList{"控制(&C)", "工程操作[&E]", "图形查询[&G]",
                                                "文字编辑[&T]", "显示控制[&D]", "帮助"}));
    QVERIFY(frame->action(cmd::SelectKinds)->isEnabled());
    QVERIFY2(frame->action(cmd::SaveData)->isEnabled(), "a new project is not saved yet");
    // The project has no information file yet: "打开工程" proposes the design
    // time of now, as for any directory without one.
    QString designDate;
    whenModal([&](QWidget* dialog) {
        designDate = designDateIn(dialog);
        click(dialog, "取  消");
    });
    frame->action(cmd::OpenProject)->trigger();
    QCOMPARE(designDate, today());
    // The bars go and come back with their check marks; the table hints are
    // switched off, and stay off after a restart.
    for (int bar : {cmd::ToolBar, cmd::StatusBar}) {
        frame->action(bar)->trigger();
        QVERIFY(!frame->action(bar)->isChecked());
        frame->action(bar)->trigger();
        QVERIFY(frame->action(bar)->isChecked());
    }
    QVERIFY(frame->action(cmd::TableTips)->isChecked());
    frame->action(cmd::TableTips)->trigger();
    QVERIFY(!frame->action(cmd::TableTips)->isChecked());
    frame->close();
    QVERIFY(QFileInfo::exists(place.projectFile("Talvor.PRJ")));
    QSettings settings(place.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.value("CurWorkSeting/CurWorkPath").toString(), place.projectDir + "/");
    QCOMPARE(settings.value("CurWorkSeting/DispTableTip").toInt(), 0);
    QCOMPARE(AppSettings(place.settingsFile).recentProjects(), QStringList{place.projectDir + "/"});
    frame = startFrame(place.options(true));
    QVERIFY(!frame->action(cmd::TableTips)->isChecked());
}

void StartupTest::withoutProjectTheDialogAsksAndCancellingWritesNoSettings() {
    ShellPlace place;
    QString title, start, designDate;
    whenModal([&](QWidget* dialog) {
        title = dialog->windowTitle();
        start = qobject_cast<ProjectInfoDialog*>(dialog)->pathLine()->text();
        designDate = designDateIn(dialog);
        click(dialog, "取  消");
    });
    auto frame = startFrame(place.options(false));
    QCOMPARE(title, QString("指定工作路径"));
    QCOMPARE(designDate, today());
    // Nothing remembered: the dialog starts in the home folder.
    QCOMPARE(QDir(start), QDir::home());
    QVERIFY(frame->projectWindows().empty());
    QCOMPARE(visibleMenus(*frame), (QStringList{"文件(&F)", "显示控制(&D)", "帮助"}));
    QVERIFY(!frame->action(cmd::SelectKinds)->isEnabled());
    frame->close();
    QVERIFY(!QFileInfo::exists(place.settingsFile));
}

void StartupTest::theDialogMakesTheTypedDirectoryAndOpensItsProject() {
    ShellPlace place;
    whenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<ProjectInfoDialog*>(w);
        QVERIFY(dialog);
        dialog->pathLine()->clear();
        QTest::keyClicks(dialog->pathLine(), place.projectDir + "/new-project");
        auto* name = dialog->findChildren<QLineEdit*>().at(1);
        QCOMPARE(name->accessibleName(), QString("工程名称"));
        name->setText("某滑坡抢险工程");
        click(dialog, "确  认");
    });
    auto frame = startFrame(place.options(false));
    QCOMPARE(frame->projectWindows().size(), size_t(1));
    QVERIFY(QFileInfo::exists(place.projectDir + "/new-project/GCXX.BOX"));
    QCOMPARE(QString::fromStdString(frame->session().info.name), QString("某滑坡抢险工程"));
}

// The real program, twice, on the offscreen platform with a lock directory
// and settings of the test's own.
void StartupTest::aSecondInstanceEndsAtOnceAndTheFirstRunsOn() {
    ShellPlace place;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", place.root.path());
    env.insert("XDG_CONFIG_HOME", place.root.path() + "/config");
    env.insert("TALVOR_PROGRAM_DIR", place.programDir);

    QProcess first, second;
    for (QProcess* p : {&first, &second}) p->setProcessEnvironment(env);
    first.start(TALVOR_EXECUTABLE, {place.projectDir});
    QVERIFY(first.waitForStarted());
    QString lockFile = SingleInstance(place.root.path()).lockPath();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lockFile), kPatienceMs);
    second.start(TALVOR_EXECUTABLE, {place.projectDir});
    QVERIFY(second.waitForFinished(kPatienceMs));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

void StartupTest::aSecondStartHandsItsProjectToTheFirst() {
    ShellPlace place;
    SingleInstance first(place.root.path()), second(place.root.path());
    QVERIFY(first.acquire());
    QVERIFY(!second.acquire());
    auto frame = startFrame(place.options(true));
    QObject::connect(&first, &SingleInstance::handedOver, frame.get(),
                     &CMainFrame::OnProjectHandedOver);
    QStringList heard;
    QObject::connect(&first, &SingleInstance::handedOver, [&](const QString& p) { heard << p; });

    // The same project, or none: the window only comes to the front.
    QVERIFY(second.handOver(place.projectDir));
    QVERIFY(second.handOver({}));
    QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 2, kPatienceMs);
    QCOMPARE(heard, (QStringList{place.projectDir, QString()}));
    QVERIFY(frame->windowTitle().contains(place.projectDir));

    // Another project: asked, and on No nothing changes; on Yes it opens.
    const QString other = place.root.path() + "/other";
    QString asked;
    answerMessage(QMessageBox::No, &asked);
    QVERIFY(second.handOver(other));
    QTRY_COMPARE_WITH_TIMEOUT(heard.size(), 3, kPatienceMs);
    QVERIFY2(asked.contains(other) && asked.contains("是否切换"), qPrintable(asked));
    QVERIFY(frame->windowTitle().contains(place.projectDir));
    answerMessage(QMessageBox::Yes);
    QVERIFY(second.handOver(other));
    QTRY_VERIFY_WITH_TIMEOUT(frame->windowTitle().contains(other), kPatienceMs);
    QCOMPARE(frame->projectWindows().size(), size_t(1));
    frame->close();

    // With no first instance listening, a hand-over says so.
    SingleInstance alone(place.root.path() + "/elsewhere");
    QVERIFY(!alone.handOver(other));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
