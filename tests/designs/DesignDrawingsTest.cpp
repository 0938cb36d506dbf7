// The sweep chart and the best trial's sketch that the berm and unloading
// designs write into the work directory.
#include "designs/BermDesign.h"
#include "designs/DesignDrawings.h"
#include "designs/UnloadingDesign.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

struct Project {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    DesignEnv env;
    CSlideCalcData item;
    Project() {
        ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
        env.ctx = &ctx;
        item.setResult(0, {"计算简图", "&TLVR_0001_TLVR_JT.DXF", "&TLVR_0001_TLVR.RTF"});
        item.setResult(1, {"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"});
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }
    bool holds(const std::string& name, const std::string& utf8) const {
        return readBytes(dir.file(name)).find(utf8ToGbk(utf8)) != std::string::npos;
    }
};

}  // namespace

TEST(DesignDrawings, TheBermSweepIsChartedAndTheBestTrialSketched) {
    Project p;
    p.item.pileKinds[0].capacity = 400.0f;  // H = 7 m satisfies
    ReportWriter report;
    ASSERT_EQ(DesignBerm(p.item, report, p.env), 1);
    ASSERT_TRUE(p.exists("&TLVR_0001_TLVR_JG.DXF"));
    EXPECT_TRUE(p.holds("&TLVR_0001_TLVR_JG.DXF", "反压码高度(m)"));
    EXPECT_TRUE(p.holds("&TLVR_0001_TLVR_JG.DXF", "水平推力kN"));
    EXPECT_TRUE(p.holds("&TLVR_0001_TLVR_JG.DXF", "单位宽反压码体积m3"));
    EXPECT_TRUE(p.exists("&TLVR_0001_TLVR_JT.DXF"));
}

TEST(DesignDrawings, WithoutASatisfyingTrialOnlyTheSweepIsWritten) {
    Project p;  // the worked example: no unloading height satisfies 50 kN/m
    ReportWriter report;
    ASSERT_EQ(DesignUnloading(p.item, report, p.env), 1);
    ASSERT_NE(report.utf8().find("均不能满足要求"), std::string::npos);
    EXPECT_TRUE(p.holds("&TLVR_0001_TLVR_JG.DXF", "刷方定位高度(m)"));
    EXPECT_TRUE(p.holds("&TLVR_0001_TLVR_JG.DXF", "单位宽刷方体积m3"));
    EXPECT_FALSE(p.exists("&TLVR_0001_TLVR_JT.DXF"));
}

TEST(DesignDrawings, AnItemWithoutResultNamesGetsNoDrawingAndTheSearchStillReports) {
    Project p;
    CSlideCalcData unnamed;
    unnamed.pileKinds[0].capacity = 400.0f;
    SweepChart chart;
    EXPECT_EQ(WriteDesignSweepDrawing(p.ctx, unnamed, chart), 0);
    EXPECT_EQ(WriteBestTrialSketch(p.ctx, unnamed, unnamed), 0);
    ReportWriter report;
    EXPECT_EQ(DesignBerm(unnamed, report, p.env), 1);
    EXPECT_NE(report.utf8().find("反压码高度     = 7.000(m)"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(p.dir.path()));
}

TEST(DesignDrawings, AWorkDirectoryThatCannotBeWrittenFailsOnlyTheDrawing) {
    Project p;
    p.ctx.G_strWorkPath = p.dir.path() + "missing/";
    p.item.pileKinds[0].capacity = 400.0f;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(p.item, report, p.env), 1);
    EXPECT_NE(report.utf8().find("满足要求且土方量最少"), std::string::npos);
}
