// From main() to the first window the engineer works in.
#include "shell/TalvorApp.h"

#include "shell/CMainFrame.h"
#include "shell/SingleInstance.h"

#include "platform/ProgramDirectory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QScreen>
#include <QTimer>

#include <cstdio>

StartOptions startOptionsFrom(const QStringList& arguments) {
    StartOptions options;
    if (!arguments.isEmpty()) options.workPath = arguments.join(' ');
    options.programDir = QString::fromStdString(ProgramDirectory());
    return options;
}

bool installQtChinese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

// TALVOR_STARTUP_PROBE=1 prints the time from the start of main() until the
// main window and its project window have been shown and painted, then ends
// the program; the start-up measurement uses it.
void probeStartup(const QElapsedTimer& sinceMain, CMainFrame& frame) {
    if (qEnvironmentVariableIntValue("TALVOR_STARTUP_PROBE") == 0) return;
    QTimer::singleShot(0, &frame, [&sinceMain, &frame] {
        std::fprintf(stderr, "talvor: usable window after %.1f ms\n",
                     sinceMain.nsecsElapsed() / 1e6);
        frame.close();
    });
}

}  // namespace

int runTalvor(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    app.setApplicationName("Talvor");
    app.setOrganizationName("Morvane");
    app.setWindowIcon(QIcon(":/icons/talvor.svg"));
    installQtChinese(app);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    StartOptions options = startOptionsFrom(arguments);
    SingleInstance instance;
    // A second start ends at once: the first one comes to the front and
    // offers to switch to the project this one was given.
    if (!instance.acquire()) {
        instance.handOver(options.workPath);
        return 0;
    }

    CMainFrame frame(options);
    QObject::connect(&instance, &SingleInstance::handedOver, &frame,
                     &CMainFrame::OnProjectHandedOver);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    QTimer::singleShot(0, &frame, [&] {
        frame.startProject();
        probeStartup(sinceMain, frame);
    });
    return app.exec();
}
