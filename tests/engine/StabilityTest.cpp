// The stability factor against hand calculations, the two solutions against
// each other, the range limits, and the geometry warnings case by case.
#include "EngineTestItems.h"

#include "engine/GeometryWarnings.h"
#include "engine/Stability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

// A planar block: slip (0,0)–(20,10) under the slope (0,0)–(10,10)–(20,10),
// area 50 m², c 10 kPa, φ 20°, γ = γsat = 19 kN/m³ and no seepage, so the
// water line (0,0)–(10,6)–(20,10) between them changes no force.
CSlideCalcData planarBlock(Segs slip = {{20, 10}}) {
    CSlideCalcData d = plainSection(slip, {{10, 10}, {10, 0}});
    d.gammaSat = d.gamma = 19.0f;
    d.useSeepage = 0;
    d.waterX0 = d.waterY0 = 0.0f;
    d.waterCount = 2;
    d.water[0].dx = 10, d.water[0].dy = 6, d.water[1].dx = 10, d.water[1].dy = 4;
    return d;
}

// A slip surface of 10 m segments at the given angles from the toe up, under
// a slope that rises to 14 m within 5 m and stays there; the water line rises
// from the toe at 1:5, above the slip surface near the toe.
CSlideCalcData bentSurface(std::initializer_list<double> degreesFromToe) {
    CSlideCalcData d = plainSection({}, {{5, 14}, {60, 0}});
    d.waterX0 = d.waterY0 = 0.0f;
    d.water[0].dx = 60, d.water[0].dy = 12;
    for (double a : degreesFromToe) {
        d.slip[d.slipCount].dx = 10.0f;
        d.slip[d.slipCount++].dy = static_cast<float>(10.0 * std::tan(a * std::numbers::pi / 180));
    }
    return d;
}

std::vector<std::string> warningsOf(const CSlideCalcData& d) {
    return GeometryWarnings(d, ComputeStability(d));
}

}  // namespace

TEST(Stability, PlanarBlockMatchesTheHandCalculationAndLeavesNoForce) {
    // Fs = (c·L + W·cos α·tan φ) / (W·sin α), W = 19 × 50, tan α = 1/2, L = √500
    const double W = 19.0 * 50.0, a = std::atan(0.5), L = std::sqrt(500.0);
    const double tanPhi = std::tan(20.0 * std::numbers::pi / 180.0);
    const double hand = (10.0 * L + W * std::cos(a) * tanPhi) / (W * std::sin(a));
    // The same plane as one segment and as three: every ψ is 1.
    for (Segs slip : {Segs{{20, 10}}, Segs{{5, 2.5f}, {5, 2.5f}, {10, 5}}}) {
        StabilityResult r = ComputeStability(planarBlock(slip));
        ASSERT_EQ(r.outcome, FsOutcome::Solved);
        EXPECT_NEAR(r.implicitFs, hand, 1e-4);
        EXPECT_NEAR(r.explicitFs, r.implicitFs, 1e-6);
        EXPECT_LT(std::fabs(ImplicitResidual(r.blocks, r.implicitFs)), 0.01);
        EXPECT_EQ(warningsOf(planarBlock(slip)), std::vector<std::string>{});
    }
}

TEST(Stability, BentSurfaceLeavesNoForceAtItsImplicitFactorAndDiffersFromTheExplicitOne) {
    StabilityResult r = ComputeStability(bentSurface({5, 25, 40}));
    ASSERT_EQ(r.outcome, FsOutcome::Solved);
    EXPECT_LT(std::fabs(ImplicitResidual(r.blocks, r.implicitFs)), 0.01);
    EXPECT_TRUE(r.explicitDefined);
    EXPECT_GT(std::fabs(r.explicitFs - r.implicitFs), 1e-3);
}

