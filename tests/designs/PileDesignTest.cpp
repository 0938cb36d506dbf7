// Rows and spacing of each candidate pile kind against a given thrust, and
// the candidates' report lines.
#include "designs/PileDesign.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {
// One candidate of 100 kN, least spacing 1 m, every row developing its full capacity.
CSlideCalcData oneCandidate() {
    CSlideCalcData item;
    item.usePiles = 1;
    item.pileKindCount = 1;
    item.pileKinds[0].capacity = 100.0f;
    item.minPileSpacing = 1.0f;
    item.rowFactor.fill(1.0f);
    return item;
}

std::string candidatesReport(const CSlideCalcData& item, float H) {
    ReportWriter report;
    EXPECT_EQ(ReportPileDesigns(item, report, H, {}), 1);
    return report.utf8();
}
}  // namespace

TEST(PileDesign, AThrustOf150NeedsTwoRowsAtOnePointThreeMetres) {
    // One row gives 100, two rows 200 > 150; S = 200, s_exact = 1.333 m,
    // rounded to 1.35 m which exceeds it, so 1.30 m; R = 2 x 100 / 1.3.
    CSlideCalcData item = oneCandidate();
    float H = 150.0f;
    const PileLayout layout = LayoutPileRows(item, 0, H);
    ASSERT_TRUE(layout.found);
    EXPECT_EQ(layout.rows, 2);
    EXPECT_NEAR(layout.spacing, 1.30f, 1e-6f);
    const std::string text = candidatesReport(item, 150.0f);
    EXPECT_NE(text.find("    布置 2 排，桩间距 1.300(m)，则可提供的抗滑力为:  153.846(kN)\n"),
              std::string::npos)
        << text;
}

TEST(PileDesign, AThrustEqualToTwoRowsNeedsAThirdRow) {
    CSlideCalcData item = oneCandidate();
    float H = 200.0f;
    const PileLayout layout = LayoutPileRows(item, 0, H);
    EXPECT_EQ(layout.rows, 3);
    EXPECT_FLOAT_EQ(layout.spacing, 1.50f);
    EXPECT_NE(candidatesReport(item, 200.0f)
                  .find("    布置 3 排，桩间距 1.500(m)，则可提供的抗滑力为:  200.000(kN)\n"),
              std::string::npos);
}

TEST(PileDesign, ASecondRowWithFactorOneHalfAddsHalfARow) {
    CSlideCalcData item = oneCandidate();
    item.rowFactor[1] = 0.5f;
    float H = 120.0f;  // 100 is not enough, 150 is
    const PileLayout layout = LayoutPileRows(item, 0, H);
    EXPECT_EQ(layout.rows, 2);
    EXPECT_FLOAT_EQ(layout.spacing, 1.25f);  // 150 / 120
}

TEST(PileDesign, TheRoundedSpacingIsNotRaisedBackToTheLeastSpacing) {
    CSlideCalcData item = oneCandidate();
    item.minPileSpacing = 1.02f;
    float H = 100.0f / 1.03f;  // one row: s_exact = 1.03 m
    const PileLayout layout = LayoutPileRows(item, 0, H);
    EXPECT_EQ(layout.rows, 1);
    EXPECT_NEAR(layout.spacing, 1.00f, 1e-6f);
}

TEST(PileDesign, NoThrustGivesOneRowAtAVeryWideSpacingAndTheFloorStaysForLaterCandidates) {
    CSlideCalcData item = oneCandidate();
    float H = 0.0f;
    const PileLayout layout = LayoutPileRows(item, 0, H);
    EXPECT_EQ(layout.rows, 1);
    EXPECT_FLOAT_EQ(H, 0.0001f);
    EXPECT_FLOAT_EQ(layout.spacing, 1.0e6f);  // 100 / 0.0001
    // A later candidate of 0.00005 kN would need one row against 0 but needs
    // three against the raised 0.0001 (two give exactly 0.0001).
    item.pileKindCount = 2;
    item.pileKinds[1].capacity = 0.00005f;
    item.minPileSpacing = 1.0f;
    const std::string text = candidatesReport(item, 0.0f);
    EXPECT_NE(text.find("\n    采用第 2 种桩时\n    布置 3 排，"), std::string::npos) << text;
}

TEST(PileDesign, TwentyRowsThatAreNotEnoughReportTheLeastSpacingAsEntered) {
    CSlideCalcData item = oneCandidate();
    float H = 2000.0f;  // twenty rows give exactly 2000, not more
    EXPECT_FALSE(LayoutPileRows(item, 0, H).found);
    EXPECT_EQ(candidatesReport(item, 2000.0f),
              "\n    采用第 1 种桩时\n"
              "    布置 20 排，桩间距取最小值 1.000(m)，仍然不能达到要求 !\n");
    item.minPileSpacing = 0.0f;  // counted as 1 mm, shown as typed
    item.pileKinds[0].capacity = 0.0f;
    EXPECT_EQ(candidatesReport(item, 0.0f),
              "\n    采用第 1 种桩时\n"
              "    布置 20 排，桩间距取最小值 0.000(m)，仍然不能达到要求 !\n");
}

TEST(PileDesign, NotANumberAnywhereEndsInTheFailureLine) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    CSlideCalcData item = oneCandidate();
    float H = kNaN;
    EXPECT_FALSE(LayoutPileRows(item, 0, H).found);
    H = 150.0f;
    item.minPileSpacing = kNaN;
    EXPECT_FALSE(LayoutPileRows(item, 0, H).found);
}

