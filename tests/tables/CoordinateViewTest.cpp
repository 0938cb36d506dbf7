// The section lines typed as points: the same data file as typed as
// projections, one point moved alone, the columns of the view, and records
// a damaged file could leave.
#include "TableTestSupport.h"
#include "tables/CoordinateView.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace {

// Millimetres as the text a user types: 12345 -> "12.345", -500 -> "-0.500".
std::string mm(long v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(v) / 1000.0);
    return buf;
}

struct Line {
    TableId table;
    TablePageId page;
    long x0, y0;  // the start point in mm
    std::vector<long> dx, dy;
};

void type(CTablePage& page, TableId id, int row, int col, const std::string& text) {
    ASSERT_TRUE(TableEdit::typed(id, row, col, text).apply(page))
        << tableName(id) << " " << row << "," << col << "=" << text;
}

void typeCount(CSlideCalcData& d, TableId line, int n) {
    TableId counter = line == TableId::CSlipTable    ? TableId::CSlipCountTable
                      : line == TableId::CSlopeTable ? TableId::CSlopeCountTable
                                                     : TableId::CWaterCountTable;
    CTablePage page(pageOfTable(counter), d);
    type(page, counter, 1, 2, std::to_string(n));
}

void typeProjections(CSlideCalcData& d, const Line& l) {
    typeCount(d, l.table, static_cast<int>(l.dx.size()));
    CTablePage page(l.page, d);
    for (size_t i = 0; i < l.dx.size(); ++i) {
        type(page, l.table, static_cast<int>(i) + 1, 2, mm(l.dx[i]));
        type(page, l.table, static_cast<int>(i) + 1, 3, mm(l.dy[i]));
    }
}

// x from the bottom up, as the points follow each other; y in any order.
void typePoints(CSlideCalcData& d, const Line& l, std::mt19937& rng) {
    typeCount(d, l.table, static_cast<int>(l.dx.size()));
    CTablePage page(l.page, d);
    page.setPointsShown(true);
    int n = static_cast<int>(l.dx.size());
    long x = l.x0, y = l.y0;
    std::vector<long> ys;
    for (int i = 0; i < n; ++i) {
        x += l.dx[i];
        type(page, l.table, i + 1, CoordinateView::kXColumn, mm(x));
        ys.push_back(y += l.dy[i]);
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    for (int i : order) type(page, l.table, i + 1, CoordinateView::kYColumn, mm(ys[i]));
}

Line randomLine(std::mt19937& rng, TableId table, TablePageId page, long x0, long y0) {
    std::uniform_int_distribution<long> width(1, 60000), rise(-20000, 20000);
    Line l{table, page, x0, y0, {}, {}};
    int n = std::uniform_int_distribution<int>(1, 30)(rng);
    for (int i = 0; i < n; ++i) {
        l.dx.push_back(width(rng));
        l.dy.push_back(rise(rng));
    }
    return l;
}

// Each row's point as shown, "x,y".
std::vector<std::string> points(CTableBase& t) {
    std::vector<std::string> p;
    for (int r = 1; r <= t.RowCount(); ++r)
        p.push_back(t.GetHangLieText(r, CoordinateView::kXColumn) + "," +
                    t.GetHangLieText(r, CoordinateView::kYColumn));
    return p;
}

}  // namespace

TEST(CoordinateView, TypedPointsGiveTheDataFileOfTypedProjections) {
    std::mt19937 rng(24);
    for (int trial = 0; trial < 20; ++trial) {
        CSlideCalcData byProjection, byPoints;
        // The slope starts on the slip surface at its second point, whose
        // height is the sum of the first two rises.
        Line slip = randomLine(rng, TableId::CSlipTable, TablePageId::Slip, 0, 0);
        slip.dx.resize(std::max<size_t>(slip.dx.size(), 3), 10000);
        slip.dy.resize(slip.dx.size(), 1000);
        long slopeX0 = slip.dx[0] + slip.dx[1];
        Line slope = randomLine(rng, TableId::CSlopeTable, TablePageId::Slope, slopeX0,
                                slip.dy[0] + slip.dy[1]);
        Line water = randomLine(rng, TableId::CWaterTable, TablePageId::Slip, 16000, -1000);
        for (CSlideCalcData* d : {&byProjection, &byPoints}) {
            CTablePage page(TablePageId::Slope, *d);
            type(page, TableId::CSlopeCountTable, 2, 2, mm(slopeX0));
        }
        for (const Line* l : {&slip, &slope, &water}) {
            typeProjections(byProjection, *l);
            typePoints(byPoints, *l, rng);
        }
        SCOPED_TRACE(trial);
        EXPECT_EQ(byPoints.FormatDataFile(), byProjection.FormatDataFile());
    }
}

