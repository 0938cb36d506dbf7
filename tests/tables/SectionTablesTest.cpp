// Slope, water and load tables, and the dx rule all segment tables share.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

TEST(SectionTables, DxIsHeldAboveZeroInSectionLinesButNotInTheUnloadingLine) {
    struct Case {
        TableId table;
        std::array<CLineSeg, 100> CSlideCalcData::*line;
        float held;
    } cases[] = {
        {TableId::CSlipTable, &CSlideCalcData::slip, 0.001f},
        {TableId::CSlopeTable, &CSlideCalcData::slope, 0.001f},
        {TableId::CWaterTable, &CSlideCalcData::water, 0.001f},
    };
    for (const Case& c : cases) {
        for (const char* typed : {"0", "-3", "0.0004", "letters"}) {
            CSlideCalcData d;
            TypedTable t(c.table, d);
            t.type(2, 2, typed);
            EXPECT_EQ((d.*c.line)[1].dx, c.held) << t->Name() << " " << typed;
            EXPECT_EQ(t.text(2, 2), "0.001");
        }
    }
    CSlideCalcData d;
    TypedTable t(TableId::CUnloadSegTable, d);
    t.type(1, 2, "-3");
    EXPECT_EQ(d.unloadSegs[0].dx, 0.0f);
    EXPECT_EQ(t.text(1, 5), "90.00");  // a vertical step, dy 2
}

TEST(SectionTables, CountTablesHoldTheirCountsButNotTheWaterStart) {
    CSlideCalcData d;
    TypedTable slope(TableId::CSlopeCountTable, d);
    TypedTable water(TableId::CWaterCountTable, d);
    water.type(1, 2, "400");
    EXPECT_EQ(d.waterCount, 100);
    slope.type(2, 2, "-4");
    water.type(3, 2, "-4");
    EXPECT_EQ(d.slopeX0, 0.0f);
    EXPECT_EQ(d.waterY0, -4.0f);
    EXPECT_EQ(slope.text(3, 1), "");
}

TEST(SectionTables, LoadRowsFollowTheSegmentLoadCounts) {
    CSlideCalcData d;
    TypedTable slope(TableId::CSlopeTable, d);
    TypedTable loads(TableId::CLoadTable, d);
    EXPECT_EQ(loads->RowCount(), 0);
    slope.type(1, 6, "2");
    slope.type(3, 6, "1");
    slope.type(4, 6, "15");
    EXPECT_EQ(d.slope[3].loadCount, 10);
    slope.type(4, 6, "-1");
    EXPECT_EQ(d.slope[3].loadCount, 0);
    ASSERT_EQ(loads->RowCount(), 3);
    const char* labels[] = {"1-1", "1-2", "3-1"};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(loads.text(r, 1), labels[r - 1]);
        EXPECT_EQ(loads.text(r, 2), "1.000");
        EXPECT_EQ(loads.text(r, 3), "0.000");
        EXPECT_EQ(loads.text(r, 4), "600.000");
    }
    loads.type(3, 2, "-2");
    loads.type(3, 3, "-15");
    EXPECT_EQ(d.slope[2].loads[0].dist, 0.0f);
    EXPECT_EQ(d.slope[2].loads[0].px, -15.0f);
    // Loads typed before come back when the count is raised again.
    slope.type(3, 6, "0");
    slope.type(3, 6, "2");
    EXPECT_EQ(loads.text(3, 3), "-15.000");
    EXPECT_EQ(loads.text(4, 4), "600.000");
    EXPECT_EQ(loads.text(5, 1), "");
    // Loads on segments beyond the slope count are not listed.
    slope.type(1, 6, "0");
    d.slopeCount = 2;
    EXPECT_EQ(loads->RowCount(), 0);
}
