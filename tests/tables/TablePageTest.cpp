// Pages, edits as values and paste.
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include "data/CSlideCalcData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The names of the tables a page re-read, in order, and how often the record
// was reported changed.
struct PageLog {
    explicit PageLog(CTablePage& page) {
        page.setOnUpdateTable([this](CTableBase& t) { updated.push_back(t.Name()); });
        page.setOnChanged([this] { ++changed; });
    }
    std::vector<std::string> updated;
    int changed = 0;
};

std::string segmentRows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += std::to_string(i) + "\t-" + std::to_string(i) + "\r\n";
    return text;
}

}  // namespace

TEST(TablePage, EveryTableStandsOnAPageAndCountsRefreshTheNamedTables) {
    for (int i = 0; i < kTableCount; ++i) {
        auto id = static_cast<TableId>(i);
        EXPECT_EQ(tableByName(tableName(id)), id);
        pageOfTable(id);  // asserts when the table stands on no page
    }
    EXPECT_EQ(tablePages().size(), 8u);
    EXPECT_STREQ(tablePage(TablePageId::Unload).title, "刷方");
    EXPECT_EQ(tablesRefreshedOn(TablePageId::Slip, 1), std::vector<TableId>{TableId::CSlipTable});
    EXPECT_EQ(tablesRefreshedOn(TablePageId::Slip, 2), std::vector<TableId>{TableId::CWaterTable});
    EXPECT_EQ(tablesRefreshedOn(TablePageId::Slope, 1),
              (std::vector<TableId>{TableId::CSlopeTable, TableId::CLoadTable}));
    EXPECT_TRUE(tablesRefreshedOn(TablePageId::Slope, 0).empty());
    EXPECT_FALSE(tableByName("CNoTable"));
}

TEST(TablePage, CountEditReReadsTheDependentTable) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    PageLog log(page);
    page.find(TableId::CSlipCountTable)->SetHangLieText(1, 2, "8");
    EXPECT_EQ(log.updated, std::vector<std::string>{"CSlipTable"});
    EXPECT_EQ(log.changed, 1);
    EXPECT_EQ(page.find(TableId::CSlipTable)->RowCount(), 8);
}

TEST(TableEdit, AppliesThroughTheTableOrIsRefusedLeavingTheRecord) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    PageLog log(page);
    EXPECT_TRUE(TableEdit::typed(TableId::CSlipCountTable, 1, 2, "150").apply(page));
    EXPECT_EQ(d.slipCount, 100);  // held to the list's limit
    EXPECT_EQ(log.updated, std::vector<std::string>{"CSlipTable"});

    const CSlideCalcData before = d;
    EXPECT_TRUE(TableEdit::typed(TableId::CSlipTable, 1, 2, "20.000").apply(page));
    EXPECT_EQ(d, before);  // taken, and nothing changed
    EXPECT_FALSE(TableEdit::typed(TableId::CSlipTable, 1, 4, "3").apply(page));  // computed
    EXPECT_FALSE(TableEdit::typed(TableId::CSlipTable, 101, 2, "3").apply(page));
    EXPECT_FALSE(TableEdit::pasted(TableId::CSlipTable, 101, 2, "3\t4\n").apply(page));
    EXPECT_EQ(d, before);
}

TEST(TablePaste, HundredSpreadsheetRowsRaiseTheCountAndTheNextIsRefused) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    PageLog log(page);
    TableEdit paste = TableEdit::pasted(TableId::CSlipTable, 1, 2, segmentRows(101));
    EXPECT_TRUE(paste.apply(page));
    EXPECT_EQ(d.slipCount, 100);
    EXPECT_EQ(paste.pasteResult().cellsSet, 200);
    EXPECT_EQ(paste.pasteResult().rowsRefused, 1);
    EXPECT_EQ(d.slip[99].dx, 100.0f);
    EXPECT_EQ(d.slip[99].dy, -100.0f);
    EXPECT_EQ(log.updated.front(), "CSlipTable");
    d = CSlideCalcData();

    // Comma-separated inputs step over the computed columns; the one cell
    // past the last input is refused.
    PasteResult r = page.paste(TableId::CSlipTable, 2, 2, "0,5,9,9,12\n");
    EXPECT_EQ(r.cellsSet, 4);
    EXPECT_EQ(r.cellsRefused, 1);
    EXPECT_EQ(d.slip[1].dx, 0.001f);
    EXPECT_EQ(d.slip[1].c, 9.0f);
    EXPECT_EQ(d.slip[1].phi, 9.0f);
    EXPECT_EQ(d.slipCount, 6);
}
