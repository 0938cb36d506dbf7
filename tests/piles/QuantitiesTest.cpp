// Pile, berm and unloading totals over the failed slope's length.
#include "piles/Quantities.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Quantities, PilesPerRowCountUpOnlyWhenTheLastGapExceedsOneMillimetre) {
    EXPECT_EQ(PilesPerRow(10.0f, 2.0f), 5);
    EXPECT_EQ(PilesPerRow(10.0005f, 2.0f), 5);
    EXPECT_EQ(PilesPerRow(10.01f, 2.0f), 6);
    EXPECT_EQ(PilesPerRow(9.0f, 2.0f), 5);
    EXPECT_EQ(PilesPerRow(500.0f, 2.0f), 250);
    EXPECT_EQ(PilesPerRow(0.0f, 2.0f), 0);
}

TEST(Quantities, SpacingBelowATenthOfAMillimetreCountsAsOneTenth) {
    EXPECT_EQ(PilesPerRow(1.0f, 0.0f), PilesPerRow(1.0f, 0.0001f));
    EXPECT_EQ(PilesPerRow(1.0f, -3.0f), PilesPerRow(1.0f, 0.0001f));
    // 1 / 0.0001f rounds to 10000 in float; no gap is left over.
    EXPECT_EQ(PilesPerRow(1.0f, 0.0001f), 10000);
}

TEST(Quantities, HostileLengthsGiveACountAndNoCrash) {
    EXPECT_EQ(PilesPerRow(std::numeric_limits<float>::quiet_NaN(), 2.0f), 0);
    EXPECT_GT(PilesPerRow(std::numeric_limits<float>::infinity(), 2.0f), 1000000);
    EXPECT_LT(PilesPerRow(-1e30f, 2.0f), 0);
}

TEST(Quantities, PileTotalsOfTheDefaultItemOverFiveHundredMetres) {
    CSlideCalcData item;
    ReportWriter report;
    EXPECT_EQ(ReportQuantities(item, report, QuantityPiles, 0.0f, 0), 1);
    // 500 / 2 = 250 piles in one row; 250 × 800 = 200000, 250 × 100 = 25000,
    // 250 × 0.1 = 25 person-days.
    EXPECT_EQ(report.utf8(),
              "    滑坍纵向宽度 = 500.000m 范围内，第1种桩：\n"
              "        共需要抗滑桩 250 根\n"
              "        抗滑桩的总造价 = 200000.000 元\n"
              "        抗滑桩的总工费 = 25000.000 元\n"
              "        抗滑桩的总工期 = 25.000 人天\n");
}

TEST(Quantities, PileCountMultipliesPilesPerRowByRowsAndUsesTheGivenKind) {
    CSlideCalcData item;
    item.slopeLength = 10.01f;
    item.pileRows = 3;
    item.pileKindCount = 2;
    item.pileKinds[1].materialCost = 1000.0f;
    item.pileKinds[1].buildCost = 250.0f;
    item.pileKinds[1].buildDays = 0.5f;
    ReportWriter report;
    EXPECT_EQ(ReportQuantities(item, report, QuantityPiles, 0.0f, 1), 1);
    // 6 piles per row × 3 rows = 18.
    EXPECT_EQ(report.utf8(),
              "    滑坍纵向宽度 = 10.010m 范围内，第2种桩：\n"
              "        共需要抗滑桩 18 根\n"
              "        抗滑桩的总造价 = 18000.000 元\n"
              "        抗滑桩的总工费 = 4500.000 元\n"
              "        抗滑桩的总工期 = 9.000 人天\n");
}

TEST(Quantities, BermAndUnloadingVolumesAreAreaTimesLength) {
    CSlideCalcData item;
    item.slopeLength = 100.0f;
    ReportWriter berm;
    EXPECT_EQ(ReportQuantities(item, berm, QuantityBerm, 12.5f, 0), 1);
    // V = 12.5 × 100 = 1250 m3; × 15 元 = 18750; × 0.01 = 12.5 person-days.
    EXPECT_EQ(berm.utf8(),
              "    滑坍纵向宽度 = 100.000m 范围内：\n"
              "        反压码的总体积 = 1250.000 m3\n"
              "        反压码的总工费 = 18750.000 元\n"
              "        反压码的总工期 = 12.500 人天\n");
    ReportWriter unload;
    EXPECT_EQ(ReportQuantities(item, unload, QuantityUnload, 3.0f, 0), 1);
    // V = 300 m3; × 10 元 = 3000; × 0.01 = 3 person-days.
    EXPECT_EQ(unload.utf8(),
              "    滑坍纵向宽度 = 100.000m 范围内：\n"
              "        刷方的总体积 = 300.000 m3\n"
              "        刷方的总工费 = 3000.000 元\n"
              "        刷方的总工期 = 3.000 人天\n");
}

TEST(Quantities, KindIndexOutsideTheCandidatesWritesNothingForAnyQuantity) {
    CSlideCalcData item;
    for (int what : {QuantityPiles, QuantityBerm, QuantityUnload}) {
        ReportWriter report;
        EXPECT_EQ(ReportQuantities(item, report, what, 5.0f, 1), 0) << what;
        EXPECT_EQ(ReportQuantities(item, report, what, 5.0f, -1), 0) << what;
        EXPECT_TRUE(report.empty()) << what;
    }
    item.pileKindCount = 0;
    ReportWriter report;
    EXPECT_EQ(ReportQuantities(item, report, QuantityBerm, 5.0f, 0), 0);
    EXPECT_TRUE(report.empty());
}

TEST(Quantities, UnknownQuantityWritesNothingButIsNoFailure) {
    CSlideCalcData item;
    ReportWriter report;
    EXPECT_EQ(ReportQuantities(item, report, 7, 5.0f, 0), 1);
    EXPECT_TRUE(report.empty());
}
