#include "rebar/PileReinforcement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A pile of 20 m with its slip surface at 8 m: the moment rises to Mmax at
// 10 m, turns negative below, and dies out at the base; the shear is its slope.
PileRebarInput pile(bool circle, double Mmax, double Mneg) {
    PileRebarInput in{.section = {.circle = circle, .b = 2000, .h = 3000, .d = 2000},
                      .points = {},
                      .length = 20,
                      .slipDepth = 8,
                      .piles = 30,
                      .price = 5000};
    for (int k = 0; k <= 200; ++k) {
        const double z = k * 0.1;
        const double M = z <= 10 ? Mmax * std::pow(z / 10, 3)
                                 : Mmax * std::cos((z - 10) / 10 * std::numbers::pi * 0.7) -
                                       (z > 15 ? (Mmax + Mneg) * (z - 15) / 5 * 0.6 : 0.0);
        in.points.push_back({z, M, 0.0});
    }
    for (size_t k = 0; k < in.points.size(); ++k) {
        const size_t a = k == 0 ? 0 : k - 1, b = k + 1 < in.points.size() ? k + 1 : k;
        in.points[k].V =
            (in.points[b].M - in.points[a].M) / (in.points[b].depth - in.points[a].depth);
    }
    return in;
}

}  // namespace

// Wherever the bars run, they hold at least what the moment there asks; bars
// stop only past the points that need them, by l_a.
TEST(PileReinforcement, RequiredSteelNeverExceedsTheBarsWhereTheyRun) {
    const PileRebarInput cases[] = {pile(false, 12000, 4000), pile(false, 25000, 9000),
                                    pile(false, 3000, 500), pile(true, 8000, 2000)};
    for (const PileRebarInput& in : cases) {
        const PileRebar r = DesignPileRebar(in);
        ASSERT_FALSE(r.faces.empty());
        for (const FaceBars& f : r.faces) {
            ASSERT_EQ(f.required.size(), in.points.size());
            for (size_t k = 0; k < f.required.size(); ++k)
                EXPECT_LE(f.required[k], f.provided[k] * (1 + 1e-9))
                    << f.name << " at " << r.depths[k] << " m";
            if (!f.hasCut()) continue;
            EXPECT_GE(f.through.area(), r.design.faces.front().AsMin * (1 - 1e-9));
            for (size_t k = 0; k < f.required.size(); ++k)
                if (f.required[k] > f.through.area()) {
                    EXPECT_GE(r.depths[k] - f.cutFrom, f.anchorage / 1000 - 1e-9);
                    EXPECT_GE(f.cutTo - r.depths[k],
                              std::min(f.anchorage / 1000, in.length - r.depths[k]) - 1e-9);
                }
        }
    }
}

TEST(PileReinforcement, StirrupZonesCoverThePileAndMatchTheShear) {
    const PileRebarInput in = pile(false, 25000, 9000);
    const PileRebar r = DesignPileRebar(in);
    ASSERT_FALSE(r.zones.empty());
    EXPECT_EQ(r.zones.front().from, 0.0);
    EXPECT_EQ(r.zones.back().to, in.length);
    for (size_t k = 1; k < r.zones.size(); ++k) {
        EXPECT_EQ(r.zones[k].from, r.zones[k - 1].to);
        EXPECT_NE(r.zones[k].spacing, r.zones[k - 1].spacing);
        EXPECT_GE(r.zones[k].to - r.zones[k].from, 1.0 - 1e-9);
    }
    // Each point's zone is at least as close as the point's own shear asks.
    for (const PileForceSample& p : in.points) {
        const double V = 1.35 * std::fabs(p.V) * 1000;
        const ShearDesign s = DesignShear(r.design.concrete, r.design.stirrupSteel, r.design.shearB,
                                          3000, r.design.shearH0, r.design.shearH0, V);
        for (const StirrupZone& z : r.zones)
            if (p.depth >= z.from && p.depth < z.to) {
                const double Asv = z.legs * std::numbers::pi * z.diameter * z.diameter / 4;
                EXPECT_GE(Asv / z.spacing, s.AsvPerS - 1e-12) << p.depth;
                EXPECT_LE(z.spacing, s.sMax) << p.depth;
            }
    }
}

// Bars over the whole length and one zone of stirrups: the mass by hand.
TEST(PileReinforcement, SteelMassOfAPileWithoutCutOffs) {
    PileRebarInput in = pile(true, 50, 0);
    for (PileForceSample& p : in.points) p.V = 1.0;
    const PileRebar r = DesignPileRebar(in);
    ASSERT_EQ(r.faces.size(), 1u);
    ASSERT_EQ(r.zones.size(), 1u);
    const double bars = r.faces[0].all.area() * 1e-6 * 20 * 7850;
    const int d = r.zones[0].diameter;
    const double hoop = std::numbers::pi * (2000 - 2 * (60 + d / 2.0)) / 1000;
    const double stirrups = std::numbers::pi * d * d / 4 * 1e-6 * hoop * 7850 *
                            (std::floor(20000.0 / r.zones[0].spacing) + 1);
    EXPECT_NEAR(r.massBars, bars, 1e-6);
    EXPECT_NEAR(r.massStirrups, stirrups, 1e-6);
    EXPECT_NEAR(r.massAllTonnes(), (bars + stirrups) * 30 / 1000, 1e-9);
    EXPECT_NEAR(r.cost(), r.massAllTonnes() * 5000, 1e-6);
}

TEST(PileReinforcement, AnchorageLengthByBarAndConcrete) {
    const Concrete c30 = *ConcreteOfGrade(30, nullptr);
    // 0.14 · 360 / 1.43 · 32 = 1127.8, times 1.1 for a ribbed bar over 25 mm
    EXPECT_NEAR(AnchorageLength(c30, *SteelOfName("HRB400"), 32), 1.1 * 0.14 * 360 / 1.43 * 32,
                1e-9);
    EXPECT_NEAR(AnchorageLength(c30, *SteelOfName("HRB400"), 25), 0.14 * 360 / 1.43 * 25, 1e-9);
    EXPECT_NEAR(AnchorageLength(c30, *SteelOfName("HPB300"), 20), 0.16 * 270 / 1.43 * 20, 1e-9);
    EXPECT_EQ(AnchorageLength(*ConcreteOfGrade(60, nullptr), *SteelOfName("HPB300"), 6), 200.0);
}
