#include "rebar/CrackWidth.h"

#include <gtest/gtest.h>

// 200 × 500 beam, h0 = 460, 3 ribbed bars of 20 (As = 942), cs = 30, C30,
// HRB400, Mq = 80 kN·m, by hand:
//   sigma_s = 80e6 / (0.87 · 460 · 942) = 212.21 MPa
//   rho_te  = 942 / (0.5 · 200 · 500) = 0.01884
//   psi     = 1.1 - 0.65 · 2.01 / (0.01884 · 212.21) = 0.7732
//   w_max   = 1.9 · 0.7732 · 212.21 / 2e5 · (1.9 · 30 + 0.08 · 20 / 0.01884) = 0.2212 mm
TEST(CrackWidth, HandExampleAndTheClamps) {
    const Concrete c = *ConcreteOfGrade(30, nullptr);
    const Steel s = *SteelOfName("HRB400");
    CrackInput in{80e6, 942, 460, 50000, 30, 20};
    const CrackWidth w = ComputeCrackWidth(c, s, in);
    EXPECT_NEAR(w.sigmaS, 212.21, 0.01);
    EXPECT_NEAR(w.rhoTe, 0.01884, 0.00001);
    EXPECT_NEAR(w.psi, 0.7732, 0.0001);
    EXPECT_NEAR(w.wMax, 0.2212, 0.0005);

    struct Row {
        double Mq, As, Ate, cs;
        double psi, rhoTe, cs_used;
    } rows[] = {
        {10e6, 942, 50000, 30, 0.2, 0.01884, 30},  // low stress: psi held at 0.2
        {600e6, 942, 500000, 10, 1.0, 0.01,
         20},  // psi at most 1.0, cover at least 20, rho_te at least 0.01
        {200e6, 942, 50000, 90, -1, 0.01884, 65},  // thick cover counts as 65
    };
    for (const Row& r : rows) {
        const CrackWidth k = ComputeCrackWidth(c, s, {r.Mq, r.As, 460, r.Ate, r.cs, 20});
        if (r.psi > 0) {
            EXPECT_NEAR(k.psi, r.psi, 1e-12) << r.Mq;
        }
        EXPECT_NEAR(k.rhoTe, r.rhoTe, 1e-5) << r.Mq;
        EXPECT_EQ(k.cs, r.cs_used) << r.Mq;
    }
    EXPECT_EQ(ComputeCrackWidth(c, s, {0.0, 942, 460, 50000, 30, 20}).wMax, 0.0);
    EXPECT_NEAR(BondEquivalentDiameter(14, false), 20.0, 1e-12);
}
