// Loading, expanding, saving and clearing the report, the line number, and
// going to a line. A report is loaded into a fresh document state: its
// pictures in a fresh store, no undo history, not modified.
#include "shell/CBbView.h"

#include "shell/FindReplaceDialog.h"

#include "render/ReportPages.h"
#include "render/ReportPictures.h"
#include "render/ReportTextDocument.h"

#include "platform/AtomicFile.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "project/RtfReader.h"
#include "project/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>

CBbView::CBbView(ReportViewLinks links, QWidget* parent)
    : QTextEdit(parent), m_links(std::move(links)) {
    setAccessibleName("计算书");
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    prepare();
    connect(this, &QTextEdit::cursorPositionChanged, this, &CBbView::ShowLineNumber);
}

CBbView::~CBbView() = default;

// The view's state at creation and after clearing: the report face at 10
// points in automatic colour as the format of all text, no selection, no
// undo history, not modified.
void CBbView::prepare(const QString& reportFile) {
    // Drawings lie in the work path; without a project, beside the report.
    std::string work = m_links.workPath ? m_links.workPath() : std::string();
    if (work.empty() && !reportFile.isEmpty())
        work = QFileInfo(reportFile).absolutePath().toStdString() + "/";
    m_store = std::make_shared<ReportPictureStore>(work);
    document()->setUndoRedoEnabled(false);
    prepareReportDocument(*document(), m_store);
    QTextCharFormat format = reportRunFormat(-1, 200);
    setCurrentCharFormat(format);
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
}

int CBbView::LoadReport(const QString& path) {
    std::optional<ReportDocument> report = ::LoadReport(path.toStdString());
    if (!report) return 0;
    prepare(path);
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    insertReport(cursor, *report, *m_store);
    breakLongParagraphs(*document());
    cursor.endEditBlock();
    document()->setUndoRedoEnabled(true);
    document()->setModified(false);
    m_path = path;
    moveCursor(QTextCursor::Start);
    return 1;
}

int CBbView::ExpandScript() {
    // Expanding belongs to loading: it is not an edit to undo.
    document()->setUndoRedoEnabled(false);
    int missing = ExpandScriptInDocument(*document(), *m_store);
    document()->setUndoRedoEnabled(true);
    moveCursor(QTextCursor::Start);
    return missing;
}

int CBbView::SaveReport(const QString& path) {
    std::string rtf = FormatRtf(reportOfDocument(*document()), EmbeddedPicture);
    if (!writeFileAtomically(path.toStdString(), rtf)) return 0;
    m_path = path;
    document()->setModified(false);
    return 1;
}

void CBbView::ClearReport() {
    prepare();
    m_path.clear();
}

void CBbView::ShowLineNumber() {
    if (m_links.showLine) m_links.showLine(QString("Line: %1").arg(textCursor().blockNumber() + 1));
}

void CBbView::loadReport(const QString& path) {
    if (!LoadReport(path)) {
        ClearReport();
        return;
    }
    // A report still in its text form (an older project's) shows its drawings.
    if (document()->find(QString::fromUtf8(kScriptOpen.data(), kScriptOpen.size())).isNull())
        return;
    ExpandScript();
    document()->setModified(false);
}

int CBbView::WritePlainText(const QString& path) const {
    QString text = document()->toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return writeFileAtomically(path.toStdString(), utf8ToGbk(text.toStdString()));
}

void CBbView::GoToLine(int line) {
    QTextBlock block =
        document()->findBlockByNumber(std::clamp(line, 1, document()->blockCount()) - 1);
    QTextCursor cursor(block);
    setTextCursor(cursor);
    double top =
        document()->documentLayout()->blockBoundingRect(block).top() - document()->documentMargin();
    verticalScrollBar()->setValue(static_cast<int>(top));
    ShowLineNumber();
}

int CBbView::SavePdf(const QString& path) const {
    return WriteDocumentPdf(path.toStdString(), *document(), heading());
}

ReportHeading CBbView::heading() const {
    ReportHeading h;
    if (m_links.projectName) h.project = QString::fromStdString(m_links.projectName());
    QTextBlock block = document()->begin();
    // The item's name stands in the report's head, within its first lines.
    std::string head;
    for (int i = 0; i < 8 && block.isValid(); ++i, block = block.next())
        head += block.text().toStdString() + "\n";
    h.item = QString::fromStdString(ReportItemName(head));
    h.cover = true;  // printed and saved as PDF, the report is the book handed in
    return h;
}
