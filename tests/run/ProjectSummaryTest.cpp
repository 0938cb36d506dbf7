// The project summary over a hundred items of every goal and target: the
// same table on one thread and on all, figures that stand in the items' own
// reports, damaged items as rows, and the project left untouched.
#include "run/ProjectSummary.h"

#include "project/ProjectItems.h"
#ifdef TALVOR_RENDER
#include "render/ProjectSummaryFiles.h"
#endif

#include "data/CSlideCalcData.h"
#include "project/CProjectData.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "platform/ReportWriter.h"
#include "run/CSlideCalc.h"
#include "run/ItemCalculation.h"
#include "run/ResultNames.h"
#include "run/SummaryTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

// Items 1..100 cycle through the eight goals and targets with varied strength;
// item 101 is garbage, item 102 has no data file.
std::vector<SummaryItem> writeProject(const TempDir& dir) {
    const int targets[][2] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 1}, {1, 2}};
    std::vector<SummaryItem> items;
    for (int n = 1; n <= 100; ++n) {
        CSlideCalcData item;
        item.goal = targets[n % 8][0];
        (item.goal == 0 ? item.checkTarget : item.designTarget) = targets[n % 8][1];
        item.SetAllPhi(10.0f + n % 13);
        item.setName("项目, \"" + std::to_string(n) + "\"");
        EXPECT_EQ(item.WriteDataFile(dir.file(ItemFileBase(n) + ".dat")), 1);
        items.push_back({n, ItemFileBase(n)});
    }
    writeBytes(dir.file(ItemFileBase(101) + ".dat"), "NOT_A_TALVOR_ITEM\n1,2,x\n");
    items.push_back({101, ItemFileBase(101)});
    items.push_back({102, ItemFileBase(102)});
    return items;
}

std::set<std::string> filesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& f : std::filesystem::directory_iterator(dir.path()))
        names.insert(f.path().filename());
    return names;
}

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    return s.replace(s.find(from), from.size(), to);
}

bool has(const std::string& report, const std::string& text) {
    return report.find(text) != std::string::npos;
}

// The figures of a row as the item's report prints them.
void expectRowInReport(const SummaryRow& r, const std::string& report) {
    SCOPED_TRACE(r.number);
    EXPECT_TRUE(has(report, "    计算位置 X = " + r.thrustX + "m 处的滑坡推力 = " + r.thrust +
                                "(kN)  推力角度 = " + r.thrustAngle + "(度)\n"));
    EXPECT_TRUE(has(report, "稳定系数(隐式解) Fs = " + r.fs + "  稳定状态: " + r.fsState));
    if (r.target == "计算滑坡推力") {
        // The thrust check's last block ends at the thrust position.
        const size_t last = report.rfind("本块剩余下滑力 = ");
        EXPECT_EQ(report.substr(last, report.find('(', last) - last),
                  "本块剩余下滑力 = " + r.thrust);
    }
    // A quantity the row shows stands in the report.
    EXPECT_TRUE(r.pileCount.empty() || has(report, "共需要抗滑桩 " + r.pileCount + " 根\n"));
    EXPECT_TRUE(r.bermVolume.empty() || has(report, "反压码的总体积 = " + r.bermVolume + " m3\n"));
    EXPECT_TRUE(r.unloadVolume.empty() ||
                has(report, "刷方的总体积 = " + r.unloadVolume + " m3\n"));
    EXPECT_TRUE(has(report, "计算状态: " + r.outcome + "\n"));
}

}  // namespace

TEST(ProjectSummary, HundredItemsGiveTheirReportsFiguresOnAnyNumberOfThreads) {
    TempDir dir;
    WorkContext ctx;
    ctx.G_strWorkPath = dir.path();
    const std::vector<SummaryItem> items = writeProject(dir);
    const std::set<std::string> before = filesIn(dir);

    const std::vector<SummaryRow> one = SummarizeProject(ctx, items, 1);
    const std::string csv = SummaryCsv(one);
    EXPECT_EQ(SummaryCsv(SummarizeProject(ctx, items, 0)), csv);
    EXPECT_EQ(filesIn(dir), before);  // the summary only reads the project
    ASSERT_EQ(one.size(), 102u);
    EXPECT_EQ(one[100].outcome, "数据文件无法读取");
    EXPECT_EQ(one[101].outcome, "数据文件无法读取");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF项目编号,项目说明,"));
    EXPECT_TRUE(has(csv, "\r\n1,\"项目, \"\"1\"\"\",计算滑坡推力,"));

    // Calculated into the project as `project calc` does, the result files
    // are read, not run again, and give the same table, with the figures of
    // the reports.
    for (int n = 1; n <= 100; ++n)
        CalculateItemFile(dir.file(ItemFileBase(n) + ".dat"), ctx, false, true, {});
    std::vector<SummaryRow> read = SummarizeProject(ctx, items, 0);
    int succeeded = 0;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(read[i].source, "计算书");
        read[i].source = one[i].source;
        expectRowInReport(read[i],
                          gbkToUtf8(readBytes(dir.file(ItemFileBase(i + 1) + "_TLVR.RTF"))));
        succeeded += read[i].succeeded;
    }
    EXPECT_EQ(SummaryCsv(read), csv);
    EXPECT_GT(succeeded, 80);

    // A result file that is not exactly what the run wrote for the item as it
    // stands is never read: the item is run afresh.
    const std::string resultFile = dir.file(ItemFileBase(1) + "_TLVR_RESULT.TXT");
    const std::string written = readBytes(resultFile);
    const struct {
        std::string bytes;
        const char* source;
    } cases[] = {
        {written, "计算书"},
        {"", "重新计算"},
        {"talvor-result 2" + written.substr(written.find('\n')), "重新计算"},
        {written + "unknown=1\n", "重新计算"},
        {written + "goal=1\n", "重新计算"},
        {written.substr(0, written.find("\nthrust=") + 1), "重新计算"},
        {replaced(written, "\nfs=", "\nfs=x"), "重新计算"},
        {replaced(written, "\ninput=", "\ninput=0"), "重新计算"},
    };
    for (const auto& c : cases) {
        writeBytes(resultFile, c.bytes);
        EXPECT_EQ(SummarizeProject(ctx, {items[0]}, 1)[0].source, c.source) << c.bytes;
    }
    // (An item changed since its run is the next test's.)
}

