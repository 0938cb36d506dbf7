// The report as a text document and as printed pages: the same RTF whichever
// way it was made, the face's half-width columns, headings kept with what
// they head. The printed book's cover and page numbers are ResultChecksTest's;
// the pictures' box, size and resolution are held by the output manifest,
// which holds every report's picture headers (its tall drawings the box's
// height). The long-text cases' bound is that they finish.
#include "render/ReportPages.h"
#include "render/ReportPictures.h"
#include "render/ReportTextDocument.h"

#include "data/CSlideCalcData.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/ReportWriter.h"
#include "project/RtfReader.h"
#include "render/DrawingRenderer.h"
#include "support/TestSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// A report text as loaded from a text file: one run, directives and all.
ReportDocument plain(const std::string& text) {
    ReportDocument doc;
    appendText(doc, text);
    return doc;
}

class Report : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { static auto app = makeOffscreenGuiApplication(); }

    // The worked example's sketch and thrust curve, as a calculation leaves them.
    void writeDrawings() {
        CSlideCalcData item;
        item.residualThrust = {0.0f, 67.46f, 287.94f, 458.33f, 1136.81f, 1225.24f, 263.40f};
        std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
        ASSERT_EQ(sketch->Write_MemDxf_To_File(dir.file("a_JT.DXF")), 1);
        ASSERT_EQ(MakeThrustCurveDrawing(item, *sketch)->Write_MemDxf_To_File(dir.file("a.DXF")),
                  1);
    }

    // A report with two drawings, a coloured line and aligned columns.
    static std::string reportText() {
        ReportWriter r;
        r.printf("计算项目： K12+300 左侧\n[计算简图]\n");
        MorvaneScript(r, "InsertDxf=a_JT.DXF");
        r.printf("\n    滑动体重度\t\t= 19.000(kN/m3)\n");
        MorvaneScript(r, "TextStyle=255,1.5              滑坡推力 E = 812.345 kN/m");
        r.printf("\n");
        for (int i = 1; i <= 3; ++i) r.printf("     %d  %10.3f  %10.3f\n", i, i * 2.5, i * 0.5);
        MorvaneScript(r, "InsertDxf=a.DXF");
        r.printf("\n结束\n");
        return r.utf8();
    }

    // The document the report view shows for a report.
    std::unique_ptr<QTextDocument> document(const ReportDocument& report) {
        auto doc = std::make_unique<QTextDocument>();
        auto store = std::make_shared<ReportPictureStore>(dir.path());
        prepareReportDocument(*doc, store);
        QTextCursor cursor(doc.get());
        EXPECT_EQ(insertReport(cursor, report, *store), 0);
        return doc;
    }

    // The pages printed.
    int printPdf(const QTextDocument& doc, const std::string& name) {
        QPdfWriter pdf(QString::fromStdString(dir.file(name)));
        pdf.setResolution(600);
        return printReport(doc, pdf, {});
    }

    TempDir dir;
};

}  // namespace

TEST_F(Report, ViewAndCommandLineWriteTheSameRtf) {
    writeDrawings();
    int missing = -1;
    ASSERT_EQ(WriteExpandedReport(dir.file("cli.RTF"), reportText(), dir.path(), missing), 1);
    EXPECT_EQ(missing, 0);
    std::string rtf = readBytes(dir.file("cli.RTF"));
    // The view loads the text as it stands and expands it in place.
    std::unique_ptr<QTextDocument> doc = document(ExpandScript(reportText()));
    EXPECT_EQ(FormatRtf(reportOfDocument(*doc), EmbeddedPicture), rtf);
    doc = document(plain(reportText()));
    EXPECT_EQ(ExpandScriptInDocument(*doc, *ReportPictureStore::of(*doc)), 0);
    EXPECT_EQ(FormatRtf(reportOfDocument(*doc), EmbeddedPicture), rtf);

    // A drawing that cannot be read leaves no picture, and says so.
    ASSERT_EQ(WriteExpandedReport(dir.file("b.RTF"),
                                  "x\n%%%[MorvaneScript%%%InsertDxf=none.DXF"
                                  "%%%MorvaneScript]%%%y\n",
                                  dir.path(), missing),
              1);
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(PlainText(*ParseRtf(readBytes(dir.file("b.RTF")))), "x\ny\n");
}

