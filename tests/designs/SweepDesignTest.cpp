// The sweep of the berm and unloading designs: trial planning and the
// least-volume rule; then the designs on the worked example: refusal, the
// search over the real thrust pass, the report block of the winner and its
// drawings.
#include "designs/BermDesign.h"

#include "DesignTestData.h"
#include "designs/TrialSweep.h"
#include "designs/UnloadingDesign.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The winner among trials whose thrust and volume come from a table by index.
// The values, thrusts and volumes recorded per trial are drawn in the design
// sweep's drawing, which the output manifest holds.
int bestOf(float Rp, std::vector<TrialOutcome> outcomes) {
    TrialSweep sweep;
    size_t i = 0;
    auto trial = [&](float) { return outcomes.at(i++); };
    EXPECT_TRUE(RunTrialSweep({2.0f, 0.5f, static_cast<int>(outcomes.size())}, Rp, trial, {},
                              nullptr, &sweep));
    if (sweep.best >= 0) {
        EXPECT_EQ(sweep.bestVolume, outcomes[sweep.best].volume);
    }
    return sweep.best;
}

struct Harness {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx{dir.path(), "", 1, &sinks, &sinks};
    SearchSummary summary;
    DesignEnv env{&ctx, nullptr, {}, &summary};
    CSlideCalcData item;
    ReportWriter report;
    Harness() {
        item.setResult(0, {"计算简图", "&TLVR_0001_TLVR_JT.DXF", "&TLVR_0001_TLVR.RTF"});
        item.setResult(1, {"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"});
    }
    int berm() { return DesignBerm(item, report, env); }
    int unloading() { return DesignUnloading(item, report, env); }
    bool drawn(const char* name) const { return std::filesystem::exists(dir.file(name)); }
    bool drawingHolds(const std::string& utf8) const {
        return readBytes(dir.file("&TLVR_0001_TLVR_JG.DXF")).find(utf8ToGbk(utf8)) !=
               std::string::npos;
    }
    // The rule written out plainly: a fresh copy per trial, the least volume
    // among the trials with Hx < Rp, the earliest on a tie.
    struct Winner {
        int best = -1;
        float value = 0.0f, volume = 0.0f;
    };
    Winner bruteForce(float CSlideCalcData::*field, const CValueRange& r, float Rp,
                      bool berm) const {
        Winner w;
        for (int i = 0; i <= static_cast<int>((r.maxValue - r.minValue) / r.step); ++i) {
            CSlideCalcData trial = item;
            trial.*field = r.minValue + static_cast<float>(i) * r.step;
            float theta, bermArea, trimmed;
            const float T = ComputeThrust(trial, nullptr, &theta, &bermArea, &trimmed, nullptr);
            const float v = berm ? bermArea : trimmed;
            if (T * std::cos(theta) < Rp && (w.best < 0 || v < w.volume)) w = {i, trial.*field, v};
        }
        return w;
    }
    bool reports(const char* fmt, float v) const {
        char line[200];
        std::snprintf(line, sizeof line, fmt, v);
        return report.utf8().find(line) != std::string::npos;
    }
};

}  // namespace

TEST(TrialSweep, TrialCountsStayBetweenTwoAndTwoThousandWithAStepOfAtLeastOneMillimetre) {
    for (const std::vector<float>& v : numberRows("trial_plans.txt", 6)) {
        SCOPED_TRACE(testing::Message() << v[0] << " " << v[1] << " " << v[2]);
        const TrialPlan plan = PlanTrials({v[0], v[1], v[2]});
        EXPECT_EQ(plan.count, static_cast<int>(v[3]));
        EXPECT_FLOAT_EQ(plan.step, v[4]);
        if (!std::isnan(v[5])) {
            EXPECT_FLOAT_EQ(TrialValue(plan, plan.count - 1), v[5]);
        }
    }
    EXPECT_FLOAT_EQ(TrialValue(PlanTrials({0, 10, 3}), 1), 3.0f);
}

TEST(TrialSweep, OnlyAThrustBelowTheResistanceSatisfiesAndEqualVolumesKeepTheSmallerTrial) {
    EXPECT_EQ(bestOf(75.0f, {{75.0f, 1.0f}, {74.9f, 2.0f}}), 1);
    EXPECT_EQ(bestOf(75.0f, {{75.0f, 1.0f}, {75.0f, 2.0f}}), -1);
    EXPECT_EQ(bestOf(0.0f, {{0.0f, 1.0f}, {-0.001f, 5.0f}, {0.0f, 0.5f}}), 1);  // no piles
    EXPECT_EQ(bestOf(75.0f, {{kNaN, 1.0f}, {kNaN, 0.0f}}), -1);
    EXPECT_EQ(bestOf(10.0f, {{20, 0.1f}, {5, 3}, {5, 3}, {9, 2}, {1, 2}}), 3);
}

