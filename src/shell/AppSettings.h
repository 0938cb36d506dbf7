// The settings kept between runs, in the section "CurWorkSeting" of the
// user's settings file: the last work path and whether the input tables show
// their hints; beside them the four most recently opened projects.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

class AppSettings {
  public:
    static constexpr int kRecentCount = 4;

    // The user's settings file; an empty path means the platform's place for
    // them (an INI file in the user's configuration directory).
    explicit AppSettings(const QString& file = {});

    QString workPath() const;  // "CurWorkPath", default empty
    int tableTips() const;     // "DispTableTip", default 1
    void save(const QString& workPath, int tableTips);

    QStringList recentProjects() const;
    // Puts a project first in the list, removing it further down and
    // dropping the oldest beyond four.
    void addRecentProject(const QString& workPath);

    QString fileName() const { return m_settings->fileName(); }

  private:
    std::unique_ptr<QSettings> m_settings;
};
