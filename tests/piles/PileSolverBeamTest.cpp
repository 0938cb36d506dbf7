// The beam core against the classical closed forms of beams on elastic
// foundations: Hetenyi's infinite and semi-infinite beams on a constant
// foundation and the JTG D63 m-method flexibilities at alpha h = 4.
#include "piles/PileSolverBeam.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
// Force and moment balance of a solution, relative to the largest term.
// A pure couple has no net force: `couple` / length then sets the scale.
void expectBalanced(const BeamSolution& s, double length, double couple = 0.0) {
    ASSERT_TRUE(s.solved) << s.message;
    const double scale = std::fabs(s.appliedLoad) + std::fabs(s.soilForce) +
                         std::fabs(s.anchorForce) + std::fabs(s.baseReaction) +
                         std::fabs(couple) / length;
    EXPECT_LE(std::fabs(s.forceResidual), 1e-6 * scale);
    EXPECT_LE(std::fabs(s.momentResidual), 1e-6 * scale * length);
}

size_t nodeAt(const BeamModel& m, double z) {
    for (size_t i = 0; i < m.nodes.size(); ++i)
        if (std::fabs(m.nodes[i] - z) < 1e-9) return i;
    ADD_FAILURE() << "no node at depth " << z;
    return 0;
}

// A beam of constant foundation k (kN/m2 over a unit width) springing from the
// top, with beta = (k / 4EI)^(1/4) = 0.5 /m.
BeamModel constantFoundation(double length, std::vector<double> breaks) {
    breaks.insert(breaks.end(), {0.0, length});
    std::sort(breaks.begin(), breaks.end());
    BeamModel m{.nodes = meshDepths(breaks, 0.1), .EI = 1.0e5, .width = 1.0};
    m.law = SoilLaw::Constant;
    m.layers = {{1000.0, 4.0 * m.EI * std::pow(0.5, 4)}};
    return m;
}

}  // namespace

TEST(PileSolverBeam, MeshDividesEveryIntervalEquallyAndKeepsTheBreaks) {
    const std::vector<double> nodes = meshDepths({0.0, 1.0, 1.25, 3.0}, 0.1);
    ASSERT_EQ(nodes.size(), 1u + 10u + 3u + 18u);
    EXPECT_EQ(std::vector<double>({nodes[10], nodes[13], nodes.back()}),
              std::vector<double>({1.0, 1.25, 3.0}));
    for (size_t i = 1; i < nodes.size(); ++i) EXPECT_LE(nodes[i] - nodes[i - 1], 0.1 + 1e-12);
    // An exact multiple of the interval gains no sliver interval.
    EXPECT_EQ(meshDepths({0.0, 0.3}, 0.1).size(), 4u);
    EXPECT_TRUE(meshDepths({}, 0.1).empty());
}

// Hetenyi, semi-infinite beam under an end load P or an end moment M0:
// P:  y0 = 2 P beta / k,    theta0 = -2 P beta^2 / k,  M(x) = (P / beta) e^-bx sin bx;
// M0: y0 = 2 M0 beta^2 / k, theta0 = -4 M0 beta^3 / k, M(x) = M0 e^-bx (cos bx + sin bx).
TEST(PileSolverBeam, SemiInfiniteBeamUnderAnEndLoadOrAnEndMomentMatchesHetenyi) {
    const double beta = 0.5, P = 100.0, M0 = 50.0, b2 = beta * beta, xPeak = kPi / 4.0 / beta;
    const double k = constantFoundation(20.0, {}).layers[0].coef;
    const struct {
        double P, M0, x, y0, theta0, Mx;  // Mx at beta x = pi/4 for P, at beta x = 1 for M0
    } cases[] = {{P, 0.0, xPeak, 2.0 * P * beta / k, -2.0 * P * b2 / k,
                  P / beta * std::exp(-kPi / 4.0) * std::sin(kPi / 4.0)},
                 {0.0, M0, 1.0 / beta, 2.0 * M0 * b2 / k, -4.0 * M0 * b2 * beta / k,
                  M0 * std::exp(-1.0) * (std::cos(1.0) + std::sin(1.0))}};
    for (const auto& c : cases) {
        BeamModel m = constantFoundation(20.0, {c.x});
        m.actions = {{0.0, c.P, c.M0}};
        const BeamSolution s = solveBeam(m);
        expectBalanced(s, 20.0, c.M0);
        expectWithin(0.005, s.y[0], c.y0, "y0");
        expectWithin(0.005, s.theta[0], c.theta0, "theta0");
        expectWithin(0.005, s.moment[nodeAt(m, c.x)], c.Mx, "M at x");
        // The end takes the load as shear and the moment as bending.
        EXPECT_NEAR(s.shearBelow[0], c.P, 1e-6 * P);
        EXPECT_NEAR(s.moment[0], c.M0, 0.005 * M0);
    }
}

