// Opening and saving projects, the project windows, and the main frame's own
// commands.
#include "shell/CMainFrame.h"

#include "shell/AboutBox.h"
#include "shell/AccessibleCombo.h"
#include "shell/CBbDoc.h"
#include "shell/CSplitterFrame.h"
#include "shell/CalcInfoDock.h"
#include "shell/CalcWindow.h"
#include "shell/GuideWindow.h"
#include "shell/ProjectInfoDialog.h"
#include "shell/DrawingPane.h"
#include "shell/ReportPane.h"
#include "shell/ResultChooser.h"
#include "shell/SummaryWindow.h"

#include "platform/ProgramDirectory.h"
#include "project/ProjectOpening.h"
#include "run/ProjectSummary.h"
#include "run/ResultNames.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QLabel>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <ctime>

CMainFrame::CMainFrame(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent),
      m_settings(options.settingsFile),
      m_mdi(new QMdiArea(this)),
      m_info(new CalcInfoDock(this)) {
    // The icons are compiled into the shell library, whose resources are not
    // registered by themselves when it is linked statically.
    Q_INIT_RESOURCE(talvor);
    installAccessibleComboNames();
    setWindowTitle("Morvane岩土Talvor设计软件");
    setWindowIcon(QIcon(":/icons/talvor.svg"));
    setObjectName("MV_TB40_TALVOR_MAINWND");
    std::string programDir = options.programDir.toStdString();
    if (programDir.empty()) programDir = ProgramDirectory();
    m_session.ctx.G_strExePath = withTrailingSlash(programDir);
    m_session.ctx.status = m_info;
    m_session.ctx.messages = &m_messages;
    m_givenWorkPath = options.workPath;
    // Without a work path on the command line the last one is remembered.
    QString workPath = options.workPath.isEmpty() ? m_settings.workPath() : options.workPath;
    if (!workPath.isEmpty())
        m_session.ctx.G_strWorkPath = withTrailingSlash(workPath.toStdString());
    m_session.ctx.G_Disp_TableTip = m_settings.tableTips();
    m_session.info = CProjectInfo::Defaults(m_session.ctx.G_strWorkPath, std::time(nullptr));

    setCentralWidget(m_mdi);
    m_mdi->setAccessibleName("工程窗口");
    addDockWidget(Qt::BottomDockWidgetArea, m_info);
    m_info->hide();
    createMenus();
    createToolBar();
    createStatusBar();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::updateCommands);
    updateCommands();
}

namespace {

// The information of a project directory: its "GCXX.BOX", else the defaults
// with the design time of now, as the project dialog would show them.
CProjectInfo projectInfoOf(const std::string& workPath) {
    CProjectInfo info = CProjectInfo::Defaults(workPath, std::time(nullptr));
    if (info.ReadInfoFile(workPath)) info.workPath = workPath;
    return info;
}

}  // namespace

CMainFrame::~CMainFrame() {
    // The work area outlives the menus while the window is taken apart.
    disconnect(m_mdi, nullptr, this, nullptr);
}

void CMainFrame::startProject() {
    if (m_givenWorkPath.isEmpty()) return OnOpenProject();
    QString dir = QDir(m_givenWorkPath).absolutePath();
    // A path named on the command line is where the engineer wants the
    // project: it is made when missing, and holds nothing until a change.
    QDir().mkpath(dir);
    m_session.ctx.G_strWorkPath = withTrailingSlash(dir.toStdString());
    m_session.info = projectInfoOf(m_session.ctx.G_strWorkPath);
    projectLoaded(dir);
}

