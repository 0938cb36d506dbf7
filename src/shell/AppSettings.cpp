// QSettings under the section and keys the program has always used.
#include "shell/AppSettings.h"

namespace {

const char* kSection = "CurWorkSeting";
const char* kRecentSection = "Recent File List";

}  // namespace

AppSettings::AppSettings(const QString& file)
    : m_settings(file.isEmpty()
                     ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                   "Morvane", "Talvor")
                     : std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

QString AppSettings::workPath() const {
    return m_settings->value(QString(kSection) + "/CurWorkPath").toString();
}

int AppSettings::tableTips() const {
    bool ok = false;
    int value = m_settings->value(QString(kSection) + "/DispTableTip", 1).toInt(&ok);
    return ok ? value : 1;
}

void AppSettings::save(const QString& workPath, int tableTips) {
    m_settings->setValue(QString(kSection) + "/DispTableTip", tableTips);
    m_settings->setValue(QString(kSection) + "/CurWorkPath", workPath);
    m_settings->sync();
}

QStringList AppSettings::recentProjects() const {
    QStringList list;
    for (int i = 1; i <= kRecentCount; ++i) {
        QString path =
            m_settings->value(QString("%1/File%2").arg(kRecentSection).arg(i)).toString();
        if (!path.isEmpty()) list << path;
    }
    return list;
}

void AppSettings::addRecentProject(const QString& workPath) {
    QStringList list = recentProjects();
    list.removeAll(workPath);
    list.prepend(workPath);
    for (int i = 1; i <= kRecentCount; ++i)
        m_settings->setValue(QString("%1/File%2").arg(kRecentSection).arg(i),
                             i <= list.size() ? list[i - 1] : QString());
    m_settings->sync();
}
