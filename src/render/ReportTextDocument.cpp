// Report runs to text-document fragments and back. A run's height in twips is
// its point size times twenty; its colour 0x00BBGGRR is the brush's colour.
#include "render/ReportTextDocument.h"

#include "render/DrawingRenderer.h"
#include "render/QuickPng.h"
#include "render/ReportPictures.h"

#include "platform/AtomicFile.h"
#include "run/CalcRun.h"
#include "platform/ReportWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <atomic>
#include <cmath>
#include <map>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr QChar kObject = QChar::ObjectReplacementCharacter;

int colourOf(const QTextCharFormat& format) {
    if (format.foreground().style() == Qt::NoBrush) return ReportRun::kAutoColour;
    QColor c = format.foreground().color();
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

int heightOf(const QTextCharFormat& format, const QTextDocument& doc) {
    double points = format.fontPointSize();
    if (!(points > 0)) points = doc.defaultFont().pointSizeF();
    return static_cast<int>(std::lround(points * 20.0));
}

void appendPicture(ReportDocument& report, const QTextDocument& doc, const QString& name) {
    std::shared_ptr<ReportPictureStore> store = ReportPictureStore::of(doc);
    ReportRun picture;
    picture.kind = ReportRun::Kind::Picture;
    picture.png = store ? store->png(name) : std::string();
    if (picture.png.empty())
        picture.png =
            quickPngBytes(doc.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>());
    if (!picture.png.empty()) report.push_back(std::move(picture));
}

void appendFragment(ReportDocument& report, const QTextDocument& doc, const QTextFragment& f) {
    QTextCharFormat format = f.charFormat();
    QString text = f.text();
    if (format.isImageFormat()) {
        for (qsizetype i = 0; i < text.size(); ++i)
            appendPicture(report, doc, format.toImageFormat().name());
        return;
    }
    text.remove(kObject);
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QChar::Nbsp, u' ');
    appendText(report, text.toStdString(), colourOf(format), heightOf(format, doc));
}

// Tab stops every eight half-width characters, in screen units: a document
// laid out for a printer scales them itself.
void setReportTabStops(QTextDocument& doc) {
    QFontMetricsF metrics(reportFont());
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(8 * metrics.horizontalAdvance(u' '));
    doc.setDefaultTextOption(option);
}

constexpr int kLongestParagraph = 4000;

// The block of one directive at the search position: the opening marker, the
// closing one after it; null cursors when either is missing.
struct Block {
    QTextCursor open, close;
    bool found() const { return !open.isNull() && !close.isNull(); }
};

Block nextBlock(const QTextDocument& doc, int from) {
    Block b;
    auto flags = QTextDocument::FindCaseSensitively;
    b.open = doc.find(QString::fromUtf8(kScriptOpen.data(), kScriptOpen.size()), from, flags);
    if (!b.open.isNull())
        b.close = doc.find(QString::fromUtf8(kScriptClose.data(), kScriptClose.size()),
                           b.open.selectionEnd(), flags);
    return b;
}

// Replaces the selected block by what its directive gives; the position
// after the replacement, and whether a drawing was missing.
int replaceBlock(QTextCursor& block, const ReportRun& run, ReportPictureStore& store,
                 int& missing) {
    if (run.kind == ReportRun::Kind::Picture) {
        block.removeSelectedText();
        if (!insertReportPicture(block, run, store)) ++missing;
        return block.position();
    }
    QTextCharFormat format = block.charFormat();
    format.setFontUnderline(false);
    format.setFontStrikeOut(false);
    format.setFontItalic(false);
    format.setFontWeight(QFont::Normal);
    format.setFontPointSize(run.heightTwips / 20.0);
    if (run.colour == ReportRun::kAutoColour)
        format.clearForeground();
    else
        format.setForeground(
            QColor(run.colour & 0xFF, (run.colour >> 8) & 0xFF, (run.colour >> 16) & 0xFF));
    block.insertText(QString::fromStdString(run.text), format);
    return block.position();
}

// The PNG of every drawing the report's pictures name, each painted once,
// the drawings shared out over the cores by an atomic counter.
std::map<std::string, std::string> drawingPngs(const ReportDocument& report,
                                               const std::string& workPath,
                                               const DrawingShelf* shelf) {
    std::map<std::string, std::string> pngs;
    for (const ReportRun& run : report)
        if (run.kind == ReportRun::Kind::Picture && run.png.empty()) pngs[run.pictureFile];
    std::vector<std::map<std::string, std::string>::iterator> todo;
    for (auto it = pngs.begin(); it != pngs.end(); ++it) todo.push_back(it);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < todo.size(); i = next++)
            todo[i]->second = reportDrawingPng(workPath, todo[i]->first, shelf);
    };
    const size_t threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    try {
        for (size_t t = 1; t < threads && t < todo.size(); ++t) pool.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked: those started and this one share the rest.
    }
    work();
    for (std::thread& t : pool) t.join();
    return pngs;
}

}  // namespace

