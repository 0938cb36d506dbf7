// Pile, layer, row-factor, kind-count and pile-kind tables.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

TEST(PileTable, RowsAreAskedForOnlyWhereTheGoalUsesThem) {
    struct Case {
        int goal, target, method, shape, usePiles;
        const char* shown;  // per row: v value, - dashes
    } cases[] = {
        {0, 1, 0, 0, 1, "v-------------"}, {0, 0, 0, 0, 1, "vvvv----------"},
        {0, 2, 0, 0, 1, "vvvvvvv--vvv--"}, {0, 2, 2, 2, 1, "vvvvvvvvvvvvv-"},
        {1, 0, 0, 0, 1, "v------------v"}, {1, 1, 0, 0, 1, "vvvv----------"},
        {0, 2, 0, 0, 0, "--------------"},
    };
    for (Case c : cases) {
        CSlideCalcData d;
        d.goal = c.goal;
        (c.goal ? d.designTarget : d.checkTarget) = c.target;
        d.elasticMethod = c.method;
        d.thrustShape = c.shape;
        d.usePiles = c.usePiles;
        TypedTable t(TableId::CPileTable, d);
        EXPECT_EQ(shownRows(t), c.shown) << c.goal << c.target << c.method << c.usePiles;
    }
}

TEST(PileTable, EditsAreHeldToTheirLimits) {
    CSlideCalcData d;
    d.checkTarget = 2;
    TypedTable t(TableId::CPileTable, d);
    EXPECT_EQ(t->IsHangLieEdit(3, 2), 0);  // one row of piles for internal forces
    t.type(13, 2, "3");
    EXPECT_EQ(d.trapezoidRatio, 2.0f);
    t.type(13, 2, "-1");
    EXPECT_EQ(d.trapezoidRatio, 0.0f);
    t.type(5, 2, "30");
    EXPECT_EQ(d.layerCount, 20);
    t.type(7, 2, "K法");
    EXPECT_EQ(t.text(8, 2), "0.000");
    EXPECT_EQ(t->IsHangLieEdit(9, 2), 1);
    t.type(12, 2, "-0.5");
    EXPECT_EQ(d.thrustAdjust, 0.0f);
    t.type(6, 2, "固定");
    EXPECT_EQ(d.baseCondition, 2);
    d.checkTarget = 0;
    t.type(3, 2, "25");
    EXPECT_EQ(d.pileRows, 20);
}

TEST(PileTables, LayerColumnsFollowTheElasticMethod) {
    CSlideCalcData d;
    TypedTable layers(TableId::CLayerTable, d);
    EXPECT_EQ(layers->RowCount(), 0);
    d.checkTarget = 2;
    d.layerCount = 3;
    d.elasticMethod = 2;
    ASSERT_EQ(layers->RowCount(), 3);
    const char* row[] = {"3", "50.000", "18.00", "---", "---", "10.000"};
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(layers.text(3, c), row[c - 1]);
        EXPECT_EQ(layers->IsHangLieEdit(3, c), c == 2 || c == 3 || c == 6);
    }
    layers.type(1, 2, "-5");  // taken as typed
    EXPECT_EQ(d.layerThickness[0], -5.0f);
    d.usePiles = 0;
    EXPECT_EQ(layers->RowCount(), 0);
}

TEST(PileTables, RowFactorAndKindRowsFollowTheGoal) {
    struct Case {
        int goal, target, usePiles, factorRows, kindRows;
    } cases[] = {
        {1, 0, 1, 20, 7}, {1, 1, 1, 3, 1}, {0, 0, 1, 3, 1},
        {0, 1, 1, 0, 1},  {0, 2, 1, 0, 1}, {0, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        CSlideCalcData d;
        d.goal = c.goal;
        (c.goal ? d.designTarget : d.checkTarget) = c.target;
        d.usePiles = c.usePiles;
        d.pileRows = 3;
        d.pileKindCount = 7;
        TypedTable factors(TableId::CRowFactorTable, d);
        TypedTable kinds(TableId::CPileKindTable, d);
        EXPECT_EQ(factors->RowCount(), c.factorRows) << c.goal << c.target << c.usePiles;
        EXPECT_EQ(kinds->RowCount(), c.kindRows) << c.goal << c.target;
        EXPECT_EQ(kinds.text(1, 1), c.goal ? "1" : " ");
        EXPECT_EQ(kinds->ColumnCount(), c.goal == 0 && c.target == 2 ? 12 : 11);
    }
    CSlideCalcData d;
    TypedTable factors(TableId::CRowFactorTable, d);
    factors.type(1, 2, "-1");
    EXPECT_EQ(d.rowFactor[0], 0.0f);
    TypedTable count(TableId::CKindCountTable, d);
    count.type(1, 2, "101");
    EXPECT_EQ(d.pileKindCount, 100);
    count.type(1, 2, "-1");
    EXPECT_EQ(d.pileKindCount, 0);
}

TEST(PileTables, RailPilesDropSectionAndSecondSize) {
    CSlideCalcData d;
    d.checkTarget = 2;
    TypedTable kinds(TableId::CPileKindTable, d);
    EXPECT_EQ(kinds.text(1, 12), "C30");
    kinds.type(1, 2, "钢轨");
    EXPECT_EQ(d.pileKinds[0].material, 1);
    EXPECT_EQ(kinds.text(1, 3), "---");
    EXPECT_EQ(kinds.text(1, 5), "---");
    EXPECT_EQ(kinds->IsHangLieEdit(1, 3), 0);
    kinds.type(1, 4, "44");  // not one of the four: still taken
    EXPECT_EQ(d.pileKinds[0].size1, 44.0f);
    kinds.type(1, 2, "木桩");
    kinds.type(1, 3, "圆形");
    EXPECT_EQ(kinds.text(1, 5), "---");
    kinds.type(1, 12, "C45");
    EXPECT_EQ(d.pileKinds[0].concreteGrade, 7);
    kinds.type(1, 12, "C46");
    EXPECT_EQ(d.pileKinds[0].concreteGrade, 7);
    EXPECT_EQ(kinds.text(1, 13), "");
}
