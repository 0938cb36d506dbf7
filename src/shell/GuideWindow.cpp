// A browser is there when the user named one ($BROWSER) or the desktop has
// an application for web pages; xdg-open alone would start nothing and say
// nothing.
#include "shell/GuideWindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace {

// Asking the desktop's database is quick; a hung query gives up here.
constexpr int kQueryMs = 5000;

}  // namespace

GuideWindow::GuideWindow(const QString& guideFile, QWidget* parent)
    : QMainWindow(parent), m_browser(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Talvor 简要说明"));
    setObjectName("GuideWindow");
    m_browser->setOpenExternalLinks(true);
    m_browser->setAccessibleName(QStringLiteral("简要说明"));
    m_browser->setSource(QUrl::fromLocalFile(guideFile));
    setCentralWidget(m_browser);
    QToolBar* bar = addToolBar(QStringLiteral("浏览"));
    QAction* back = bar->addAction(QStringLiteral("后退"), m_browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("前进"), m_browser, &QTextBrowser::forward);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    resize(900, 700);
}

bool browserFound() {
    if (!qEnvironmentVariable("BROWSER").isEmpty()) return true;
    QString mime = QStandardPaths::findExecutable("xdg-mime");
    if (QStandardPaths::findExecutable("xdg-open").isEmpty() || mime.isEmpty()) return false;
    QProcess query;
    query.start(mime, {"query", "default", "text/html"});
    if (!query.waitForFinished(kQueryMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

void openGuide(const QString& guideFile, QWidget* parent) {
    if (browserFound() && QDesktopServices::openUrl(QUrl::fromLocalFile(guideFile))) return;
    auto* window = new GuideWindow(guideFile, parent);
    window->setWindowFlag(Qt::Window);
    window->show();
    window->raise();
}
