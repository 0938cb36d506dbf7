// Properties over all seventeen tables: what a table shows, typed back,
// changes nothing; hostile texts leave every field within its limits.
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::string_literals;

namespace {

// Types every shown text back into its cell, rows and columns one past the
// ends included; checks after each cell when `eachCell`, else only at the end
// (the record is large and most items pass).
bool typeBack(CSlideCalcData& d, bool eachCell, const std::string& item) {
    const CSlideCalcData start = d;
    for (auto& t : allTables(d))
        for (int r = 0; r <= t->RowCount() + 1; ++r)
            for (int c = 0; c <= t->ColumnCount() + 1; ++c) {
                const CSlideCalcData before = eachCell ? d : start;
                t->SetHangLieText(r, c, t->GetHangLieText(r, c));
                if (!eachCell || d == before) continue;
                ADD_FAILURE() << item << ": " << t->Name() << " row " << r << " column " << c
                              << " text \"" << t->GetHangLieText(r, c) << "\"";
                return false;
            }
    return d == start;
}

void expectRoundTrip(const CSlideCalcData& item, const std::string& name) {
    CSlideCalcData d = item;
    if (typeBack(d, false, name)) return;
    d = item;
    if (typeBack(d, true, name)) ADD_FAILURE() << name << ": changed, but by no single cell";
}

// The limits every table edit keeps, read off the tables' rules: counts and
// choices within their lists, no float that is not finite, the held minimums.
void expectWithinLimits(CSlideCalcData d, const std::string& what) {
    SCOPED_TRACE(what);
    for (int count : {d.slipCount, d.slopeCount, d.waterCount})
        EXPECT_TRUE(count >= 1 && count <= 100);
    EXPECT_TRUE(d.pileRows >= 1 && d.pileRows <= 20);
    EXPECT_TRUE(d.layerCount >= 1 && d.layerCount <= 20);
    EXPECT_TRUE(d.pileKindCount >= 0 && d.pileKindCount <= 100);
    EXPECT_TRUE(d.unloadCount >= 1 && d.unloadCount <= 3);
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(d.slope[i].loadCount >= 0 && d.slope[i].loadCount <= 10);
        EXPECT_GE(d.slip[i].dx, 0.001f);
        EXPECT_GE(d.slope[i].dx, 0.001f);
        EXPECT_GE(d.water[i].dx, 0.001f);
        EXPECT_TRUE(d.pileKinds[i].material >= 0 && d.pileKinds[i].material <= 3);
        EXPECT_TRUE(d.pileKinds[i].concreteGrade >= 0 && d.pileKinds[i].concreteGrade <= 10);
    }
    for (const CLineSeg& s : d.unloadSegs) EXPECT_GE(s.dx, 0.0f);
    EXPECT_TRUE(d.trapezoidRatio >= 0.0f && d.trapezoidRatio <= 2.0f);
    EXPECT_GE(d.slopeLength, 0.001f);
    EXPECT_GE(d.unloadYRange.step, 0.1f);
    EXPECT_TRUE(d.checkTarget >= 0 && d.checkTarget <= 4 && d.quakeLevel >= 0 && d.quakeLevel <= 3);
    // Every input float is in the data file: none may print as nan or inf.
    std::string file = d.FormatDataFile();
    EXPECT_EQ(file.find("nan"), std::string::npos);
    EXPECT_EQ(file.find("inf"), std::string::npos);
}

// The sanitizer build runs the same property on fewer items: its checks make
// each one a hundred times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomItems = 20;
#else
constexpr int kRandomItems = 200;
#endif

}  // namespace

TEST(AllTables, ShownTextTypedBackChangesNothing) {
    for (int i = 0; i < kTableCount; ++i)  // talvor-cli finds a table by its name
        EXPECT_EQ(tableByName(tableName(static_cast<TableId>(i))), static_cast<TableId>(i));
    EXPECT_FALSE(tableByName("CNoTable"));
    expectRoundTrip(CSlideCalcData(), "default item");
    std::mt19937 rng(20240515);
    for (int i = 0; i < kRandomItems; ++i)
        expectRoundTrip(randomTypedItem(rng), "item " + std::to_string(i));
}

TEST(AllTables, HostileTextsKeepEveryFieldWithinItsLimits) {
    const std::string hostile[] = {
        std::string(10000, '7'),
        "1" + std::string(9999, 'x'),
        "nan",
        "-nan",
        "inf",
        "-infinity",
        "-0",
        "1e39",
        "-1e39",
        "1e-45",
        "12\0"
        "34"s,
        "\0"s,
        "\xb9\xfe\xd2\xbb",
        "\xff\xfe",
        "0x1p200",
        "   ",
        "9999999999999999999999",
        "-2147483649",
    };
    std::mt19937 rng(7);
    for (int item = 0; item < 3; ++item) {
        CSlideCalcData d = item == 0 ? CSlideCalcData() : randomTypedItem(rng);
        for (const std::string& text : hostile) {
            for (auto& t : allTables(d)) {
                for (int r = -1; r <= t->RowCount() + 1; ++r) {
                    for (int c = -1; c <= t->ColumnCount() + 1; ++c) t->SetHangLieText(r, c, text);
                }
            }
            expectWithinLimits(d, "item " + std::to_string(item) + " text " + text.substr(0, 20));
        }
    }
}
