// The item bar's commands over the item list of src/project.
#include "shell/CBbDoc.h"

#include "shell/DrawingPane.h"
#include "shell/ProjectSession.h"
#include "shell/ReportPane.h"
#include "shell/TemplateChooserDialog.h"

#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/ItemFiles.h"
#include "project/TemplateChooser.h"

#include <QFileInfo>
#include <QString>

namespace {

bool always(const CBbDoc&) {
    return true;
}

const CommandRow<CBbDoc> kCommands[] = {
    {cmd::AddItem, "增加项目", {}, nullptr, always, [](CBbDoc& d) { d.OnAddItem(); }},
    {cmd::DeleteItem, "删除当前项目", {}, nullptr, always, [](CBbDoc& d) { d.OnDeleteItem(); }},
    {cmd::CalcItem, "当前项目计算", {}, nullptr, always, [](CBbDoc& d) { d.OnCalcItem(); }},
};

}  // namespace

CommandTable<CBbDoc> CBbDoc::commands() {
    return kCommands;
}

CBbDoc::CBbDoc(ProjectSession& session, int kindIndex, Links links, QObject* parent)
    : QObject(parent), m_session(session), m_links(std::move(links)) {
    m_list.kindIndex = kindIndex;
}

QString CBbDoc::title() const {
    return QString::fromUtf8(kCalcKinds[0].title);
}

void CBbDoc::RefreshItemList(bool selectLast) {
    m_list.RefreshItemList(m_session.project, m_session.ctx, selectLast);
    emit listsChanged();
}

void CBbDoc::ClearViews() {
    if (m_links.drawing) m_links.drawing->showNote({});
    if (m_links.report) m_links.report->clearReport();
}

void CBbDoc::ShowResult() {
    std::string dxf, rtf;
    if (!m_list.ShowResult(m_session.ctx, &dxf, &rtf)) {
        ClearViews();
        return;
    }
    if (m_links.drawing) showDrawing(QString::fromStdString(dxf));
    if (m_links.report) m_links.report->loadReport(QString::fromStdString(rtf));
}

// A result view may name a drawing the run did not make (a check of the
// piles draws no pile-force charts): the view says so rather than stay blank.
void CBbDoc::showDrawing(const QString& file) {
    QString title = QString::fromStdString(m_list.resultTitles[m_list.curResult]);
    if (!QFileInfo::exists(file)) {
        m_links.drawing->showNote(
            QStringLiteral(
                "“%1”没有图形: 文件 %2 不存在。\n本次计算没有画出这张图, 或项目尚未计算。")
                .arg(title, QFileInfo(file).fileName()));
    } else if (!m_links.drawing->showFile(file)) {
        m_links.drawing->showNote(
            QStringLiteral("“%1”的图形文件 %2 无法读取。").arg(title, QFileInfo(file).fileName()));
    }
}

bool CBbDoc::OpenItem(bool newItem) {
    ItemContext context;
    if (!m_list.OpenItem(m_session.project, newItem, *m_session.ctx.messages, &context))
        return false;
    m_session.item = context;
    return m_links.runCalcWindow && m_links.runCalcWindow();
}

void CBbDoc::OnAddItem() {
    ClearViews();
    const CProjectData before = m_session.project;
    const int selection = m_list.itemSelection;
    int number = AddProjectItem(m_session.project, m_session.ctx, m_list.kindIndex);
    emit projectChanged();
    if (number == 0) return;
    RefreshItemList(true);
    DialogTemplateChooser chooser(m_session.record, m_session.ctx);
    if (!ChooseTemplate(m_list.kindIndex, m_session.record, m_session.templates, m_session.ctx,
                        chooser, workFile(m_session.ctx, ItemFileBase(number) + ".DAT"))) {
        // Cancelled (Esc, the close box, "取   消"): no item is added.
        m_session.project = before;
        m_list.itemSelection = selection;
        emit projectChanged();
        RefreshItemList(false);
        return;
    }
    bool calculated = OpenItem(true);
    RefreshItemList(true);
    if (calculated) ShowResult();
}

void CBbDoc::OnDeleteItem() {
    std::string question = m_list.DeleteQuestion();
    if (question.empty()) return;
    if (!m_session.ctx.messages->question(question, false)) return;
    ClearViews();
    // The item's files go to the removed-items folder; the status says where.
    RemoveProjectItem(m_session.project, m_session.ctx, m_list.kindIndex, m_list.itemSelection);
    emit projectChanged();
    RefreshItemList(false);
}

void CBbDoc::OnCalcItem() {
    if (m_session.ctx.status) m_session.ctx.status->tell_error(kStatusClear, "");
    ClearViews();
    bool calculated = OpenItem(false);
    RefreshItemList(false);
    // The results just calculated are what the engineer wants to see next.
    if (calculated) ShowResult();
}

void CBbDoc::OnItemSelected(int line) {
    m_list.itemSelection = line;
    RefreshItemList(false);
    m_list.curItem = line;
    ShowResult();
}

void CBbDoc::OnResultSelected(int line) {
    m_list.resultSelection = line;
    m_list.curResult = line;
    ShowResult();
}
