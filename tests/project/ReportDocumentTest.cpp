#include "project/ReportDocument.h"

#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string directive(const std::string& body) {
    return std::string(kScriptOpen) + body + std::string(kScriptClose);
}

}  // namespace

TEST(ReportScript, TwoDrawingsBecomeTwoPicturesWithoutMarkerText) {
    ReportWriter report;
    report.printf("计算项目： %s\n", "K1");
    MorvaneScript(report, "InsertDxf=&TLVR_0001_TLVR_JT.DXF");
    report.printf("中间\n");
    MorvaneScript(report, "InsertDxf=&TLVR_0001_TLVR_SYXHL.DXF");
    ReportDocument doc = ExpandScript(report.utf8());
    ASSERT_EQ(doc.size(), 5u);
    EXPECT_EQ(doc[0].text, "计算项目： K1\n");
    EXPECT_EQ(doc[1].kind, ReportRun::Kind::Picture);
    EXPECT_EQ(doc[1].pictureFile, "&TLVR_0001_TLVR_JT.DXF");
    EXPECT_EQ(doc[2].text, "\n中间\n");
    EXPECT_EQ(doc[3].pictureFile, "&TLVR_0001_TLVR_SYXHL.DXF");
    EXPECT_EQ(doc[4].text, "\n");
    EXPECT_EQ(PlainText(doc).find("MorvaneScript"), std::string::npos);
}

TEST(ReportScript, TextStyleGivesColourAndHeightToItsTextOnly) {
    // 21 characters of "%d,%f" after "TextStyle=", the text from the 32nd on.
    std::string text = "前" + directive("TextStyle=255,1.5              红色标题") + "后";
    ReportDocument doc = ExpandScript(text);
    ASSERT_EQ(doc.size(), 3u);
    EXPECT_EQ(doc[0].text, "前");
    EXPECT_EQ(doc[0].colour, ReportRun::kAutoColour);
    EXPECT_EQ(doc[1].text, "红色标题");
    EXPECT_EQ(doc[1].colour, 255);
    EXPECT_EQ(doc[1].heightTwips, 300);
    EXPECT_EQ(doc[2].text, "后");
    EXPECT_EQ(doc[2].heightTwips, 200);
}

TEST(ReportScript, HeightIsTruncatedAndBadParametersKeepTheDefaults) {
    ReportDocument doc = ExpandScript(directive("TextStyle=16711680,1.23456          蓝"));
    ASSERT_EQ(doc.size(), 1u);
    EXPECT_EQ(doc[0].colour, 16711680);
    EXPECT_EQ(doc[0].heightTwips, 246);
    doc = ExpandScript(directive("TextStyle=abc                  x"));
    ASSERT_EQ(doc.size(), 1u);
    EXPECT_EQ(doc[0].colour, ReportRun::kAutoColour);
    EXPECT_EQ(doc[0].text, "x");
    // Shorter than the parameter field: nothing to show.
    EXPECT_TRUE(ExpandScript(directive("TextStyle=255,2")).empty());
}

TEST(ReportScript, UnknownOrUnclosedBlocksStayAsText) {
    std::string unknown = "a";
    unknown += directive("Other=1");
    unknown += "b";
    EXPECT_EQ(PlainText(ExpandScript(unknown)), unknown);
    std::string unclosed = "a" + std::string(kScriptOpen) + "InsertDxf=x.DXF\nrest";
    ReportDocument doc = ExpandScript(unclosed);
    ASSERT_EQ(doc.size(), 1u);
    EXPECT_EQ(doc[0].text, unclosed);
    // A closing marker before any opening one is just text.
    std::string early = std::string(kScriptClose) + "t" + directive("InsertDxf=y.DXF");
    doc = ExpandScript(early);
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(doc[0].text, std::string(kScriptClose) + "t");
    EXPECT_EQ(doc[1].pictureFile, "y.DXF");
}

TEST(ReportScript, PlainTextOfALargeReportIsComplete) {
    ReportWriter report;
    for (int i = 0; i < 3000; ++i) report.printf("第%04d行 %.3f\n", i, i * 0.5);
    ASSERT_GT(report.utf8().size(), 30000u);
    ReportDocument doc = ExpandScript(report.utf8());
    EXPECT_EQ(PlainText(doc), report.utf8());
    TempDir dir;
    ASSERT_EQ(WritePlainText(dir.file("r.TXT"), doc), 1);
    EXPECT_EQ(readBytes(dir.file("r.TXT")), utf8ToGbk(report.utf8()));
}
