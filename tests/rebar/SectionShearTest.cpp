#include "rebar/SectionShear.h"

#include <gtest/gtest.h>

#include <numbers>

TEST(SectionShear, LimitFactorFollowsWebSlendernessAndLimitIsEnforced) {
    const Concrete c = *ConcreteOfGrade(30, nullptr);
    const Steel s = *SteelOfName("HRB400");
    struct Row {
        double b, hw, factor;
    } rows[] = {{300, 1200, 0.25}, {200, 1000, 0.225}, {200, 1200, 0.2}, {200, 1600, 0.2}};
    for (const Row& r : rows) {
        const ShearDesign d = DesignShear(c, s, r.b, r.hw + 40, r.hw, r.hw, 1.0);
        EXPECT_NEAR(d.limitFactor, r.factor, 1e-12) << r.hw / r.b;
    }
    // 300 × 600, h0 = 560: 0.25 · 14.3 · 300 · 560 = 600.6 kN.
    const ShearDesign at = DesignShear(c, s, 300, 600, 560, 560, 600.6e3);
    EXPECT_NEAR(at.Vmax, 600.6e3, 1e-6);
    EXPECT_FALSE(at.overLimit);
    EXPECT_TRUE(DesignShear(c, s, 300, 600, 560, 560, 600.7e3).overLimit);
}

TEST(SectionShear, StirrupsByCalculationLeastRatioAndSpacing) {
    const Concrete c = *ConcreteOfGrade(30, nullptr);
    const Steel s = *SteelOfName("HRB400");
    const double b = 300, h = 600, h0 = 560;
    const double Vc = 0.7 * c.ft * b * h0;
    // Below 0.7 ft b h0: no stirrups by calculation, the wider spacing.
    const ShearDesign low = DesignShear(c, s, b, h, h0, h0, 0.9 * Vc);
    EXPECT_FALSE(low.needsStirrups);
    EXPECT_EQ(low.AsvPerS, 0.0);
    EXPECT_EQ(low.sMax, 350.0);
    // Just above: the least ratio 0.24 ft / fyv governs.
    const ShearDesign just = DesignShear(c, s, b, h, h0, h0, 1.01 * Vc);
    EXPECT_TRUE(just.needsStirrups);
    EXPECT_NEAR(just.AsvPerS, 0.24 * c.ft / 360.0 * b, 1e-12);
    EXPECT_EQ(just.sMax, 250.0);
    // Far above: (V - Vc) / (fyv h0).
    const ShearDesign high = DesignShear(c, s, b, h, h0, h0, 400e3);
    EXPECT_NEAR(high.AsvPerS, (400e3 - Vc) / (360.0 * h0), 1e-12);

    const StirrupChoice st = ChooseStirrups(high.AsvPerS, high.sMax, 2, 10);
    ASSERT_TRUE(st.found);
    EXPECT_GE(st.AsvPerS, high.AsvPerS);
    EXPECT_LE(st.spacing, high.sMax);
    EXPECT_GE(st.spacing, 100);
    // No stirrup of the list reaches an absurd demand.
    EXPECT_FALSE(ChooseStirrups(100.0, 300, 2, 10).found);
}
