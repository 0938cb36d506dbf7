// Blocks pasted from spreadsheets: inputs step over the computed columns, a
// block copied from a table goes back cell for cell, and every cell that
// found no place is named.
#include "TableTestSupport.h"
#include "tables/CoordinateView.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"
#include "tables/TablePaste.h"

#include <gtest/gtest.h>

namespace {

// n rows of dx, dy, c, φ as a spreadsheet copies them, every other row
// separated by commas as a CSV file has them.
std::string strengthRows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, i % 2 ? "%d.5\t%d\t%d.25\t%d\r\n" : "%d.5,%d,%d.25,%d\n",
                      i, i % 3 - 1, 5 + i, 10 + i);
        text += line;
    }
    return text;
}

}  // namespace

TEST(TablePaste, TwentyRowsOfDxDyCPhiGiveTwentyWholeSegments) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    TableEdit paste = TableEdit::pasted(TableId::CSlipTable, 1, 2, strengthRows(20));
    EXPECT_TRUE(paste.apply(page));
    EXPECT_EQ(d.slipCount, 20);
    for (int i = 1; i <= 20; ++i) {
        const CLineSeg& s = d.slip[i - 1];
        SCOPED_TRACE(i);
        EXPECT_EQ(s.dx, i + 0.5f);
        EXPECT_EQ(s.dy, static_cast<float>(i % 3 - 1));
        EXPECT_EQ(s.c, 5 + i + 0.25f);
        EXPECT_EQ(s.phi, static_cast<float>(10 + i));
    }
    EXPECT_EQ(paste.pasteResult().cellsSet, 80);
    EXPECT_TRUE(paste.pasteResult().refused.empty());
}

TEST(TablePaste, CellsThatFindNoPlaceAreNamed) {
    struct Case {
        const char* what;
        TablePageId page;
        TableId table;
        int row, col;
        bool points;
        std::string block;
        std::string named;  // describeRefusals
    };
    const Case cases[] = {
        {"c is back-calculated: its cell refuses, φ keeps its place", TablePageId::Slip,
         TableId::CSlipTable, 1, 2, false, "3\t1\t12\t30\n", "第1行第6列“12”: 此格不能输入\n"},
        {"a block reaching the last column keeps its places", TablePageId::Slip,
         TableId::CSlipTable, 2, 6, false, "10\t20\t30\t\n",
         "第2行第6列“10”: 此格不能输入\n第2行第8列“30”: 超出表格的列\n"},
        {"beyond the hundredth segment", TablePageId::Slip, TableId::CSlipTable, 100, 2, false,
         "1\t1\n2\t2\n", "第101行第2列“2”: 超出表格的行数\n第101行第3列“2”: 超出表格的行数\n"},
        {"the slope's inputs: dx, dy and the load count", TablePageId::Slope, TableId::CSlopeTable,
         1, 2, false, "4\t1\t2\t9\n", "第1行第7列“9”: 超出表格的列\n"},
        {"points, then c and φ", TablePageId::Slip, TableId::CSlipTable, 1, 2, true,
         "5\t0.5\t7\t8\t9\n", "第1行第8列“7”: 此格不能输入\n第1行第10列“9”: 超出表格的列\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSlideCalcData d;
        d.checkTarget = 4;
        CTablePage page(c.page, d);
        page.setPointsShown(c.points);
        PasteResult r = page.paste(c.table, c.row, c.col, c.block);
        EXPECT_EQ(describeRefusals(r), c.named);
    }
    // The inputs landed where they belong.
    CSlideCalcData d;
    d.checkTarget = 4;
    CTablePage page(TablePageId::Slip, d);
    page.paste(TableId::CSlipTable, 1, 2, "3\t1\t12\t30\n");
    EXPECT_EQ(d.slip[0].dx, 3.0f);
    EXPECT_EQ(d.slip[0].phi, 30.0f);
    EXPECT_EQ(d.slip[0].c, CSlideCalcData().slip[0].c);
    page.setPointsShown(true);
    page.paste(TableId::CSlipTable, 2, 2, "12\t-2\t15\t25\n");
    EXPECT_EQ(page.find(TableId::CSlipTable)->GetHangLieText(2, 2), "12.000");
    EXPECT_EQ(page.find(TableId::CSlipTable)->GetHangLieText(2, 3), "-2.000");
    EXPECT_EQ(d.slip[1].phi, 25.0f);

    PasteResult many;
    for (int i = 0; i < 30; ++i) many.refused.push_back({1, 9, "x", PasteRefusal::Why::NoColumn});
    std::string text = describeRefusals(many, 12);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);
    EXPECT_NE(text.find("另有 18 个"), std::string::npos);
}

TEST(TablePaste, ABlockCopiedFromATableGoesBackCellForCell) {
    std::mt19937 rng(3);
    for (TableId id : {TableId::CSlipTable, TableId::CSlopeTable, TableId::CWaterTable,
                       TableId::CLoadTable, TableId::CLayerTable}) {
        CSlideCalcData d = randomTypedItem(rng);
        d.goal = 1;
        CTablePage page(pageOfTable(id), d);
        CTableBase& t = *page.find(id);
        if (t.RowCount() < 2) continue;
        // Row 1 as shown, from its second column to its last, onto row 2.
        std::string row;
        for (int c = 2; c <= t.ColumnCount(); ++c)
            row += t.GetHangLieText(1, c) + (c < t.ColumnCount() ? "\t" : "\n");
        PasteResult r = page.paste(id, 2, 2, row);
        SCOPED_TRACE(tableName(id));
        EXPECT_EQ(describeRefusals(r), "");
        for (int c = 2; c <= t.ColumnCount(); ++c)
            EXPECT_EQ(t.GetHangLieText(2, c), t.GetHangLieText(1, c)) << c;
    }
}
