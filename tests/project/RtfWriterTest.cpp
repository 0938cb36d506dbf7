#include "project/RtfWriter.h"

#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "project/RtfReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A real 2x1 PNG (red and blue pixels), enough for a reader to place it.
std::string tinyPng() {
    static const unsigned char bytes[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7B,
        0x40, 0xE8, 0xDD, 0x00, 0x00, 0x00, 0x0F, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
        0xCF, 0xC0, 0x00, 0x44, 0x0C, 0xFF, 0x01, 0x0B, 0xF6, 0x02, 0xFE, 0x28, 0x33, 0x7A, 0x1B,
        0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

ReportDocument sampleReport() {
    ReportWriter report;
    report.printf("------------------------------------------------------------------------\n");
    report.printf("计算项目： %s\n", "K12+300 {左侧} \\ 断面");
    report.printf("[计算简图]\n");
    MorvaneScript(report, "InsertDxf=&TLVR_0001_TLVR_JT.DXF");
    MorvaneScript(report, "TextStyle=255,1.5              滑坡推力 E = 812.345 kN/m");
    report.printf("\t安全系数 K = %.3f\n", 1.25);
    return ExpandScript(report.utf8());
}

}  // namespace

TEST(Rtf, WrittenReportReopensWithTheSameTextFormatsAndPictures) {
    ReportDocument doc = sampleReport();
    std::string png = tinyPng();
    std::string rtf = FormatRtf(doc, [&](const ReportRun& r) {
        EXPECT_EQ(r.pictureFile, "&TLVR_0001_TLVR_JT.DXF");
        return png;
    });
    EXPECT_EQ(rtf.compare(0, 5, "{\\rtf"), 0);
    EXPECT_NE(rtf.find("\\fcharset134"), std::string::npos);
    EXPECT_NE(rtf.find("\\pngblip"), std::string::npos);
    EXPECT_NE(rtf.find("\\red255\\green0\\blue0"), std::string::npos);
    // Plain 7-bit text: Chinese travels as GBK byte escapes.
    for (unsigned char c : rtf) ASSERT_LT(c, 0x80);

    std::optional<ReportDocument> back = ParseRtf(rtf);
    ASSERT_TRUE(back);
    EXPECT_EQ(PlainText(*back), PlainText(doc));
    ASSERT_EQ(back->size(), doc.size());
    for (size_t i = 0; i < doc.size(); ++i) {
        EXPECT_EQ((*back)[i].kind, doc[i].kind) << i;
        EXPECT_EQ((*back)[i].text, doc[i].text) << i;
        EXPECT_EQ((*back)[i].colour, doc[i].colour) << i;
        EXPECT_EQ((*back)[i].heightTwips, doc[i].heightTwips) << i;
    }
    EXPECT_EQ((*back)[1].png, png);
    // Written again from what was read, the file is the same.
    EXPECT_EQ(FormatRtf(*back, EmbeddedPicture), rtf);
}

TEST(Rtf, SavedReportReloadsFromDisk) {
    TempDir dir;
    ReportDocument doc = sampleReport();
    ASSERT_EQ(WriteRtf(dir.file("a.RTF"), doc, EmbeddedPicture), 1);
    std::optional<ReportDocument> back = LoadReport(dir.file("a.RTF"));
    ASSERT_TRUE(back);
    EXPECT_EQ(PlainText(*back), PlainText(doc));
}

TEST(Rtf, PicturesThatCannotBeRenderedAreLeftOut) {
    ReportDocument doc = sampleReport();
    std::string rtf = FormatRtf(doc, [](const ReportRun&) { return std::string(); });
    EXPECT_EQ(rtf.find("\\pict"), std::string::npos);
    rtf = FormatRtf(doc, [](const ReportRun&) { return std::string("not a png"); });
    EXPECT_EQ(rtf.find("\\pict"), std::string::npos);
    std::optional<ReportDocument> back = ParseRtf(rtf);
    ASSERT_TRUE(back);
    EXPECT_EQ(PlainText(*back), PlainText(doc));
}

TEST(Rtf, CharactersOutsideGbkTravelAsUnicode) {
    ReportDocument doc;
    appendText(doc, "x≠y 한ạ 😀 end");
    std::string rtf = FormatRtf(doc, EmbeddedPicture);
    // 한 lies above U+7FFF: RTF carries it as a negative 16-bit number.
    EXPECT_NE(rtf.find("\\u-10916?"), std::string::npos);
    EXPECT_NE(rtf.find("\\u7841?"), std::string::npos);
    std::optional<ReportDocument> back = ParseRtf(rtf);
    ASSERT_TRUE(back);
    // GBK has ≠; the emoji lies beyond what \uN carries and becomes '?'.
    EXPECT_EQ(PlainText(*back), "x≠y 한ạ ? end");
}

TEST(Rtf, TextFilesLoadAsPlainTextAndBrokenRtfIsRefused) {
    TempDir dir;
    writeBytes(dir.file("r.RTF"), utf8ToGbk("滑坡推力计算书\n第二行\n"));
    std::optional<ReportDocument> doc = LoadReport(dir.file("r.RTF"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(PlainText(*doc), "滑坡推力计算书\n第二行\n");
    // Anything that starts with the RTF header is RTF, whatever the name.
    writeBytes(dir.file("r.TXT"), "{\\rtf1 abc\\par}");
    doc = LoadReport(dir.file("r.TXT"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(PlainText(*doc), "abc\n");
    EXPECT_FALSE(LoadReport(dir.file("missing.RTF")));
    EXPECT_FALSE(ParseRtf("{\\rtf1 unclosed {group}"));
    EXPECT_FALSE(ParseRtf("{\\rtf1 a}}"));
    EXPECT_FALSE(ParseRtf("plain"));
    std::optional<ReportDocument> cut = ParseRtf("{\\rtf1 a\\'}");  // escape cut short
    ASSERT_TRUE(cut);
    EXPECT_EQ(PlainText(*cut), "a");
}

TEST(Rtf, ReaderSkipsFontsStylesAndStarredGroups) {
    std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\stylesheet{\\s0 Normal;}}"
        "{\\*\\generator x;}{\\colortbl;\\red0\\green128\\blue0;}"
        "\\fs40\\cf1 Big\\cf0\\fs20  small\\line\\u8800?z\\~}";
    std::optional<ReportDocument> doc = ParseRtf(rtf);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->size(), 2u);
    EXPECT_EQ((*doc)[0].text, "Big");
    EXPECT_EQ((*doc)[0].colour, 128 << 8);
    EXPECT_EQ((*doc)[0].heightTwips, 400);
    EXPECT_EQ((*doc)[1].text, " small\n≠z ");
}
