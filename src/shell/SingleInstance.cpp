// A lock file: a crashed first instance leaves a stale lock, which QLockFile
// recognises by its dead process and takes over.
#include "shell/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const char* kWindowClass = "MV_TB40_TALVOR_MAINWND";

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
    m_path = dir + "/" + kWindowClass + ".lock";
}

bool SingleInstance::acquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
