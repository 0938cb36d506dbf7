// A calculation from the old result files to the new report file, the result
// names it gives the item, and the searches it watches and cancels.
#include "run/CalcRun.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "platform/DrawingShelf.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "run/ResultNames.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

struct Calc {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx{dir.path(), "", 1, &sinks, &sinks};
    CalcRunResult run(CSlideCalcData item, const std::string& base,
                      const SearchOptions& options = {}) {
        CalcRunResult r = RunCalculation(item, ctx, base, options);
        EXPECT_EQ(item.resultCount(), 3);
        return r;
    }
    // The statuses less the geometry warnings (401) the default item draws.
    std::vector<std::string> outcomes() const {
        std::vector<std::string> out;
        for (const std::string& s : sinks.statuses)
            if (!s.starts_with("401 ")) out.push_back(s);
        return out;
    }
};

}  // namespace

TEST(ResultNames, ThreeEntriesShareOneReportFileAndReplaceOldOnes) {
    CSlideCalcData item;
    for (int i = 0; i < 6; ++i) item.setResult(i, {"旧", "old.DXF", "old.RTF"});
    EXPECT_EQ(SetResultFileNames(item, "&TLVR_0001"), 1);
    ASSERT_EQ(item.resultCount(), 3);
    EXPECT_EQ(item.result(0),
              (ResultEntry{"计算简图", "&TLVR_0001_TLVR_JT.DXF", "&TLVR_0001_TLVR.RTF"}));
    EXPECT_EQ(item.result(1),
              (ResultEntry{"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"}));
    EXPECT_EQ(item.result(2),
              (ResultEntry{"剩余下滑力曲线", "&TLVR_0001_TLVR_SYXHL.DXF", "&TLVR_0001_TLVR.RTF"}));
}

TEST(CalcRun, OldResultFilesAreReplacedOrDeletedAndOthersKept) {
    Calc c;
    for (const char* name : {"a_TLVR_JT.DXF", "a_TLVR_JG.DXF", "a_TLVR_SYXHL.DXF", "a_TLVR.RTF",
                             "b_TLVR_JG.DXF", "a.TV"})
        writeBytes(c.dir.file(name), "old");
    CSlideCalcData item;
    item.checkTarget = 1;
    c.run(item, "a");
    // The thrust check makes no result chart, so the old one must be gone, not stale.
    EXPECT_FALSE(std::filesystem::exists(c.dir.file("a_TLVR_JG.DXF")));
    EXPECT_NE(readBytes(c.dir.file("a_TLVR.RTF")), "old");
    EXPECT_EQ(readBytes(c.dir.file("b_TLVR_JG.DXF")), "old");
    EXPECT_EQ(readBytes(c.dir.file("a.TV")), "old");
}

// The report's pictures are painted from the drawings the run keeps, so each
// kept drawing must be the one last written under its name: a design writes
// its best trial's sketch over the first one, a pile check writes no chart.
TEST(CalcRun, KeptDrawingsAreTheFilesAsFinallyWritten) {
    struct Case {
        const char* what;
        int goal, target;
        bool charts;
    };
    for (const Case& k : {Case{"thrust check", 0, 1, false}, Case{"pile forces", 0, 2, true},
                          Case{"berm design", 1, 1, true}}) {
        SCOPED_TRACE(k.what);
        Calc c;
        CSlideCalcData item;
        item.goal = k.goal;
        (k.goal == 0 ? item.checkTarget : item.designTarget) = k.target;
        CalcRunResult r = c.run(item, "a");
        ASSERT_TRUE(r.drawings);
        for (const char* name : {"a_TLVR_JT.DXF", "a_TLVR_JG.DXF", "a_TLVR_SYXHL.DXF"}) {
            SCOPED_TRACE(name);
            std::shared_ptr<const DXF> kept = r.drawings->find(name);
            bool written = std::filesystem::exists(c.dir.file(name));
            EXPECT_EQ(written, kept != nullptr);
            if (kept) {
                EXPECT_EQ(kept->formatDxf(), readBytes(c.dir.file(name)));
            }
        }
        EXPECT_EQ(std::filesystem::exists(c.dir.file("a_TLVR_JG.DXF")), k.charts);
    }
}

// The run hands its search options to the back-calculations and designs: the
// callback sees every trial, and a cancel fails the run.
TEST(SearchProgress, RunWatchesAndCancelsItsSearches) {
    Calc c;
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 1;  // berm height sweep, 0..10 step 1: 11 trials
    int calls = 0, lastTotal = 0;
    SearchOptions watch;
    watch.progress = [&](int, int total) {
        ++calls;
        lastTotal = total;
        return true;
    };
    c.run(item, "w", watch);
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(lastTotal, 11);
    SearchOptions cancel;
    cancel.progress = [](int done, int) { return done < 3; };
    EXPECT_EQ(c.run(item, "c", cancel).result, 0);
    EXPECT_EQ(c.sinks.statuses.back(), "301 计算失败 !");
}

