// A lock file: a crashed first instance leaves a stale lock, which QLockFile
// recognises by its dead process and takes over. The path travels over a
// local socket beside it as one line of UTF-8.
#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const char* kWindowClass = "MV_TB40_TALVOR_MAINWND";
// A second start waits this long for a first one that is busy (a long
// calculation runs on its one thread) before it gives up and ends.
constexpr int kHandOverMs = 5000;

QString defaultDirectory() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) return runtime;
    // Without a runtime directory the temporary one is shared by every user:
    // the user's name keeps their locks apart.
    return QDir::tempPath() + "/" + qEnvironmentVariable("USER", "talvor");
}

}  // namespace

SingleInstance::SingleInstance(const QString& directory) {
    QString dir = directory.isEmpty() ? defaultDirectory() : directory;
    QDir().mkpath(dir);
    m_path = dir + "/" + kWindowClass;
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    m_lock = std::make_unique<QLockFile>(lockPath());
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) return false;
    listen();
    return true;
}

void SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours: a socket left there belongs to a crashed instance.
    QLocalServer::removeServer(serverPath());
    if (!m_server->listen(serverPath())) return;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            QString path = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->disconnectFromServer();
            emit handedOver(path);
        });
    }
}

bool SingleInstance::handOver(const QString& workPath) const {
    QLocalSocket socket;
    socket.connectToServer(serverPath());
    if (!socket.waitForConnected(kHandOverMs)) return false;
    QString absolute = workPath.isEmpty() ? QString() : QDir(workPath).absolutePath();
    socket.write(absolute.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kHandOverMs)) return false;
    socket.disconnectFromServer();
    return true;
}
