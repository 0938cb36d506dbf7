// The pile solver through its record: Matlock-Reese coefficients, rigid-pile
// statics, an anchored pile on a fixed base solved by hand, balance of forces,
// mesh convergence, the K-method A/A1 iteration and the refusals. What the
// points and their extremes print as is held by the output manifest's pile
// items.
#include "piles/PileSolver.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <limits>
#include <memory>

namespace {

constexpr float kSteel = 2.06e8f;  // kPa

// A steel pile of rigidity EI (kN-m2) given through its inertia, face width b,
// one layer of the given method and coefficient (MN units).
CPile_ShuJu steelPile(double EI, float b, float spacing, float L, float h, int method, float coef) {
    CPile_ShuJu p{.layerCount = 1,
                  .method = method,
                  .hasInertia = 1,
                  .inertia = static_cast<float>(EI / kSteel),
                  .hasModulus = 1,
                  .modulus = kSteel,
                  .sectionB = b,
                  .sectionH = b,
                  .resistWidth = b,
                  .spacing = spacing,
                  .embedDepth = h,
                  .freeLength = L};
    p.layers[0] = {L + 1000.0f, 18.0f, coef, coef, coef};
    return p;
}

// A reinforced-concrete pile as engineers design them: C30, 1.5 m x 2.0 m,
// 8 m free, 7 m embedded in two layers, on a hinged base and without a cable
// unless told.
CPile_ShuJu concretePile(int method, int base = 1, float anchor = 0.0f) {
    CPile_ShuJu p{.layerCount = 2,
                  .hasAnchor = anchor > 0.0f,
                  .anchorStiffness = anchor,
                  .method = method,
                  .baseCondition = base,
                  .sectionB = 1.5f,
                  .sectionH = 2.0f,
                  .resistWidth = 1.5f,
                  .spacing = 5.0f,
                  .embedDepth = 7.0f,
                  .freeLength = 8.0f};
    p.layers[0] = {8.0f + 3.0f, 18.0f, 20.0f, 20.0f, 80.0f};
    p.layers[1] = {1000.0f, 18.0f, 60.0f, 60.0f, 200.0f};
    return p;
}

// The load table of a rectangle of H kN per metre width over the free length.
std::vector<PileLoadPoint> rectangle(float H, float L) {
    return {{0.0f, 0.0f, H / L}, {L, H / L, 0.0f}};
}

struct Run {
    CPile_ShuJu pile;
    PileSolver solver;
    int result = 0;
};

std::unique_ptr<Run> solve(const CPile_ShuJu& pile, const std::vector<PileLoadPoint>& load,
                           float A = 0.0f, float A1 = 0.0f, PileSolverOptions options = {}) {
    auto run = std::make_unique<Run>(Run{pile, PileSolver(options), 0});
    run->solver.SetData(&run->pile);
    run->solver.SetLoadTable(load);
    run->solver.SetCoefA(A);
    run->solver.SetCoefA1(A1);
    run->solver.SetFixedSetting(0.5f);
    run->result = run->solver.calculate_DTQ();
    EXPECT_EQ(run->result == 0, run->solver.summary().outcome == PileSolveOutcome::Refused)
        << run->solver.summary().message;
    return run;
}

const PileForcePoint& pointAt(const PileSolver& solver, float depth) {
    for (const PileForcePoint& p : solver.points())
        if (std::fabs(p.depth - depth) < 1e-4f) return p;
    ADD_FAILURE() << "no point at depth " << depth;
    return solver.points().front();
}

// Global balance to 1e-6 relative; the points tell the same: V just below the
// slip surface is the load on the pile less the cable.
void expectBalanced(const PileSolver& solver, float length) {
    const PileSolverSummary& s = solver.summary();
    ASSERT_NE(s.outcome, PileSolveOutcome::Refused) << s.message;
    const double scale = std::fabs(s.appliedLoad) + std::fabs(s.soilForce) +
                         std::fabs(s.anchorForce) + std::fabs(s.baseReaction);
    EXPECT_LE(std::fabs(s.forceResidual), 1e-6 * scale);
    EXPECT_LE(std::fabs(s.momentResidual), 1e-6 * scale * length);
    EXPECT_NEAR(-pointAt(solver, solver.slipDepth()).shearA, s.appliedLoad - s.anchorForce,
                1e-5 * scale);
}

// y below the top in m (points carry -y in mm).
double yAt(const PileSolver& solver, float depth) {
    return -pointAt(solver, depth).displacement / 1000.0;
}

}  // namespace

