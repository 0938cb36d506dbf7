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

struct Calc {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    CalcRunResult run(int checkTarget, const std::string& base, const std::string& sub = "") {
        ctx.G_strWorkPath = dir.path() + sub;
        ctx.status = &sinks;
        CSlideCalcData item;
        item.checkTarget = checkTarget;
        CalcRunResult r = RunCalculation(item, ctx, base);
        EXPECT_EQ(item.resultCount(), 3);
        return r;
    }
};

}  // namespace

TEST(CalcRun, ReportIsSavedAsGbkUnderTheNameFromTheFileBaseAlsoWhenTheTargetFails) {
    for (int target : {1, 9}) {
        Calc c;
        CalcRunResult run = c.run(target, "&TLVR_0003");
        EXPECT_EQ(run.result, target == 1);
        EXPECT_EQ(run.reportSaved, 1);
        EXPECT_EQ(run.reportPath, c.dir.file("&TLVR_0003_TLVR.RTF"));
        EXPECT_EQ(readBytes(run.reportPath), utf8ToGbk(run.report.utf8()));
        EXPECT_NE(run.report.utf8().find("InsertDxf=&TLVR_0003_TLVR_JT.DXF"), std::string::npos);
        EXPECT_EQ(c.sinks.statuses,
                  std::vector<std::string>{target == 1 ? "201 计算成功 !" : "301 计算失败 !"});
    }
}

TEST(CalcRun, ReportThatCannotBeWrittenFailsTheRun) {
    Calc c;
    CalcRunResult run = c.run(1, "x", "missing/");
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.reportSaved, 0);
    EXPECT_EQ(c.sinks.statuses,
              (std::vector<std::string>{"201 计算成功 !", "301 无法写入计算书文件 " + c.dir.path() +
                                                              "missing/x_TLVR.RTF"}));
}

TEST(CalcRun, OldResultFilesAreReplacedOrDeletedOthersKeptAndTheSketchSitsAboveTheCurve) {
    Calc c;
    for (const char* name : {"a_TLVR_JT.DXF", "a_TLVR_JG.DXF", "a_TLVR_SYXHL.DXF", "a_TLVR.RTF",
                             "b_TLVR_JG.DXF", "a.TV"})
        writeBytes(c.dir.file(name), "old");
    c.run(1, "a");
    // The thrust check makes no result chart, so the old one must be gone, not stale.
    EXPECT_FALSE(std::filesystem::exists(c.dir.file("a_TLVR_JG.DXF")));
    EXPECT_NE(readBytes(c.dir.file("a_TLVR.RTF")), "old");
    EXPECT_EQ(readBytes(c.dir.file("b_TLVR_JG.DXF")), "old");
    EXPECT_EQ(readBytes(c.dir.file("a.TV")), "old");
    DXF sketch, curve;
    ASSERT_EQ(sketch.Read_FileDxf_To_Mem(c.dir.file("a_TLVR_JT.DXF")), 1);
    ASSERT_EQ(curve.Read_FileDxf_To_Mem(c.dir.file("a_TLVR_SYXHL.DXF")), 1);
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
