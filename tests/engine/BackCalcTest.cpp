// Back-calculation of φ and c: the bisection rules and the report lines.
#include "EngineTestItems.h"

#include "engine/BackCalc.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// The worked example with the countermeasures off, as the control rules set
// them for a back-calculation: the thrust is taken at the slope's start.
CSlideCalcData bareSlope() {
    CSlideCalcData item;
    item.usePiles = item.useBerm = item.useUnload = 0;
    return item;
}

float thrustWithPhi(CSlideCalcData item, float phi) {
    item.SetAllPhi(phi);
    return ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, nullptr);
}

std::string backCalc(const CSlideCalcData& item, bool phi) {
    ReportWriter report;
    EXPECT_EQ(phi ? BackCalcPhi(item, report, nullptr) : BackCalcC(item, report, nullptr), 1);
    return report.utf8();
}

}  // namespace

TEST(BackCalc, BisectionSettlesOnlyOnAStrictSignAndStopsWithinItsSteps) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        float bound;
        std::function<float(float)> E;
        float value, tol;
        SearchStop stop;
    } cases[] = {
        // E(0) = 0 is not stable: the search goes on and converges at 0.
        {"zero at zero", 50, [](float v) { return -v; }, 0.0f, 0.001f, SearchStop::Converged},
        // E(bound) = 0 is not unstable: the search converges towards the bound.
        {"zero at the bound", 50, [](float v) { return 50.0f - v; }, 50.0f, 0.001f,
         SearchStop::Converged},
        {"root at 10", 50, [](float v) { return 10.0f - v; }, 10.0f, 0.001f, SearchStop::Converged},
        // A jump from +1 to −1 at 10 never reaches |E| < 0.001: 100 halvings.
        {"jump", 50, [](float v) { return v < 10.0f ? 1.0f : -1.0f; }, 10.0f, 1e-4f,
         SearchStop::Exhausted},
        {"bound NaN", nan, [](float v) { return 10.0f - v; }, nan, 0, SearchStop::NotRun},
        {"thrust NaN", 50, [nan](float) { return nan; }, nan, 0, SearchStop::NotRun},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<float> tried;
        SearchSummary summary;
        auto E = [&](float v) { return tried.push_back(v), c.E(v); };
        const StrengthResult r = BisectZeroThrust(c.bound, E, {}, &summary);
        EXPECT_LE(summary.iterations, 102);
        if (std::isnan(c.value)) continue;
        EXPECT_EQ(r.outcome, StrengthOutcome::Found);
        EXPECT_NEAR(r.value, c.value, c.tol);
        EXPECT_EQ(summary.stop, c.stop);
        EXPECT_EQ(tried.at(1), c.bound);
        if (c.stop == SearchStop::Exhausted) {
            EXPECT_EQ(summary.iterations, 102);
        } else {
            EXPECT_LT(std::fabs(r.thrust), 0.001f);
        }
    }
}

TEST(BackCalc, TheProgressCallbackCanCancelAndTheRunThenFails) {
    SearchOptions options;
    int calls = 0;
    options.progress = [&](int, int total) {
        EXPECT_EQ(total, 102);
        return ++calls < 3;
    };
    SearchSummary summary;
    ReportWriter report;
    EXPECT_EQ(BackCalcPhi(bareSlope(), report, nullptr, options, &summary), 0);
    EXPECT_EQ(summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(report.utf8(), "已知C反算φ\n");
}

// How a settled search is reported (the leading blanks of each line) is held
// by the output manifest's back-calculation items; a record without a slip
// surface, which no table can type, leaves every thrust 0.
TEST(BackCalc, WithoutASlipSurfaceTheFirstMidValueIsReportedAsMet) {
    CSlideCalcData item = bareSlope();
    item.slipCount = 0;
    EXPECT_EQ(backCalc(item, true),
              "已知C反算φ\n      摩擦角 = 25.000 (度)时，滑坡推力\t= 0.000 满足要求\n");
    EXPECT_EQ(backCalc(item, false),
              "已知φ反算C\n      粘聚力 = 50.000 (kN/m2)时，滑坡推力\t= 0.000 满足要求\n");
}

TEST(BackCalc, TheFrictionFoundMakesTheThrustVanishAndTheCurveShowsTheLastTrial) {
    CSlideCalcData item = bareSlope();
    ASSERT_GT(thrustWithPhi(item, 0.0f), 0.0f);
    ASSERT_LT(thrustWithPhi(item, item.maxPhi), 0.0f);
    std::array<float, CSlideCalcData::kResultSlots> curve{}, itemCurve{};
    SearchSummary summary;
    ReportWriter report;
    EXPECT_EQ(BackCalcPhi(item, report, curve.data(), {}, &summary), 1);
    EXPECT_EQ(summary.stop, SearchStop::Converged);
    const std::string text = report.utf8();
    const float phi = std::stof(text.substr(text.find("= ") + 2));
    // The value found, to the printed 3 decimals, leaves almost no thrust.
    EXPECT_LT(std::fabs(thrustWithPhi(item, phi)), 0.1f);
    EXPECT_GT(phi, 0.0f);
    EXPECT_LT(phi, item.maxPhi);
    // The curve holds the boundary forces of the last trial, not of the item.
    ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, itemCurve.data());
    EXPECT_NE(curve, itemCurve);
}

TEST(BackCalc, AWedgeIsAtTheLimitAtItsInclinationOrWithTheCohesionTakingUpItsThrust) {
    // E(φ) = W sin α − tan φ · W cos α = 0 at φ = α = 26.565°.
    std::string text = backCalc(wedge(0.0f), true);
    ASSERT_EQ(text.rfind("已知C反算φ\n      摩擦角 = 26.56", 0), 0u) << text;
    EXPECT_NEAR(std::stof(text.substr(text.find("= ") + 2)), 26.565f, 0.002f);
    // c = (W sin α − tan 20° · W cos α) / L = 57.793 / 11.180 = 5.169 kPa.
    text = backCalc(wedge(10.0f), false);
    ASSERT_EQ(text.rfind("已知φ反算C\n      粘聚力 = 5.1", 0), 0u) << text;
    EXPECT_NEAR(std::stof(text.substr(text.find("= ") + 2)), 5.169f, 0.002f);
}
