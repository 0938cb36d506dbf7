// What the tables tell about a typed text beyond storing it: texts read only
// in part stay flagged until the value changes, values out of their physical
// range are marked, units are named, and the "---" rules agree with what a
// user may type whatever was stored.
#include "TableTestSupport.h"

#include "tables/CellFlags.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"
#include "tables/TableText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kC = 6, kPhi = 7;

struct SlipPage {
    CSlideCalcData data;
    CTablePage page{TablePageId::Slip, data};
    CTableBase& slip() { return *page.find(TableId::CSlipTable); }
    bool type(int row, int col, const std::string& text) {
        return TableEdit::typed(TableId::CSlipTable, row, col, text).apply(page);
    }
};

}  // namespace

TEST(CellCheck, MistypedAndOutOfRangeCellsAreFlaggedWithTheirMessage) {
    struct Case {
        int col;
        std::string typed, shown, warning;  // warning: a part of the message, "" for none
    } cases[] = {
        {kC, "abc", "0.000", "“abc” 不是数, 读作 0"},
        {kC, "2l.5", "2.000", "“2l.5” 不全是数, 读作 2"},
        {kC, "1e39", "0.000", "“1e39” 超出数的范围, 读作 0"},
        {kC, "-5", "-5.000", "粘聚力 c = -5.000 kPa, 不应小于 0"},
        {kC, "１２", "12.000", ""},
        {kC, "  18.5 ", "18.500", ""},
        {kC, "", "0.000", ""},
        {kPhi, "95", "95.000", "摩擦角 φ = 95.000 度, 应在 0~90 度之间"},
        {kPhi, "18。5", "18.500", ""},
        {kPhi, "－３．５", "-3.500", "应在 0~90 度之间"},
        {kPhi, "－３．５ｅ２", "-350.000", "应在 0~90 度之间"},
        {kC, "１２ｋ", "12.000", "“１２ｋ” 不全是数, 读作 12"},
        {kC, "粘聚力", "0.000", "“粘聚力” 不是数, 读作 0"},
        {kPhi, "90", "90.000", "应在 0~90 度之间"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SlipPage p;
        p.type(3, c.col, c.typed);
        EXPECT_EQ(p.slip().GetHangLieText(3, c.col), c.shown);
        const std::string warning = p.slip().CellWarning(3, c.col);
        if (c.warning.empty())
            EXPECT_EQ(warning, "");
        else
            EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
        // The neighbours are untouched.
        EXPECT_EQ(p.slip().CellWarning(2, c.col), "");
    }
}

TEST(CellCheck, AFlagStaysUntilTheValueChangesAndIsListedWithItsCell) {
    SlipPage p;
    p.type(3, kC, "0");
    p.type(3, kC, "abc");  // reads as the 0 already stored: flagged all the same
    ASSERT_EQ(p.slip().CellWarning(3, kC), "“abc” 不是数, 读作 0");
    EXPECT_EQ(CellWarnings(p.slip()),
              std::vector<std::string>{
                  "CSlipTable 第3行第6列 第 3 行 粘聚力(kPa) [kPa]: “abc” 不是数, 读作 0"});
    p.type(2, kPhi, "30");  // another cell
    EXPECT_EQ(p.slip().CellWarning(3, kC), "“abc” 不是数, 读作 0");
    std::vector<CellFlag> flags = p.page.flags().current(p.data);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].where, "滑面线 第 3 行 粘聚力(kPa)");
    // A second page over the same record and flags shows it too.
    CTablePage other(TablePageId::Slip, p.data, &p.page.flags());
    EXPECT_EQ(other.find(TableId::CSlipTable)->CellWarning(3, kC), "“abc” 不是数, 读作 0");
    // Changed from elsewhere (undo, a file read): the flag no longer holds.
    p.data.slip[2].c = 7.0f;
    EXPECT_EQ(p.slip().CellWarning(3, kC), "");
    p.data.slip[2].c = 0.0f;  // back to the flagged value (redo): shown again
    EXPECT_EQ(p.slip().CellWarning(3, kC), "“abc” 不是数, 读作 0");
    p.type(3, kC, "12");
    EXPECT_EQ(p.slip().CellWarning(3, kC), "");
    EXPECT_TRUE(p.page.flags().current(p.data).empty());
}

