// Trial planning and the least-volume rule of the berm and unloading sweeps.
#include "designs/TrialSweep.h"

#include "DesignTestData.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The winner among trials whose thrust and volume come from a table by index.
int bestOf(float Rp, std::vector<TrialOutcome> outcomes) {
    TrialSweep sweep;
    size_t i = 0;
    auto trial = [&](float) { return outcomes.at(i++); };
    EXPECT_TRUE(RunTrialSweep({2.0f, 0.5f, static_cast<int>(outcomes.size())}, Rp, trial, {},
                              nullptr, &sweep));
    EXPECT_EQ(sweep.values.size(), outcomes.size());
    for (size_t k = 0; k < outcomes.size(); ++k) {
        EXPECT_FLOAT_EQ(sweep.values[k], 2.0f + 0.5f * static_cast<float>(k));
        EXPECT_TRUE(std::isnan(outcomes[k].thrust) || sweep.thrusts[k] == outcomes[k].thrust);
        EXPECT_EQ(sweep.volumes[k], outcomes[k].volume);
    }
    if (sweep.best >= 0) {
        EXPECT_EQ(sweep.bestVolume, outcomes[sweep.best].volume);
    }
    return sweep.best;
}
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
    SearchOptions options;
    options.progress = [&](int done, int total) {
        seen.push_back(total == 11 ? done : -1);
        return done < 4;
    };
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
