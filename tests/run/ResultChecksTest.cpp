// What the run says of its own results: a pile row outside the landslide
// fails with its own exit status and the original report lines kept; a pile
// typed in metres warns; designs explain themselves; the book has its cover.
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CProjectInfo.h"
#include "run/ItemCalculation.h"
#include "support/TestSupport.h"
#ifdef TALVOR_RENDER
#include "render/ReportConversion.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// An item calculated from its file as `talvor-cli calc --keep-directives` does.
struct Cli {
    TempDir dir;
    RecordingSinks sinks;
    // The exit status; the report as UTF-8 text, directives kept.
    int calc(const CSlideCalcData& item, std::string* report = nullptr, bool supplement = true) {
        CSlideCalcData named = item;
        named.setName("算例");
        EXPECT_EQ(named.WriteDataFile(dir.file("item.TV")), 1);
        sinks = {};
        WorkContext ctx{dir.path(), dir.path(), 1, &sinks, &sinks};
        RunOptions options;
        options.supplement = supplement;
        const ItemFileCalculation c =
            CalculateItemFile(dir.file("item.TV"), ctx, false, false, options);
        if (report) *report = c.calc.run.report.utf8();
        return c.status;
    }
    bool said(const std::string& text) const {
        for (const std::string& s : sinks.statuses)
            if (s.find(text) != std::string::npos) return true;
        return false;
    }
    std::string err() const {
        std::string all;
        for (const std::string& s : sinks.statuses) all += s + "\n";
        return all;
    }
};

std::string supplementOf(const std::string& report) {
    const size_t at = report.find("[本程序补充]");
    return at == std::string::npos ? std::string() : report.substr(at);
}

CSlideCalcData pileCheck(int target) {
    CSlideCalcData item;
    item.goal = 0;
    item.checkTarget = target;
    item.usePiles = 1;
    return item;
}

}  // namespace

TEST(ResultChecks, PileRowOutsideTheLandslideFailsAndKeepsTheOriginalLines) {
    for (float x : {200.0f, -30.0f}) {
        for (int target : {0, 2}) {
            SCOPED_TRACE(std::to_string(x) + " target " + std::to_string(target));
            Cli cli;
            CSlideCalcData item = pileCheck(target);
            item.pileX = x;
            std::string report, original;
            EXPECT_EQ(cli.calc(item, &report), 4);
            EXPECT_TRUE(cli.said("错误: 第一排桩的定位坐标"));
            EXPECT_TRUE(cli.said("计算失败 !"));
            EXPECT_NE(supplementOf(report).find("        错误: 第一排桩的定位坐标"),
                      std::string::npos);
            EXPECT_NE(supplementOf(report).find("计算状态: 计算失败"), std::string::npos);
            // The lines before the supplement are those of the original report.
            EXPECT_EQ(cli.calc(item, &original, false), 4);
            EXPECT_EQ(report.substr(0, original.size()), original);
        }
    }
}

TEST(ResultChecks, APileTypedInMetresWarnsOfItsSizeAndItsDisplacement) {
    Cli cli;
    CSlideCalcData item = pileCheck(2);
    item.pileKinds[0].section = 1;
    item.pileKinds[0].size1 = 2.0f;
    item.pileKinds[0].size2 = 3.0f;
    std::string report;
    const int status = cli.calc(item, &report);
    EXPECT_TRUE(cli.said("pileKinds[1].size1: 第 1 种桩尺寸参数1 (以 cm 计) = 2.000 cm"))
        << cli.err();
    EXPECT_TRUE(status == 4 || status == 5) << status;
    EXPECT_TRUE(cli.said("桩顶位移") || cli.said("非有限的数")) << cli.err();
    EXPECT_NE(supplementOf(report).find("结果检查:"), std::string::npos);
    // The same pile in centimetres is a plain success.
    Cli good;
    EXPECT_EQ(good.calc(pileCheck(2)), 0) << good.err();
    EXPECT_FALSE(good.said("桩顶位移"));
}

// The failed designs' explanations (the design items under data/) are held by
// the output manifest byte for byte; these designs succeed.
TEST(ResultChecks, AWinnerIsExplainedAndAtTheEdgeOfItsRangeWarns) {
    // With piles of capacity Q the worked example's berm holds from a height
    // that falls as Q rises: 10 m for 200 kN, 8 m for 300 kN, 5 m for 600 kN.
    struct Case {
        float capacity, from;
        int status;
        const char* said;
    } cases[] = {
        {200.0f, 0.0f, 5, "反压码高度(m) 10.000 是试算范围 0.000~10.000 的上限"},
        {300.0f, 0.0f, 0, nullptr},
        {600.0f, 5.0f, 5, "反压码高度(m) 5.000 是试算范围 5.000~10.000 的下限"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        Cli cli;
        CSlideCalcData item;
        item.goal = 1;
        item.designTarget = 1;
        item.pileKinds[0].capacity = c.capacity;
        item.bermHRange = {c.from, 10.0f, 1.0f};
        std::string report;
        EXPECT_EQ(cli.calc(item, &report), c.status);
        EXPECT_EQ(cli.said("是试算范围"), c.said != nullptr);
        for (const char* line : {"满足要求且土方量最少: 反压码高度 =", "设计断面 (反压码高度 ="})
            EXPECT_NE(supplementOf(report).find(line), std::string::npos) << line;
        if (c.said) {
            EXPECT_TRUE(cli.said(std::string("401 警告: 满足要求且土方量最少的") + c.said));
            EXPECT_NE(supplementOf(report).find(c.said), std::string::npos);
        }
    }
}

#ifdef TALVOR_RENDER
TEST(ResultChecks, TheBookHasItsCoverAndTheProjectOnEveryPage) {
    for (bool named : {true, false}) {
        SCOPED_TRACE(named);
        Cli cli;
        CProjectInfo info;
        info.name = "K12滑坡抢修工程";
        if (named) {
            ASSERT_EQ(info.WriteInfoFile(cli.dir.path()), 1);
        }
        ASSERT_EQ(cli.calc(CSlideCalcData()), 0) << cli.err();
        ReportConversion book;
        book.report = cli.dir.file("item_TLVR.RTF");
        book.pdf = cli.dir.file("book.pdf");
        ASSERT_EQ(ConvertReport(book).status, 0);
        const std::optional<std::string> pdf = pdfText(book.pdf);
        if (!pdf) GTEST_SKIP() << "pdftotext is not installed";
        const std::string& text = *pdf;
        // Without an information file the project is known by its folder.
        const std::string project =
            named ? info.name
                  : std::filesystem::path(cli.dir.path()).parent_path().filename().string();
        size_t pages = 0, onPages = 0;
        for (size_t at = 0; (at = text.find('\f', at)) != std::string::npos; ++at) ++pages;
        for (size_t at = 0; (at = text.find(project, at)) != std::string::npos; ++at) ++onPages;
        EXPECT_GE(pages, 3u);
        EXPECT_GE(onPages, pages) << "the cover and every page's heading name the project";
        for (const char* line :
             {"工程名称：", "计算项目：算例", "设计依据：", "计算：", "校核：", "审核："})
            EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}
#endif