TEST(PileDesign, EachCandidateIsReportedWithItsQuantitiesFromTheItemNotTheLastSolution) {
    // Slope length 500 m at 1.30 m: 384 gaps leave 0.8 m, so 385 piles per row.
    CSlideCalcData item = oneCandidate();
    item.pileKindCount = 2;
    item.pileKinds[1] = item.pileKinds[0];
    item.pileKinds[1].capacity = 1.0f;  // cannot reach 150 with 20 rows
    const std::string expected =
        "\n    采用第 1 种桩时\n"
        "    布置 2 排，桩间距 1.300(m)，则可提供的抗滑力为:  153.846(kN)\n"
        "    滑坍纵向宽度 = 500.000m 范围内，第1种桩：\n"
        "        共需要抗滑桩 770 根\n"
        "        抗滑桩的总造价 = 616000.000 元\n"
        "        抗滑桩的总工费 = 77000.000 元\n"
        "        抗滑桩的总工期 = 77.000 人天\n"
        "\n    采用第 2 种桩时\n"
        "    布置 20 排，桩间距取最小值 1.000(m)，仍然不能达到要求 !\n";
    EXPECT_EQ(candidatesReport(item, 150.0f), expected);
}

TEST(PileDesign, CancellingStopsAfterTheCandidateInHandAndFailsTheRun) {
    CSlideCalcData item = oneCandidate();
    item.pileKindCount = 3;
    SearchSummary summary;
    DesignEnv env;
    env.summary = &summary;
    env.options.progress = [](int done, int total) {
        EXPECT_EQ(total, 3);
        return done < 2;
    };
    ReportWriter report;
    EXPECT_EQ(ReportPileDesigns(item, report, 150.0f, env), 0);
    EXPECT_EQ(summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(summary.iterations, 2);
    EXPECT_EQ(report.utf8().find("第 3 种桩"), std::string::npos);
}

TEST(PileDesign, TheWholeDesignStartsWithTheHorizontalThrustAtThePileRow) {
    CSlideCalcData item;  // the worked example, piles at x = 6
    item.pileKindCount = 0;
    float theta = 0.0f;
    const float T = ComputeThrust(item, nullptr, &theta, nullptr, nullptr, nullptr);
    const float H = std::max(0.0f, T * std::cos(theta));
    char line[128];
    std::snprintf(line, sizeof line, "    单位米宽滑坡推力的水平分量       = %.3f(kN)\n", H);
    ReportWriter report;
    EXPECT_EQ(DesignPiles(item, report, {}), 1);
    EXPECT_EQ(report.utf8(),
              std::string("自动设计抗滑桩\n    计算抗滑桩所承受的滑坡推力\n\n") + line);
}

TEST(PileDesign, TheWorkedExampleNeedsThreeRowsAtOnePointOneMetres) {
    // Hand check: H = 262.09 kN/m at the pile row. Rows of 100 kN at the least
    // spacing 1 m give 100, 200, 300: three rows. S = 300, s_exact = 1.1447 m,
    // rounded to 1.15 m which exceeds it, so 1.10 m; R = 300 / 1.1 = 272.727.
    // 500 m / 1.1 m: 454 gaps leave 0.6 m, so 455 piles a row, 1365 in all.
    CSlideCalcData item;
    float theta = 0.0f;
    const float T = ComputeThrust(item, nullptr, &theta, nullptr, nullptr, nullptr);
    const float H = T * std::cos(theta);
    ASSERT_GT(H, 200.0f);
    ASSERT_LE(H, 272.7f);
    char head[256];
    std::snprintf(head, sizeof head,
                  "自动设计抗滑桩\n    计算抗滑桩所承受的滑坡推力\n\n"
                  "    单位米宽滑坡推力的水平分量       = %.3f(kN)\n",
                  H);
    ReportWriter report;
    EXPECT_EQ(DesignPiles(item, report, {}), 1);
    EXPECT_EQ(report.utf8(),
              std::string(head) +
                  "\n    采用第 1 种桩时\n"
                  "    布置 3 排，桩间距 1.100(m)，则可提供的抗滑力为:  272.727(kN)\n"
                  "    滑坍纵向宽度 = 500.000m 范围内，第1种桩：\n"
                  "        共需要抗滑桩 1365 根\n"
                  "        抗滑桩的总造价 = 1092000.000 元\n"
                  "        抗滑桩的总工费 = 136500.000 元\n"
                  "        抗滑桩的总工期 = 136.500 人天\n");
}

TEST(PileDesign, WithThePilesSwitchedOffTheResistanceReadsZero) {
    CSlideCalcData item = oneCandidate();
    item.usePiles = 0;
    EXPECT_NE(candidatesReport(item, 150.0f)
                  .find("    布置 2 排，桩间距 1.300(m)，则可提供的抗滑力为:  0.000(kN)\n"),
              std::string::npos);
}

TEST(PileDesign, CandidateCountsOutsideTheListAreHeldToNoneAndOneHundred) {
    CSlideCalcData item = oneCandidate();
    item.pileKindCount = -3;
    EXPECT_EQ(candidatesReport(item, 150.0f), "");
    item.pileKindCount = 150;
    const std::string text = candidatesReport(item, 150.0f);
    EXPECT_NE(text.find("采用第 100 种桩时"), std::string::npos);
    EXPECT_EQ(text.find("采用第 101 种桩时"), std::string::npos);
}
