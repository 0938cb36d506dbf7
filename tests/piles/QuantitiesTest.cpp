// Pile, berm and unloading totals over the failed slope's length.
#include "piles/Quantities.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Quantities, PilesPerRowCountUpOnlyWhenTheLastGapExceedsOneMillimetre) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // A spacing below a tenth of a millimetre counts as one tenth; 1 / 0.0001f
    // rounds to 10000 in float, no gap left over.
    const struct {
        float length, spacing;
        int piles;
    } cases[] = {{10.0f, 2.0f, 5},       {10.0005f, 2.0f, 5}, {10.01f, 2.0f, 6},
                 {9.0f, 2.0f, 5},        {500.0f, 2.0f, 250}, {0.0f, 2.0f, 0},
                 {1.0f, 0.0001f, 10000}, {1.0f, 0.0f, 10000}, {1.0f, -3.0f, 10000},
                 {nan, 2.0f, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(PilesPerRow(c.length, c.spacing), c.piles) << c.length << " / " << c.spacing;
    EXPECT_GT(PilesPerRow(std::numeric_limits<float>::infinity(), 2.0f), 1000000);
    EXPECT_LT(PilesPerRow(-1e30f, 2.0f), 0);
}

TEST(Quantities, TotalsAreCountOrVolumeTimesTheUnitCostsOfTheGivenKind) {
    // Default item: 500 / 2 = 250 piles x 800 元, 100 元, 0.1 day. The second:
    // 10.01 m gives 6 piles a row x 3 rows = 18 x 1000, 250, 0.5. Berm 12.5 m2
    // x 100 m = 1250 m3 x 15 元, 0.01 day; unloading 3 m2: 300 m3 x 10 元.
    CSlideCalcData item, rows;
    rows.slopeLength = 10.01f;
    rows.pileRows = 3;
    rows.pileKindCount = 2;
    rows.pileKinds[1] = {.materialCost = 1000.0f, .buildCost = 250.0f, .buildDays = 0.5f};
    CSlideCalcData hundred;
    hundred.slopeLength = 100.0f;
    const struct {
        const CSlideCalcData& item;
        int what;
        float area;
        int kind;
        const char* expected;  // a file of data/quantities, or nothing
    } cases[] = {
        {item, QuantityPiles, 0.0f, 0, "piles_500m.txt"},
        {rows, QuantityPiles, 0.0f, 1, "piles_second_kind.txt"},
        {hundred, QuantityBerm, 12.5f, 0, "berm.txt"},
        {hundred, QuantityUnload, 3.0f, 0, "unloading.txt"},
        {item, 7, 5.0f, 0, nullptr},  // an unknown quantity is no failure
    };
    for (const auto& c : cases) {
        ReportWriter report;
        EXPECT_EQ(ReportQuantities(c.item, report, c.what, c.area, c.kind), 1);
        EXPECT_EQ(
            report.utf8(),
            c.expected ? readBytes(std::string(TALVOR_TEST_DATA "/quantities/") + c.expected) : "");
    }
}

TEST(Quantities, KindIndexOutsideTheCandidatesWritesNothingForAnyQuantity) {
    CSlideCalcData item, none;
    none.pileKindCount = 0;
    for (int what : {QuantityPiles, QuantityBerm, QuantityUnload}) {
        ReportWriter report;
        EXPECT_EQ(ReportQuantities(item, report, what, 5.0f, 1), 0) << what;
        EXPECT_EQ(ReportQuantities(item, report, what, 5.0f, -1), 0) << what;
        EXPECT_EQ(ReportQuantities(none, report, what, 5.0f, 0), 0) << what;
        EXPECT_TRUE(report.empty()) << what;
    }
}
