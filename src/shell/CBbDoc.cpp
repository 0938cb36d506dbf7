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

#include <QString>

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
    if (m_links.drawing) m_links.drawing->clear();
    if (m_links.report) m_links.report->clearReport();
}

void CBbDoc::ShowResult() {
    std::string dxf, rtf;
    if (!m_list.ShowResult(m_session.ctx, &dxf, &rtf)) {
        ClearViews();
        return;
    }
    if (m_links.drawing) m_links.drawing->showFile(QString::fromStdString(dxf));
    if (m_links.report) m_links.report->loadReport(QString::fromStdString(rtf));
}

bool CBbDoc::OpenItem(bool newItem) {
    ItemContext context;
    if (!m_list.OpenItem(m_session.project, newItem, *m_session.ctx.messages, &context))
        return false;
    m_session.item = context;
    if (newItem) {
        DialogTemplateChooser chooser(m_session.record, m_session.ctx);
        // A cancelled choice keeps the record: the previous example.
        ChooseTemplate(m_list.kindIndex, m_session.record, m_session.templates, m_session.ctx,
                       chooser, workFile(m_session.ctx, context.fileBase + ".DAT"));
    }
    return m_links.runCalcWindow && m_links.runCalcWindow();
}

void CBbDoc::OnAddItem() {
    ClearViews();
    int number = AddProjectItem(m_session.project, m_session.ctx, m_list.kindIndex);
    emit projectChanged();
    if (number == 0) return;
    RefreshItemList(true);
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
    if (m_session.ctx.status) m_session.ctx.status->tell_error(-8899, "");
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
