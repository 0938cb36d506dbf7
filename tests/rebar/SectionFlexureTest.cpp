#include "rebar/SectionFlexure.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

struct Pair {
    Concrete c;
    Steel s;
};

Pair c30hrb400() {
    return {*ConcreteOfGrade(30, nullptr), *SteelOfName("HRB400")};
}

}  // namespace

// b × h0 = 300 × 500; at alpha_s,max the section is singly reinforced with the
// block at xi_b; a hair past it, the compression steel appears.
TEST(SectionFlexure, AlphaSAtAndPastItsLimitAndGivenCompressionSteel) {
    const auto [c, s] = c30hrb400();
    const double b = 300, h0 = 500, as = 40;
    const double xib = BalancedDepth(c, s);
    const double Mmax = xib * (1 - 0.5 * xib) * c.alpha1 * c.fc * b * h0 * h0;
    struct Row {
        double factor;
        bool doubly;
    } rows[] = {{0.5, false}, {1.0, false}, {1.001, true}, {1.3, true}};
    for (const Row& r : rows) {
        const double M = Mmax * r.factor;
        const RectFlexure f = DesignRectFlexure(c, s, b, h0, M, 0.0, as);
        EXPECT_EQ(f.doubly, r.doubly) << r.factor;
        EXPECT_LE(f.xi, xib + 1e-12) << r.factor;
        EXPECT_EQ(f.AsComp > 0.0, r.doubly) << r.factor;
        // The steel found carries exactly the moment it was found for.
        EXPECT_NEAR(RectMomentCapacity(c, s, b, h0, f.As, f.AsComp, as), M, M * 1e-9) << r.factor;
    }
    // At the limit the tension steel is alpha1 fc b xi_b h0 / fy.
    const RectFlexure at = DesignRectFlexure(c, s, b, h0, Mmax, 0.0, as);
    EXPECT_NEAR(at.As, c.alpha1 * c.fc * b * xib * h0 / s.fy, 1e-6);
    // Just past it the compression steel is tiny: (M - Mmax) / (fy' (h0 - a's)).
    const RectFlexure past = DesignRectFlexure(c, s, b, h0, Mmax * 1.001, 0.0, as);
    EXPECT_NEAR(past.AsComp, Mmax * 0.001 / (s.fyc * (h0 - as)), 1e-6);
    // Given compression steel is counted. Plenty of it: the block shrinks below
    // 2a's and moments are taken about it.
    const RectFlexure low = DesignRectFlexure(c, s, b, h0, Mmax * 1.1, 3000.0, as);
    EXPECT_TRUE(low.doubly);
    EXPECT_TRUE(low.lowX);
    EXPECT_NEAR(low.As, Mmax * 1.1 / (s.fy * (h0 - as)), 1e-6);
    // Too little: x = xi_b h0 and more compression steel than given.
    const RectFlexure few = DesignRectFlexure(c, s, b, h0, Mmax * 1.3, 10.0, as);
    EXPECT_GT(few.AsComp, 10.0);
    EXPECT_NEAR(few.xi, xib, 1e-12);
}

// Circle D = 1000 mm, bars on rs = 420 mm: at a small moment the compression
// zone is a sliver; at a large one it nears the angle where no steel balances.
TEST(SectionFlexure, CircleAtSmallAndLargeMoments) {
    const auto [c, s] = c30hrb400();
    const double r = 500, rs = 420;
    const double A = std::numbers::pi * r * r;
    struct Row {
        double M;  // N·mm
        double alphaBelow, alphaAbove;
    } rows[] = {{50e6, 0.0, 0.15}, {1000e6, 0.1, 0.4}, {5000e6, 0.3, 1.25 / 3}};
    double lastAs = 0.0;
    for (const Row& row : rows) {
        const CircleFlexure f = DesignCircleFlexure(c, s, r, rs, row.M);
        ASSERT_TRUE(f.solved) << row.M;
        EXPECT_GT(f.alpha, row.alphaBelow) << row.M;
        EXPECT_LT(f.alpha, row.alphaAbove) << row.M;
        EXPECT_NEAR(f.alphaT, 1.25 - 2 * f.alpha, 1e-12);
        EXPECT_GT(f.As, lastAs);
        lastAs = f.As;
        // The capacity of the steel found is the moment, both ways round.
        EXPECT_NEAR(CircleMomentCapacity(c, s, r, rs, f.As), row.M, row.M * 1e-6) << row.M;
    }
    // Near alpha = 5/12 the steel grows without bound: an absurd moment asks
    // for more steel than there is concrete, which no ring of bars holds.
    const CircleFlexure absurd = DesignCircleFlexure(c, s, r, rs, 1e13);
    EXPECT_GT(absurd.As, A);
    EXPECT_LT(absurd.alpha, 1.25 / 3);
    EXPECT_EQ(CircleMomentCapacity(c, s, r, rs, 0.0), 0.0);
}

TEST(SectionFlexure, LeastRatioIsTheLargerOfItsTwoForms) {
    const Steel hpb300 = *SteelOfName("HPB300");
    // C30: 45 · 1.43 / 270 = 0.238 % beats 0.20 %; C20 with HRB400: 0.1375 %, so 0.20 %.
    EXPECT_NEAR(LeastSteelRatio(*ConcreteOfGrade(30, nullptr), hpb300), 0.45 * 1.43 / 270, 1e-12);
    EXPECT_NEAR(LeastSteelRatio(*ConcreteOfGrade(20, nullptr), *SteelOfName("HRB400")), 0.002,
                1e-12);
}