// A 2 m × 3 m C30 pile under check target 2 gets its section and drawing (their
// order and figures the output manifest holds for the pile items under data/);
// the settings beside the item are used, a faulty line is only told.
TEST(CalcRun, ReinforcedPileGetsItsSectionAndDrawingAndOtherPilesDoNot) {
    Calc c;
    CSlideCalcData item;
    ASSERT_TRUE(item.ReadDataFile(TALVOR_TEST_DATA "/pile_m/item.TV"));
    CPileKind& kind = item.pileKinds[0];
    kind.size1 = 200.0f;
    kind.size2 = 300.0f;
    kind.length = 20.0f;
    kind.embedDepth = 10.0f;
    writeBytes(c.dir.file("&TLVR_0001.PJ"), "bar=HRB500\ncover=abc\n");
    RunOptions options;
    options.itemPath = c.dir.file("&TLVR_0001.DAT");

    CSlideCalcData first = item;
    CalcRunResult r = RunCalculation(first, c.ctx, "&TLVR_0001", options);
    EXPECT_EQ(r.result, 1);
    const std::string& text = r.report.utf8();
    ASSERT_NE(text.find("\n[桩身配筋]\n"), std::string::npos);
    EXPECT_NE(text.find("纵  筋: HRB500"), std::string::npos);
    EXPECT_NE(text.find("保护层(至箍筋外缘) = 60 mm"), std::string::npos);
    bool told = false;
    for (const std::string& s : c.sinks.statuses)
        told |= s.find("&TLVR_0001.PJ 第 2 行 cover") != std::string::npos;
    EXPECT_TRUE(told);
    ASSERT_EQ(first.resultCount(), 4);
    EXPECT_EQ(first.result(kResultRebar).title, "桩身配筋图");
    EXPECT_TRUE(std::filesystem::exists(c.dir.file("&TLVR_0001_TLVR_PJ.DXF")));

    // A steel pile has no reinforcement: no section, and the old drawing goes.
    kind.material = 3;
    CSlideCalcData second = item;
    r = RunCalculation(second, c.ctx, "&TLVR_0001", options);
    EXPECT_EQ(r.report.utf8().find("[桩身配筋]"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(c.dir.file("&TLVR_0001_TLVR_PJ.DXF")));
    EXPECT_EQ(second.resultCount(), 3);
}

// "计算成功" only when every file of the run is on disk and finished: a
// drawing or report that cannot be written (a folder of its name is in the
// way, as a full disk refuses it too) is named and fails the run, and the
// folder, the engineer's, stays; so does a report the front end could not
// finish; the finishing step runs on the saved report only.
TEST(CalcRun, ADrawingNotWrittenOrAReportNotFinishedFailsTheRunNamingTheFile) {
    struct Case {
        int checkTarget;
        const char* blocked;  // the folder in the way, or nothing
        bool finishFails;
        std::string named;  // the status naming what is missing; empty for success
    };
    const Case cases[] = {
        {1, "x_TLVR_JT.DXF", false, "301 无法写入图形文件 "},
        {1, "x_TLVR_SYXHL.DXF", false, "301 无法写入图形文件 "},
        {2, "x_TLVR_JG.DXF", false, "301 无法写入图形文件 "},
        {1, "x_TLVR.RTF", false, "301 无法写入计算书文件 "},
        {1, nullptr, true, "301 无法写入计算书文件 "},
        {1, nullptr, false, ""},
    };
    for (const Case& k : cases) {
        Calc c;
        std::string missing = c.dir.file(k.blocked ? k.blocked : "x_TLVR.RTF");
        if (k.blocked) std::filesystem::create_directory(missing);
        bool finishedSaved = false;
        RunOptions options;
        options.finishReport = [&](const CalcRunResult& saved) {
            finishedSaved = readBytes(saved.reportPath) == utf8ToGbk(saved.report.utf8());
            return k.finishFails ? "无法写入计算书文件 " + saved.reportPath : std::string();
        };
        CSlideCalcData item;
        item.checkTarget = k.checkTarget;
        CalcRunResult run = RunCalculation(item, c.ctx, "x", options);
        EXPECT_EQ(finishedSaved, !missing.ends_with("x_TLVR.RTF") || !k.blocked) << missing;
        EXPECT_EQ(std::filesystem::is_directory(missing), k.blocked != nullptr) << missing;
        const std::vector<std::string> told = c.outcomes();
        ASSERT_FALSE(told.empty());
        if (k.named.empty()) {
            EXPECT_EQ(run.result, 1);
            EXPECT_EQ(told.back(), "201 计算成功 !");
            continue;
        }
        EXPECT_EQ(run.result, 0) << missing;
        EXPECT_NE(std::find(told.begin(), told.end(), k.named + missing), told.end()) << missing;
        EXPECT_EQ(told.back(), "301 计算失败 !") << missing;
        for (const std::string& s : told) EXPECT_EQ(s.find("计算成功"), std::string::npos) << s;
    }
}
