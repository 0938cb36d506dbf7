// The menus, toolbar and status bar of the main window, and how their entries
// reach the main frame or the active project window.
#include "shell/CMainFrame.h"

#include "shell/CBbDoc.h"
#include "shell/CBbView.h"
#include "shell/CSplitterFrame.h"
#include "shell/DrawingPane.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

namespace {

using T = CommandTarget;
constexpr CommandRef kSeparator{T::MainFrame, 0};
constexpr CommandRef kRecent{T::MainFrame, -1};  // the recent projects go here

constexpr CommandRef frame(int id) {
    return {T::MainFrame, id};
}
constexpr CommandRef drawing(int id) {
    return {T::DrawingView, id};
}
constexpr CommandRef report(int id) {
    return {T::ReportView, id};
}

// The seven drawing commands, in the order of the toolbar.
constexpr int kZoom[] = {cmd::ZoomOut, cmd::ZoomIn,     cmd::Pan,         cmd::ShowAll,
                         cmd::Redraw,  cmd::ZoomWindow, cmd::PreviousZoom};

struct MenuSpec {
    const char* title;
    std::vector<CommandRef> entries;
};

std::vector<MenuSpec> mainMenuSpecs() {
    return {{"文件(&F)", {frame(cmd::OpenProject), kRecent, kSeparator, frame(cmd::Exit)}},
            {"显示控制(&D)", {frame(cmd::ToolBar), frame(cmd::StatusBar)}},
            {"帮助", {frame(cmd::About), frame(cmd::Help)}}};
}

std::vector<CommandRef> reportEntries(std::initializer_list<int> ids) {
    std::vector<CommandRef> entries;
    for (int id : ids) entries.push_back(id == 0 ? kSeparator : report(id));
    return entries;
}

std::vector<MenuSpec> projectMenuSpecs() {
    std::vector<CommandRef> graphics = {drawing(cmd::ReadDxf),     drawing(cmd::SaveDxf),
                                        drawing(cmd::CopyDrawing), drawing(cmd::TextHeight),
                                        drawing(cmd::ClearView),   kSeparator};
    for (int id : kZoom) graphics.push_back(drawing(id));
    return {
        {"控制(&C)",
         {frame(cmd::OpenProject),
          frame(cmd::SelectKinds),
          frame(cmd::SaveData),
          kSeparator,
          {T::ActiveView, cmd::Print},
          {T::ActiveView, cmd::PrintPreview},
          {T::ActiveView, cmd::PrintSetup},
          report(cmd::SavePdf),
          kSeparator,
          kRecent,
          kSeparator,
          frame(cmd::Exit)}},
        {"工程操作[&E]",
         {{T::Document, cmd::AddItem},
          {T::Document, cmd::DeleteItem},
          {T::Document, cmd::CalcItem},
          kSeparator,
          frame(cmd::ProjectSummary)}},
        {"图形查询[&G]", graphics},
        {"文字编辑[&T]", reportEntries({cmd::Undo,
                                        0,
                                        cmd::Cut,
                                        cmd::Copy,
                                        cmd::Paste,
                                        cmd::PasteSpecial,
                                        cmd::ClearSelection,
                                        cmd::SelectAll,
                                        0,
                                        cmd::Find,
                                        cmd::FindNext,
                                        cmd::Replace,
                                        cmd::GoToLine,
                                        0,
                                        cmd::InsertObject,
                                        cmd::LinkObject,
                                        cmd::ObjectProperties,
                                        cmd::CharFormat,
                                        0,
                                        cmd::ReadRtf,
                                        cmd::SaveRtf,
                                        cmd::SaveRtfAs,
                                        cmd::SaveText,
                                        cmd::ClearView})},
        {"显示控制[&D]",
         {frame(cmd::ToolBar), frame(cmd::StatusBar), frame(cmd::ShowInfo), frame(cmd::TableTips),
          kSeparator, frame(cmd::Cascade), frame(cmd::TileHorizontal), frame(cmd::TileVertical),
          frame(cmd::ArrangeIcons), kSeparator, frame(cmd::NextPane), frame(cmd::PreviousPane)}},
        {"帮助", {frame(cmd::About), frame(cmd::Help)}},
    };
}

// The entry as its target's table describes it.
CommandLabel labelOf(CommandRef command) {
    switch (command.target) {
        case T::MainFrame:
            return commandLabel(commandRow(CMainFrame::commands(), command.id));
        case T::Document:
            return commandLabel(commandRow(CBbDoc::commands(), command.id));
        case T::DrawingView:
            return commandLabel(commandRow(DrawingPane::commands(), command.id));
        case T::ReportView:
            return commandLabel(commandRow(CBbView::commands(), command.id));
        case T::ActiveView:
            return commandLabel(commandRow(CSplitterFrame::activeViewCommands(), command.id));
    }
    talvor_assert(!"a command target without a table");
    return {};
}

bool operator==(CommandRef a, CommandRef b) {
    return a.target == b.target && a.id == b.id;
}

}  // namespace

