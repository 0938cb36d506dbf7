// One running program per user: the first start holds a lock file named after
// the main window's class and listens beside it; a second start finds the
// lock held, hands its project path to the first (which comes to the front
// and asks whether to switch) and ends.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // The lock in the user's runtime directory (else the temporary one);
    // tests give their own directory.
    explicit SingleInstance(const QString& directory = {});
    ~SingleInstance() override;

    // True when this is the only instance; the lock is then held, and later
    // starts heard, until the object goes.
    bool acquire();
    // From a second start: gives the work path (empty: none was given) to
    // the first. False when no first instance took it.
    bool handOver(const QString& workPath) const;

    QString lockPath() const { return m_path + ".lock"; }
    QString serverPath() const { return m_path + ".sock"; }

  signals:
    // A second start handed over its work path (empty when it had none).
    void handedOver(const QString& workPath);

  private:
    void listen();
    void accept();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
