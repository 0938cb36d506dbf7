// The control table: the control rules a goal or target applies and the locks
// that follow.
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

TEST(ControlTable, TypedValuesAreHeldAndBadTextsChangeNothing) {
    CSlideCalcData d;
    TypedTable t(TableId::CControlTable, d);
    t.type(7, 2, "0");
    EXPECT_EQ(d.slopeLength, 0.001f);
    t.type(7, 2, "abc");
    EXPECT_EQ(d.slopeLength, 0.001f);
    t.type(4, 2, "maybe");
    EXPECT_EQ(d.usePiles, 1);
    const CSlideCalcData before = d;
    t.type(7, 2, "---");
    t.type(7, 1, "12");
    t.type(9, 2, "12");
    EXPECT_EQ(d, before);
    // An index out of its list is held to it when shown, and stays held.
    d.checkTarget = 9;
    d.useBerm = -3;
    EXPECT_EQ(t.text(3, 2), "已知φ反算C");
    EXPECT_EQ(t->GetComboIndex(5, 2), 0);
    EXPECT_EQ(d.checkTarget, 4);
    EXPECT_EQ(d.useBerm, 0);
}

TEST(BasicTable, SwitchedOffOptionsShowDashesAndKeepTheirValues) {
    CSlideCalcData d;
    TypedTable t(TableId::CBasicTable, d);
    EXPECT_EQ(t->RowCount(), 13);
    EXPECT_EQ(t.text(8, 2), "不考虑地震");
    EXPECT_EQ(t.text(9, 2), "---");
    EXPECT_EQ(t->IsHangLieEdit(10, 2), 0);
    t.type(8, 2, "设计烈度8度");
    EXPECT_EQ(d.quakeLevel, 2);
    t.type(9, 2, "0.2");
    t.type(8, 2, "不考虑地震");
    EXPECT_EQ(t.text(9, 2), "---");
    t.type(8, 2, "设计烈度9度");
    EXPECT_EQ(t.text(9, 2), "0.200");
    EXPECT_EQ(t.text(10, 2), "1.000");

    t.type(4, 2, "否");
    EXPECT_EQ(t.text(5, 2), "---");
    EXPECT_EQ(t.text(7, 2), "---");
    t.type(6, 2, "是");
    EXPECT_EQ(t.text(7, 2), "0.000");
    t.type(7, 2, "-2.5");  // no limit on the head
    EXPECT_EQ(d.confinedHead, -2.5f);

    EXPECT_EQ(t.text(11, 2), "---");
    d.checkTarget = 3;
    EXPECT_EQ(t.text(11, 2), "50.000");
    EXPECT_EQ(t.text(12, 2), "---");
    d.checkTarget = 4;
    EXPECT_EQ(t.text(12, 2), "100.000");
    d.goal = 1;
    EXPECT_EQ(t.text(12, 2), "---");
}