void CMainFrame::OnOpenProject() {
    if (m_session.openProjectUses++ > 0 && m_session.projectOpen) saveProject();
    // The very first dialog, with no project remembered, starts at home.
    QString start = QString::fromStdString(m_session.ctx.G_strWorkPath);
    if (start.isEmpty() || !QFileInfo(start).isDir()) start = QDir::homePath();
    ProjectInfoDialog dialog(start, m_session.info, m_messages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_session.info = dialog.info();
    projectLoaded(dialog.workPath());
}

void CMainFrame::OpenProjectAt(const QString& workPath) {
    if (!QFileInfo(workPath).isDir()) {
        m_messages.message("工作路径 " + workPath.toStdString() + " 已不存在。");
        return;
    }
    if (m_session.projectOpen) saveProject();
    ++m_session.openProjectUses;
    m_session.ctx.G_strWorkPath = withTrailingSlash(workPath.toStdString());
    m_session.info = projectInfoOf(m_session.ctx.G_strWorkPath);
    projectLoaded(workPath);
}

void CMainFrame::OnProjectHandedOver(const QString& workPath) {
    if (isMinimized()) showMaximized();
    raise();
    activateWindow();
    if (workPath.isEmpty()) return;
    QString open = QString::fromStdString(m_session.ctx.G_strWorkPath);
    if (m_session.projectOpen && QDir(workPath) == QDir(open)) return;
    // A dialog still open (the calculation window) keeps its project.
    if (QApplication::activeModalWidget()) {
        m_messages.message("另一次启动要求打开工程 " + workPath.toStdString() +
                           "。请先关闭当前的对话框，再打开该工程。");
        return;
    }
    if (!m_messages.question(
            "另一次启动要求打开工程 " + workPath.toStdString() + "。\n是否切换到这个工程 ?", true))
        return;
    QDir().mkpath(workPath);
    OpenProjectAt(workPath);
}

void CMainFrame::projectLoaded(const QString& workPath) {
    m_session.ctx.G_strWorkPath = withTrailingSlash(workPath.toStdString());
    setWindowTitle(
        QString("Morvane抗滑桩(%1)").arg(QString::fromStdString(m_session.ctx.G_strWorkPath)));
    if (OpenProjectRecord(m_session.ctx, m_session.project) == ProjectLoad::Damaged)
        m_messages.message("工程文件 " + workFile(m_session.ctx, CProjectData::kFileName) +
                           " 已损坏，按空工程打开。在工程有改动之前，原文件不会被改写。");
    m_session.projectOpen = true;
    m_settings.addRecentProject(QString::fromStdString(m_session.ctx.G_strWorkPath));
    OnSelectKinds();
}

void CMainFrame::OnSelectKinds() {
    if (!m_session.projectOpen) return;
    m_mdi->closeAllSubWindows();
    m_session.project.IncludeKind(0);
    for (int kind = 0; kind < kCalcKindCount; ++kind) {
        if (!m_session.project.kindIncluded[kind]) continue;
        auto* frame = new CSplitterFrame(m_session, kind, [this] { return OnCalcWindow(); });
        connect(frame, &CSplitterFrame::projectChanged, this, &CMainFrame::updateCommands);
        connect(frame, &CSplitterFrame::cursorText, m_panes[1], &QLabel::setText);
        connect(frame, &CSplitterFrame::lineShown, statusPane(0), &QLabel::setText);
        QMdiSubWindow* sub = m_mdi->addSubWindow(frame);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->resize(m_mdi->size() * 0.9);
        frame->document().RefreshItemList(false);
        // A calculated item shows its sketch and report at once.
        frame->document().ShowResult();
        sub->show();
    }
    m_mdi->cascadeSubWindows();
    // The one kind's window fills the work area, as cascading one window does.
    QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.size() == 1) windows.front()->setGeometry(m_mdi->viewport()->rect());
    updateCommands();
}

void CMainFrame::OnSaveData() {
    if (m_session.projectOpen) saveProject();
}

void CMainFrame::saveProject() {
    if (m_session.project.SaveProject(m_session.ctx)) return;
    m_messages.message("无法写入工程文件 " + workFile(m_session.ctx, CProjectData::kFileName) +
                       "，原有文件保持不变。");
}

bool CMainFrame::OnCalcWindow() {
    if (!m_session.projectOpen) return false;
    resultChooser()->hide();
    CalcWindowLinks links;
    links.record = &m_session.record;
    links.ctx = &m_session.ctx;
    links.kind = 0;
    links.templates = &m_session.templates;
    links.showReport = [this](const std::string& path) {
        if (CSplitterFrame* frame = activeProjectWindow())
            frame->reportPane()->loadReport(QString::fromStdString(path));
    };

    CalcWindowExit exit = RunCalcWindow(std::move(links), m_session.item, this);
    if (exit == CalcWindowExit::ShowDrawings)
        ShowResultDrawings(m_session.record, m_session.ctx.G_strWorkPath, *resultChooser());
    statusBar()->showMessage(exit == CalcWindowExit::Calculated ? "计算成功 !" : "就绪");
    return exit == CalcWindowExit::Calculated;
}

ResultChooser* CMainFrame::resultChooser() {
    if (!m_resultChooser) {
        m_resultChooser = new ResultChooser(
            [this](const std::string& path) {
                if (CSplitterFrame* frame = activeProjectWindow())
                    frame->drawingPane()->showFile(QString::fromStdString(path));
            },
            this);
    }
    return m_resultChooser;
}

void CMainFrame::OnShowInfo() {
    m_info->tell_error(kStatusShow, " ");
}

void CMainFrame::OnTableTips() {
    m_session.ctx.G_Disp_TableTip = m_session.ctx.G_Disp_TableTip ? 0 : 1;
}

void CMainFrame::OnHelp() {
    QString guide = QString::fromStdString(m_session.ctx.G_strExePath) + "guide/index.html";
    if (!QFileInfo::exists(guide)) {
        m_messages.message("找不到用户手册 " + guide.toStdString());
        return;
    }
    openGuide(guide, this);
}

void CMainFrame::OnAbout() {
    AboutBox box(this);
    box.exec();
}

