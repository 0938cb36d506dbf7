// Pagination is the text layout's own: laid out in the device's dots with the
// page height of the text area, it moves a line (and a picture, which sits in
// a line) that would cross a page boundary to the next page. Each page then
// paints only its own slice of the layout.
#include "render/ReportPages.h"

#include "render/ReportPictures.h"
#include "render/ReportTextDocument.h"

#include "platform/AtomicFile.h"
#include "project/CProjectInfo.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <memory>

namespace {

// A copy of doc laid out in the device's dots, one page the size of textArea.
std::unique_ptr<QTextDocument> pagedCopy(const QTextDocument& doc, QPaintDevice& device,
                                         QSizeF textArea) {
    std::unique_ptr<QTextDocument> copy(doc.clone());
    breakLongParagraphs(*copy);
    copy->documentLayout()->setPaintDevice(&device);
    std::shared_ptr<ReportPictureStore> store = ReportPictureStore::of(doc);
    if (!store) store = std::make_shared<ReportPictureStore>(std::string());
    ReportPictureStore::attach(*copy, store);
    copy->setDocumentMargin(0);
    copy->setPageSize(textArea);
    return copy;
}

void paintSlice(QPainter& painter, QTextDocument& doc, const QRectF& textArea, int page) {
    double top = page * textArea.height();
    painter.save();
    painter.setClipRect(textArea);
    painter.translate(textArea.left(), textArea.top() - top);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, top, textArea.width(), textArea.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

// The heading sits in the top margin above a thin rule, the page number in
// the bottom margin.
void paintFurniture(QPainter& painter, const ReportHeading& heading, const QRectF& textArea,
                    double dpi, int page, int pages) {
    painter.save();
    painter.setFont(reportFont(9));
    painter.setPen(QPen(Qt::black, dpi / 144.0));
    QFontMetricsF metrics(painter.font(), painter.device());
    double half = textArea.width() / 2 - dpi * 0.1;
    QRectF head(textArea.left(), textArea.top() - dpi * 0.5, textArea.width(), dpi * 0.3);
    painter.drawText(head, Qt::AlignLeft | Qt::AlignBottom,
                     metrics.elidedText(heading.project, Qt::ElideRight, half));
    painter.drawText(head, Qt::AlignRight | Qt::AlignBottom,
                     metrics.elidedText(heading.item, Qt::ElideRight, half));
    double rule = textArea.top() - dpi * 0.15;
    painter.drawLine(QPointF(textArea.left(), rule), QPointF(textArea.right(), rule));
    QRectF foot(textArea.left(), textArea.bottom() + dpi * 0.2, textArea.width(), dpi * 0.3);
    painter.drawText(foot, Qt::AlignHCenter | Qt::AlignTop,
                     QString("第 %1 页 共 %2 页").arg(page).arg(pages));
    painter.restore();
}

void paintMarginLines(QPainter& painter, const QRectF& page, const QRectF& textArea) {
    painter.save();
    painter.setPen(QPen(Qt::gray, 0, Qt::DotLine));
    painter.drawLine(QPointF(textArea.left(), page.top()), QPointF(textArea.left(), page.bottom()));
    painter.drawLine(QPointF(textArea.right(), page.top()),
                     QPointF(textArea.right(), page.bottom()));
    painter.drawLine(QPointF(page.left(), textArea.top()), QPointF(page.right(), textArea.top()));
    painter.drawLine(QPointF(page.left(), textArea.bottom()),
                     QPointF(page.right(), textArea.bottom()));
    painter.restore();
}

}  // namespace

int printReport(const QTextDocument& doc, QPagedPaintDevice& device, const ReportHeading& heading,
                bool marginLines) {
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    double dpi = device.logicalDpiY();
    QRectF page(0, 0, device.width(), device.height());
    QRectF textArea = page.adjusted(dpi, dpi, -dpi, -dpi);
    if (textArea.width() <= 0 || textArea.height() <= 0) return 0;
    std::unique_ptr<QTextDocument> copy = pagedCopy(doc, device, textArea.size());
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    int pages = copy->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage()) return p;
        paintSlice(painter, *copy, textArea, p);
        paintFurniture(painter, heading, textArea, dpi, p + 1, pages);
        if (marginLines) paintMarginLines(painter, page, textArea);
    }
    return painter.end() ? pages : 0;
}

ReportHeading ReportHeadingOf(const std::string& workPath, const ReportDocument& report) {
    CProjectInfo info;
    ReportHeading heading;
    if (info.ReadInfoFile(workPath)) heading.project = QString::fromStdString(info.name);
    heading.item = QString::fromStdString(ReportItemName(PlainText(report)));
    return heading;
}

int WriteReportPdf(const std::string& path, const ReportDocument& report,
                   const std::string& workPath, const ReportHeading& heading, int& missing) {
    auto store = std::make_shared<ReportPictureStore>(workPath);
    QTextDocument text;
    prepareReportDocument(text, store);
    QTextCursor cursor(&text);
    missing = insertReport(cursor, report, *store);
    return WriteDocumentPdf(path, text, heading);
}

int WriteDocumentPdf(const std::string& path, const QTextDocument& doc,
                     const ReportHeading& heading) {
    // Laid out in memory, then written in one atomic write.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(600);
        pages = printReport(doc, writer, heading);
    }
    return pages > 0 &&
           writeFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}