// Hetenyi, infinite beam under a central load P (the ends 10/beta away):
// y = P beta / 2k, M = -P / 4 beta (y'' < 0 under the load), M = 0 at beta x = pi/4,
// V jumps from -P/2 to +P/2.
TEST(PileSolverBeam, InfiniteBeamUnderACentralLoadMatchesHetenyi) {
    const double beta = 0.5, P = 100.0, c = 20.0, xZero = c + kPi / 4.0 / beta;
    BeamModel m = constantFoundation(2.0 * c, {c, xZero});
    const double k = m.layers[0].coef;
    m.actions = {{c, P, 0.0}};
    const BeamSolution s = solveBeam(m);
    expectBalanced(s, 2.0 * c);
    const size_t mid = nodeAt(m, c);
    expectWithin(0.005, s.y[mid], P * beta / (2.0 * k), "y under the load");
    expectWithin(0.005, s.moment[mid], -P / (4.0 * beta), "M under the load");
    EXPECT_NEAR(s.moment[nodeAt(m, xZero)], 0.0, 0.005 * P / (4.0 * beta));
    expectWithin(0.005, s.shearAbove[mid], -P / 2.0, "V above the load");
    expectWithin(0.005, s.shearBelow[mid], P / 2.0, "V below the load");
    EXPECT_NEAR(s.theta[mid], 0.0, 1e-9);
}

// JTG D63-2007 Annex P, free-base pile with alpha h = 4 (m-method):
// dHH alpha^3 EI = 2.44066, dMH alpha^2 EI = 1.62100, dMM alpha EI = 1.75058.
TEST(PileSolverBeam, FlexibilitiesAtTheGroundLineMatchJtgD63AtAlphaHFour) {
    // m Bp = 1e4 kN/m4
    BeamModel m{.EI = 1.0e5, .width = 2.0, .law = SoilLaw::Linear, .layers = {{1000.0, 5000.0}}};
    const double alpha = std::pow(5000.0 * 2.0 / m.EI, 0.2), h = 4.0 / alpha;
    m.nodes = meshDepths({0.0, h}, 0.1);

    m.actions = {{0.0, 1.0, 0.0}};
    const BeamSolution unitH = solveBeam(m);
    expectBalanced(unitH, h);
    m.actions = {{0.0, 0.0, 1.0}};
    const BeamSolution unitM = solveBeam(m);
    expectBalanced(unitM, h, 1.0);

    const double a = alpha, EI = m.EI;
    expectWithin(0.005, unitH.y[0] * a * a * a * EI, 2.44066, "dHH");
    expectWithin(0.005, -unitH.theta[0] * a * a * EI, 1.62100, "dMH");
    expectWithin(0.005, unitM.y[0] * a * a * EI, 1.62100, "dHM");
    expectWithin(0.005, -unitM.theta[0] * a * EI, 1.75058, "dMM");
}

// A cantilever without soil: the fixed base takes the whole load and its
// moment; uniform load: y_tip = q L^4 / 8 EI. A free base is a mechanism.
TEST(PileSolverBeam, HeldBaseCarriesWhatTheSoilDoesNotAndAMechanismIsReportedNotSolved) {
    BeamModel m{.EI = 2.0e4, .width = 1.0, .springTop = 10.0, .base = BaseSupport::Fixed};
    m.nodes = meshDepths({0.0, 10.0}, 0.1);
    m.load = {{0.0, 10.0}, {10.0, 10.0}};
    const BeamSolution s = solveBeam(m);
    expectBalanced(s, 10.0);
    EXPECT_NEAR(s.baseReaction, 100.0, 1e-7 * 100.0);
    EXPECT_NEAR(s.baseMoment, 500.0, 1e-7 * 500.0);
    const double tip = 10.0 * 1.0e4 / (8.0 * m.EI);
    EXPECT_NEAR(s.y[0], tip, 1e-7 * tip);

    m.base = BaseSupport{};
    m.springTop = 0.0;
    m.nodes = meshDepths({0.0, 5.0}, 0.5);
    m.load = {{0.0, 1.0}, {5.0, 1.0}};
    const BeamSolution free = solveBeam(m);
    EXPECT_FALSE(free.solved);
    EXPECT_FALSE(free.message.empty());
    EXPECT_TRUE(free.y.empty());
}