TEST(TrialSweep, TheProgressCallbackSeesEveryTrialAndCanCancel) {
    std::vector<int> seen;
    const SearchOptions options{[&](int done, int total) {
        seen.push_back(total == 11 ? done : -1);
        return done < 4;
    }};
    SearchSummary summary;
    TrialSweep sweep;
    auto trial = [](float v) { return TrialOutcome{v, 1.0f}; };
    EXPECT_FALSE(RunTrialSweep(PlanTrials({0, 10, 1}), 1.0f, trial, options, &summary, &sweep));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(sweep.values, (std::vector<float>{0, 1, 2, 3}));
    EXPECT_EQ(summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(summary.iterations, 4);
    EXPECT_TRUE(RunTrialSweep(PlanTrials({0, 10, 0}), -1.0f, trial, {}, &summary, &sweep));
    EXPECT_EQ(summary.iterations, 2000);
    EXPECT_EQ(summary.stop, SearchStop::Exhausted);
    EXPECT_EQ(summary.message, "no trial satisfies");
    EXPECT_EQ(sweep.best, -1);
}

// Its message and report lines are held by the output manifest (golden
// design_berm_x0_with_piles); the summary is not.
TEST(BermDesign, DesigningThePositionWithPilesIsRefused) {
    Harness h;
    h.item.bermDesignMode = 1;
    EXPECT_EQ(h.berm(), 0);
    EXPECT_EQ(h.summary.stop, SearchStop::Refused);
    EXPECT_EQ(h.summary.iterations, 0);
}

TEST(BermDesign, TheWorkedExampleRunsElevenHeightsOrThePositionsAndNoneSatisfies) {
    Harness h;
    EXPECT_EQ(h.bruteForce(&CSlideCalcData::bermH, h.item.bermHRange, 50.0f, true).best, -1);
    EXPECT_EQ(h.berm(), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    EXPECT_TRUE(h.sinks.messages.empty());
    EXPECT_EQ(h.report.utf8(), data("berm_worked_example.txt"));
    // Only the sweep is drawn when no trial satisfies.
    EXPECT_TRUE(h.drawingHolds("反压码高度(m)") && h.drawingHolds("单位宽反压码体积m3"));
    EXPECT_FALSE(h.drawn("&TLVR_0001_TLVR_JT.DXF"));
    Harness p;  // without piles the position is searched, with no capacity line
    p.item.usePiles = 0;
    p.item.bermDesignMode = 1;
    EXPECT_EQ(p.bruteForce(&CSlideCalcData::bermX, p.item.bermXRange, 0.0f, true).best, -1);
    EXPECT_EQ(p.berm(), 1);
    EXPECT_EQ(p.report.utf8(), data("berm_position.txt"));
}

TEST(BermDesign, PilesOf200KnPerMetreAreFirstReachedAtSevenMetresWhichWins) {
    // Capacity 400 kN at 2 m: Rp = 200 kN/m. Thrusts fall with the height
    // (Hx = 217.2 at 6 m, 175.3 at 7 m) while the volume grows: 7 m wins.
    Harness h;
    h.item.pileKinds[0].capacity = 400.0f;
    const auto w = h.bruteForce(&CSlideCalcData::bermH, h.item.bermHRange, 200.0f, true);
    EXPECT_EQ(h.berm(), 1);
    EXPECT_EQ(h.report.utf8(), data("berm_piles_200.txt"));
    EXPECT_EQ(w.value, 7.0f);
    EXPECT_TRUE(h.reports("        反压码的总体积 = %.3f m3\n", w.volume * 500.0f));
    EXPECT_TRUE(h.drawingHolds("水平推力kN"));
    EXPECT_TRUE(h.drawn("&TLVR_0001_TLVR_JT.DXF"));
}

TEST(BermDesign, AbsurdRangesFinishAndCancellingFailsTheRunWithoutAResult) {
    for (CValueRange range :
         {CValueRange{10, 0, 1}, CValueRange{kNaN, 10, 1}, CValueRange{0, 1.0e9f, 1.0e6f}}) {
        Harness h;
        h.item.bermHRange = range;
        EXPECT_EQ(h.berm(), 1);
        EXPECT_GE(h.summary.iterations, 2);
        EXPECT_LE(h.summary.iterations, 2000);
    }
    Harness h;
    h.env.options.progress = [](int done, int) { return done < 5; };
    EXPECT_EQ(h.berm(), 0);
    EXPECT_EQ(h.summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(h.summary.iterations, 5);
    EXPECT_EQ(h.report.utf8(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
}

TEST(BermDesign, WithoutResultNamesOrAWritableDirectoryOnlyTheDrawingIsMissing) {
    Harness h, missing;
    h.item = CSlideCalcData{};
    missing.ctx.G_strWorkPath += "missing/";
    for (Harness* x : {&h, &missing}) {
        x->item.pileKinds[0].capacity = 400.0f;
        EXPECT_EQ(x->berm(), 1);
        EXPECT_EQ(x->report.utf8(), data("berm_piles_200.txt"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(h.dir.path()));
}

TEST(UnloadingDesign, TheWorkedExampleRunsElevenStartHeightsAndNoneSatisfies) {
    Harness h;  // Y from 15 to 25 in steps of 1
    EXPECT_EQ(h.bruteForce(&CSlideCalcData::unloadY, h.item.unloadYRange, 50.0f, false).best, -1);
    EXPECT_EQ(h.unloading(), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    EXPECT_EQ(h.report.utf8(), data("unloading_worked_example.txt"));
    EXPECT_TRUE(h.drawingHolds("刷方定位高度(m)") && h.drawingHolds("单位宽刷方体积m3"));
}

TEST(UnloadingDesign, TheLeastTrimmedVolumeAmongSatisfyingHeightsWinsNotTheFirst) {
    // Rp = 300 kN/m: Y = 15, 16 and 20 to 24 satisfy, 17 to 19 and 25 do not;
    // of those, Y = 24 trims least (19.2 m2 per metre).
    Harness h;
    h.item.pileKinds[0].capacity = 600.0f;
    const auto w = h.bruteForce(&CSlideCalcData::unloadY, h.item.unloadYRange, 300.0f, false);
    EXPECT_EQ(h.unloading(), 1);
    EXPECT_EQ(h.report.utf8(), data("unloading_piles_300.txt"));
    EXPECT_EQ(w.value, 24.0f);
    EXPECT_TRUE(h.reports("        刷方的总体积 = %.3f m3\n", w.volume * 500.0f));
}
