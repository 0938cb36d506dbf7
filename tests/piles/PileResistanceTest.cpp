// Resistance per metre width of the pile rows of one kind.
#include "piles/PileResistance.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

namespace {
CSlideCalcData twoRows() {
    CSlideCalcData item;
    item.usePiles = 1;
    item.pileKindCount = 1;
    item.pileKinds[0].capacity = 100.0f;
    item.pileSpacing = 2.0f;
    item.pileRows = 2;
    item.rowFactor[0] = 1.0f;
    item.rowFactor[1] = 0.5f;
    return item;
}
}  // namespace

TEST(PileResistance, EachRowAddsItsShareOfAFullRow) {
    // 100 / 2 x 1.0 + 100 / 2 x 0.5 = 50 + 25
    EXPECT_FLOAT_EQ(PileResistance(twoRows(), 0), 75.0f);
}

TEST(PileResistance, RowFactorsBeyondTheRowCountAndTheRowSpacingDoNotCount) {
    CSlideCalcData item = twoRows();
    item.rowFactor[2] = 7.0f;
    item.rowSpacing = 99.0f;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 75.0f);
    item.pileRows = 0;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 0.0f);
}

TEST(PileResistance, NoPilesOrAKindOutsideTheCandidatesGiveNothing) {
    CSlideCalcData item = twoRows();
    EXPECT_FLOAT_EQ(PileResistance(item, 1), 0.0f);
    EXPECT_FLOAT_EQ(PileResistance(item, -1), 0.0f);
    item.pileKindCount = 0;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 0.0f);
    item = twoRows();
    item.usePiles = 0;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 0.0f);
}

TEST(PileResistance, ASpacingBelowOneMillimetreCountsAsOneMillimetre) {
    CSlideCalcData item = twoRows();
    item.pileRows = 1;
    item.pileSpacing = 0.0f;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 100.0f / 0.001f);
    item.pileSpacing = -3.0f;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 100.0f / 0.001f);
}

TEST(PileResistance, ARowCountAboveTheArrayIsHeldToTwentyRows) {
    CSlideCalcData item = twoRows();
    item.rowFactor.fill(1.0f);
    item.pileRows = 500;
    EXPECT_FLOAT_EQ(PileResistance(item, 0), 20 * 50.0f);
}