TEST(CellCheck, CountsReadInPartAreFlaggedAndChoicesNever) {
    CSlideCalcData data;
    CTablePage page(TablePageId::Control, data);
    CTablePage slip(TablePageId::Slip, data, &page.flags());
    CTableBase& count = *slip.find(TableId::CSlipCountTable);
    TableEdit::typed(TableId::CSlipCountTable, 1, 2, "2.9").apply(slip);
    EXPECT_EQ(count.GetHangLieText(1, 2), "2");
    EXPECT_EQ(count.CellWarning(1, 2), "“2.9” 不全是数, 读作 2");
    TableEdit::typed(TableId::CControlTable, 1, 2, "no such item").apply(page);
    EXPECT_EQ(page.find(TableId::CControlTable)->CellWarning(1, 2), "");
}

TEST(CellCheck, UnitsFollowThePileSection) {
    CSlideCalcData data;
    data.checkTarget = 2;
    CTablePage kinds(TablePageId::OneKindList, data);
    CTableBase& k = *kinds.find(TableId::CPileKindTable);
    struct Case {
        int material, section;
        const char* size1;
        const char* size2;
    } cases[] = {{0, 0, "cm", ""}, {0, 1, "cm", "cm"}, {0, 2, "cm4", "cm"}, {1, 1, "kg/m", ""}};
    for (const Case& c : cases) {
        data.pileKinds[0].material = c.material;
        data.pileKinds[0].section = c.section;
        EXPECT_EQ(k.UnitAt(1, 4), c.size1) << c.material << "," << c.section;
        EXPECT_EQ(k.UnitAt(1, 5), c.size2) << c.material << "," << c.section;
    }
}

// Asked only which cells take typing, a table answers as one that was drawn:
// the "---" it prints and the cells it locks agree for any stored value.
TEST(CellCheck, EditableCellsAgreeWithDashesWhateverIsStored) {
    std::mt19937 rng(7);
    for (int i = 0; i < 60; ++i) {
        CSlideCalcData stored = randomTypedItem(rng);
        using D = CSlideCalcData;
        for (int D::*choice : {&D::goal, &D::designTarget, &D::checkTarget, &D::usePiles,
                               &D::useBerm, &D::useUnload, &D::useSeepage, &D::useConfinedWater,
                               &D::quakeLevel, &D::elasticMethod, &D::bermDesignMode})
            stored.*choice = std::uniform_int_distribution<int>(-3, 8)(rng);
        for (int t = 0; t < kTableCount; ++t) {
            auto id = static_cast<TableId>(t);
            CSlideCalcData askedFirst = stored, drawnFirst = stored;
            CTablePage editable(pageOfTable(id), askedFirst);
            CTablePage printed(pageOfTable(id), drawnFirst);
            CTableBase& e = *editable.find(id);
            CTableBase& p = *printed.find(id);
            std::vector<std::string> texts;
            for (int r = 1; r <= p.RowCount(); ++r)
                for (int c = 1; c <= p.ColumnCount(); ++c) texts.push_back(p.GetHangLieText(r, c));
            ASSERT_EQ(e.RowCount(), p.RowCount()) << tableName(id);
            size_t n = 0;
            for (int r = 1; r <= p.RowCount(); ++r)
                for (int c = 1; c <= p.ColumnCount(); ++c, ++n) {
                    SCOPED_TRACE(std::string(tableName(id)) + " " + std::to_string(r) + "," +
                                 std::to_string(c));
                    EXPECT_EQ(e.IsHangLieEdit(r, c), p.IsHangLieEdit(r, c));
                    if (texts[n] == "---") {
                        EXPECT_EQ(e.IsHangLieEdit(r, c), 0);
                    }
                }
        }
    }
}

// The angle is the double the formula gives, printed with "%.2f": rounded to
// float first, 350.18501 would print as 350.18.
TEST(CellCheck, AngleColumnPrintsTheDoubleOfTheFormula) {
    struct Case {
        const char* dy;
        const char* angle;
    } cases[] = {{"-0.173", "350.19"}, {"-0.125", "352.87"}, {"-0.201", "348.63"}, {"1", "45.00"}};
    for (const Case& c : cases) {
        SlipPage p;
        p.type(1, 2, "1");
        p.type(1, 3, c.dy);
        EXPECT_EQ(p.slip().GetHangLieText(1, 5), c.angle) << c.dy;
    }
}
