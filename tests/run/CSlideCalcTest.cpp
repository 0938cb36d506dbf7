// The run of one item: head, dispatch, status, thrust headings and where the
// boundary forces of a pass go.
#include "run/CSlideCalc.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"
#include "run/RunTargets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <set>
#include <string>
#include <utility>

namespace {

const std::string kDashes(72, '-');

struct Fixture {
    RecordingSinks sinks;
    WorkContext ctx;
    Fixture() { ctx.status = &sinks; }
};

std::string thrustHeading(CSlideCalcData item) {
    Fixture f;
    CSlideCalc calc(f.ctx);
    ReportWriter report;
    calc.setItem(&item);
    calc.ReportThrust(item, report);
    const std::string& text = report.utf8();
    const size_t start = text.find('\n') + 1;
    return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

TEST(CSlideCalc, HeadNamesTheItemAndInsertsTheSketchBeforeTheEcho) {
    CSlideCalcData item;
    item.setName("K12+300 滑坡");
    SetResultFileNames(item, "&TLVR_0007");
    item.checkTarget = 1;
    Fixture f;
    CSlideCalc calc(f.ctx);
    ReportWriter report;
    EXPECT_EQ(calc.RunItem(item, report), 1);
    EXPECT_TRUE(report.utf8().starts_with(
        kDashes + "\n计算项目： K12+300 滑坡\n" + kDashes +
        "\n[计算简图]\n%%%[MorvaneScript%%%InsertDxf=&TLVR_0007_TLVR_JT.DXF"
        "%%%MorvaneScript]%%%\n[控制参数]\n"));
    EXPECT_NE(report.utf8().find("     4      12.000       2.000\n[抗滑桩信息]\n"),
              std::string::npos);
    EXPECT_NE(report.utf8().find("\n\n" + kDashes + "\n计算结果:\n" + kDashes + "\n滑坡推力计算\n"),
              std::string::npos);
    EXPECT_EQ(f.sinks.statuses, std::vector<std::string>{"201 计算成功 !"});
    EXPECT_EQ(calc.item(), &item);
}

TEST(CSlideCalc, TargetWithoutAnOperationFailsAfterTheResultHead) {
    struct Case {
        int goal, checkTarget, designTarget;
    };
    for (Case c : {Case{0, 7, 0}, Case{0, -1, 0}, Case{1, 0, 9}, Case{2, 1, 0}}) {
        CSlideCalcData item;
        item.goal = c.goal;
        item.checkTarget = c.checkTarget;
        item.designTarget = c.designTarget;
        Fixture f;
        CSlideCalc calc(f.ctx);
        ReportWriter report;
        EXPECT_EQ(calc.RunItem(item, report), 0) << c.goal << "/" << c.checkTarget;
        EXPECT_TRUE(report.utf8().ends_with("计算结果:\n" + kDashes + "\n"));
        EXPECT_EQ(f.sinks.statuses, std::vector<std::string>{"301 计算失败 !"});
    }
}

TEST(CSlideCalc, RunWithoutStatusSinkStillRuns) {
    CSlideCalcData item;
    item.checkTarget = 1;
    WorkContext ctx;
    CSlideCalc calc(ctx);
    ReportWriter report;
    EXPECT_EQ(calc.RunItem(item, report), 1);
}

TEST(CSlideCalc, RunChangesNothingOfTheItemButItsResidualThrust) {
    CSlideCalcData item;
    item.checkTarget = 1;
    item.residualThrust.fill(-7.0f);
    CSlideCalcData before = item;
    Fixture f;
    CSlideCalc calc(f.ctx);
    ReportWriter report;
    calc.RunItem(item, report);
    EXPECT_NE(item.residualThrust, before.residualThrust);
    // Default item: six blocks, the first receives nothing, slot 7 stays.
    EXPECT_EQ(item.residualThrust[0], 0.0f);
    EXPECT_EQ(item.residualThrust[7], -7.0f);
    item.residualThrust = before.residualThrust;
    EXPECT_TRUE(item == before);
}

TEST(CSlideCalc, PassOverAWorkingCopyRecordsItsForcesInTheRunItem) {
    CSlideCalcData item;
    CSlideCalcData copy = item;
    copy.SetAllPhi(30.0f);
    Fixture f;
    CSlideCalc calc(f.ctx);
    calc.setItem(&item);
    float angle = 0, berm = 0, trimmed = 0;
    const float E = calc.ComputeThrust(copy, nullptr, &angle, &berm, &trimmed);

    std::array<float, CSlideCalcData::kResultSlots> direct{};
    float angle2 = 0, berm2 = 0, trimmed2 = 0;
    const float E2 = ComputeThrust(copy, nullptr, &angle2, &berm2, &trimmed2, direct.data());
    EXPECT_EQ(E, E2);
    EXPECT_EQ(angle, angle2);
    EXPECT_EQ(item.residualThrust, direct);
    EXPECT_EQ(copy.residualThrust, CSlideCalcData().residualThrust);
}

TEST(CSlideCalc, PassWithoutARunItemRecordsNothing) {
    CSlideCalcData item;
    Fixture f;
    CSlideCalc calc(f.ctx);
    float angle = 0;
    const float E = calc.ComputeThrust(item, nullptr, &angle, nullptr, nullptr);
    EXPECT_EQ(E, ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(item.residualThrust, CSlideCalcData().residualThrust);
}

TEST(CSlideCalc, ThrustHeadingNamesWhereThePassEnds) {
    CSlideCalcData item;  // slopeX0 15, bermX 5, pileX 6
    EXPECT_EQ(thrustHeading(item), "    计算抗滑桩位置处的滑坡推力(X = 6.000m)");

    item.usePiles = 0;
    EXPECT_EQ(thrustHeading(item), "    计算反压码起点位置处的滑坡推力(X = 5.000m)");

    item.bermX = 15.0f;  // at the slope's start: still the berm's heading
    EXPECT_EQ(thrustHeading(item), "    计算反压码起点位置处的滑坡推力(X = 15.000m)");

    item.bermX = 20.0f;  // above the slope's start: the pass ends at the slope's start
    EXPECT_EQ(thrustHeading(item), "    计算坡面线起点位置处的滑坡推力(X = 15.000m)");

    item.useBerm = 0;
    item.bermX = 5.0f;
    EXPECT_EQ(thrustHeading(item), "    计算坡面线起点位置处的滑坡推力(X = 15.000m)");
}

TEST(CSlideCalc, ThrustReportOfAnItemWithoutPileKindsHasNoQuantities) {
    CSlideCalcData item;
    item.checkTarget = 1;
    item.pileKindCount = 0;
    Fixture f;
    CSlideCalc calc(f.ctx);
    ReportWriter report;
    EXPECT_EQ(calc.RunItem(item, report), 1);
    EXPECT_EQ(report.utf8().find("滑坍纵向宽度 ="), std::string::npos);
    EXPECT_TRUE(report.utf8().ends_with("(度)\n\n\n"));
}

TEST(CSlideCalc, HostileSectionsFinishWithAReport) {
    CSlideCalcData noSlip;
    noSlip.checkTarget = 1;
    noSlip.slipCount = 0;
    CSlideCalcData negative = noSlip;
    negative.slipCount = -4;
    negative.slopeCount = -1;
    CSlideCalcData nan;
    nan.checkTarget = 1;
    nan.slip[2].dx = std::numeric_limits<float>::quiet_NaN();
    nan.gamma = std::numeric_limits<float>::quiet_NaN();
    for (CSlideCalcData* item : {&noSlip, &negative, &nan}) {
        Fixture f;
        CSlideCalc calc(f.ctx);
        ReportWriter report;
        EXPECT_EQ(calc.RunItem(*item, report), 1);
        EXPECT_NE(report.utf8().find("滑坡推力计算\n"), std::string::npos);
    }
}

TEST(RunTargets, EachGoalAndTargetHasAtMostOneEntry) {
    std::set<std::pair<int, int>> seen;
    for (const RunTarget& t : RunTargets()) {
        EXPECT_TRUE(t.goal == kGoalCheck || t.goal == kGoalDesign);
        EXPECT_TRUE(seen.insert({t.goal, t.target}).second) << t.what;
        EXPECT_NE(t.run, nullptr);
    }
    ASSERT_NE(FindRunTarget(kGoalCheck, 1), nullptr);
    EXPECT_EQ(FindRunTarget(kGoalCheck, 5), nullptr);
    EXPECT_EQ(FindRunTarget(3, 1), nullptr);
}
