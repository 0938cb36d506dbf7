// Back-calculation of φ and c: the bisection rules and the report lines.
#include "engine/BackCalc.h"

#include "data/CSlideCalcData.h"
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
    item.usePiles = 0;
    item.useBerm = 0;
    item.useUnload = 0;
    return item;
}

float thrustWithPhi(CSlideCalcData item, float phi) {
    item.SetAllPhi(phi);
    return ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, nullptr);
}
}  // namespace

TEST(BackCalc, AThrustOfExactlyZeroWithoutStrengthIsNotStable) {
    std::vector<float> tried;
    auto E = [&](float v) {
        tried.push_back(v);
        return -v;  // E(0) = 0, negative above
    };
    const StrengthResult r = BisectZeroThrust(50.0f, E, {}, nullptr);
    ASSERT_GE(tried.size(), 2u);
    EXPECT_FLOAT_EQ(tried[1], 50.0f);  // went on to the bound
    EXPECT_EQ(r.outcome, StrengthOutcome::Found);
    EXPECT_LT(r.value, 0.001f);
}

TEST(BackCalc, AThrustOfExactlyZeroAtTheBoundIsNotUnstableAndTheSearchConvergesTowardsIt) {
    auto E = [](float v) { return 50.0f - v; };
    SearchSummary summary;
    const StrengthResult r = BisectZeroThrust(50.0f, E, {}, &summary);
    EXPECT_EQ(r.outcome, StrengthOutcome::Found);
    EXPECT_NEAR(r.value, 50.0f, 0.001f);
    EXPECT_LT(std::fabs(r.thrust), 0.001f);
    EXPECT_EQ(summary.stop, SearchStop::Converged);
}

TEST(BackCalc, BisectionFindsTheRootOfAKnownThrustFunction) {
    auto E = [](float v) { return 10.0f - v; };
    SearchSummary summary;
    const StrengthResult r = BisectZeroThrust(50.0f, E, {}, &summary);
    EXPECT_NEAR(r.value, 10.0f, 0.001f);
    EXPECT_LE(summary.iterations, 102);
}

TEST(BackCalc, AThrustThatNeverReachesTheToleranceStopsAfterOneHundredHalvings) {
    // Jumps from +1 to -1 at 10: no value gives |E| < 0.001.
    auto E = [](float v) { return v < 10.0f ? 1.0f : -1.0f; };
    SearchSummary summary;
    const StrengthResult r = BisectZeroThrust(50.0f, E, {}, &summary);
    EXPECT_EQ(r.outcome, StrengthOutcome::Found);
    EXPECT_EQ(summary.iterations, 102);
    EXPECT_EQ(summary.stop, SearchStop::Exhausted);
    EXPECT_NEAR(r.value, 10.0f, 1e-4f);
}

TEST(BackCalc, NotANumberAsBoundOrThrustFinishesWithinTheFixedSteps) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    SearchSummary summary;
    BisectZeroThrust(
        kNaN, [](float v) { return 10.0f - v; }, {}, &summary);
    EXPECT_LE(summary.iterations, 102);
    BisectZeroThrust(
        50.0f, [](float) { return kNaN; }, {}, &summary);
    EXPECT_LE(summary.iterations, 102);
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

TEST(BackCalc, WithMaxPhiZeroAnUnstableSlopeIsReportedAtZeroWithFiveBlanks) {
    CSlideCalcData item = bareSlope();
    item.maxPhi = 0.0f;
    const float E0 = thrustWithPhi(item, 0.0f);
    ASSERT_GT(E0, 0.0f) << "the worked example must slide without friction";
    char line[160];
    std::snprintf(line, sizeof line,
                  "     摩擦角 = 0.000 (度)时，滑坡推力\t= %.3f 仍然不满足要求\n", E0);
    ReportWriter report;
    EXPECT_EQ(BackCalcPhi(item, report, nullptr), 1);
    EXPECT_EQ(report.utf8(), std::string("已知C反算φ\n") + line);
}

TEST(BackCalc, TheUnstableCohesionLineHasSixBlanks) {
    CSlideCalcData item = bareSlope();
    item.maxC = 0.0f;
    item.SetAllPhi(0.0f);
    ReportWriter report;
    BackCalcC(item, report, nullptr);
    EXPECT_EQ(report.utf8().rfind("已知φ反算C\n      粘聚力 = 0.000 (kN/m2)时，滑坡推力\t= ", 0),
              0u)
        << report.utf8();
    EXPECT_NE(report.utf8().find(" 仍然不满足要求\n"), std::string::npos);
}

TEST(BackCalc, ASlopeStableWithoutFrictionIsReportedAtZero) {
    CSlideCalcData item = bareSlope();
    item.SetAllC(1000.0f);
    const float E0 = thrustWithPhi(item, 0.0f);
    ASSERT_LT(E0, 0.0f);
    char line[160];
    std::snprintf(line, sizeof line, "      摩擦角 = 0.000 (度)时，滑坡推力\t= %.3f 满足要求\n",
                  E0);
    ReportWriter report;
    BackCalcPhi(item, report, nullptr);
    EXPECT_EQ(report.utf8(), std::string("已知C反算φ\n") + line);
}

