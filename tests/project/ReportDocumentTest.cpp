#include "project/ReportDocument.h"

#include "ProjectTestSupport.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

std::string directive(const std::string& body, std::string before = "") {
    return before.append(kScriptOpen).append(body).append(kScriptClose);
}

using Runs = std::vector<std::string>;

}  // namespace

TEST(ReportScript, TextStyleGivesColourAndTruncatedHeightToItsTextOnly) {
    // 21 characters of "%d,%f" after "TextStyle=", the text from the 32nd on.
    EXPECT_EQ(
        runs(ExpandScript("前" + directive("TextStyle=255,1.5              红色标题") + "后")),
        (Runs{"前@-1/200", "红色标题@255/300", "后@-1/200"}));
    EXPECT_EQ(runs(ExpandScript(directive("TextStyle=16711680,1.23456          蓝"))),
              Runs{"     蓝@16711680/246"});
    EXPECT_EQ(runs(ExpandScript(directive("TextStyle=abc                  x"))), Runs{"x@-1/200"});
    // Shorter than the parameter field: nothing to show.
    EXPECT_TRUE(ExpandScript(directive("TextStyle=255,2")).empty());
}

TEST(ReportScript, UnknownOrUnclosedBlocksStayAsText) {
    std::string unknown = directive("Other=1", "a") + "b";
    EXPECT_EQ(runs(ExpandScript(unknown)), Runs{unknown + "@-1/200"});
    std::string unclosed = "a" + std::string(kScriptOpen) + "InsertDxf=x.DXF\nrest";
    EXPECT_EQ(runs(ExpandScript(unclosed)), Runs{unclosed + "@-1/200"});
    // A closing marker before any opening one is just text.
    EXPECT_EQ(runs(ExpandScript(std::string(kScriptClose) + "t" + directive("InsertDxf=y.DXF"))),
              (Runs{std::string(kScriptClose) + "t@-1/200", "picture:y.DXF"}));
}

TEST(ReportScript, ItemNameIsTakenFromTheReportHead) {
    EXPECT_EQ(ReportItemName("---\n计算项目： K1+200 左侧 \n---\n"), "K1+200 左侧");
    EXPECT_EQ(ReportItemName("计算项目： "), "");
    EXPECT_EQ(ReportItemName("no head\n"), "");
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