// Right after `project calc` every item's result file is current and read,
// no item is run again. An item changed since, or whose result file is gone,
// is run afresh, and only those.
TEST(ProjectSummary, AProjectJustCalculatedIsReadNotRecalculated) {
    TempDir dir;
    WorkContext ctx{dir.path(), dir.path()};
    const int targets[][2] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 1}, {1, 2}};
    std::vector<SummaryItem> items;
    for (int n = 1; n <= 6; ++n) {
        ASSERT_EQ(AddItemFromTemplate(ctx, 0).outcome, AddOutcome::Added);
        CSlideCalcData item;
        const std::string file = dir.file(ItemFileBase(n) + ".dat");
        ASSERT_EQ(item.ReadDataFile(file), 1);
        item.goal = targets[n - 1][0];
        (item.goal == 0 ? item.checkTarget : item.designTarget) = targets[n - 1][1];
        ASSERT_EQ(item.WriteDataFile(file), 1);
        items.push_back({n, ItemFileBase(n)});
        CalculateItemFile(file, ctx, false, true, {});
    }
    std::atomic<int> runs = 0;
    const SummaryCalculate counted = [&](const WorkContext& scratch, CSlideCalcData& item,
                                         std::vector<std::string>&) {
        ++runs;
        CSlideCalc calc(scratch);
        ReportWriter report;
        calc.RunItem(item, report);
        return calc.result();
    };
    auto recalculated = [&] {
        runs = 0;
        std::vector<int> numbers;
        for (const SummaryRow& r : SummarizeProject(ctx, items, 0, counted))
            if (r.source == "重新计算") numbers.push_back(r.number);
        EXPECT_EQ(runs, static_cast<int>(numbers.size()));
        return numbers;
    };
    EXPECT_EQ(recalculated(), std::vector<int>{});

    CSlideCalcData changed;
    ASSERT_EQ(changed.ReadDataFile(dir.file(ItemFileBase(2) + ".dat")), 1);
    changed.SetAllPhi(31.0f);
    ASSERT_EQ(changed.WriteDataFile(dir.file(ItemFileBase(2) + ".dat")), 1);
    std::filesystem::remove(dir.file(ItemFileBase(3) + "_TLVR_RESULT.TXT"));
    EXPECT_EQ(recalculated(), (std::vector<int>{2, 3}));
}

#ifdef TALVOR_RENDER
TEST(ProjectSummary, TheTableIsWrittenAsCsvRtfAndPdfBesideTheProjectFile) {
    TempDir dir;
    WorkContext ctx{dir.file("p/"), dir.path()};
    EXPECT_FALSE(WriteProjectSummary(ctx, {}, 1).projectRead);
    ASSERT_EQ(AddItemFromTemplate(ctx, 0).outcome, AddOutcome::Added);
    ASSERT_EQ(AddItemFromTemplate(ctx, 0).outcome, AddOutcome::Added);
    const ProjectSummaryFiles done =
        WriteProjectSummary(ctx, {"", "", dir.file("elsewhere.pdf")}, 2);
    ASSERT_EQ(done.rows.size(), 2u);
    ASSERT_EQ(done.files.size(), 3u);
    for (const WrittenFile& f : done.files) EXPECT_TRUE(f.written) << f.path;
    EXPECT_EQ(done.files[0].path, dir.file("p/Talvor_Summary.csv"));
    const std::string csv = readBytes(done.files[0].path);
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF项目编号,"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_TRUE(readBytes(dir.file("p/Talvor_Summary.RTF")).starts_with("{\\rtf"));
    EXPECT_TRUE(readBytes(dir.file("elsewhere.pdf")).starts_with("%PDF"));
}
#endif