void CMainFrame::OnProjectSummary() {
    if (!m_session.projectOpen) return;
    constexpr int kind = 0;  // the one calculation kind
    const int count = m_session.project.itemCount[kind];
    std::vector<SummaryRow> rows;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Item by item, so that the status bar tells how far it has come.
    for (int i = 0; i < count; ++i) {
        statusBar()->showMessage(QString("正在计算工程汇总表: 项目 %1/%2").arg(i + 1).arg(count));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const int number = m_session.project.itemNumbers[kind][i];
        for (SummaryRow& r : SummarizeProject(m_session.ctx, {{number, ItemFileBase(number)}}, 0))
            rows.push_back(std::move(r));
    }
    QApplication::restoreOverrideCursor();
    statusBar()->showMessage("就绪");
    auto* window =
        new SummaryWindow(QString::fromStdString(m_session.info.name), std::move(rows), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

CommandTable<CMainFrame> CMainFrame::commands() {
    using K = QKeySequence;
    using F = CMainFrame;
    auto always = [](const F&) { return true; };
    auto project = [](const F& f) { return f.m_session.projectOpen; };
    auto window = [](const F& f) { return f.hasProjectWindow(); };
    static const CommandRow<CMainFrame> rows[] = {
        {cmd::OpenProject, "打开工程", K::Open, ":/icons/open.svg", always,
         [](F& f) { f.OnOpenProject(); }},
        {cmd::SelectKinds, "选择计算项目", {}, nullptr, project, [](F& f) { f.OnSelectKinds(); }},
        {cmd::SaveData, "保存数据", K::Save, nullptr,
         [](const F& f) { return f.m_session.projectOpen && f.m_session.project.modified; },
         [](F& f) { f.OnSaveData(); }},
        {cmd::Exit, "退出(&X)", {}, ":/icons/exit.svg", always, [](F& f) { f.close(); }},
        {cmd::ProjectSummary,
         "工程汇总表",
         {},
         nullptr,
         project,
         [](F& f) { f.OnProjectSummary(); }},
        {cmd::ToolBar,
         "工具栏(&T)",
         {},
         nullptr,
         always,
         [](F& f) { f.m_toolBar->setVisible(f.m_toolBar->isHidden()); },
         [](const F& f) { return f.m_toolBar && !f.m_toolBar->isHidden(); }},
        {cmd::StatusBar,
         "状态栏(&S)",
         {},
         nullptr,
         always,
         [](F& f) { f.statusBar()->setVisible(f.statusBar()->isHidden()); },
         [](const F& f) { return !f.statusBar()->isHidden(); }},
        {cmd::ShowInfo, "显示计算信息窗口", {}, nullptr, always, [](F& f) { f.OnShowInfo(); }},
        {cmd::TableTips,
         "显示表格输入提示信息",
         {},
         nullptr,
         always,
         [](F& f) { f.OnTableTips(); },
         [](const F& f) { return f.m_session.ctx.G_Disp_TableTip != 0; }},
        {cmd::Cascade, "层叠窗口", {}, nullptr, window, [](F& f) { f.m_mdi->cascadeSubWindows(); }},
        {cmd::TileHorizontal, "横向平铺", {}, nullptr, window, [](F& f) { f.tileWindows(false); }},
        {cmd::TileVertical, "纵向平铺", {}, nullptr, window, [](F& f) { f.tileWindows(true); }},
        {cmd::ArrangeIcons,
         "排列图标",
         {},
         nullptr,
         window,
         [](F& f) { f.m_mdi->tileSubWindows(); }},
        {cmd::NextPane, "下一窗格", Qt::Key_F6, nullptr, window,
         [](F& f) { f.activeProjectWindow()->focusOtherPane(); }},
        {cmd::PreviousPane, "上一窗格", Qt::SHIFT | Qt::Key_F6, nullptr, window,
         [](F& f) { f.activeProjectWindow()->focusOtherPane(); }},
        {cmd::About, "版本信息", {}, nullptr, always, [](F& f) { f.OnAbout(); }},
        {cmd::Help, "简要说明", K::HelpContents, nullptr, always, [](F& f) { f.OnHelp(); }},
    };
    return rows;
}

void CMainFrame::tileWindows(bool sideBySide) {
    QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    int n = static_cast<int>(windows.size());
    QSize area = m_mdi->viewport()->size();
    for (int i = 0; i < n; ++i) {
        QRect r = sideBySide ? QRect(i * area.width() / n, 0, area.width() / n, area.height())
                             : QRect(0, i * area.height() / n, area.width(), area.height() / n);
        windows[i]->showNormal();
        windows[i]->setGeometry(r);
    }
}

CSplitterFrame* CMainFrame::activeProjectWindow() const {
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) {
        QList<QMdiSubWindow*> all = m_mdi->subWindowList();
        if (all.isEmpty()) return nullptr;
        sub = all.last();
    }
    return qobject_cast<CSplitterFrame*>(sub->widget());
}

std::vector<CSplitterFrame*> CMainFrame::projectWindows() const {
    std::vector<CSplitterFrame*> frames;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* frame = qobject_cast<CSplitterFrame*>(sub->widget())) frames.push_back(frame);
    return frames;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_session.projectOpen) {
        m_settings.save(QString::fromStdString(m_session.ctx.G_strWorkPath),
                        m_session.ctx.G_Disp_TableTip);
        saveProject();
    }
    event->accept();
}
