// The run dispatches the pile safety factor, the back-calculations and the
// three designs, hands them its item curve, and fails a refused design.
#include "run/SearchTargets.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/CSlideCalc.h"
#include "run/ResultNames.h"
#include "run/RunTargets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

struct ItemRun {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    CSlideCalcData item;
    ReportWriter report;
    int result = -1;
    ItemRun(int goal, int target) {
        ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
        SetResultFileNames(item, "&TLVR_0001");
        item.goal = goal;
        (goal == kGoalCheck ? item.checkTarget : item.designTarget) = target;
    }
    int go() {
        CSlideCalc calc(ctx);
        result = calc.RunItem(item, report);
        return result;
    }
    // The part of the report after the result head.
    std::string results() const {
        const std::string head = "计算结果:\n" + std::string(72, '-') + "\n";
        const std::string& text = report.utf8();
        const size_t at = text.find(head);
        return at == std::string::npos ? std::string() : text.substr(at + head.size());
    }
};

}  // namespace

TEST(SearchTargets, EveryGoalAndTargetHasAnEntry) {
    for (int t = 0; t <= 4; ++t) EXPECT_NE(FindRunTarget(kGoalCheck, t), nullptr) << t;
    for (int t = 0; t <= 2; ++t) EXPECT_NE(FindRunTarget(kGoalDesign, t), nullptr) << t;
}

TEST(SearchTargets, EachTargetWritesItsOwnSectionAndSucceeds) {
    const struct {
        int goal, target;
        const char* title;
    } cases[] = {
        {kGoalCheck, 0, "抗滑桩安全系数计算\n"}, {kGoalCheck, 3, "已知C反算φ\n"},
        {kGoalCheck, 4, "已知φ反算C\n"},         {kGoalDesign, 0, "自动设计抗滑桩\n"},
        {kGoalDesign, 1, "自动设计反压码\n"},    {kGoalDesign, 2, "自动设计上部刷方减载\n"},
    };
    for (const auto& c : cases) {
        ItemRun run(c.goal, c.target);
        EXPECT_EQ(run.go(), 1) << c.title;
        EXPECT_EQ(run.results().rfind(c.title, 0), 0u) << run.results();
        EXPECT_EQ(run.sinks.statuses.back(), "201 计算成功 !");
        EXPECT_TRUE(run.sinks.messages.empty());
    }
}

TEST(SearchTargets, ABermPositionDesignWithPilesIsRefusedAndTheRunFails) {
    ItemRun run(kGoalDesign, 1);
    run.item.bermDesignMode = 1;  // the worked example has piles
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(run.sinks.messages,
              std::vector<std::string>{"有桩情况下自动设计反压码的定位坐标X0无意义 !"});
    EXPECT_EQ(run.sinks.statuses.back(), "301 计算失败 !");
    EXPECT_EQ(run.results(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
}

TEST(SearchTargets, TheItemCurveShowsTheLastTrialOfASweep) {
    ItemRun run(kGoalDesign, 2);  // unloading Y from 15 to 25
    run.go();
    CSlideCalcData last = run.item;
    last.unloadY = 25.0f;
    std::array<float, CSlideCalcData::kResultSlots> expected = run.item.residualThrust;
    ComputeThrust(last, nullptr, nullptr, nullptr, nullptr, expected.data());
    EXPECT_EQ(run.item.residualThrust, expected);
    EXPECT_FLOAT_EQ(run.item.unloadY, 22.0f);  // the item itself keeps its value
}

TEST(SearchTargets, TheBermDesignWritesItsSweepDrawingBesideTheRunsOwn) {
    ItemRun run(kGoalDesign, 1);
    run.item.pileKinds[0].capacity = 400.0f;
    ASSERT_EQ(run.go(), 1);
    EXPECT_FALSE(readBytes(run.dir.file("&TLVR_0001_TLVR_JG.DXF")).empty());
}