TEST(CoordinateView, ATypedCoordinateMovesThatPointAlone) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    page.setPointsShown(true);
    CTableBase& slip = *page.find(TableId::CSlipTable);
    struct Case {
        int row, col;
        const char* text;
        const char* shown;  // the point's coordinate afterwards
    };
    const Case cases[] = {
        {3, 2, "30.5", "30.500"},   // between its neighbours
        {3, 3, "-7.25", "-7.250"},  // any height
        {6, 2, "170", "170.000"},   // the last point: no segment after it
        {1, 2, "-5", "0.001"},      // held to the least width after the origin
        {1, 3, "abc", "0.000"},     // a text that does not parse reads 0
    };
    for (const Case& c : cases) {
        const CSlideCalcData before = d;
        std::vector<std::string> expected = points(slip);
        std::string& moved = expected[c.row - 1];
        size_t comma = moved.find(',');
        moved = c.col == 2 ? c.shown + moved.substr(comma) : moved.substr(0, comma + 1) + c.shown;
        SCOPED_TRACE(c.text);
        type(page, TableId::CSlipTable, c.row, c.col, c.text);
        EXPECT_EQ(points(slip), expected);
        d = before;
    }
    // Moved past the next point, the next segment keeps its least width and
    // its end moves on; the points above it stay.
    std::vector<std::string> expected = points(slip);
    double beyond = std::stod(slip.GetHangLieText(3, 2)) + 5;
    type(page, TableId::CSlipTable, 2, 2, mm(std::lround(beyond * 1000)));
    expected[1] = mm(std::lround(beyond * 1000)) + expected[1].substr(expected[1].find(','));
    expected[2] = mm(std::lround(beyond * 1000) + 1) + expected[2].substr(expected[2].find(','));
    EXPECT_EQ(points(slip), expected);
    EXPECT_EQ(d.slip[2].dx, 0.001f);

    EXPECT_FALSE(TableEdit::typed(TableId::CSlipTable, 7, 2, "1").apply(page));
    const CSlideCalcData before = d;
    EXPECT_TRUE(TableEdit::typed(TableId::CSlipTable, 2, 2, "---").apply(page));
    EXPECT_EQ(d, before);
}

TEST(CoordinateView, PointsAddTwoColumnsAndLockTheProjectionsTheyDecide) {
    std::mt19937 rng(7);
    for (TableId id : {TableId::CSlipTable, TableId::CSlopeTable, TableId::CWaterTable}) {
        CSlideCalcData d = randomTypedItem(rng);
        d.goal = 0;
        d.checkTarget = 4;  // c back-calculated: "---" in the slip table's c column
        std::unique_ptr<CTableBase> plain = makeTable(id, d);
        CoordinateView view(makeTable(id, d), d);
        SCOPED_TRACE(tableName(id));
        // Off, the view is the table.
        ASSERT_EQ(view.ColumnCount(), plain->ColumnCount());
        for (int r = 0; r <= plain->RowCount() + 1; ++r)
            for (int c = 0; c <= plain->ColumnCount() + 1; ++c) {
                EXPECT_EQ(view.GetHangLieText(r, c), plain->GetHangLieText(r, c));
                EXPECT_EQ(view.IsHangLieEdit(r, c), plain->IsHangLieEdit(r, c));
                EXPECT_EQ(view.IsComputedColumn(c), plain->IsComputedColumn(c));
            }
        view.SetPointsShown(true);
        ASSERT_EQ(view.ColumnCount(), plain->ColumnCount() + 2);
        EXPECT_EQ(view.ColumnTitle(4), plain->ColumnTitle(2));
        for (int r = 1; r <= plain->RowCount(); ++r) {
            EXPECT_TRUE(view.IsHangLieEdit(r, 2) && view.IsHangLieEdit(r, 3));
            EXPECT_FALSE(view.IsHangLieEdit(r, 4) || view.IsHangLieEdit(r, 5));
            EXPECT_TRUE(view.IsComputedColumn(4) && view.IsComputedColumn(5));
            for (int c = 4; c <= view.ColumnCount(); ++c) {
                EXPECT_EQ(view.GetHangLieText(r, c), plain->GetHangLieText(r, c - 2));
                if (c > 5) {
                    EXPECT_EQ(view.IsHangLieEdit(r, c), plain->IsHangLieEdit(r, c - 2));
                }
            }
        }
        EXPECT_EQ(view.GetHangLieText(plain->RowCount() + 1, 2), "");
        EXPECT_EQ(view.IsHangLieEdit(0, 2), 0);
        // Typing into a computed projection changes nothing.
        CSlideCalcData before = d;
        view.SetHangLieText(1, 4, "99");
        EXPECT_EQ(d, before);
    }
}

