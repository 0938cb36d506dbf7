// Berm, unloading and unloading-segment tables.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

TEST(BermTable, DesignedQuantityAndItsRangeFollowTheDesignType) {
    struct Case {
        int goal, target, mode, usePiles, useBerm;
        const char* shown;
    } cases[] = {
        {1, 1, 0, 0, 1, "v-vvvvvvvvv---"}, {1, 1, 1, 0, 1, "-vvvvvvv---vvv"},
        {1, 1, 0, 1, 1, "--vvvvvvvvv---"}, {1, 1, 1, 1, 1, "-vvvvvvv---vvv"},
        {0, 0, 0, 0, 1, "vvvvvvv-------"}, {0, 0, 1, 1, 1, "-vvvvvv-------"},
        {1, 1, 0, 0, 0, "--------------"},
    };
    for (const Case& c : cases) {
        CSlideCalcData d;
        d.goal = c.goal;
        d.designTarget = c.target;
        d.bermDesignMode = c.mode;
        d.usePiles = c.usePiles;
        d.useBerm = c.useBerm;
        TypedTable t(TableId::CBermTable, d);
        EXPECT_EQ(shownRows(t), c.shown) << c.goal << c.target << c.mode << c.usePiles;
    }
    CSlideCalcData d;
    d.goal = 1;
    d.designTarget = 1;
    TypedTable t(TableId::CBermTable, d);
    t.type(8, 2, "自动设计X0");
    EXPECT_EQ(d.bermDesignMode, 1);
    t.type(14, 2, "-1");  // taken as typed
    EXPECT_EQ(d.bermXRange.step, -1.0f);
    t.type(3, 2, "-1");
    EXPECT_EQ(d.bermSlope, 0.0f);
}

TEST(UnloadTables, CountIsHeldToThreeAndStepsToATenth) {
    CSlideCalcData d;
    TypedTable t(TableId::CUnloadTable, d);
    TypedTable segs(TableId::CUnloadSegTable, d);
    EXPECT_EQ(shownRows(t), "vvvv---");
    t.type(2, 2, "5");
    EXPECT_EQ(d.unloadCount, 3);
    EXPECT_EQ(segs->RowCount(), 3);
    EXPECT_EQ(segs.text(3, 2), "1.000");
    t.type(1, 2, "-1");
    EXPECT_EQ(d.unloadY, 0.0f);
    d.goal = 1;
    d.designTarget = 2;
    EXPECT_EQ(shownRows(t), "-vvvvvv");
    t.type(7, 2, "0");
    EXPECT_EQ(d.unloadYRange.step, 0.1f);
    t.type(5, 2, "-30");
    EXPECT_EQ(d.unloadYRange.minValue, -30.0f);
    d.useUnload = 0;
    EXPECT_EQ(shownRows(t), "-------");
    EXPECT_EQ(segs->RowCount(), 0);
}