QAction* CMainFrame::addCommand(QMenu* menu, CommandRef command) {
    QAction* existing = action(command.id, command.target);
    if (existing) {
        menu->addAction(existing);
        return existing;
    }
    const CommandLabel label = labelOf(command);
    talvor_assert(label.text != nullptr);
    auto* a = new QAction(QString::fromUtf8(label.text), this);
    a->setShortcut(label.keys.sequence());
    a->setCheckable(label.checkable);
    QString tip = QString::fromUtf8(label.text).remove(QRegularExpression("\\(&.\\)|\\[&.\\]"));
    a->setIconText(tip);
    a->setStatusTip(tip);
    a->setToolTip(tip);
    if (label.icon) a->setIcon(QIcon(label.icon));
    m_commands.push_back({command, a});
    connect(a, &QAction::triggered, this, [this, command] { run(command); });
    menu->addAction(a);
    return a;
}

void CMainFrame::createMenus() {
    auto build = [this](const std::vector<MenuSpec>& layout, std::vector<QMenu*>& menus) {
        for (const MenuSpec& m : layout) {
            QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.title));
            for (CommandRef command : m.entries) {
                if (command == kSeparator)
                    menu->addSeparator();
                else if (command == kRecent)
                    fillRecentMenu(menu);
                else
                    addCommand(menu, command);
            }
            menus.push_back(menu);
        }
    };
    build(mainMenuSpecs(), m_mainMenus);
    build(projectMenuSpecs(), m_projectMenus);
}

void CMainFrame::fillRecentMenu(QMenu* menu) {
    QMenu* recent = menu->addMenu("最近的工程");
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        int n = 1;
        for (const QString& path : m_settings.recentProjects()) {
            QAction* a = recent->addAction(QString("&%1 %2").arg(n++).arg(path));
            connect(a, &QAction::triggered, this, [this, path] { OpenProjectAt(path); });
        }
        if (recent->isEmpty()) recent->addAction("(无)")->setEnabled(false);
    });
}

void CMainFrame::createToolBar() {
    m_toolBar = addToolBar("工具栏");
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->addAction(action(cmd::Exit));
    m_toolBar->addSeparator();
    m_toolBar->addAction(action(cmd::OpenProject));
    m_toolBar->addSeparator();
    for (int id : kZoom) m_toolBar->addAction(action(id, T::DrawingView));
}

void CMainFrame::createStatusBar() {
    const int widths[2] = {80, 120};
    for (int i = 0; i < 2; ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setMinimumWidth(widths[i]);
        m_panes[i]->setAccessibleName(i == 0 ? "行号" : "坐标");
        statusBar()->addPermanentWidget(m_panes[i]);
    }
    statusBar()->showMessage("就绪");
}

QAction* CMainFrame::action(int command) const {
    for (const Command& c : m_commands)
        if (c.entry.id == command) return c.action;
    return nullptr;
}

QAction* CMainFrame::action(int command, CommandTarget target) const {
    for (const Command& c : m_commands)
        if (c.entry == CommandRef{target, command}) return c.action;
    return nullptr;
}

std::optional<CommandRef> CMainFrame::commandOf(const QAction* action) const {
    for (const Command& c : m_commands)
        if (c.action == action) return c.entry;
    return std::nullopt;
}

void CMainFrame::run(CommandRef command) {
    if (command.target == T::MainFrame)
        runCommand(commands(), *this, command.id);
    else if (CSplitterFrame* frame = activeProjectWindow())
        frame->run(command.id, command.target);
    updateCommands();
}

bool CMainFrame::canRun(CommandRef command) const {
    if (command.target == T::MainFrame) return canRunCommand(commands(), *this, command.id);
    CSplitterFrame* frame = activeProjectWindow();
    return frame && frame->canRun(command.id, command.target);
}

void CMainFrame::updateCommands() {
    bool project = hasProjectWindow();
    for (QMenu* m : m_mainMenus) m->menuAction()->setVisible(!project);
    for (QMenu* m : m_projectMenus) m->menuAction()->setVisible(project);
    for (const Command& c : m_commands) {
        c.action->setEnabled(canRun(c.entry));
        if (c.entry.target != T::MainFrame) continue;
        if (auto checked = commandRow(commands(), c.entry.id).checked)
            c.action->setChecked(checked(*this));
    }
}