TEST(CoordinateView, TheSlopeStartsOnTheSlip) {
    // The slope's first point lies on the slip surface: halfway up a slip
    // segment from (20, 2) to (40, 6) it stands at y = 4.
    CSlideCalcData d;
    d.slip[0] = {.dx = 20, .dy = 2};
    d.slip[1] = {.dx = 20, .dy = 4};
    d.slopeX0 = 30;
    d.slopeCount = 1;
    d.slope[0] = {.dx = 5, .dy = 1.5f};
    CoordinateView slope(makeTable(TableId::CSlopeTable, d), d);
    slope.SetPointsShown(true);
    EXPECT_EQ(slope.GetHangLieText(1, 2), "35.000");
    EXPECT_EQ(slope.GetHangLieText(1, 3), "5.500");
    slope.SetHangLieText(1, 3, "6.125");
    EXPECT_EQ(d.slope[0].dy, 2.125f);
    // Raising the slip surface under the slope's start lifts the whole slope.
    d.slip[1].dy = 8;
    EXPECT_EQ(slope.GetHangLieText(1, 3), "8.125");
    // At a vertical step of the slip the slope starts on its top.
    d.slip[1] = {.dx = 0, .dy = 3};
    d.slopeX0 = 20;
    EXPECT_EQ(slope.GetHangLieText(1, 3), "7.125");
}

TEST(CoordinateView, DamagedRecordsShowAndTakePointsWithoutACrash) {
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(), -3.4e38f, 3.4e38f, 0.0f};
    for (TableId id : {TableId::CSlipTable, TableId::CSlopeTable, TableId::CWaterTable}) {
        for (float v : bad) {
            CSlideCalcData d;
            d.slipCount = 100;
            d.slopeCount = -5;
            d.waterCount = 100;
            d.slip[3].dx = v;
            d.water[0].dy = v;
            d.waterY0 = v;
            d.slopeX0 = v;
            CoordinateView view(makeTable(id, d), d);
            view.SetPointsShown(true);
            for (int r = 0; r <= view.RowCount() + 1; ++r)
                for (int c : {2, 3}) view.GetHangLieText(r, c);
            for (const char* text : {"12.5", "1e39", "nan", "-0", ""}) {
                view.SetHangLieText(1, 2, text);
                view.SetHangLieText(view.RowCount(), 3, text);
            }
            // Whatever came in, what the tables stored is a number.
            for (int i = 0; i < view.RowCount(); ++i) {
                const CLineSeg& s = id == TableId::CSlipTable    ? d.slip[i]
                                    : id == TableId::CSlopeTable ? d.slope[i]
                                                                 : d.water[i];
                if (i == 0) {
                    EXPECT_TRUE(std::isfinite(s.dx));
                }
                if (i == view.RowCount() - 1) {
                    EXPECT_TRUE(std::isfinite(s.dy));
                }
            }
        }
    }
}

TEST(CoordinateView, TwentyPastedPointsLandWherePastedOverOldRows) {
    CSlideCalcData d;
    CTablePage page(TablePageId::Slip, d);
    page.setPointsShown(true);
    std::string block;
    std::vector<std::string> expected;
    for (int i = 1; i <= 20; ++i) {
        // Close together at first: the old points lie beyond them.
        long x = i < 10 ? 250L * i : 3000L * i, y = (i % 4) * 1500L - 2000;
        block += mm(x) + "\t" + mm(y) + "\n";
        expected.push_back(mm(x) + "," + mm(y));
    }
    PasteResult r = page.paste(TableId::CSlipTable, 1, 2, block);
    EXPECT_EQ(r.cellsSet, 40);
    EXPECT_EQ(d.slipCount, 20);
    EXPECT_EQ(points(*page.find(TableId::CSlipTable)), expected);
}
