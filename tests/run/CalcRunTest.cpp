// A calculation from the old result files to the new report file.
#include "run/CalcRun.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
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
    // The sketch and the thrust curve are drawn anew; the thrust check makes
    // no result chart, so the old one must be gone, not stale.
    EXPECT_NE(readBytes(dir.file("a_TLVR_JT.DXF")), "old");
    EXPECT_FALSE(exists(dir.file("a_TLVR_JG.DXF")));
    EXPECT_NE(readBytes(dir.file("a_TLVR_SYXHL.DXF")), "old");
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

TEST(CalcRun, TheSketchAndTheThrustCurveWithTheSketchAboveItAreWritten) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    CSlideCalcData item;
    item.checkTarget = 1;
    RunCalculation(item, ctx, "a");
    DXF sketch, curve;
    ASSERT_EQ(sketch.Read_FileDxf_To_Mem(dir.file("a_TLVR_JT.DXF")), 1);
    ASSERT_EQ(curve.Read_FileDxf_To_Mem(dir.file("a_TLVR_SYXHL.DXF")), 1);
    EXPECT_FALSE(sketch.entities().empty());
    // The curve drawing holds the whole sketch besides the chart and its title.
    EXPECT_GT(curve.entities().size(), sketch.entities().size());
    bool title = false;
    for (const DrawEntity& e : curve.entities()) title |= e.text == "剩余下滑力曲线";
    EXPECT_TRUE(title);
    // Placed 10 m above the chart, the sketch reaches higher there than on its own.
    EXPECT_GT(sketch.GetFRect().p2.y, 0.0f);
    EXPECT_GT(curve.GetFRect().p2.y, sketch.GetFRect().p2.y);
}
