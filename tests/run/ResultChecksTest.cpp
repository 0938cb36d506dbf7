// What the run says of its own results: a pile typed in metres warns; the
// book has its cover and its pages their project and numbers. A pile row
// outside the landslide and the designs' explanations are the output
// manifest's (random items fail on the first and end at either edge of a
// design range), the original lines a failed run keeps CSlideCalcTest's.
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
    int calc(const CSlideCalcData& item, std::string* report = nullptr) {
        CSlideCalcData named = item;
        named.setName("算例");
        EXPECT_EQ(named.WriteDataFile(dir.file("item.TV")), 1);
        sinks = {};
        WorkContext ctx{dir.path(), dir.path(), 1, &sinks, &sinks};
        const ItemFileCalculation c = CalculateItemFile(dir.file("item.TV"), ctx, false, false, {});
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

}  // namespace

TEST(ResultChecks, APileTypedInMetresWarnsOfItsSizeAndItsDisplacement) {
    Cli cli;
    CSlideCalcData item;  // the worked example's pile force check
    item.checkTarget = 2;
    item.pileKinds[0].section = 1;
    item.pileKinds[0].size1 = 2.0f;
    item.pileKinds[0].size2 = 3.0f;
    std::string report;
    const int status = cli.calc(item, &report);
    EXPECT_TRUE(cli.said("pileKinds[1].size1: 第 1 种桩尺寸参数1 (以 cm 计) = 2.000 cm"))
        << cli.err();
    EXPECT_TRUE(status == 4 || status == 5) << status;
    // The limit is told as the size it is; a limit ten times too lenient would
    // let this pile pass unremarked in a model whose other figures look sane.
    EXPECT_TRUE(cli.said("超过 1000 mm，弹性地基梁的解已不可信")) << cli.err();
    EXPECT_NE(report.find("结果检查:", report.find("[本程序补充]")), std::string::npos);
    // The same pile in centimetres, the worked example's pile force check, is
    // a plain success in the output manifest.
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
        // The cover comes first, unnumbered: the report's pages are counted without it.
        const std::string n = std::to_string(pages - 1);
        for (const std::string& line :
             std::vector<std::string>{"工程名称：", "计算项目：算例", "设计依据：", "传递系数法",
                                      "GB 50330-2013", "计算：", "校核：", "审核：",
                                      "第 1 页 共 " + n + " 页", "第 " + n + " 页 共 " + n + " 页"})
            EXPECT_NE(text.find(line), std::string::npos) << line;
        EXPECT_LT(text.find("审核："), text.find("第 1 页 共 "));
    }
}
#endif
