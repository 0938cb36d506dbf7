// Item bar, splitter and command routing of a project window.
#include "shell/CSplitterFrame.h"

#include "shell/CBbDoc.h"
#include "shell/DrawingPane.h"
#include "shell/CBbView.h"
#include "shell/ProjectSession.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

CSplitterFrame::CSplitterFrame(ProjectSession& session, int kindIndex,
                               std::function<bool()> runCalcWindow, QWidget* parent)
    : QWidget(parent) {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_drawing = new DrawingPane(m_splitter);
    m_report = createReportPane(session);
    m_splitter->addWidget(m_drawing);
    m_splitter->addWidget(m_report->widget());
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({380, 620});

    m_doc = new CBbDoc(session, kindIndex, {m_drawing, m_report, std::move(runCalcWindow)}, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(createItemBar());
    layout->addWidget(m_splitter, 1);
    setWindowTitle(m_doc->title());

    m_drawing->setWorkDirectory(QString::fromStdString(session.ctx.G_strWorkPath));
    connect(m_drawing, &CCxView::cursorPosition, this, [this](QPointF m) {
        emit cursorText(QString("X=%1 Y=%2").arg(m.x(), 0, 'f', 2).arg(m.y(), 0, 'f', 2));
    });
    connect(m_drawing, &CCxView::drawingChanged, this, &CSplitterFrame::projectChanged);
    connect(m_doc, &CBbDoc::listsChanged, this, &CSplitterFrame::fillCombos);
    connect(m_doc, &CBbDoc::projectChanged, this, &CSplitterFrame::projectChanged);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_drawing)
            m_drawingFocusedLast = true;
        else if (now == m_report->widget())
            m_drawingFocusedLast = false;
    });
}

QWidget* CSplitterFrame::createItemBar() {
    auto* bar = new QWidget(this);
    m_items = new QComboBox(bar);
    m_results = new QComboBox(bar);
    m_add = new QPushButton("增", bar);
    m_delete = new QPushButton("删", bar);
    m_calc = new QPushButton("算", bar);
    m_items->setAccessibleName("计算项目");
    m_results->setAccessibleName("计算结果");
    m_items->setMinimumContentsLength(30);
    m_results->setMinimumContentsLength(12);
    for (QPushButton* b : {m_add, m_delete, m_calc}) b->setFixedWidth(40);
    m_add->setToolTip("增加项目");
    m_delete->setToolTip("删除当前项目");
    m_calc->setToolTip("当前项目计算");

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(m_items, 3);
    row->addWidget(m_add);
    row->addWidget(m_delete);
    row->addWidget(m_calc);
    row->addWidget(m_results, 1);
    bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_add, &QPushButton::clicked, m_doc, &CBbDoc::OnAddItem);
    connect(m_delete, &QPushButton::clicked, m_doc, &CBbDoc::OnDeleteItem);
    connect(m_calc, &QPushButton::clicked, m_doc, &CBbDoc::OnCalcItem);
    connect(m_items, &QComboBox::activated, m_doc, &CBbDoc::OnItemSelected);
    connect(m_results, &QComboBox::activated, m_doc, &CBbDoc::OnResultSelected);
    return bar;
}

ReportPane* CSplitterFrame::createReportPane(ProjectSession& session) {
    ReportViewLinks links;
    links.workPath = [&session] { return session.ctx.G_strWorkPath; };
    links.projectName = [&session] { return session.info.name; };
    links.showLine = [this](const QString& text) { emit lineShown(text); };
    return new CBbView(std::move(links), m_splitter);
}

void CSplitterFrame::fillCombos() {
    const ItemList& list = m_doc->items();
    QSignalBlocker blockItems(m_items);
    QSignalBlocker blockResults(m_results);
    m_items->clear();
    for (const std::string& line : list.itemLines) m_items->addItem(QString::fromStdString(line));
    m_items->setCurrentIndex(list.itemSelection);
    m_results->clear();
    for (const std::string& line : list.resultLines)
        m_results->addItem(QString::fromStdString(line));
    m_results->setCurrentIndex(list.resultSelection);
}

CommandTarget CSplitterFrame::activeView() const {
    return m_drawingFocusedLast ? CommandTarget::DrawingView : CommandTarget::ReportView;
}

CommandTable<CSplitterFrame> CSplitterFrame::activeViewCommands() {
    using F = CSplitterFrame;
    static const CommandRow<CSplitterFrame> rows[] = {
        {cmd::Print, "打印", QKeySequence::Print, nullptr,
         [](const F& f) { return f.activeViewCanRun(cmd::Print); },
         [](F& f) { f.runInActiveView(cmd::Print); }},
        {cmd::PrintPreview,
         "打印预览",
         {},
         nullptr,
         [](const F& f) { return f.activeViewCanRun(cmd::PrintPreview); },
         [](F& f) { f.runInActiveView(cmd::PrintPreview); }},
        {cmd::PrintSetup,
         "打印设置",
         {},
         nullptr,
         [](const F& f) { return f.activeViewCanRun(cmd::PrintSetup); },
         [](F& f) { f.runInActiveView(cmd::PrintSetup); }},
    };
    return rows;
}

// A command the drawing view has no row for (the page setup of a report)
// stays grey while the drawing has the focus.
bool CSplitterFrame::activeViewCanRun(int command) const {
    if (activeView() == CommandTarget::ReportView) return m_report->canRun(command);
    const CommandRow<DrawingPane>* row = findCommand(DrawingPane::commands(), command);
    return row && row->enabled(*m_drawing);
}

void CSplitterFrame::runInActiveView(int command) {
    run(command, activeView());
}

bool CSplitterFrame::canRun(int command, CommandTarget target) const {
    switch (target) {
        case CommandTarget::Document:
            return canRunCommand(CBbDoc::commands(), *m_doc, command);
        case CommandTarget::DrawingView:
            return canRunCommand(DrawingPane::commands(), *m_drawing, command);
        case CommandTarget::ReportView:
            return m_report->canRun(command);
        case CommandTarget::ActiveView:
            return canRunCommand(activeViewCommands(), *this, command);
        case CommandTarget::MainFrame:
            break;
    }
    talvor_assert(!"the main frame's commands do not reach a project window");
    return false;
}

void CSplitterFrame::run(int command, CommandTarget target) {
    switch (target) {
        case CommandTarget::Document:
            runCommand(CBbDoc::commands(), *m_doc, command);
            return;
        case CommandTarget::DrawingView:
            runCommand(DrawingPane::commands(), *m_drawing, command);
            return;
        case CommandTarget::ReportView:
            m_report->run(command);
            return;
        case CommandTarget::ActiveView:
            runCommand(activeViewCommands(), *this, command);
            return;
        case CommandTarget::MainFrame:
            break;
    }
    talvor_assert(!"the main frame's commands do not reach a project window");
}

void CSplitterFrame::focusOtherPane() {
    if (m_drawing->hasFocus())
        m_report->widget()->setFocus();
    else
        m_drawing->setFocus();
}
