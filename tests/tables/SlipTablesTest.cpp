// The slip-surface count and segment tables.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

TEST(SlipTables, SlipCountIsHeldToItsRange) {
    struct Case {
        const char* typed;
        int stored;
    } cases[] = {{"150", 100}, {"0", 1}, {"-4", 1}, {"abc", 1}, {"8", 8}, {"6", 6}};
    CSlideCalcData d;
    TypedTable t(TableId::CSlipCountTable, d);
    for (const Case& c : cases) {
        t.type(1, 2, c.typed);
        EXPECT_EQ(d.slipCount, c.stored) << c.typed;
    }
    EXPECT_EQ(t.text(2, 1), "");
}

TEST(SlipTables, SegmentCellsShowProjectionsComputedLengthAndAngle) {
    CSlideCalcData d;
    d.slip[1] = CLineSeg{};
    d.slip[1].dx = 3.0f;
    d.slip[1].dy = 4.0f;
    TypedTable t(TableId::CSlipTable, d);
    EXPECT_EQ(t->RowCount(), 6);
    const char* row2[] = {"2", "3.000", "4.000", "5.000", "53.13", "10.000", "20.000"};
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(t.text(2, c), row2[c - 1]) << c;
    EXPECT_EQ(t.text(7, 2), "");
    EXPECT_EQ(t.text(1, 8), "");
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(t->IsHangLieEdit(2, c), c == 2 || c == 3 || c >= 6);
}

TEST(SlipTables, TypedSegmentValuesFollowTheRules) {
    struct Case {
        int col;
        const char* typed;
        float CLineSeg::*field;
        float stored;
    } cases[] = {
        {2, "0", &CLineSeg::dx, 0.001f},   {2, "-5", &CLineSeg::dx, 0.001f},
        {2, "abc", &CLineSeg::dx, 0.001f}, {2, "2.5", &CLineSeg::dx, 2.5f},
        {3, "-3", &CLineSeg::dy, -3.0f},   {3, "x", &CLineSeg::dy, 0.0f},
        {6, "1e39", &CLineSeg::c, 0.0f},   {7, "35.5", &CLineSeg::phi, 35.5f},
    };
    for (const Case& c : cases) {
        CSlideCalcData d;
        TypedTable t(TableId::CSlipTable, d);
        t.type(3, c.col, c.typed);
        EXPECT_EQ(d.slip[2].*c.field, c.stored) << c.typed;
    }
    CSlideCalcData d;
    TypedTable t(TableId::CSlipTable, d);
    const CSlideCalcData before = d;
    for (int c = 1; c <= 8; ++c) t.type(3, c, "---");
    t.type(7, 2, "9");
    t.type(1, 4, "9");
    EXPECT_EQ(d, before);
}

TEST(SlipTables, BackCalculatedStrengthShowsDashesInEveryRow) {
    CSlideCalcData d;
    d.checkTarget = 4;
    TypedTable t(TableId::CSlipTable, d);
    for (int r = 1; r <= d.slipCount; ++r) {
        EXPECT_EQ(t.text(r, 6), "---");
        EXPECT_EQ(t->IsHangLieEdit(r, 6), 0);
        EXPECT_EQ(t->IsHangLieEdit(r, 7), 1);
    }
    d.checkTarget = 3;
    EXPECT_EQ(t.text(1, 7), "---");
    EXPECT_EQ(t.text(1, 6), "10.000");
    d.goal = 1;
    EXPECT_EQ(t.text(1, 7), "20.000");
}