TEST(BackCalc, WithoutASlipSurfaceEveryThrustIsZeroAndTheFirstHalvingIsTaken) {
    // E = 0 everywhere: neither stable at 0 nor unstable at the bound; the
    // first mid value, half the bound, already has |E| < 0.001.
    CSlideCalcData item = bareSlope();
    item.slipCount = 0;
    ReportWriter report;
    BackCalcPhi(item, report, nullptr);
    EXPECT_EQ(report.utf8(),
              "已知C反算φ\n      摩擦角 = 25.000 (度)时，滑坡推力\t= 0.000 满足要求\n");
    ReportWriter reportC;
    BackCalcC(item, reportC, nullptr);
    EXPECT_EQ(reportC.utf8(),
              "已知φ反算C\n      粘聚力 = 50.000 (kN/m2)时，滑坡推力\t= 0.000 满足要求\n");
}

TEST(BackCalc, TheFrictionFoundMakesTheThrustVanishAndTheCurveShowsTheLastTrial) {
    CSlideCalcData item = bareSlope();
    ASSERT_GT(thrustWithPhi(item, 0.0f), 0.0f);
    ASSERT_LT(thrustWithPhi(item, item.maxPhi), 0.0f);
    std::array<float, CSlideCalcData::kResultSlots> curve{};
    SearchSummary summary;
    ReportWriter report;
    EXPECT_EQ(BackCalcPhi(item, report, curve.data(), {}, &summary), 1);
    EXPECT_EQ(summary.stop, SearchStop::Converged);
    float phi = 0.0f;
    const std::string text = report.utf8();
    ASSERT_EQ(std::sscanf(text.c_str() + text.find("摩擦角 = ") + std::string("摩擦角 = ").size(),
                          "%f", &phi),
              1)
        << text;
    // Applying the value found (to the printed 3 decimals) leaves almost no thrust.
    EXPECT_LT(std::fabs(thrustWithPhi(item, phi)), 0.1f);
    EXPECT_GT(phi, 0.0f);
    EXPECT_LT(phi, item.maxPhi);
    // The curve holds the boundary forces of the last trial, not of the item.
    std::array<float, CSlideCalcData::kResultSlots> itemCurve{};
    ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, itemCurve.data());
    EXPECT_NE(curve, itemCurve);
}

namespace {
// One dry wedge: slip from (0, 0) to (10, 5) under level ground at y = 5,
// 475 kN on a plane inclined at α = atan 0.5 = 26.565°.
CSlideCalcData wedge(float c, float phi) {
    CSlideCalcData item = bareSlope();
    item.slipCount = 1;
    item.slip[0] = CLineSeg{};
    item.slip[0].dx = 10.0f;
    item.slip[0].dy = 5.0f;
    item.slip[0].c = c;
    item.slip[0].phi = phi;
    item.slopeX0 = 0.0f;
    item.slopeCount = 2;
    item.slope[0] = CLineSeg{};
    item.slope[0].dx = 0.0f;
    item.slope[0].dy = 5.0f;
    item.slope[1] = CLineSeg{};
    item.slope[1].dx = 10.0f;
    item.slope[1].dy = 0.0f;
    item.waterCount = 1;
    item.waterX0 = -20.0f;
    item.waterY0 = -50.0f;
    item.water[0].dx = 100.0f;
    item.water[0].dy = 0.0f;
    item.useSeepage = 0;
    return item;
}
}  // namespace

TEST(BackCalc, ACohesionlessWedgeIsAtTheLimitWhenItsFrictionEqualsItsInclination) {
    // E(φ) = W sin α − tan φ · W cos α = 0 at φ = α = 26.565°.
    ReportWriter report;
    BackCalcPhi(wedge(0.0f, 20.0f), report, nullptr);
    const std::string text = report.utf8();
    ASSERT_EQ(text.rfind("已知C反算φ\n      摩擦角 = 26.56", 0), 0u) << text;
    const float phi = std::stof(text.substr(text.find("= ") + 2));
    EXPECT_NEAR(phi, 26.565f, 0.002f);
}

TEST(BackCalc, AWedgeWithTwentyDegreesNeedsTheCohesionThatTakesUpItsThrust) {
    // c = (W sin α − tan 20° · W cos α) / L = 57.793 / 11.180 = 5.169 kPa.
    ReportWriter report;
    BackCalcC(wedge(10.0f, 20.0f), report, nullptr);
    const std::string text = report.utf8();
    ASSERT_EQ(text.rfind("已知φ反算C\n      粘聚力 = 5.1", 0), 0u) << text;
    EXPECT_NEAR(std::stof(text.substr(text.find("= ") + 2)), 5.169f, 0.002f);
}
