// The control table: the switches a goal or target sets and locks, and the
// target row it leaves to dashes. Broken, these rules change none of the
// output manifest's random items, whose switches mostly stay at the defaults.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

TEST(ControlTable, GoalsAndTargetsSetAndLockTheSwitchesTheyNeed) {
    struct Case {
        int goal, target;
        int piles, berm, unload;  // switches after the choice, from all off
        bool locked[3];           // rows 4, 5, 6
    } cases[] = {
        {1, 0, 1, 0, 0, {true, false, false}},  {1, 1, 0, 1, 0, {false, true, false}},
        {1, 2, 0, 0, 1, {false, false, true}},  {0, 0, 1, 0, 0, {true, false, false}},
        {0, 1, 0, 0, 0, {false, false, false}}, {0, 2, 1, 0, 0, {true, false, false}},
        {0, 3, 0, 0, 0, {true, true, true}},    {0, 4, 0, 0, 0, {true, true, true}},
    };
    for (const Case& c : cases) {
        CSlideCalcData d;
        TypedTable t(TableId::CControlTable, d);
        t.type(1, 2, c.goal ? "自动设计" : "验算校核");
        d.usePiles = d.useBerm = d.useUnload = 0;
        d.pileRows = 5;
        t.type(c.goal ? 2 : 3, 2, t->GetComboItems(c.goal ? 2 : 3, 2)[c.target]);
        SCOPED_TRACE(testing::Message() << "goal " << c.goal << " target " << c.target);
        EXPECT_EQ(d.usePiles, c.piles);
        EXPECT_EQ(d.useBerm, c.berm);
        EXPECT_EQ(d.useUnload, c.unload);
        EXPECT_EQ(d.pileRows, c.goal == 0 && c.target == 2 ? 1 : 5);
        for (int r = 4; r <= 6; ++r) EXPECT_EQ(t->IsHangLieEdit(r, 2), !c.locked[r - 4]) << r;
        EXPECT_EQ(t.text(c.goal ? 3 : 2, 2), "---");
        EXPECT_EQ(t->IsHangLieEdit(c.goal ? 3 : 2, 2), 0);
    }
}
