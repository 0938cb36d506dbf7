// Whole reports of the landslide-thrust check, line for line, for the options
// that change which lines appear. The section is small enough to check by
// hand: slip (0,0)-(10,2)-(20,10), slope (0,0)-(4,6)-(20,10), c 10 kPa,
// φ 20°, γ 19 kN/m3; the water line lies far below unless a case raises it.
#include "run/CSlideCalc.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::string kDataDir = std::string(TALVOR_TEST_DATA) + "/";

CSlideCalcData smallSection() {
    CSlideCalcData item;
    item.setName("推力算例");
    SetResultFileNames(item, "case");
    item.checkTarget = 1;
    item.slopeLength = 100.0f;
    item.slipCount = 2;
    item.slip[0].dx = 10.0f;
    item.slip[0].dy = 2.0f;
    item.slip[1].dx = 10.0f;
    item.slip[1].dy = 8.0f;
    item.slopeX0 = 0.0f;
    item.slopeCount = 2;
    item.slope[0].dx = 4.0f;
    item.slope[0].dy = 6.0f;
    item.slope[1].dx = 16.0f;
    item.slope[1].dy = 4.0f;
    item.waterCount = 1;
    item.waterX0 = -20.0f;
    item.waterY0 = -50.0f;
    item.water[0].dx = 100.0f;
    item.water[0].dy = 0.0f;
    item.useSeepage = 0;
    item.usePiles = 0;
    item.useBerm = 0;
    item.useUnload = 0;
    return item;
}

struct RunOutcome {
    std::string report;
    std::vector<std::string> statuses;
    int result = 0;
};

RunOutcome runItem(CSlideCalcData& item) {
    RecordingSinks sinks;
    WorkContext ctx;
    ctx.status = &sinks;
    CSlideCalc calc(ctx);
    ReportWriter report;
    RunOutcome r;
    r.result = calc.RunItem(item, report);
    r.report = report.utf8();
    r.statuses = sinks.statuses;
    return r;
}

// Compares with <case>/report.txt; on a mismatch the actual text is kept as
// <case>/report.out for diffing.
void expectReport(const std::string& name, const std::function<void(CSlideCalcData&)>& setUp) {
    SCOPED_TRACE(name);
    CSlideCalcData item = smallSection();
    setUp(item);
    RunOutcome r = runItem(item);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.statuses, std::vector<std::string>{"201 计算成功 !"});
    const std::string dir = kDataDir + name + "/";
    const std::string expected = readBytes(dir + "report.txt");
    if (r.report != expected) writeBytes(dir + "report.out", r.report);
    ASSERT_FALSE(expected.empty()) << "no expected report for " << name;
    EXPECT_EQ(r.report, expected) << "actual report written to " << name << "/report.out";
}

}  // namespace

TEST(ThrustReport, PlainSectionAtTheToeCoversBothBlocks) {
    expectReport("plain", [](CSlideCalcData&) {});
}

TEST(ThrustReport, SeepageAddsDynamicWaterPressureAndBuoyancyLines) {
    expectReport("seepage", [](CSlideCalcData& item) {
        item.useSeepage = 1;
        item.porosity = 0.2f;
        item.waterX0 = -5.0f;
        item.waterY0 = -2.0f;
        item.water[0].dx = 30.0f;
        item.water[0].dy = 9.0f;
    });
}

TEST(ThrustReport, ConfinedWaterAddsItsUpliftLine) {
    expectReport("confined", [](CSlideCalcData& item) {
        item.useConfinedWater = 1;
        item.confinedHead = 2.0f;
    });
}

TEST(ThrustReport, StaticWaterAboveTheSlopeAddsItsForcesLine) {
    expectReport("static_water", [](CSlideCalcData& item) {
        item.useStaticWater = 1;
        item.waterX0 = -5.0f;
        item.waterY0 = 3.0f;
        item.water[0].dx = 40.0f;
    });
}

TEST(ThrustReport, EarthquakeIntensitiesSevenEightNineAddTheQuakeForceLine) {
    for (int level : {1, 2, 3}) {
        expectReport("quake" + std::to_string(level + 6),
                     [level](CSlideCalcData& item) { item.quakeLevel = level; });
    }
}

TEST(ThrustReport, PointLoadsAreSummedIntoTheirBlocks) {
    expectReport("point_loads", [](CSlideCalcData& item) {
        item.slope[1].loadCount = 2;
        item.slope[1].loads[0] = {5.0f, 20.0f, 100.0f};
        item.slope[1].loads[1] = {10.0f, -30.0f, 50.0f};
    });
}

TEST(ThrustReport, BermLeftOfTheSlopeStartIsWhereThePassEndsWithItsQuantities) {
    expectReport("berm", [](CSlideCalcData& item) {
        item.useBerm = 1;
        item.bermX = -2.0f;
        item.bermH = 2.0f;
        item.bermSlope = 1.5f;
    });
}

TEST(ThrustReport, BermOutsideEveryBlockWritesNoQuantitySection) {
    expectReport("berm_outside", [](CSlideCalcData& item) {
        item.useBerm = 1;
        item.bermX = 30.0f;
    });
}

TEST(ThrustReport, UnloadingAddsTrimmedAreaLinesAndItsQuantities) {
    expectReport("unloading", [](CSlideCalcData& item) {
        item.useUnload = 1;
        item.unloadY = 8.0f;
        item.unloadCount = 1;
        item.unloadSegs[0].dx = 6.0f;
        item.unloadSegs[0].dy = 1.0f;
    });
}

TEST(ThrustReport, PileRowInsideABlockCutsItAndEndsThePass) {
    expectReport("piles_inside", [](CSlideCalcData& item) {
        item.usePiles = 1;
        item.pileX = 15.0f;
    });
}

TEST(ThrustReport, PileRowOnAVertexEndsThePassAfterTheBlockAbove) {
    expectReport("piles_vertex", [](CSlideCalcData& item) {
        item.usePiles = 1;
        item.pileX = 10.0f;
    });
}

TEST(ThrustReport, PileRowAtOrBeyondTheCrestOrBeforeTheToeCoversAllBlocks) {
    for (float x : {20.0f, 25.0f, -3.0f}) {
        const std::string name = x == 20.0f   ? "piles_crest"
                                 : x == 25.0f ? "piles_beyond_crest"
                                              : "piles_before_toe";
        expectReport(name, [x](CSlideCalcData& item) {
            item.usePiles = 1;
            item.pileX = x;
        });
    }
}

TEST(ThrustReport, UnloadingThatTrimsNothingWritesNoQuantitySection) {
    CSlideCalcData item = smallSection();
    item.useUnload = 1;
    item.unloadY = 8.0f;  // starts on the slope at x = 12
    item.unloadCount = 1;
    item.unloadSegs[0].dx = 6.0f;
    item.unloadSegs[0].dy = 6.0f;  // rises above the ground: nothing to trim
    RunOutcome r = runItem(item);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.report.find("本块中刷方去除的面积"), std::string::npos);
    EXPECT_EQ(r.report.find("刷方的总体积"), std::string::npos);
    EXPECT_TRUE(r.report.ends_with("本块下滑力角度   = 11.310(度)\n\n\n"));
}