// Matlock and Reese (1960), soil modulus n_h x, long pile (Zmax = 10), T = 2 m:
// y = (Ay P T^3 + By M T^2) / EI with Ay = 2.435, By = 1.623 at the ground line;
// M = Am P T + Bm M with Am = 0.727, Bm = 0.851 at Z = 1. n_h = m Bp = 5000 * 2
// kN/m4 and EI = 3.2e5 give T = (EI / n_h)^(1/5) = 2 m; P = 2 m x 100 kN/m, M = P L/2.
TEST(PileSolver, LongPileInLinearSoilMatchesMatlockReeseCoefficients) {
    const auto run =
        solve(steelPile(3.2e5, 1.0f, 2.0f, 2.0f, 20.0f, 0, 5.0f), rectangle(100.0f, 2.0f));
    ASSERT_EQ(run->result, 1);
    expectBalanced(run->solver, 22.0f);
    const double T = 2.0, EI = 3.2e5, P = 200.0, M = 200.0;
    expectWithin(0.005, yAt(run->solver, 2.0f), (2.435 * P * T * T * T + 1.623 * M * T * T) / EI,
                 "y at the ground line");
    expectWithin(0.005, -pointAt(run->solver, 4.0f).momentA, 0.727 * P * T + 0.851 * M,
                 "M at Z = 1");
}

// A pile far stiffer than its soil turns as a rigid body, y = u0 + phi x below
// the slip surface; force and moment balance give u0 and phi by hand:
// m: a [h^2/2 h^3/3; h^3/6 h^4/12] (u0, phi) = (V0, M0 + V0 h)
// K: a [h     h^2/2; h^2/2 h^3/6 ] (u0, phi) = (V0, M0 + V0 h)
// A rigid body needs no fine mesh, and 12 EI / l^3 of 0.1 m elements against
// these springs would leave the balance to rounding.
TEST(PileSolver, ShortStiffPileFollowsRigidBodyStatics) {
    const float L = 3.0f, h = 4.0f, H = 50.0f, s = 2.0f;
    const PileSolverOptions coarse{.maxInterval = 0.5f};
    for (int method : {0, 2}) {
        SCOPED_TRACE(method == 0 ? "m-method" : "K-method");
        const auto run = solve(steelPile(1.0e10, 1.0f, s, L, h, method, 10.0f), rectangle(H, L),
                               0.0f, 0.0f, coarse);
        ASSERT_EQ(run->result, 1);
        expectBalanced(run->solver, L + h);
        const double a = 10.0e3 * 2.0, V0 = H * s, M0 = V0 * L / 2.0;  // a = coefficient x Bp
        const double a11 = method == 0 ? h * h / 2.0 : h,
                     a12 = method == 0 ? h * h * h / 3.0 : h * h / 2.0;
        const double a21 = method == 0 ? h * h * h / 6.0 : h * h / 2.0,
                     a22 = method == 0 ? h * h * h * h / 12.0 : h * h * h / 6.0;
        const double r1 = V0 / a, r2 = (M0 + V0 * h) / a, det = a11 * a22 - a12 * a21;
        const double u0 = (r1 * a22 - a12 * r2) / det, phi = (a11 * r2 - a21 * r1) / det;
        expectWithin(0.005, yAt(run->solver, L), u0, "y at the slip surface");
        expectWithin(0.005, run->pile.topDisplacement / 1000.0, u0 - phi * L, "y at the top");
        expectWithin(0.005, yAt(run->solver, L + h), u0 + phi * h, "y at the base");
        EXPECT_TRUE(run->solver.summary().rigid);
    }
}