TEST(Stability, ImplicitSolutionIsTheLargestRootNotASpuriousOneAtSmallFactors) {
    // A 27° bend: at small Fs the implicit ψ turns negative and the sign of the
    // last block's force flips back, though the mass stands at Fs ≈ 1.5.
    CSlideCalcData d = plainSection({{10, 2}, {10, 8}}, {{4, 6}, {16, 4}});
    StabilityResult r = ComputeStability(d);
    ASSERT_EQ(r.outcome, FsOutcome::Solved);
    EXPECT_GT(ImplicitResidual(r.blocks, kFsLowest), 0.0);
    EXPECT_NEAR(r.implicitFs, r.explicitFs, 0.1);
    for (double Fs = r.implicitFs + 0.001; Fs < kFsHighest; Fs *= 1.01)
        ASSERT_GT(ImplicitResidual(r.blocks, Fs), 0.0) << Fs;
}

TEST(Stability, FactorsOutsideTheSearchRangeOrWithoutAMassAreSaidSo) {
    CSlideCalcData frictionless = planarBlock(), strong = planarBlock(), none = planarBlock();
    frictionless.slip[0].c = frictionless.slip[0].phi = 0.0f;
    strong.slip[0].c = 100000.0f;
    none.slipCount = 0;
    EXPECT_EQ(ComputeStability(frictionless).outcome, FsOutcome::BelowRange);
    EXPECT_EQ(ComputeStability(strong).outcome, FsOutcome::AboveRange);
    EXPECT_EQ(ComputeStability(none).outcome, FsOutcome::NoMass);
    EXPECT_FALSE(ComputeStability(none).explicitDefined);
}

TEST(Stability, StateFollowsTheCodesTable) {
    struct Case {
        double Fs, Fst;
        const char* state;
    } cases[] = {{0.99, 1.2, "不稳定"},   {1.0, 1.2, "欠稳定"},      {1.0499, 1.2, "欠稳定"},
                 {1.05, 1.2, "基本稳定"}, {1.1999, 1.2, "基本稳定"}, {1.2, 1.2, "稳定"},
                 {1.02, 1.0, "欠稳定"},   {NAN, 1.2, "不稳定"}};
    for (const Case& c : cases) EXPECT_EQ(StabilityState(c.Fs, c.Fst), c.state) << c.Fs;
}

TEST(GeometryWarnings, EachFindingNamesItsBlockOrSegment) {
    CSlideCalcData uphill = bentSurface({9, 17, 12, 20});  // blocks 20°, 12°, 17°, 9°
    CSlideCalcData bend15 = bentSurface({10, 25}), bend5 = bentSurface({10, 15});
    CSlideCalcData uplift = bentSurface({10, 15}), sunk = bentSurface({10, 15});
    uplift.useConfinedWater = 1;
    uplift.confinedHead = 30.0f;
    sunk.slopeCount = 0;  // the slope dips to 1 m at x 10 between two parts of the mass
    for (auto [dx, dy] : Segs{{5, 14}, {5, -13}, {5, 13}, {50, 0}})
        sunk.slope[sunk.slopeCount].dx = dx, sunk.slope[sunk.slopeCount++].dy = dy;
    CSlideCalcData flooded = bentSurface({10, 15}), dry = bentSurface({10, 15});
    flooded.waterY0 = 20.0f;
    dry.waterY0 = -100.0f;
    struct Case {
        const char* what;
        const CSlideCalcData& item;
        std::vector<std::string> prefixes;
    } cases[] = {
        {"uphill turn", uphill, {"第 2 块与第 3 块之间传递系数 ψ = 1.02"}},
        {"15 degree bend", bend15, {"第 1 块与第 2 块的滑面倾角相差 15.0 度"}},
        {"5 degree bend", bend5, {}},
        {"uplift", uplift, {"第 1 块滑床反力为负", "第 2 块滑床反力为负"}},
        {"slope under slip",
         sunk,
         {"坡面线第 2 段在 X = 10.000m 处低于滑面线 0.763m",
          "水位线第 1 段在 X = 10.000m 处高出坡面线 1.000m"}},
        {"water above", flooded, {"水位线第 1 段在 X = 0.000m 处高出坡面线 20.000m"}},
        {"water below", dry, {"水位线在滑体范围内处处不高于滑面线"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> w = warningsOf(c.item);
        ASSERT_EQ(w.size(), c.prefixes.size()) << c.what << ": " << (w.empty() ? "" : w[0]);
        for (size_t i = 0; i < w.size(); ++i)
            EXPECT_EQ(w[i].rfind(c.prefixes[i], 0), 0u) << c.what << ": " << w[i];
    }
}
