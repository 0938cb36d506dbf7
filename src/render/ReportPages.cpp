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
#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>
#include <filesystem>
#include <memory>

namespace {

// The page a point of the layout falls on.
int pageOf(double y, double pageHeight) {
    return static_cast<int>(std::floor(y / pageHeight));
}

// Where a block's first line stands: the layout moves a line that would
// cross a page's foot down inside its block, so the block's own top may still
// lie on the page before.
double firstLineTop(const QAbstractTextDocumentLayout& layout, const QTextBlock& b) {
    const double top = layout.blockBoundingRect(b).top();
    const QTextLayout* lines = b.layout();
    return lines && lines->lineCount() > 0 ? top + lines->lineAt(0).y() : top;
}

// The next block that prints something: text other than blanks, or a picture.
QTextBlock nextPrinted(QTextBlock b) {
    for (b = b.next(); b.isValid(); b = b.next())
        if (!b.text().trimmed().isEmpty()) return b;
    return {};
}

// A heading left at the foot of a page moves to the next one, with what it
// heads. Each move shifts the layout after it, so the search goes on from
// the heading moved; a heading already at a page's top is left, as moving it
// again would only leave an empty page.
}  // namespace

int KeepHeadingsWithNext(QTextDocument& doc) {
    const double pageHeight = doc.pageSize().height();
    if (pageHeight <= 0) return 0;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    // Laid out to the end first: until asked for its size the layout may
    // have placed only the part it was asked about.
    layout->documentSize();
    int moved = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!IsReportHeading(b.text())) continue;
        const QTextBlock next = nextPrinted(b);
        if (!next.isValid()) break;
        const double head = firstLineTop(*layout, b);
        const int page = pageOf(head, pageHeight);
        if (pageOf(firstLineTop(*layout, next), pageHeight) == page) continue;
        if (head - page * pageHeight < 1.0) continue;
        QTextCursor cursor(b);
        QTextBlockFormat format = b.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
        // The layout does not follow a format change by itself past the
        // block changed: the rest is laid out afresh before it is measured.
        doc.markContentsDirty(b.position(), doc.characterCount() - b.position());
        layout->documentSize();
        ++moved;
    }
    return moved;
}

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
    KeepHeadingsWithNext(*copy);
    return copy;
}

// The cover: the title high on the page, the project, item and date, the
// design basis, and the lines to sign near the foot.
void paintCover(QPainter& painter, const ReportHeading& heading, const QRectF& area, double dpi) {
    const QStringList lines = CoverLines(heading);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(reportFont(22));
    QRectF title(area.left(), area.top() + dpi * 1.2, area.width(), dpi * 0.6);
    painter.drawText(title, Qt::AlignHCenter | Qt::AlignVCenter, lines.front());
    painter.setFont(reportFont(12));
    const double line = QFontMetricsF(painter.font(), painter.device()).lineSpacing() * 1.6;
    double y = area.top() + dpi * 2.6;
    const int signatures = 3;
    for (int i = 1; i + signatures < lines.size(); ++i) {
        const bool basis = lines[i].startsWith(QStringLiteral("    "));
        if (basis) painter.setFont(reportFont(10.5));
        painter.drawText(QPointF(area.left() + dpi * 0.5, y), lines[i]);
        y += basis ? line * 0.8 : line;
        if (lines[i].startsWith(QStringLiteral("计算日期"))) y += line;
    }
    painter.setFont(reportFont(12));
    y = area.bottom() - dpi * 1.2;
    for (int i = lines.size() - signatures; i < lines.size(); ++i) {
        painter.drawText(QPointF(area.left() + dpi * 2.5, y), lines[i]);
        painter.drawLine(QPointF(area.left() + dpi * 3.2, y + dpi * 0.05),
                         QPointF(area.left() + dpi * 5.2, y + dpi * 0.05));
        y += line;
    }
    painter.restore();
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
    if (heading.cover) {
        paintCover(painter, heading, textArea, dpi);
        if (!device.newPage()) return 1;
    }
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage()) return p;
        paintSlice(painter, *copy, textArea, p);
        paintFurniture(painter, heading, textArea, dpi, p + 1, pages);
        if (marginLines) paintMarginLines(painter, page, textArea);
    }
    return painter.end() ? pages + (heading.cover ? 1 : 0) : 0;
}

QStringList CoverLines(const ReportHeading& heading) {
    const QString date =
        heading.date.isEmpty() ? QDate::currentDate().toString(Qt::ISODate) : heading.date;
    return {
        QStringLiteral("滑坡推力及抗滑措施计算书"),
        QStringLiteral("工程名称：") + heading.project,
        QStringLiteral("计算项目：") + heading.item,
        QStringLiteral("计算日期：") + date,
        QStringLiteral("设计依据："),
        QStringLiteral(
            "    滑坡推力按传递系数法 (剩余推力法) 自坡顶逐块计算，下滑力乘推力安全系数；"),
        QStringLiteral("    稳定系数按传递系数法的隐式解与显式解计算；"),
        QStringLiteral("    抗滑桩内力按弹性地基梁 (地基系数 m 法、C 法、K 法) 计算。"),
        QStringLiteral("    《建筑边坡工程技术规范》GB 50330-2013"),
        QStringLiteral("    《公路路基设计规范》JTG D30-2015"),
        QStringLiteral("    《铁路路基支挡结构设计规范》TB 10025-2019"),
        QStringLiteral("    《混凝土结构设计规范》GB 50010-2010 (2015 年版)"),
        QStringLiteral("计算："),
        QStringLiteral("校核："),
        QStringLiteral("审核："),
    };
}

bool IsReportHeading(const QString& text) {
    static const QRegularExpression kHeading(
        QStringLiteral("^\\s*(\\[[^\\]]+\\]|第 \\d+ 块滑体|[^\\s:：]{1,20}[:：])\\s*$"));
    return kHeading.match(text).hasMatch();
}

ReportHeading ReportHeadingOf(const std::string& workPath, const ReportDocument& report) {
    CProjectInfo info;
    ReportHeading heading;
    if (info.ReadInfoFile(workPath)) heading.project = QString::fromStdString(info.name);
    // A project without a name of its own is known by its folder.
    if (heading.project.trimmed().isEmpty())
        heading.project = QDir(QString::fromStdString(workPath)).absolutePath().section('/', -1);
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
