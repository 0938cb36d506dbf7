// The run of one item for every goal and target and the options that change
// which lines appear; hostile sections; where the boundary forces of a pass go.
#include "run/CSlideCalc.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/FigureFormat.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

// The golden items: each folder under data/ with its item (item.TV), the
// items the output manifest calculates too.
// - The small section of data/plain, checkable by hand: slip (0,0)-(10,2)-(20,10),
//   slope (0,0)-(4,6)-(20,10), c 10 kPa, φ 20°, γ 19 kN/m3, the water line far
//   below; one option each (seepage, confined, static_water, quake7/8/9,
//   point_loads). Piles at a vertex, inside a block, at the crest, beyond it and
//   before the toe; a berm left of the slope's start, at it and beyond every
//   block; unloading that trims and that trims nothing.
// - The default item: without pile kinds, each other goal and target, the
//   berm X0 design refused because piles fix the position.
// - Pile forces (pile_*) on the default item with c 5 kPa and φ 12° everywhere
//   (H = 1301.625 kN, 2603.250 kN a pile at 2 m), a 1.5 x 2.0 m pile 14 m long,
//   6 m embedded: m- and K-method, the cable below and above its threshold, the
//   load scaled by 1.2 (the thrust line is not), 1151 points, and the refusals:
//   free length 0 and negative, EI 0, no soil under a free or a hinged base
//   without cable.
// And the default item with its pile row outside the landslide: a run that fails.
std::vector<std::pair<std::string, CSlideCalcData>> goldenItems() {
    std::vector<std::pair<std::string, CSlideCalcData>> items;
    for (const auto& e : std::filesystem::directory_iterator(TALVOR_TEST_DATA)) {
        CSlideCalcData item;
        if (item.ReadDataFile((e.path() / "item.TV").string()) == 1)
            items.emplace_back(e.path().filename(), item);
    }
    CSlideCalcData outside;
    outside.usePiles = 1;
    outside.pileX = 200.0f;
    items.emplace_back("pile row outside", outside);
    return items;
}

// One run, its drawings in a temporary directory.
struct ItemRun {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    ReportWriter report;
    int result = -1;
    RunResult figures;
    explicit ItemRun(CSlideCalcData& item, bool withSinks = true, RunOptions options = {}) {
        ctx.G_strWorkPath = dir.path();
        if (withSinks) ctx.status = &sinks, ctx.messages = &sinks;
        CSlideCalc calc(ctx);
        calc.setRunOptions(options);
        result = calc.RunItem(item, report);
        figures = calc.result();
        EXPECT_EQ(calc.item(), &item);
    }
};

}  // namespace

// Every byte of these runs' reports, drawings and status lines is held by the
// output manifest; here, what the run leaves of the item and what leaving the
// supplement out takes away.
TEST(CSlideCalc, ARunChangesOnlyTheCurveAndTheReportWithoutSupplementEndsBeforeIt) {
    const auto items = goldenItems();
    ASSERT_GE(items.size(), 30u);
    for (auto [name, item] : items) {
        SCOPED_TRACE(name);
        SetResultFileNames(item, "case");
        const CSlideCalcData before = item;
        ItemRun run(item);
        if (name == "pile row outside") {
            EXPECT_EQ(run.result, 0);
        }
        item.residualThrust = before.residualThrust;
        EXPECT_TRUE(item == before);
        RunOptions original;
        original.supplement = false;
        const std::string full = run.report.utf8();
        const size_t supplement = full.find("\n[本程序补充]\n");
        ASSERT_NE(supplement, std::string::npos);
        EXPECT_EQ(ItemRun(item, true, original).report.utf8(), full.substr(0, supplement + 1));
        // Every pile candidate of the typed result is in the report, and a
        // candidate without a layout is not. (Its quantities are the result
        // file's, which the output manifest holds.)
        auto has = [&](const std::string& s) { return full.find(s) != std::string::npos; };
        if (item.goal == 1 && item.designTarget == 0) {
            EXPECT_EQ(run.figures.pileCandidates.size(), static_cast<size_t>(item.pileKindCount));
        }
        for (const PileCandidate& c : run.figures.pileCandidates)
            EXPECT_EQ(
                has(stringPrintf("    布置 %d 排，桩间距 %s(m)，则可提供的抗滑力为:  %s(kN)\n",
                                 c.rows, Fixed3(c.spacing).c_str(), Fixed3(c.resistance).c_str())),
                c.laidOut);
    }
}

// A target outside its list fails after the result head; sections without
// segments, with negative counts or NaN finish their thrust report, told or
// not.
TEST(CSlideCalc, HostileItemsFinishWithAReportAndATargetOutsideItsListFails) {
    const std::string failed = "计算结果:\n" + std::string(72, '-') + "\n[本程序补充]\n";
    const struct {
        std::function<void(CSlideCalcData&)> edit;
        int result;
        std::string report;
    } cases[] = {
        {[](CSlideCalcData& d) { d.checkTarget = 7; }, 0, failed},
        {[](CSlideCalcData& d) { d.checkTarget = -1; }, 0, failed},
        {[](CSlideCalcData& d) { d.goal = 1, d.designTarget = 9; }, 0, failed},
        {[](CSlideCalcData& d) { d.goal = 2, d.checkTarget = 1; }, 0, failed},
        {[](CSlideCalcData& d) { d.checkTarget = 1, d.slipCount = 0; }, 1, "滑坡推力计算\n"},
        {[](CSlideCalcData& d) { d.checkTarget = 1, d.slipCount = -4, d.slopeCount = -1; }, 1,
         "滑坡推力计算\n"},
        {[](CSlideCalcData& d) {
             d.checkTarget = 1;
             d.slip[2].dx = d.gamma = std::numeric_limits<float>::quiet_NaN();
         },
         1, "滑坡推力计算\n"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        for (bool withSinks : {true, false}) {
            CSlideCalcData item;
            cases[i].edit(item);
            ItemRun run(item, withSinks);
            EXPECT_EQ(run.result, cases[i].result) << i;
            EXPECT_NE(run.report.utf8().find(cases[i].report), std::string::npos) << i;
            const std::vector<std::string>& told = run.sinks.statuses;
            EXPECT_TRUE(!withSinks || run.result == 1 ||
                        (!told.empty() && told.back() == "301 计算失败 !"))
                << i;
        }
    }
}

TEST(CSlideCalc, PassOverAWorkingCopyRecordsItsForcesInTheRunItemAndWithoutOneNowhere) {
    CSlideCalcData item, copy;
    copy.SetAllPhi(30.0f);
    WorkContext ctx;
    CSlideCalc calc(ctx);
    float angle = 0, angle2 = 0;
    EXPECT_EQ(calc.ComputeThrust(copy, nullptr, &angle, nullptr, nullptr),
              ComputeThrust(copy, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(copy.residualThrust, item.residualThrust);
    calc.setItem(&item);
    std::array<float, CSlideCalcData::kResultSlots> direct{};
    const float E = calc.ComputeThrust(copy, nullptr, &angle, nullptr, nullptr);
    EXPECT_EQ(E, ComputeThrust(copy, nullptr, &angle2, nullptr, nullptr, direct.data()));
    EXPECT_EQ(angle, angle2);
    EXPECT_EQ(item.residualThrust, direct);
    EXPECT_EQ(copy.residualThrust, CSlideCalcData().residualThrust);
}
