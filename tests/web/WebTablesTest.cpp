#include "web/WebTables.h"

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kSlip = static_cast<int>(TablePageId::Slip);
constexpr int kControl = static_cast<int>(TablePageId::Control);
constexpr int kSlipCount = static_cast<int>(TableId::CSlipCountTable);
constexpr int kSlipTable = static_cast<int>(TableId::CSlipTable);

// The tables over a fresh worked example, as the page opens them.
class WebTablesTest : public ::testing::Test {
  protected:
    CSlideCalcData record;
    WebTables tables{record};
};

TEST_F(WebTablesTest, EveryTableStandsOnAPageWithItsHeadsAndWidths) {
    std::set<int> seen;
    const std::vector<WebPage> pages = WebTables::pages();
    ASSERT_EQ(pages.size(), 8u);
    for (const WebPage& page : pages) {
        EXPECT_EQ(page.title.empty(), page.id >= static_cast<int>(TablePageId::KindList));
        for (int id : page.tables) {
            seen.insert(id);
            WebTable t = tables.table(page.id, id);
            EXPECT_EQ(t.id, id);
            EXPECT_FALSE(t.caption.empty()) << t.name;
            EXPECT_EQ(t.titles.size(), t.widths.size()) << t.name;
            EXPECT_EQ(tables.texts(page.id, id).size(), static_cast<size_t>(t.rows)) << t.name;
        }
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kTableCount));
    // A table asked on a page it is not on, or no table at all, is none.
    EXPECT_TRUE(tables.table(kControl, kSlipTable).name.empty());
    EXPECT_TRUE(tables.cell(99, 0, 1, 1).text.empty());
}

TEST_F(WebTablesTest, TypingTellsWhatItDidToTheRecord) {
    const int segments = tables.table(kSlip, kSlipTable).rows;
    const std::string count = std::to_string(segments);
    const std::string more = std::to_string(segments + 2);
    struct Case {
        int page, table, row, col;
        std::string text;
        EditOutcome outcome;
    };
    const Case cases[] = {
        {kSlip, kSlipCount, 1, 2, more, EditOutcome::Changed},
        {kSlip, kSlipCount, 1, 2, more, EditOutcome::Unchanged},
        {kSlip, kSlipCount, 1, 1, "5", EditOutcome::Refused},     // the name column
        {kSlip, kSlipTable, 99, 2, "5", EditOutcome::Refused},    // beyond the list
        {kControl, kSlipCount, 1, 2, "5", EditOutcome::Refused},  // not on that page
        {kSlip, -1, 1, 2, "5", EditOutcome::Refused},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tables.type(c.page, c.table, c.row, c.col, c.text), c.outcome)
            << c.table << " " << c.row << "," << c.col << " " << c.text;
    EXPECT_EQ(tables.table(kSlip, kSlipTable).rows, segments + 2);

    // A text read only in part is flagged on its cell until the value changes.
    EXPECT_EQ(tables.type(kSlip, kSlipTable, 1, 2, "nan"), EditOutcome::Changed);
    EXPECT_FALSE(tables.cell(kSlip, kSlipTable, 1, 2).warning.empty());
    ASSERT_EQ(tables.flags().size(), 1u);
    tables.reset();
    EXPECT_TRUE(tables.flags().empty());
}

TEST_F(WebTablesTest, PastedRowsRaiseTheCountAndNameWhatFoundNoPlace) {
    std::string block;
    for (int i = 0; i < 20; ++i) block += "2\t-0.5\t10\t20\n";
    WebPaste pasted = tables.paste(kSlip, kSlipTable, 1, 2, block);
    EXPECT_EQ(pasted.outcome, EditOutcome::Changed);
    EXPECT_EQ(tables.table(kSlip, kSlipTable).rows, 20);
    EXPECT_EQ(pasted.cells.cellsRefused, 0);
    EXPECT_TRUE(pasted.refusals.empty());

    const int cols = tables.table(kSlip, kSlipTable).widths.size();
    pasted = tables.paste(kSlip, kSlipTable, 1, cols, "1\t2\t3");
    EXPECT_GT(pasted.cells.cellsRefused, 0);
    EXPECT_FALSE(pasted.refusals.empty());
}

TEST_F(WebTablesTest, DropDownsAndTheCoordinateSwitch) {
    bool combo = false;
    const WebTable control = tables.table(kControl, static_cast<int>(TableId::CControlTable));
    for (int r = 1; r <= control.rows && !combo; ++r) {
        WebCell c = tables.cell(kControl, control.id, r, 2);
        if (!c.combo) continue;
        combo = true;
        ASSERT_GE(c.itemShown, 0);
        EXPECT_EQ(c.items.at(c.itemShown), c.text);
    }
    EXPECT_TRUE(combo);

    const int before = tables.table(kSlip, kSlipTable).widths.size();
    tables.setPointsShown(kSlip, true);
    EXPECT_EQ(tables.table(kSlip, kSlipTable).widths.size(), before + 2u);
}

}  // namespace
