// Trial planning and the least-volume rule of the berm and unloading sweeps.
#include "designs/TrialSweep.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A sweep over trial values whose thrust and volume come from tables by index.
TrialSweep sweepOver(const TrialPlan& plan, float Rp, std::vector<TrialOutcome> outcomes) {
    TrialSweep sweep;
    int i = 0;
    auto trial = [&](float) { return outcomes.at(i++); };
    EXPECT_TRUE(RunTrialSweep(plan, Rp, trial, {}, nullptr, &sweep));
    return sweep;
}
}  // namespace

TEST(TrialSweep, ARangeOfZeroToTenGivesElevenTrialsWithStepOneAndFourWithStepThree) {
    TrialPlan plan = PlanTrials({0.0f, 10.0f, 1.0f});
    EXPECT_EQ(plan.count, 11);
    EXPECT_FLOAT_EQ(TrialValue(plan, 10), 10.0f);
    plan = PlanTrials({0.0f, 10.0f, 3.0f});
    ASSERT_EQ(plan.count, 4);
    EXPECT_FLOAT_EQ(TrialValue(plan, 0), 0.0f);
    EXPECT_FLOAT_EQ(TrialValue(plan, 1), 3.0f);
    EXPECT_FLOAT_EQ(TrialValue(plan, 3), 9.0f);
}

TEST(TrialSweep, AStepOfZeroCountsAsOneMillimetreAndStopsAtTwoThousandTrials) {
    const TrialPlan plan = PlanTrials({0.0f, 10.0f, 0.0f});
    EXPECT_FLOAT_EQ(plan.step, 0.001f);
    ASSERT_EQ(plan.count, 2000);
    EXPECT_NEAR(TrialValue(plan, 1999), 1.999f, 1e-6f);
}

TEST(TrialSweep, AbsurdRangesStayWithinTwoAndTwoThousandTrials) {
    EXPECT_EQ(PlanTrials({5.0f, 1.0f, 1.0f}).count, 2);         // max below min
    EXPECT_EQ(PlanTrials({5.0f, 5.0f, 1.0f}).count, 2);         // empty range
    EXPECT_EQ(PlanTrials({0.0f, 1.0e6f, 0.001f}).count, 2000);  // 10^9 trials asked
    EXPECT_EQ(PlanTrials({0.0f, 1.0e30f, -1.0f}).count, 2000);
    EXPECT_EQ(PlanTrials({0.0f, 10.0f, 1.0e30f}).count, 2);
    EXPECT_EQ(PlanTrials({kNaN, 10.0f, 1.0f}).count, 2000);
    EXPECT_EQ(PlanTrials({0.0f, kNaN, 1.0f}).count, 2000);
    const TrialPlan nanStep = PlanTrials({0.0f, 10.0f, kNaN});
    EXPECT_FLOAT_EQ(nanStep.step, 0.001f);
    EXPECT_EQ(nanStep.count, 2000);
}

TEST(TrialSweep, TheTrialCountIsFormedInFloat) {
    // 0.5 / 0.001 is just below 500 in float: 499 intervals, 500 trials.
    EXPECT_EQ(PlanTrials({0.0f, 0.5f, 0.0005f}).count, 500);
}

TEST(TrialSweep, WithPilesOfSeventyFiveAThrustOf74point9SatisfiesAnd75DoesNot) {
    const TrialPlan plan{0.0f, 1.0f, 2};
    TrialSweep sweep = sweepOver(plan, 75.0f, {{75.0f, 1.0f}, {74.9f, 2.0f}});
    EXPECT_EQ(sweep.best, 1);
    EXPECT_FLOAT_EQ(sweep.bestVolume, 2.0f);
    sweep = sweepOver(plan, 75.0f, {{75.0f, 1.0f}, {75.0f, 2.0f}});
    EXPECT_EQ(sweep.best, -1);
}

TEST(TrialSweep, WithoutPilesAThrustOfZeroDoesNotSatisfy) {
    const TrialPlan plan{0.0f, 1.0f, 3};
    const TrialSweep sweep = sweepOver(plan, 0.0f, {{0.0f, 1.0f}, {-0.001f, 5.0f}, {0.0f, 0.5f}});
    EXPECT_EQ(sweep.best, 1);
}

TEST(TrialSweep, EqualVolumesKeepTheSmallerTrialAndOnlyAStrictlySmallerVolumeWins) {
    const TrialPlan plan{2.0f, 0.5f, 5};
    const TrialSweep sweep = sweepOver(
        plan, 10.0f, {{20.0f, 0.1f}, {5.0f, 3.0f}, {5.0f, 3.0f}, {9.0f, 2.0f}, {1.0f, 2.0f}});
    EXPECT_EQ(sweep.best, 3);
    EXPECT_FLOAT_EQ(sweep.values[sweep.best], 3.5f);
    ASSERT_EQ(sweep.values.size(), 5u);
    EXPECT_FLOAT_EQ(sweep.thrusts[0], 20.0f);
    EXPECT_FLOAT_EQ(sweep.volumes[4], 2.0f);
}

TEST(TrialSweep, ThrustsThatAreNotANumberNeverSatisfy) {
    const TrialPlan plan{0.0f, 1.0f, 2};
    const TrialSweep sweep = sweepOver(plan, 75.0f, {{kNaN, 1.0f}, {kNaN, 0.0f}});
    EXPECT_EQ(sweep.best, -1);
}

TEST(TrialSweep, TheProgressCallbackSeesEveryTrialAndCanCancel) {
    const TrialPlan plan = PlanTrials({0.0f, 10.0f, 1.0f});
    std::vector<int> seen;
    SearchOptions options;
    options.progress = [&](int done, int total) {
        EXPECT_EQ(total, 11);
        seen.push_back(done);
        return done < 4;
    };
    SearchSummary summary;
    TrialSweep sweep;
    int calls = 0;
    auto trial = [&](float) {
        ++calls;
        return TrialOutcome{0.0f, 0.0f};
    };
    EXPECT_FALSE(RunTrialSweep(plan, 1.0f, trial, options, &summary, &sweep));
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(summary.iterations, 4);
}

TEST(TrialSweep, AFinishedSweepSaysHowManyTrialsRanAndWhetherOneSatisfied) {
    SearchSummary summary;
    TrialSweep sweep;
    auto trial = [](float v) { return TrialOutcome{v, 1.0f}; };
    EXPECT_TRUE(RunTrialSweep(PlanTrials({0.0f, 10.0f, 0.0f}), -1.0f, trial, {}, &summary, &sweep));
    EXPECT_EQ(summary.iterations, 2000);
    EXPECT_EQ(summary.stop, SearchStop::Exhausted);
    EXPECT_EQ(summary.message, "no trial satisfies");
    EXPECT_EQ(sweep.best, -1);
}
