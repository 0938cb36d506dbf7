// Rows and spacing of each candidate pile kind against a given thrust, and
// the candidates' report lines.
#include "designs/PileDesign.h"

#include "DesignTestData.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// One candidate of 100 kN, least spacing 1 m, every row developing its full capacity.
CSlideCalcData oneCandidate() {
    CSlideCalcData item;
    item.usePiles = item.pileKindCount = 1;
    item.pileKinds[0].capacity = 100.0f;
    item.minPileSpacing = 1.0f;
    item.rowFactor.fill(1.0f);
    return item;
}

std::string candidates(const CSlideCalcData& item, float H, const DesignEnv& env = {}) {
    ReportWriter report;
    EXPECT_EQ(ReportPileDesigns(item, report, H, env), env.options.progress ? 0 : 1);
    return report.utf8();
}

}  // namespace

TEST(PileDesign, TheFewestRowsComeFirstThenTheWidestSpacingInFiftyMillimetreSteps) {
    for (const std::vector<float>& v : numberRows("pile_layouts.txt", 7)) {
        CSlideCalcData item = oneCandidate();
        item.minPileSpacing = v[1];
        item.rowFactor[1] = v[2];
        float H = v[0];
        const PileLayout layout = LayoutPileRows(item, 0, H);
        EXPECT_EQ(layout.found, v[3] == 1.0f) << v[0] << " " << v[1];
        if (layout.found) {
            EXPECT_EQ(layout.rows, static_cast<int>(v[4])) << v[0];
            EXPECT_FLOAT_EQ(layout.spacing, v[5]) << v[0];
            EXPECT_FLOAT_EQ(H, v[6]) << v[0];
        }
    }
}

TEST(PileDesign, EachCandidateIsReportedWithItsRowsSpacingAndQuantities) {
    CSlideCalcData item = oneCandidate();
    EXPECT_NE(candidates(item, 200.0f)
                  .find("    布置 3 排，桩间距 1.500(m)，则可提供的抗滑力为:  200.000(kN)\n"),
              std::string::npos);
    // Slope length 500 m at 1.30 m: 384 gaps leave 0.8 m, so 385 piles per row;
    // the second candidate cannot reach 150 with 20 rows.
    item.pileKindCount = 2;
    item.pileKinds[1] = {.capacity = 1.0f};
    EXPECT_EQ(candidates(item, 150.0f), data("pile_candidates_150.txt"));
    item.usePiles = 0;  // the resistance then reads 0
    EXPECT_NE(candidates(item, 150.0f)
                  .find("    布置 2 排，桩间距 1.300(m)，则可提供的抗滑力为:  0.000(kN)\n"),
              std::string::npos);
}

// A least spacing of 0, counted as 1 mm, is still shown as typed: the output
// manifest's random items hold that line.
TEST(PileDesign, TwentyRowsThatAreNotEnoughReportTheLeastSpacing) {
    EXPECT_EQ(candidates(oneCandidate(), 2000.0f), data("pile_twenty_rows_1m.txt"));
}

TEST(PileDesign, CandidateCountsAreHeldToNoneAndOneHundredAndCancellingStopsTheList) {
    CSlideCalcData item = oneCandidate();
    item.pileKindCount = -3;
    EXPECT_EQ(candidates(item, 150.0f), "");
    item.pileKindCount = 150;
    std::string text = candidates(item, 150.0f);
    EXPECT_NE(text.find("采用第 100 种桩时"), std::string::npos);
    EXPECT_EQ(text.find("采用第 101 种桩时"), std::string::npos);
    item.pileKindCount = 3;
    SearchSummary summary;
    const DesignEnv env{.options = {[](int done, int total) { return total == 3 && done < 2; }},
                        .summary = &summary};
    EXPECT_EQ(candidates(item, 150.0f, env).find("第 3 种桩"), std::string::npos);
    EXPECT_EQ(summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(summary.iterations, 2);
}

TEST(PileDesign, TheWorkedExampleNeedsThreeRowsAtOnePointOneMetres) {
    // H = T cos θ = 262.09 kN/m at the pile row. Rows of 100 kN at 1 m give 100,
    // 200, 300: three rows; s_exact = 300 / 262.09 = 1.1447 m rounds to 1.15
    // above it, so 1.10 m and R = 272.727; 500 m / 1.1 m: 455 piles a row.
    CSlideCalcData item;
    float theta = 0.0f;
    const float H =
        ComputeThrust(item, nullptr, &theta, nullptr, nullptr, nullptr) * std::cos(theta);
    char line[96];
    std::snprintf(line, sizeof line, "单位米宽滑坡推力的水平分量       = %.3f(kN)\n", H);
    ReportWriter report;
    EXPECT_EQ(DesignPiles(item, report, {}), 1);
    EXPECT_EQ(report.utf8(), data("piles_worked_example.txt"));
    EXPECT_NE(report.utf8().find(line), std::string::npos);
}
