// One running program per user: the first start holds a lock file named after
// the main window's class; a second start finds it held and ends.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class SingleInstance {
  public:
    // The lock in the user's runtime directory (else the temporary one);
    // tests give their own directory.
    explicit SingleInstance(const QString& directory = {});

    // True when this is the only instance; the lock is then held until the
    // object goes.
    bool acquire();
    QString lockPath() const { return m_path; }

  private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
