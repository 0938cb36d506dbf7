// A calculation from the old result files to the new report file.
#include "run/CalcRun.h"

#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

bool exists(const std::string& path) {
    return std::filesystem::exists(path);
}

}  // namespace

TEST(CalcRun, ReportIsSavedAsGbkUnderTheNameFromTheFileBase) {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    ctx.status = &sinks;
    CSlideCalcData item;
    item.checkTarget = 1;
    CalcRunResult run = RunCalculation(item, ctx, "&TLVR_0003");
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.reportSaved, 1);
    EXPECT_EQ(run.reportPath, dir.file("&TLVR_0003_TLVR.RTF"));
    EXPECT_EQ(readBytes(run.reportPath), utf8ToGbk(run.report.utf8()));
    EXPECT_NE(run.report.utf8().find("InsertDxf=&TLVR_0003_TLVR_JT.DXF"), std::string::npos);
    EXPECT_EQ(item.resultCount(), 3);
    EXPECT_EQ(sinks.statuses, std::vector<std::string>{"201 计算成功 !"});
}

TEST(CalcRun, OldResultFilesOfTheItemAreDeletedOthersKept) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    for (const char* name : {"a_TLVR_JT.DXF", "a_TLVR_JG.DXF", "a_TLVR_SYXHL.DXF", "a_TLVR.RTF",
                             "b_TLVR_JG.DXF", "a.TV"})
        writeBytes(dir.file(name), "old");
    CSlideCalcData item;
    item.checkTarget = 1;
    RunCalculation(item, ctx, "a");
    // No drawing is made yet, so the old drawings must be gone, not stale.
    EXPECT_FALSE(exists(dir.file("a_TLVR_JT.DXF")));
    EXPECT_FALSE(exists(dir.file("a_TLVR_JG.DXF")));
    EXPECT_FALSE(exists(dir.file("a_TLVR_SYXHL.DXF")));
    EXPECT_NE(readBytes(dir.file("a_TLVR.RTF")), "old");
    EXPECT_EQ(readBytes(dir.file("b_TLVR_JG.DXF")), "old");
    EXPECT_EQ(readBytes(dir.file("a.TV")), "old");
}

TEST(CalcRun, FailedTargetStillLeavesItsReport) {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    ctx.status = &sinks;
    CSlideCalcData item;
    item.checkTarget = 9;
    CalcRunResult run = RunCalculation(item, ctx, "x");
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.reportSaved, 1);
    EXPECT_TRUE(exists(dir.file("x_TLVR.RTF")));
    EXPECT_EQ(sinks.statuses, std::vector<std::string>{"301 计算失败 !"});
}

TEST(CalcRun, ReportThatCannotBeWrittenFailsTheRun) {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path() + "missing/";
    ctx.status = &sinks;
    CSlideCalcData item;
    item.checkTarget = 1;
    CalcRunResult run = RunCalculation(item, ctx, "x");
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.reportSaved, 0);
    ASSERT_EQ(sinks.statuses.size(), 2u);
    EXPECT_EQ(sinks.statuses[0], "201 计算成功 !");
    EXPECT_EQ(sinks.statuses[1], "301 无法写入计算书文件 " + dir.path() + "missing/x_TLVR.RTF");
}