// No soil, a fixed base at l = L + h and a cable of stiffness ka at the top:
// a cantilever propped by a spring. Unit-load method with the load q over the
// upper L: d_q = q/EI [L^4/8 + L((l^3 - L^3)/3 - L(l^2 - L^2)/4)], f = l^3 / 3EI,
// y_top = d_q / (1 + ka f), T = ka y_top, M_base = q L (l - L/2) - T l.
TEST(PileSolver, AnchoredPileOnAFixedBaseMatchesTheHandSolution) {
    const float L = 6.0f, h = 4.0f, H = 120.0f, s = 2.5f;
    CPile_ShuJu pile = steelPile(2.0e5, 0.8f, s, L, h, 0, 0.0f);
    pile.baseCondition = 2;
    pile.hasAnchor = 1;
    pile.anchorStiffness = 5.0f;  // MN/m
    const auto run = solve(pile, rectangle(H, L));
    ASSERT_EQ(run->result, 1);
    expectBalanced(run->solver, L + h);
    const double EI = 2.0e5, l = L + h, q = H / L * s, ka = 5000.0, f = l * l * l / (3.0 * EI);
    const double dq =
        q / EI *
        (std::pow(L, 4) / 8.0 + L * ((l * l * l - L * L * L) / 3.0 - L * (l * l - L * L) / 4.0));
    const double yTop = dq / (1.0 + ka * f), T = ka * yTop;
    const PileSolverSummary& sum = run->solver.summary();
    expectWithin(0.005, run->pile.topDisplacement / 1000.0, yTop, "y at the top");
    expectWithin(0.005, sum.anchorForce, T, "cable force");
    expectWithin(0.005, sum.baseReaction, q * L - T, "base reaction");
    expectWithin(0.005, sum.baseMoment, q * L * (l - L / 2.0) - T * l, "base moment");
    // The cable pulls the top upslope: V just below the top is -T.
    EXPECT_NEAR(run->solver.points().front().shearB, T, 1e-4 * T);
    EXPECT_FLOAT_EQ(run->solver.points().front().shearA, 0.0f);
}

TEST(PileSolver, EverySolutionBalancesItsLoad) {
    const std::vector<std::vector<PileLoadPoint>> loads = {
        rectangle(300.0f, 8.0f),
        {{0.0f, 0.0f, 0.0f}, {8.0f, 75.0f, 0.0f}},    // triangle
        {{0.0f, 0.0f, 25.0f}, {8.0f, 50.0f, 0.0f}}};  // trapezoid
    for (int method = 0; method < 3; ++method)
        for (int base = 0; base < 3; ++base)
            for (float anchor : {0.0f, 20.0f})
                for (const auto& load : loads) {
                    SCOPED_TRACE(testing::Message() << "method " << method << " base " << base
                                                    << " anchor " << anchor);
                    const auto run = solve(concretePile(method, base, anchor), load, 30.0f, 5.0f);
                    ASSERT_EQ(run->result, 1) << run->solver.summary().message;
                    expectBalanced(run->solver, 15.0f);
                    EXPECT_NEAR(run->solver.summary().appliedLoad, 5.0 * 300.0, 1e-3);
                }
}

// Halving the element length changes no summary value by more than 0.1 % (and
// no closer than the report's last digit); extremes move by at most half an
// interval. At points both meshes share, 0.5 m Hermite elements with
// consistent springs are already within 0.1 % of 0.05 m ones.
TEST(PileSolver, HalvingTheElementLengthChangesNoSummaryValueByMoreThanATenthOfAPercent) {
    const auto close = [](float x, float y, float floor) {
        EXPECT_NEAR(x, y, std::max(0.001f * std::fabs(y), floor));
    };
    for (int method = 0; method < 3; ++method) {
        SCOPED_TRACE(testing::Message() << "method " << method);
        const PileSolverOptions coarse{.maxInterval = 0.5f}, fine{.maxInterval = 0.05f};
        const auto load = rectangle(400.0f, 8.0f);
        const auto a = solve(concretePile(method), load, 40.0f, 10.0f);
        const auto b = solve(concretePile(method), load, 40.0f, 10.0f, fine);
        const auto c = solve(concretePile(method), load, 40.0f, 10.0f, coarse);
        ASSERT_EQ(a->result + b->result + c->result, 3);
        EXPECT_EQ(b->solver.pointCount() - 1, 2 * (a->solver.pointCount() - 1));
        for (auto f : {&CPile_ShuJu::innerMaxMoment, &CPile_ShuJu::outerMaxMoment,
                       &CPile_ShuJu::maxShear, &CPile_ShuJu::topDisplacement})
            close(a->pile.*f, b->pile.*f, 5e-4f);
        for (auto f : {&CPile_ShuJu::innerMaxDepth, &CPile_ShuJu::outerMaxDepth})
            EXPECT_NEAR(a->pile.*f, b->pile.*f, 0.05f + 1e-4f);
        for (float z : {0.0f, 8.0f, 9.5f, 11.0f, 12.5f}) {
            const PileForcePoint &p = pointAt(c->solver, z), &q = pointAt(b->solver, z);
            close(p.displacement, q.displacement, 0.0f);
            close(p.momentA, q.momentA, 0.01f);
        }
    }
}

