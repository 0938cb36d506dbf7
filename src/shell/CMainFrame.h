// The main window "Morvane岩土Talvor设计软件": the project windows in its
// work area, the menus of the two states (without and with a project window),
// the toolbar, the status bar, the calculation information window, and the
// commands of the main frame: opening a project, saving it, the settings kept
// at close, the calculation window of an item, help and about.
#pragma once

#include "shell/AppSettings.h"
#include "shell/Commands.h"
#include "shell/GuiMessageSink.h"
#include "shell/ProjectSession.h"

#include <QMainWindow>

#include <optional>
#include <vector>

class CalcInfoDock;
class CSplitterFrame;
class QLabel;
class QMdiArea;
class QMenu;
class ResultChooser;

struct StartOptions {
    QString workPath;      // from the command line; empty when none was given
    QString programDir;    // empty: found from the program file
    QString settingsFile;  // empty: the user's settings file
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(const StartOptions& options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The last step of the start: opens the project of the given work path,
    // or asks for one with the project-information dialog.
    void startProject();

    ProjectSession& session() { return m_session; }
    CalcInfoDock* infoDock() const { return m_info; }
    CSplitterFrame* activeProjectWindow() const;
    std::vector<CSplitterFrame*> projectWindows() const;
    // The menu or toolbar entry of a command (the first with that number).
    QAction* action(int command) const;
    QAction* action(int command, CommandTarget target) const;
    QLabel* statusPane(int index) const { return m_panes[index]; }
    // The menu or toolbar entry's command; nullopt for one that is no command
    // (the recent projects).
    std::optional<CommandRef> commandOf(const QAction* action) const;
    // Enables and checks every entry as the state of the program asks.
    void updateCommands();
    // The main frame's own commands.
    static CommandTable<CMainFrame> commands();

    // The commands of the main frame.
    void OnOpenProject();
    void OpenProjectAt(const QString& workPath);
    void OnSelectKinds();
    void OnSaveData();
    bool OnCalcWindow();
    void OnShowInfo();
    void OnTableTips();
    void OnHelp();
    void OnAbout();
    // Calculates the summary of the open project and shows it in its window.
    void OnProjectSummary();
    // A second start handed over its work path: the window comes to the
    // front and, for another project, asks whether to switch to it.
    void OnProjectHandedOver(const QString& workPath);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Command {
        CommandRef entry;
        QAction* action;
    };
    QAction* addCommand(QMenu* menu, CommandRef command);
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void fillRecentMenu(QMenu* menu);
    void run(CommandRef command);
    bool canRun(CommandRef command) const;
    bool hasProjectWindow() const { return activeProjectWindow() != nullptr; }
    // Side by side, or one above the other, each over the whole other way.
    void tileWindows(bool sideBySide);
    // Saves the project record when it changed; a message when it cannot.
    void saveProject();
    // The result chooser "选择查询内容", made on first use and kept.
    ResultChooser* resultChooser();
    void projectLoaded(const QString& workPath);

    AppSettings m_settings;
    GuiMessageSink m_messages;
    ProjectSession m_session;
    QMdiArea* m_mdi;
    CalcInfoDock* m_info;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_panes[2] = {nullptr, nullptr};
    std::vector<Command> m_commands;
    std::vector<QMenu*> m_mainMenus;     // shown without a project window
    std::vector<QMenu*> m_projectMenus;  // shown while a project window is active
    QString m_givenWorkPath;
    ResultChooser* m_resultChooser = nullptr;
};