QFont reportFont(double pointSize) {
    QFont font;
    // Installed with the program; 宋体 where a Windows face is at hand.
    font.setFamilies({"WenQuanYi Zen Hei Mono", "宋体", "SimSun", "Noto Sans Mono CJK SC"});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    return font;
}

QTextCharFormat reportRunFormat(int colour, int heightTwips) {
    QTextCharFormat format;
    format.setFont(reportFont(heightTwips / 20.0));
    if (colour != ReportRun::kAutoColour)
        format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    return format;
}

void prepareReportDocument(QTextDocument& doc, const std::shared_ptr<ReportPictureStore>& store) {
    doc.clear();
    doc.setDefaultFont(reportFont());
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    setReportTabStops(doc);
    ReportPictureStore::attach(doc, store);
}

int insertReportPicture(QTextCursor& cursor, const ReportRun& picture, ReportPictureStore& store) {
    QTextImageFormat format;
    if (!picture.png.empty())
        format = store.addPng(picture.png);
    else if (!picture.pictureFile.empty())
        format = store.addDrawing(picture.pictureFile);
    if (format.name().isEmpty()) return 0;
    cursor.insertImage(format);
    return 1;
}

int insertReport(QTextCursor& cursor, const ReportDocument& report, ReportPictureStore& store) {
    int missing = 0;
    for (const ReportRun& run : report) {
        if (run.kind == ReportRun::Kind::Picture)
            missing += 1 - insertReportPicture(cursor, run, store);
        else
            cursor.insertText(QString::fromStdString(run.text),
                              reportRunFormat(run.colour, run.heightTwips));
    }
    return missing;
}

ReportDocument reportOfDocument(const QTextDocument& doc) {
    ReportDocument report;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        // A paragraph mark has the format the block was begun with.
        QTextCharFormat mark = block.charFormat();
        if (block != doc.begin()) appendText(report, "\n", colourOf(mark), heightOf(mark, doc));
        for (auto it = block.begin(); !it.atEnd(); ++it) appendFragment(report, doc, it.fragment());
    }
    return report;
}

PictureSource reportPictureSource(const std::string& workPath, int& missing) {
    return [workPath, &missing](const ReportRun& run) {
        std::string png = run.png.empty() ? reportDrawingPng(workPath, run.pictureFile) : run.png;
        if (png.empty()) ++missing;
        return png;
    };
}

int WriteExpandedReport(const std::string& path, const std::string& reportText,
                        const std::string& workPath, int& missing, const DrawingShelf* shelf) {
    ReportDocument report = ExpandScript(reportText);
    std::map<std::string, std::string> pngs = drawingPngs(report, workPath, shelf);
    missing = 0;
    return WriteRtf(path, report, [&](const ReportRun& run) {
        std::string png = run.png.empty() ? pngs[run.pictureFile] : run.png;
        if (png.empty()) ++missing;
        return png;
    });
}

int ExpandScriptInDocument(QTextDocument& doc, ReportPictureStore& store) {
    int missing = 0, from = 0;
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    for (int round = 0; round < 10000; ++round) {
        Block b = nextBlock(doc, from);
        if (!b.found()) break;
        QTextCursor inner(&doc);
        inner.setPosition(b.open.selectionEnd());
        inner.setPosition(b.close.selectionStart(), QTextCursor::KeepAnchor);
        std::optional<ReportRun> run = DirectiveRun(inner.selectedText().toStdString());
        if (!run) {
            from = b.close.selectionEnd();
            continue;
        }
        QTextCursor block(&doc);
        block.setPosition(b.open.selectionStart());
        block.setPosition(b.close.selectionEnd(), QTextCursor::KeepAnchor);
        from = replaceBlock(block, *run, store, missing);
    }
    edit.endEditBlock();
    return missing;
}

int breakLongParagraphs(QTextDocument& doc) {
    int breaks = 0;
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        while (block.length() > kLongestParagraph) {
            QString head = block.text().left(kLongestParagraph);
            qsizetype blank = head.lastIndexOf(u' ');
            int at =
                blank > kLongestParagraph / 2 ? static_cast<int>(blank) + 1 : kLongestParagraph;
            cursor.setPosition(block.position() + at);
            cursor.insertBlock();
            block = cursor.block();
            ++breaks;
        }
    }
    cursor.endEditBlock();
    return breaks;
}

std::string ExpandSavedReport(const std::string& path, const std::string& reportText,
                              const std::string& workPath, const DrawingShelf* shelf) {
    int missing = 0;
    if (!WriteExpandedReport(path, reportText, workPath, missing, shelf))
        return "无法写入计算书文件 " + path;
    if (missing > 0) return std::to_string(missing) + " 幅图未能插入计算书 " + path;
    return {};
}

std::function<std::string(const CalcRunResult& run)> ExpandingSavedReports(
    const std::string& workPath) {
    return [workPath](const CalcRunResult& run) {
        return ExpandSavedReport(run.reportPath, run.report.utf8(), workPath, run.drawings.get());
    };
}
