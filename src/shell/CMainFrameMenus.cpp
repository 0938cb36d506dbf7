// The menus, toolbar and status bar of the main window, and how their entries
// reach the main frame or the active project window.
#include "shell/CMainFrame.h"

#include "shell/CSplitterFrame.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolBar>

namespace {

using T = CommandTarget;
constexpr CommandSpec kSeparator{0, nullptr, T::MainFrame};
constexpr CommandSpec kRecent{-1, nullptr, T::MainFrame};  // the recent projects go here

const CommandSpec kOpen{cmd::OpenProject, "打开工程", T::MainFrame};
const CommandSpec kExit{cmd::Exit, "退出(&X)", T::MainFrame};
const CommandSpec kToolBar{cmd::ToolBar, "工具栏(&T)", T::MainFrame};
const CommandSpec kStatusBar{cmd::StatusBar, "状态栏(&S)", T::MainFrame};
const CommandSpec kAbout{cmd::About, "版本信息", T::MainFrame};
const CommandSpec kHelp{cmd::Help, "简要说明", T::MainFrame};

// The seven drawing commands, in the order of the toolbar.
const CommandSpec kZoom[] = {
    {cmd::ZoomOut, "缩小", T::DrawingView},
    {cmd::ZoomIn, "放大", T::DrawingView},
    {cmd::Pan, "平移", T::DrawingView},
    {cmd::ShowAll, "全图显示", T::DrawingView},
    {cmd::Redraw, "重画", T::DrawingView},
    {cmd::ZoomWindow, "窗口放大", T::DrawingView},
    {cmd::PreviousZoom, "前一次显示", T::DrawingView},
};

struct MenuSpec {
    const char* title;
    std::vector<CommandSpec> entries;
};

std::vector<MenuSpec> mainMenuSpecs() {
    return {{"文件(&F)", {kOpen, kRecent, kSeparator, kExit}},
            {"显示控制(&D)", {kToolBar, kStatusBar}},
            {"帮助", {kAbout, kHelp}}};
}

std::vector<MenuSpec> projectMenuSpecs() {
    std::vector<CommandSpec> graphics = {
        {cmd::ReadDxf, "读入DXF文件", T::DrawingView},
        {cmd::SaveDxf, "显示简图存为DXF文件", T::DrawingView},
        {cmd::CopyDrawing, "显示图形拷贝到剪贴板上", T::DrawingView},
        {cmd::TextHeight, "设置字符高度", T::DrawingView},
        {cmd::ClearView, "清除视窗", T::DrawingView},
        kSeparator};
    graphics.insert(graphics.end(), std::begin(kZoom), std::end(kZoom));
    return {
        {"控制(&C)",
         {kOpen,
          {cmd::SelectKinds, "选择计算项目", T::MainFrame},
          {cmd::SaveData, "保存数据", T::MainFrame},
          kSeparator,
          {cmd::Print, "打印", T::ActiveView},
          {cmd::PrintPreview, "打印预览", T::ActiveView},
          {cmd::PrintSetup, "打印设置", T::ActiveView},
          {cmd::SavePdf, "保存为PDF文件", T::ReportView},
          kSeparator,
          kRecent,
          kSeparator,
          kExit}},
        {"工程操作[&E]",
         {{cmd::AddItem, "增加项目", T::Document},
          {cmd::DeleteItem, "删除当前项目", T::Document},
          {cmd::CalcItem, "当前项目计算", T::Document},
          kSeparator,
          {cmd::ProjectSummary, "工程汇总表", T::MainFrame}}},
        {"图形查询[&G]", graphics},
        {"文字编辑[&T]",
         {{cmd::Undo, "恢复", T::ReportView},
          kSeparator,
          {cmd::Cut, "剪切", T::ReportView},
          {cmd::Copy, "拷贝", T::ReportView},
          {cmd::Paste, "粘贴", T::ReportView},
          {cmd::PasteSpecial, "特别粘贴", T::ReportView},
          {cmd::ClearSelection, "删除选择的文字", T::ReportView},
          {cmd::SelectAll, "全选", T::ReportView},
          kSeparator,
          {cmd::Find, "寻找", T::ReportView},
          {cmd::FindNext, "寻找下一个", T::ReportView},
          {cmd::Replace, "替换", T::ReportView},
          {cmd::GoToLine, "跳到指定行", T::ReportView},
          kSeparator,
          {cmd::InsertObject, "插入对象", T::ReportView},
          {cmd::LinkObject, "连接对象", T::ReportView},
          {cmd::ObjectProperties, "对象属性", T::ReportView},
          {cmd::CharFormat, "字体与颜色设置", T::ReportView},
          kSeparator,
          {cmd::ReadRtf, "读入RTF文件", T::ReportView},
          {cmd::SaveRtf, "保存RTF文件", T::ReportView},
          {cmd::SaveRtfAs, "更名保存RTF文件", T::ReportView},
          {cmd::SaveText, "保存文件为文本文件", T::ReportView},
          {cmd::ClearView, "清除视窗", T::ReportView}}},
        {"显示控制[&D]",
         {kToolBar,
          kStatusBar,
          {cmd::ShowInfo, "显示计算信息窗口", T::MainFrame},
          {cmd::TableTips, "显示表格输入提示信息", T::MainFrame},
          kSeparator,
          {cmd::Cascade, "层叠窗口", T::MainFrame},
          {cmd::TileHorizontal, "横向平铺", T::MainFrame},
          {cmd::TileVertical, "纵向平铺", T::MainFrame},
          {cmd::ArrangeIcons, "排列图标", T::MainFrame},
          kSeparator,
          {cmd::NextPane, "下一窗格", T::MainFrame},
          {cmd::PreviousPane, "上一窗格", T::MainFrame}}},
        {"帮助", {kAbout, kHelp}},
    };
}

QKeySequence shortcutOf(const CommandSpec& command) {
    switch (command.id) {
        case cmd::OpenProject:
            return QKeySequence::Open;
        case cmd::SaveData:
            return QKeySequence::Save;
        case cmd::Print:
            return QKeySequence::Print;
        case cmd::NextPane:
            return QKeySequence(Qt::Key_F6);
        case cmd::PreviousPane:
            return QKeySequence(Qt::SHIFT | Qt::Key_F6);
        case cmd::Help:
            return QKeySequence::HelpContents;
        default:
            break;
    }
    if (command.target != T::ReportView) return {};
    switch (command.id) {
        case cmd::Undo:
            return QKeySequence::Undo;
        case cmd::Cut:
            return QKeySequence::Cut;
        case cmd::Copy:
            return QKeySequence::Copy;
        case cmd::Paste:
            return QKeySequence::Paste;
        case cmd::SelectAll:
            return QKeySequence::SelectAll;
        case cmd::Find:
            return QKeySequence::Find;
        case cmd::FindNext:
            return QKeySequence::FindNext;
        case cmd::Replace:
            return QKeySequence::Replace;
        default:
            return {};
    }
}

const char* iconOf(int id) {
    switch (id) {
        case cmd::Exit:
            return ":/icons/exit.svg";
        case cmd::OpenProject:
            return ":/icons/open.svg";
        case cmd::ZoomOut:
            return ":/icons/zoom-out.svg";
        case cmd::ZoomIn:
            return ":/icons/zoom-in.svg";
        case cmd::Pan:
            return ":/icons/pan.svg";
        case cmd::ShowAll:
            return ":/icons/show-all.svg";
        case cmd::Redraw:
            return ":/icons/redraw.svg";
        case cmd::ZoomWindow:
            return ":/icons/zoom-window.svg";
        case cmd::PreviousZoom:
            return ":/icons/previous-zoom.svg";
        default:
            return nullptr;
    }
}

bool isCheckable(int id) {
    return id == cmd::ToolBar || id == cmd::StatusBar || id == cmd::TableTips;
}

}  // namespace

