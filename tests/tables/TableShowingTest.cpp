// What the tables show and keep that no typed item shows: drop-downs over a
// damaged record or a text outside their list, the labels of numbered rows,
// computed columns, and what stays behind a lowered count. Which cells are
// asked for, locked or held to a limit is in every data file the output
// manifest's random items are typed into through these tables; the hostile
// texts of TableRoundTripTest hold the limits of the counts.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

// The drop-downs' texts in the order of the stored numbers the data file
// documents; the random items pick texts from the same lists, so a list out
// of order would still type the same numbers.
TEST(TableShowing, EachDropDownStoresTheNumberOfItsText) {
    using D = CSlideCalcData;
    struct Case {
        TableId table;
        int row, col;
        const char* text;
        int goal, target;
        int D::*field;
        int stored;
        int CPileKind::*kindField = nullptr;  // of the first pile kind instead
    } cases[] = {
        {TableId::CControlTable, 1, 2, "自动设计", 0, 0, &D::goal, 1},
        {TableId::CControlTable, 2, 2, "自动设计刷方减载", 1, 0, &D::designTarget, 2},
        {TableId::CControlTable, 3, 2, "已知φ反算C", 0, 0, &D::checkTarget, 4},
        {TableId::CControlTable, 5, 2, "采用", 0, 0, &D::useBerm, 1},
        {TableId::CBasicTable, 4, 2, "否", 0, 0, &D::useSeepage, 0},
        {TableId::CBasicTable, 8, 2, "设计烈度9度", 0, 0, &D::quakeLevel, 3},
        {TableId::CBermTable, 8, 2, "自动设计X0", 1, 1, &D::bermDesignMode, 1},
        {TableId::CPileTable, 6, 2, "固定", 0, 2, &D::baseCondition, 2},
        {TableId::CPileTable, 7, 2, "K法", 0, 2, &D::elasticMethod, 2},
        {TableId::CPileTable, 11, 2, "梯形", 0, 2, &D::thrustShape, 2},
        {TableId::CPileKindTable, 1, 2, "钢桩", 0, 2, nullptr, 3, &CPileKind::material},
        {TableId::CPileKindTable, 1, 3, "其他", 0, 2, nullptr, 2, &CPileKind::section},
        {TableId::CPileKindTable, 1, 12, "C60", 0, 2, nullptr, 10, &CPileKind::concreteGrade},
    };
    for (const Case& c : cases) {
        D d;
        d.goal = c.goal;
        (c.goal ? d.designTarget : d.checkTarget) = c.target;
        int& field = c.kindField ? d.pileKinds[0].*c.kindField : d.*c.field;
        field = c.stored == 0 ? 1 : 0;
        TypedTable(c.table, d).type(c.row, c.col, c.text);
        EXPECT_EQ(field, c.stored) << c.text;
    }
}

TEST(TableShowing, DropDownsHoldADamagedIndexAndLeaveTheFieldForATextOutsideTheirList) {
    CSlideCalcData d;
    TypedTable control(TableId::CControlTable, d);
    control.type(4, 2, "maybe");
    EXPECT_EQ(d.usePiles, 1);
    // An index out of its list is held to it when shown, and stays held.
    d.checkTarget = 9;
    d.useBerm = -3;
    EXPECT_EQ(control.text(3, 2), "已知φ反算C");
    EXPECT_EQ(control->GetComboIndex(5, 2), 0);
    EXPECT_EQ(d.checkTarget, 4);
    EXPECT_EQ(d.useBerm, 0);
    d.checkTarget = 2;
    TypedTable kinds(TableId::CPileKindTable, d);
    EXPECT_EQ(kinds.text(1, 12), "C30");
    kinds.type(1, 12, "C46");
    EXPECT_EQ(d.pileKinds[0].concreteGrade, 4);
}

TEST(TableShowing, RowsAreNumberedComputedAndKeptAsTheTablesShowThem) {
    CSlideCalcData d;
    d.slip[1] = CLineSeg{.dx = 3.0f, .dy = 4.0f};
    TypedTable slip(TableId::CSlipTable, d);
    const char* row2[] = {"2", "3.000", "4.000", "5.000", "53.13", "10.000", "20.000"};
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(slip.text(2, c), row2[c - 1]) << c;
    // The strength being back-calculated shows dashes in a check only.
    d.checkTarget = 4;
    EXPECT_EQ(slip.text(1, 6), "---");
    d.goal = 1;
    EXPECT_EQ(slip.text(1, 6), "10.000");
    // The single pile kind of a check has no number; only the internal forces
    // of a check ask for the concrete grade, whatever check target is stored.
    d.checkTarget = 2;
    TypedTable design(TableId::CPileKindTable, d);
    EXPECT_EQ(design.text(1, 1), "1");
    EXPECT_EQ(design->ColumnCount(), 11);
    d.goal = 0;
    EXPECT_EQ(design.text(1, 1), " ");
    EXPECT_EQ(design->ColumnCount(), 12);

    TypedTable slope(TableId::CSlopeTable, d);
    TypedTable loads(TableId::CLoadTable, d);
    slope.type(1, 6, "2");
    slope.type(3, 6, "1");
    ASSERT_EQ(loads->RowCount(), 3);
    const char* labels[] = {"1-1", "1-2", "3-1"};
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(loads.text(r, 1), labels[r - 1]);
    // Loads typed before come back when the count is raised again.
    loads.type(3, 3, "-15");
    slope.type(3, 6, "0");
    slope.type(3, 6, "2");
    EXPECT_EQ(loads.text(3, 3), "-15.000");
    EXPECT_EQ(loads.text(4, 4), "600.000");
}