TEST(PileSolver, KMethodWithDifferentAAndA1SettlesWithEachPointOnItsOwnSide) {
    const float A = 40.0f, A1 = 5.0f;
    // A free base turns, so that the base moves upslope.
    const auto run = solve(concretePile(2, 0), rectangle(400.0f, 8.0f), A, A1);
    ASSERT_EQ(run->result, 1);
    const PileSolverSummary& s = run->solver.summary();
    EXPECT_EQ(s.outcome, PileSolveOutcome::Solved);
    EXPECT_GT(s.passes, 1);
    EXPECT_LT(s.passes, 100);
    int up = 0, down = 0;
    for (const PileSolver::Sample& g : run->solver.samples()) {
        const double K = (g.depth < 11.0 ? 80.0 : 200.0) * 1000.0;
        EXPECT_DOUBLE_EQ(g.k, K + (g.y >= 0.0 ? A : A1) * 1000.0) << g.depth << " y " << g.y;
        (g.y >= 0.0 ? down : up)++;
    }
    // The pile turns: its lower part moves upslope, so both coefficients act.
    EXPECT_GT(up, 0);
    EXPECT_GT(down, 0);
    // The reported soil reaction carries the coefficient of the point's side.
    for (const PileForcePoint& p : run->solver.points()) {
        if (p.depth <= 8.0f || p.depth >= 15.0f - 1e-4f) continue;
        const double y = -p.displacement / 1000.0;
        const double ky =
            ((p.depth < 11.0f - 1e-4f ? 80.0 : 200.0) + (y >= 0.0 ? A : A1)) * 1e3 * y;
        EXPECT_NEAR(-p.soilReaction, ky, 1e-3 + 1e-5 * std::fabs(ky));
    }
}

TEST(PileSolver, AAndA1HaveNoEffectUnderTheMAndCMethods) {
    for (int method : {0, 1}) {
        const auto without = solve(concretePile(method), rectangle(400.0f, 8.0f));
        const auto with = solve(concretePile(method), rectangle(400.0f, 8.0f), 60.0f, 3.0f);
        ASSERT_EQ(without->solver.pointCount(), with->solver.pointCount());
        for (int i = 0; i < with->solver.pointCount(); ++i) {
            const PileForcePoint &p = without->solver.points()[i], &q = with->solver.points()[i];
            EXPECT_EQ(std::tie(p.displacement, p.momentA, p.soilReaction),
                      std::tie(q.displacement, q.momentA, q.soilReaction));
        }
        EXPECT_EQ(with->solver.summary().passes, 1);
    }
}

