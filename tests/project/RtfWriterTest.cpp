#include "project/RtfWriter.h"

#include "ProjectTestSupport.h"
#include "project/CPileLibrary.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "project/RtfReader.h"

#include <gtest/gtest.h>

namespace {

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
    std::string png = readBytes(TALVOR_TEST_DATA "/tiny.png");  // a real 2x1 PNG
    std::string rtf = FormatRtf(doc, [&](const ReportRun& r) {
        EXPECT_EQ(r.pictureFile, "&TLVR_0001_TLVR_JT.DXF");
        return png;
    });
    EXPECT_EQ(rtf.compare(0, 5, "{\\rtf"), 0);
    // The GBK font and the byte escapes of Chinese are held by every report of
    // the output manifest; the colour table is not (its channels swapped pass it).
    for (const char* part : {"\\pngblip", "\\red255\\green0\\blue0"})
        EXPECT_NE(rtf.find(part), std::string::npos) << part;
    std::optional<ReportDocument> back = ParseRtf(rtf);
    ASSERT_TRUE(back);
    ReportDocument want = doc;
    want[1].pictureFile.clear();  // the drawing's name does not travel, its picture does
    EXPECT_EQ(runs(*back), runs(want));
    EXPECT_EQ((*back)[1].png, png);
    // Written again from what was read, the file is the same.
    EXPECT_EQ(FormatRtf(*back, EmbeddedPicture), rtf);
    TempDir dir;
    ASSERT_EQ(WriteRtf(dir.file("a.RTF"), doc, EmbeddedPicture), 1);
    back = LoadReport(dir.file("a.RTF"));
    ASSERT_TRUE(back);
    EXPECT_EQ(PlainText(*back), PlainText(doc));
}

TEST(Rtf, PicturesThatCannotBeRenderedAreLeftOut) {
    ReportDocument doc = sampleReport();
    for (std::string picture : {"", "not a png"}) {
        std::string rtf = FormatRtf(doc, [&](const ReportRun&) { return picture; });
        EXPECT_EQ(rtf.find("\\pict"), std::string::npos);
        std::optional<ReportDocument> back = ParseRtf(rtf);
        ASSERT_TRUE(back);
        EXPECT_EQ(PlainText(*back), PlainText(doc));
    }
}

TEST(Rtf, CharactersOutsideGbkTravelAsUnicode) {
    ReportDocument doc;
    appendText(doc, "x≠y 한ạ 😀 end");
    std::string rtf = FormatRtf(doc, EmbeddedPicture);
    // 한 lies above U+7FFF: RTF carries it as a negative 16-bit number.
    EXPECT_NE(rtf.find("\\u-10916?"), std::string::npos);
    EXPECT_NE(rtf.find("\\u7841?"), std::string::npos);
    // GBK has ≠; the emoji lies beyond what \uN carries and becomes '?'.
    EXPECT_EQ(PlainText(ParseRtf(rtf).value()), "x≠y 한ạ ? end");
}

TEST(Rtf, TextFilesLoadAsPlainTextAndBrokenRtfIsRefused) {
    TempDir dir;
    writeBytes(dir.file("r.RTF"), utf8ToGbk("滑坡推力计算书\n第二行\n"));
    // Anything that starts with the RTF header is RTF, whatever the name.
    writeBytes(dir.file("r.TXT"), "{\\rtf1 abc\\par}");
    const std::pair<const char*, const char*> files[] = {{"r.RTF", "滑坡推力计算书\n第二行\n"},
                                                         {"r.TXT", "abc\n"}};
    for (auto [name, text] : files) EXPECT_EQ(PlainText(LoadReport(dir.file(name)).value()), text);
    EXPECT_FALSE(LoadReport(dir.file("missing.RTF")));
    for (const char* broken : {"{\\rtf1 unclosed {group}", "{\\rtf1 a}}", "plain"})
        EXPECT_FALSE(ParseRtf(broken)) << broken;
    EXPECT_EQ(PlainText(ParseRtf("{\\rtf1 a\\'}").value()), "a");  // escape cut short
}

TEST(Rtf, ReaderSkipsFontsStylesAndStarredGroups) {
    std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}{\\stylesheet{\\s0 Normal;}}"
        "{\\*\\generator x;}{\\colortbl;\\red0\\green128\\blue0;}"
        "\\fs40\\cf1 Big\\cf0\\fs20  small\\line\\u8800?z\\~}";
    EXPECT_EQ(runs(ParseRtf(rtf).value()),
              (std::vector<std::string>{"Big@32768/400", " small\n≠z @-1/200"}));
}

// Numbers past any sane value saturate and sizes are held to 1..1638 points:
// no overflow (the sanitizer run reads these), and the text is still there.
TEST(Rtf, HostileNumbersAreHeldToSaneRanges) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"{\\rtf1\\fs2147483647 a}", {"a@-1/32760"}},
        {"{\\rtf1\\fs99999999999999999999999 a}", {"a@-1/32760"}},
        {"{\\rtf1\\fs0 a\\fs-2147483648 b}", {"ab@-1/20"}},
        {"{\\rtf1{\\colortbl;\\red2147483647\\green-9\\blue256;}\\cf1 a}", {"a@16711935/200"}},
        {"{\\rtf1\\cf99999999999 a}", {"a@-1/200"}},
        {"{\\rtf1\\uc2147483647\\u-2147483648 kept}", {"\xEF\xBF\xBD@-1/200"}},
        {"{\\rtf1\\uc-5\\u99999999999 z}", {"\xEF\xBF\xBDz@-1/200"}},
    };
    for (const auto& [rtf, expected] : cases) {
        std::optional<ReportDocument> doc = ParseRtf(rtf);
        ASSERT_TRUE(doc) << rtf;
        EXPECT_EQ(runs(*doc), expected) << rtf;
    }
}

// Random bytes, some dressed as RTF or report directives.
TEST(Rtf, RandomTextNeverBreaksTheTextReaders) {
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = randomBytes(rng, 1 + round * 7);
        if (round % 3 == 0) bytes = "{\\rtf1" + bytes;
        if (round % 5 == 0) bytes = std::string(kScriptOpen) + bytes + std::string(kScriptClose);
        CPileLibrary lib;
        lib.ParseLibraryText(bytes);
        for (const CPileTestRecord& e : lib.entries) {
            ASSERT_LE(e.pileId.size(), 3u * 99);
            ASSERT_LE(e.soil.size(), 3u * 99);
        }
        ParseRtf(bytes);
        (void)PlainText(ExpandScript(bytes));
    }
    std::string nested = "{\\rtf1 " + std::string(5000, '{') + "x" + std::string(5000, '}') + "}";
    std::optional<ReportDocument> doc = ParseRtf(nested);
    ASSERT_TRUE(doc);
    EXPECT_EQ(PlainText(*doc), "x");
}