TEST_F(Report, ExpandingInTheDocumentGivesWhatTheReportScriptGives) {
    const std::string open(kScriptOpen), close(kScriptClose);
    for (std::string text : {
             "a" + open + "Other=1" + close + "b\n",     // unknown: stays
             "a" + open + "InsertDxf=none.DXF\nrest\n",  // unclosed: stays
             close + "t" + open + "TextStyle=255,1.5              红" + close + "后\n",
             open + "TextStyle=255,2" + close + "\n" + open + "InsertDxf=none.DXF" + close,
         }) {
        std::unique_ptr<QTextDocument> doc = document(plain(text));
        ExpandScriptInDocument(*doc, *ReportPictureStore::of(*doc));
        // The drawing cannot be read: the view shows no picture in its place.
        ReportDocument want;
        for (const ReportRun& r : ExpandScript(text))
            if (r.kind != ReportRun::Kind::Picture)
                appendText(want, r.text, r.colour, r.heightTwips);
        EXPECT_EQ(FormatRtf(reportOfDocument(*doc), EmbeddedPicture),
                  FormatRtf(want, EmbeddedPicture))
            << text;
    }
}

TEST_F(Report, ChineseIsTwiceAsWideAsDigitsSoBlankAlignedColumnsLineUp) {
    QFontMetricsF m(reportFont());
    EXPECT_DOUBLE_EQ(m.horizontalAdvance("滑坡"), m.horizontalAdvance("1.00"));
    EXPECT_DOUBLE_EQ(m.horizontalAdvance(" "), m.horizontalAdvance("m"));
}

TEST_F(Report, AMegabyteLineAndAHundredThousandParagraphsPrintWhole) {
    std::string line;
    while (line.size() < 1000000) line += "推力E=1.5 x";
    std::string pars = "{\\rtf1\\ansi ";
    for (int i = 0; i < 100000; ++i) pars += "x\\par ";
    pars += "}";
    std::optional<ReportDocument> many = ParseRtf(pars);
    ASSERT_TRUE(many);
    struct Case {
        const char* name;
        ReportDocument report;
        int fewestPages;
    } cases[] = {
        // 1 MB of 13-column groups wraps to ~115,000 columns, 90 to a line.
        {"1 MB line", ExpandScript(line), 1000000 / 13 * 11 / 90 / 60},
        {"100000 paragraphs", *many, 100000 / 60},
    };
    for (const Case& c : cases)
        EXPECT_GE(printPdf(*document(c.report), "long.pdf"), c.fewestPages) << c.name;
}

TEST_F(Report, AHeadingStaysWithTheDrawingItHeads) {
    writeDrawings();
    // Headings whose first line is on another page than the first line of
    // what follows them.
    auto stranded = [](QTextDocument& doc) {
        auto top = [&](const QTextBlock& b) {
            return doc.documentLayout()->blockBoundingRect(b).top() + b.layout()->lineAt(0).y();
        };
        const double h = doc.pageSize().height();
        int n = 0;
        for (QTextBlock b = doc.begin(); b.isValid() && b.next().isValid(); b = b.next())
            if (IsReportHeading(b.text()) &&
                static_cast<int>(top(b) / h) != static_cast<int>(top(b.next()) / h))
                ++n;
        return n;
    };
    int before = 0;
    for (int filler = 10; filler <= 70; filler += 4) {
        ReportWriter r;
        for (int i = 0; i < filler; ++i) r.printf("    第 %d 行\n", i);
        r.printf("[剩余下滑力曲线]\n");
        MorvaneScript(r, "InsertDxf=a.DXF");
        r.printf("\n结束\n");
        std::unique_ptr<QTextDocument> doc = document(ExpandScript(r.utf8()));
        doc->setPageSize(QSizeF(doc->textWidth() > 0 ? doc->textWidth() : 600, 900));
        doc->documentLayout()->documentSize();
        before += stranded(*doc);
        KeepHeadingsWithNext(*doc);
        EXPECT_EQ(stranded(*doc), 0) << filler;
    }
    EXPECT_GT(before, 0) << "no layout left the heading alone at a page's foot";
    for (const char* heading : {"[计算简图]", "计算结果:", "    第 12 块滑体", "    设计说明:"})
        EXPECT_TRUE(IsReportHeading(heading)) << heading;
    for (const char* line : {"计算项目： 算例", "    本块总重 = 1.000(kN)", "滑坡推力计算 结束。"})
        EXPECT_FALSE(IsReportHeading(line)) << line;
}