QAction* CMainFrame::addCommand(QMenu* menu, const CommandSpec& command) {
    QAction* existing = action(command.id, command.target);
    if (existing) {
        menu->addAction(existing);
        return existing;
    }
    auto* a = new QAction(QString::fromUtf8(command.text), this);
    a->setShortcut(shortcutOf(command));
    a->setCheckable(isCheckable(command.id));
    QString tip = QString::fromUtf8(command.text).remove(QRegularExpression("\\(&.\\)|\\[&.\\]"));
    a->setIconText(tip);
    a->setStatusTip(tip);
    a->setToolTip(tip);
    if (const char* icon = iconOf(command.id)) a->setIcon(QIcon(icon));
    m_commands.push_back({command, a});
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    menu->addAction(a);
    return a;
}

void CMainFrame::createMenus() {
    auto build = [this](const std::vector<MenuSpec>& layout, std::vector<QMenu*>& menus) {
        for (const MenuSpec& m : layout) {
            QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.title));
            for (const CommandSpec& command : m.entries) {
                if (command.id == 0)
                    menu->addSeparator();
                else if (command.id == -1)
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
    for (int id : {cmd::ZoomOut, cmd::ZoomIn, cmd::Pan, cmd::ShowAll, cmd::Redraw, cmd::ZoomWindow,
                   cmd::PreviousZoom})
        m_toolBar->addAction(action(id, T::DrawingView));
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
        if (c.entry.id == command && c.entry.target == target) return c.action;
    return nullptr;
}

void CMainFrame::runCommand(const CommandSpec& command) {
    if (!canRun(command)) return;
    if (command.target == T::MainFrame)
        runMainCommand(command.id);
    else if (CSplitterFrame* frame = activeProjectWindow())
        frame->run(command.id, command.target);
    updateCommands();
}

bool CMainFrame::canRun(const CommandSpec& command) const {
    if (command.target != T::MainFrame) {
        CSplitterFrame* frame = activeProjectWindow();
        return frame && frame->canRun(command.id, command.target);
    }
    switch (command.id) {
        case cmd::SelectKinds:
            return m_session.projectOpen;
        case cmd::SaveData:
            return m_session.projectOpen && m_session.project.modified;
        case cmd::CalcWindow:
        case cmd::ProjectSummary:
            return m_session.projectOpen;
        case cmd::Cascade:
        case cmd::TileHorizontal:
        case cmd::TileVertical:
        case cmd::ArrangeIcons:
        case cmd::NextPane:
        case cmd::PreviousPane:
            return activeProjectWindow() != nullptr;
        default:
            return true;
    }
}

void CMainFrame::updateCommands() {
    bool project = activeProjectWindow() != nullptr;
    for (QMenu* m : m_mainMenus) m->menuAction()->setVisible(!project);
    for (QMenu* m : m_projectMenus) m->menuAction()->setVisible(project);
    for (const Command& c : m_commands) c.action->setEnabled(canRun(c.entry));
    action(cmd::ToolBar)->setChecked(m_toolBar && !m_toolBar->isHidden());
    action(cmd::StatusBar)->setChecked(!statusBar()->isHidden());
    action(cmd::TableTips)->setChecked(m_session.ctx.G_Disp_TableTip != 0);
}
