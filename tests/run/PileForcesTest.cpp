// Check target 2 beside its whole reports: the load table, the record handed
// to the pile solver and the rail message.
#include "run/PileForces.h"

#include "support/TestSupport.h"
#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The default item as check target 2, with a pile long enough to hold.
CSlideCalcData pileItem() {
    CSlideCalcData item;
    item.checkTarget = 2;
    item.pileKinds[0] = {
        .section = 1, .size1 = 150.0f, .size2 = 200.0f, .length = 14.0f, .embedDepth = 6.0f};
    return item;
}

}  // namespace

TEST(PileForces, LoadIntensitiesOfTheThreeShapesCarryTheThrustOverTheFreeLength) {
    // H = 100 kN over L = 5 m; thrustAdjust scales every intensity. The load
    // falls at the top and rises at the slip surface.
    const struct {
        int shape;
        float adjust, top, slip;
    } cases[] = {{0, 1.0f, 20.0f, 20.0f},
                 {1, 1.0f, 0.0f, 40.0f},
                 {2, 1.0f, 13.3333f, 26.6667f},
                 {0, 1.2f, 24.0f, 24.0f}};
    CSlideCalcData item;
    item.trapezoidRatio = 0.5f;
    ReportWriter report;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << c.shape << " x " << c.adjust);
        item.thrustShape = c.shape;
        item.thrustAdjust = c.adjust;
        const auto t = PileLoadTable(item, 100.0f, 5.0f, c.adjust == 1.0f ? &report : nullptr);
        ASSERT_EQ(t.size(), 2u);
        EXPECT_EQ(std::tuple(t[0].depth, t[0].rising, t[1].depth, t[1].falling),
                  std::tuple(0.0f, 0.0f, 5.0f, 0.0f));
        EXPECT_NEAR(t[0].falling, c.top, 5e-4f);
        EXPECT_NEAR(t[1].rising, c.slip, 5e-4f);
    }
    EXPECT_EQ(report.utf8(),
              "    假定荷载矩形分布:\n    假定荷载三角形分布:\n    假定荷载梯形分布\n");
}

TEST(PileForces, LayerThicknessesAddTheFreeLengthAndTheLastGoesOnFor1000Metres) {
    CSlideCalcData item = pileItem();
    item.pileKinds[0].length = 11.0f;  // L = 5
    CPile_ShuJu one, two;
    item.layerCount = 1;
    item.layerThickness[0] = 3.0f;
    FillPileRecord(item, one, nullptr);
    EXPECT_EQ(std::tuple(one.layerCount, one.layers[0].thickness), std::tuple(1, 1000.0f));
    item.layerCount = 2;
    item.layerThickness[1] = 4.0f;
    item.layerGamma[0] = 21.0f;
    item.layerM[1] = 33.0f;
    FillPileRecord(item, two, nullptr);
    EXPECT_EQ(std::tuple(two.layers[0].thickness, two.layers[1].thickness, two.layers[0].gamma,
                         two.layers[1].m),
              std::tuple(8.0f, 1000.0f, 18.0f, 33.0f));
    EXPECT_EQ(std::tuple(two.freeLength, two.embedDepth, two.gradeNumber, two.spacing),
              std::tuple(5.0f, 6.0f, 30, item.pileSpacing));
}

TEST(PileForces, SectionsAndMaterialsMapToTheRecordAndAnUnknownRailTypeIsTold) {
    // 其他: size1 is the inertia in cm4, size2 the width in cm; round timber
    // of 60 cm; a rectangular steel pile; a 43 kg/m rail, and a 36 that is
    // told and replaced by the heaviest rail.
    const struct {
        int material, section;
        float size1, size2;
        int rectangular, hasInertia, hasModulus;
        float inertia, width, modulus;
    } cases[] = {{0, 2, 250000.0f, 80.0f, 1, 1, 0, 0.0025f, 0.8f, 0.0f},
                 {2, 0, 60.0f, 200.0f, 0, 0, 1, 0.0f, 0.6f, 1.0e7f},
                 {3, 1, 150.0f, 200.0f, 1, 0, 1, 0.0f, 1.5f, 2.06e8f},
                 {1, 1, 43.0f, 200.0f, 1, 1, 1, 1489.0e-8f, 0.114f, 2.06e8f},
                 {1, 1, 36.0f, 200.0f, 1, 1, 1, 2037.0e-8f, 0.132f, 2.06e8f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "material " << c.material << " size " << c.size1);
        CSlideCalcData item = pileItem();
        CPileKind& kind = item.pileKinds[0];
        kind.material = c.material, kind.section = c.section;
        kind.size1 = c.size1, kind.size2 = c.size2;
        CPile_ShuJu p;
        RecordingSinks sinks;
        FillPileRecord(item, p, &sinks);
        EXPECT_EQ(std::tuple(p.isRectangular, p.hasInertia, p.hasModulus),
                  std::tuple(c.rectangular, c.hasInertia, c.hasModulus));
        EXPECT_FLOAT_EQ(c.hasInertia ? p.inertia : 0.0f, c.inertia);
        EXPECT_FLOAT_EQ(c.hasModulus ? p.modulus : 0.0f, c.modulus);
        EXPECT_FLOAT_EQ(c.material == 1 || c.section == 2 ? p.resistWidth : p.sectionB, c.width);
        EXPECT_EQ(sinks.messages,
                  std::vector<std::string>(c.size1 == 36.0f ? 1 : 0,
                                           "钢轨型号输入错误(本软件接受的型号为 33, 38, 43, 50)"));
    }
}
