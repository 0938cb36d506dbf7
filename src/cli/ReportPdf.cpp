// Report documents as PDF: text runs in a fixed-pitch CJK face at the
// report view's sizes, pictures fitted to the text width, A4.
#include "cli/ReportPdf.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

// Text runs in their colour and height, pictures fitted to the text width, on
// A4 with one-inch margins as the report view prints.
int WriteReportPdf(const std::string& path, const ReportDocument& doc,
                   const PictureSource& pictures) {
    QTextDocument text;
    // The report aligns its columns with blanks: a fixed-pitch CJK face keeps
    // them aligned as 宋体 does in the report view.
    QFont font("WenQuanYi Micro Hei Mono", 10);
    font.setStyleHint(QFont::Monospace);
    text.setDefaultFont(font);
    QTextCursor cursor(&text);
    int n = 0;
    for (const ReportRun& run : doc) {
        if (run.kind == ReportRun::Kind::Picture) {
            QImage image = QImage::fromData(QByteArray::fromStdString(pictures(run)), "PNG");
            if (image.isNull()) continue;
            QUrl name(QString("picture%1.png").arg(++n));
            text.addResource(QTextDocument::ImageResource, name, image);
            QTextImageFormat format;
            format.setName(name.toString());
            // 6.5 inches at the 96 dots per inch the document is laid out in.
            double width = std::min(624.0, static_cast<double>(image.width()));
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            cursor.insertImage(format);
            continue;
        }
        QTextCharFormat format;
        // The CJK face's half-width glyphs are wider than Courier's: scaled so a
        // 72-character report line fits the 6.5-inch text width.
        format.setFontPointSize(run.heightTwips / 20.0 * 0.75);
        if (run.colour != ReportRun::kAutoColour)
            format.setForeground(
                QColor(run.colour & 0xFF, (run.colour >> 8) & 0xFF, (run.colour >> 16) & 0xFF));
        cursor.insertText(QString::fromStdString(run.text), format);
    }
    // Laid out in memory, then written in one atomic write.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(25.4, 25.4, 25.4, 25.4),
                                         QPageLayout::Millimeter));
        text.print(&writer);
    }
    return writeFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}
