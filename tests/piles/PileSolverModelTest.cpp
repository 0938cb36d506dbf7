// The record-to-beam conventions: E by concrete grade, the cracked-section
// share, the calculation width, layer depths and the nodes at the slip
// surface and the layer interfaces.
#include "piles/PileSolverModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

CPile_ShuJu pile(float b, float h, float spacing, int rectangular = 1) {
    CPile_ShuJu p{.layerCount = 1,
                  .isRectangular = rectangular,
                  .sectionB = b,
                  .sectionH = h,
                  .resistWidth = b,
                  .spacing = spacing,
                  .embedDepth = 4.0f,
                  .freeLength = 5.0f};
    p.layers[0] = {1005.0f, 18.0f, 10.0f, 10.0f, 10.0f};
    return p;
}

}  // namespace

TEST(PileSolverModel, ConcreteTakesItsModulusFromTheGradeAndKeepsEightTenthsOfEI) {
    CPile_ShuJu p = pile(1.0f, 2.0f, 3.0f);
    for (auto [grade, E] : {std::pair{30, 3.00e7}, {10, 1.75e7}, {60, 3.60e7}, {33, 0.0}}) {
        p.gradeNumber = grade;
        EXPECT_DOUBLE_EQ(pileModulus(p), E) << grade;
    }
    p.gradeNumber = 25;
    // I = b h^3 / 12 = 1 x 8 / 12; EI = 0.8 Ec I
    EXPECT_NEAR(pileInertia(p), 8.0 / 12.0, 1e-12);
    EXPECT_NEAR(pileRigidity(p), 0.8 * 2.80e7 * 8.0 / 12.0, 1e-3);
    // A circle has I = pi d^4 / 64. (A given modulus and inertia are used whole: the
    // steel piles of the solver tests match their hand solutions.)
    EXPECT_NEAR(pileInertia(pile(1.2f, 0.0f, 3.0f, 0)), std::numbers::pi * std::pow(1.2, 4) / 64.0,
                1e-6);
}

TEST(PileSolverModel, CalculationWidthFollowsTheCodeAndStaysWithinTheTributaryWidth) {
    // b >= 1: Bp = b + 1; b < 1: Bp = 1.5 b + 0.5; circle 0.9 (d + 1) / 0.9 (1.5 d + 0.5);
    // within min(Bp, max(spacing, b)): piles in contact take the face itself.
    CPile_ShuJu narrow = pile(1.2f, 0.0f, 5.0f, 0);
    narrow.resistWidth = 0.8f;
    const std::pair<CPile_ShuJu, double> cases[] = {
        {pile(1.5f, 2.0f, 5.0f), 2.5},          {pile(0.5f, 0.5f, 5.0f), 1.25},
        {pile(1.2f, 0.0f, 5.0f, 0), 0.9 * 2.2}, {narrow, 0.9 * 1.7},
        {pile(1.5f, 2.0f, 2.0f), 2.0},          {pile(1.5f, 2.0f, 0.0f), 1.5}};
    for (const auto& [p, Bp] : cases) EXPECT_NEAR(calculationWidth(p), Bp, 1e-6) << Bp;
}

// Which coefficient and law a method takes and the load of one pile (s times
// the table) reach every pile item of the output manifest; the mesh breaks at
// the slip surface and at a layer interface below it are held here.
TEST(PileSolverModel, ModelHasNodesAtTheSlipSurfaceAndTheLayerInterfaces) {
    CPile_ShuJu p = pile(1.0f, 1.0f, 3.0f);
    p.layerCount = 2;
    p.layers[0] = {5.0f + 1.55f, 18.0f, 12.0f, 7.0f, 30.0f};
    p.layers[1] = {1000.0f, 18.0f, 40.0f, 9.0f, 90.0f};
    const BeamModel m = buildPileModel(p, {{0.0f, 0.0f, 10.0f}, {5.0f, 30.0f, 0.0f}}, 0, 0, 0.1);
    EXPECT_DOUBLE_EQ(m.springTop, 5.0);
    ASSERT_EQ(m.layers.size(), 2u);
    EXPECT_NEAR(m.layers[0].bottom, 6.55, 1e-6);
    EXPECT_NEAR(m.layers[1].bottom, 1006.55, 1e-3);
    // Nodes: 50 above, the interface at 6.55, the base at 9.
    EXPECT_EQ(m.nodes.size(), 1u + 50u + 16u + 25u);
    EXPECT_NEAR(m.nodes[50], 5.0, 1e-12);
    EXPECT_NEAR(m.nodes[66], 6.55, 1e-6);
    EXPECT_NEAR(m.nodes.back(), 9.0, 1e-12);
}