TEST(PileSolver, RefusesWhatCannotBeComputedWithAReasonAndNoPoints) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<PileLoadPoint> infinite = {{0.0f, 0.0f, inf}, {0.0f, inf, 0.0f}};
    const struct {
        const char* name;
        void (*spoil)(CPile_ShuJu&);
        const char* word;
        std::vector<PileLoadPoint> load = rectangle(400.0f, 8.0f);
        float A1 = 0.0f;
    } cases[] = {
        {"free length 0", [](CPile_ShuJu& p) { p.freeLength = 0.0f; }, "自由段长度"},
        {"free length negative", [](CPile_ShuJu& p) { p.freeLength = -2.0f; }, "自由段长度"},
        {"embedment negative", [](CPile_ShuJu& p) { p.embedDepth = -1.0f; }, "嵌入深度"},
        {"EI 0", [](CPile_ShuJu& p) { p.hasInertia = 1, p.inertia = 0.0f; }, "EI"},
        {"unknown grade", [](CPile_ShuJu& p) { p.gradeNumber = 12; }, "C12"},
        {"no soil, free base",
         [](CPile_ShuJu& p) { p.layers[0].m = p.layers[1].m = 0.0f, p.baseCondition = 0; },
         "桩底自由"},
        {"no soil, hinged base, no anchor",
         [](CPile_ShuJu& p) { p.layers[0].m = p.layers[1].m = 0.0f; }, "桩底铰接"},
        {"no layers, free base", [](CPile_ShuJu& p) { p.layerCount = p.baseCondition = 0; },
         "桩底自由"},
        {"negative m", [](CPile_ShuJu& p) { p.layers[1].m = -3.0f; }, "第2层"},
        {"NaN spacing", [](CPile_ShuJu& p) { p.spacing = std::nanf(""); }, "无效"},
        {"zero width and spacing", [](CPile_ShuJu& p) { p.resistWidth = p.spacing = 0.0f; }, "Bp"},
        {"negative layer", [](CPile_ShuJu& p) { p.layers[0].thickness = -1.0f; }, "厚度"},
        {"unknown method", [](CPile_ShuJu& p) { p.method = 7; }, "计算方法"},
        // Soil that starts below the base is no soil.
        {"soil only below the base, free base",
         [](CPile_ShuJu& p) { p.layers[0].thickness = 20.0f, p.layers[0].m = p.baseCondition = 0; },
         "桩底自由"},
        // H / L with L = 0 leaves an infinite load; the free length is still named.
        {"infinite load", [](CPile_ShuJu& p) { p.freeLength = 0.0f; }, "自由段长度", infinite},
        {"NaN load", [](CPile_ShuJu&) {}, "无效", {{0.0f, std::nanf(""), 0.0f}}},
        {"K + A1 negative", [](CPile_ShuJu& p) { p.method = 2; }, "A1", rectangle(400.0f, 8.0f),
         -100.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPile_ShuJu pile = concretePile(0);
        c.spoil(pile);
        const auto run = solve(pile, c.load, 0.0f, c.A1);
        const PileSolverSummary& s = run->solver.summary();
        EXPECT_EQ(s.outcome, PileSolveOutcome::Refused);
        EXPECT_NE(s.message.find(c.word), std::string::npos) << s.message;
        EXPECT_TRUE(run->solver.points().empty());
        EXPECT_EQ(run->pile.innerMaxMoment, 0.0f);
        EXPECT_TRUE(std::isfinite(run->pile.topDisplacement));
    }
    // A hinged base with a cable is held even without soil, and a fixed base alone,
    // where a cable stiffness without its switch does not act.
    CPile_ShuJu propped = concretePile(0, 1, 10.0f);
    propped.layers[0].m = propped.layers[1].m = 0.0f;
    EXPECT_EQ(solve(propped, rectangle(400.0f, 8.0f))->result, 1);
    propped.hasAnchor = 0;
    propped.baseCondition = 2;
    const auto fixed = solve(propped, rectangle(400.0f, 8.0f));
    EXPECT_EQ(fixed->result, 1);
    EXPECT_EQ(fixed->solver.summary().anchorForce, 0.0);
    // Without a record, or with options that make no mesh.
    PileSolver none;
    EXPECT_EQ(none.calculate_DTQ(), 0);
    EXPECT_FALSE(none.summary().message.empty());
    const PileSolverOptions bad{.maxInterval = 0.0f};
    std::string why;
    EXPECT_FALSE(bad.isValid(&why));
    EXPECT_FALSE(why.empty());
    const auto run = solve(concretePile(0), rectangle(400.0f, 8.0f), 0.0f, 0.0f, bad);
    EXPECT_EQ(run->result, 0);
    EXPECT_TRUE(run->solver.points().empty());
}

TEST(PileSolver, KMethodStopsAtItsPassLimitAndSaysSo) {
    const PileSolverOptions oneShot{.maxPasses = 1};
    const auto run = solve(concretePile(2, 0), rectangle(400.0f, 8.0f), 40.0f, 5.0f, oneShot);
    EXPECT_EQ(run->result, 1);
    EXPECT_EQ(run->solver.summary().outcome, PileSolveOutcome::NotSettled);
    EXPECT_EQ(run->solver.summary().passes, 1);
    EXPECT_FALSE(run->solver.summary().message.empty());
    EXPECT_FALSE(run->solver.points().empty());
    // The forces reported belong to the springs the last pass was solved with.
    expectBalanced(run->solver, 15.0f);
}
