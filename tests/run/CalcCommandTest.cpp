// talvor-cli calc: result files, report text on stdout, exit statuses, and an
// item file that is only read.
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "project/RtfReader.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#ifdef TALVOR_CLI
namespace {

struct Cli : CliRun {
    int operator()(const std::string& args) { return run("calc " + args); }
    std::string item(const std::string& name, CSlideCalcData item = {}) {
        if (item.goal == 0) item.checkTarget = 1;
        item.setName("算例");
        EXPECT_EQ(item.WriteDataFile(dir.file(name)), 1);
        return quoted(dir.file(name));
    }
};

}  // namespace

TEST(CalcCommand, SuccessfulRunWritesTheReportBesideTheItemAndLeavesTheItemAlone) {
    Cli cli;
    const std::string item = cli.item("slope.TV"), before = cli.read("slope.TV");
    const auto stamp = std::filesystem::last_write_time(cli.dir.file("slope.TV"));
    EXPECT_EQ(cli(item), 0);
    EXPECT_EQ(cli.read("slope.TV"), before);
    EXPECT_EQ(std::filesystem::last_write_time(cli.dir.file("slope.TV")), stamp);
    // The report as the desktop program leaves it: RTF, its sketch a picture.
    const std::string rtf = cli.read("slope_TLVR.RTF");
    EXPECT_NE(rtf.find("\\pngblip"), std::string::npos);
    std::optional<ReportDocument> report = ParseRtf(rtf);
    ASSERT_TRUE(report);
    EXPECT_NE(PlainText(*report).find("计算项目： 算例\n"), std::string::npos);
    EXPECT_EQ(PlainText(*report).find("MorvaneScript"), std::string::npos);
    EXPECT_TRUE(cli.read("stdout").empty());
    EXPECT_NE(cli.read("stderr").find("201"), std::string::npos);
}

TEST(CalcCommand, TextPrintsTheReportAsUtf8AndOutPutsTheFilesElsewhere) {
    Cli cli;
    EXPECT_EQ(cli(cli.item("slope.TV") + " --out '" + cli.dir.file("res/deep") +
                  "' --text --keep-directives"),
              0);
    const std::string report = cli.read("res/deep/slope_TLVR.RTF");
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(cli.read("stdout"), gbkToUtf8(report));
    EXPECT_FALSE(std::filesystem::exists(cli.dir.file("slope_TLVR.RTF")));
    // --no-supplement writes the report that stands before the supplement, and
    // the warnings still go to stderr.
    EXPECT_EQ(cli(cli.item("slope.TV") + " --text --no-supplement"), 0);
    const std::string original = cli.read("stdout");
    EXPECT_EQ(gbkToUtf8(report).substr(0, original.size() + 1), original + "[");
    EXPECT_NE(cli.read("stderr").find("[401] 警告: "), std::string::npos);
}

TEST(CalcCommand, FailedTargetExitsWithOneAndUnreadableItemWithTwo) {
    Cli cli;
    // A berm design of its position while piles fix that position: the
    // design refuses, the run fails, and its report stays.
    CSlideCalcData refused;
    refused.goal = refused.designTarget = refused.bermDesignMode = 1;
    const std::string failing = cli.item("bad.TV", refused);
    EXPECT_EQ(cli(failing), 1);
    EXPECT_TRUE(std::filesystem::exists(cli.dir.file("bad_TLVR.RTF")));
    EXPECT_NE(cli.read("stderr").find("301"), std::string::npos);
    // Results that cannot be placed: --out names a file, not a directory.
    EXPECT_EQ(cli(cli.item("good.TV") + " --out " + failing), 1);
    EXPECT_EQ(cli(Cli::quoted(cli.dir.file("none.TV"))), 2);
    writeBytes(cli.dir.file("other.TV"), "NOT_A_TALVOR_FILE\n1,2,3\n");
    EXPECT_EQ(cli(Cli::quoted(cli.dir.file("other.TV"))), 2);
    EXPECT_FALSE(std::filesystem::exists(cli.dir.file("other_TLVR.RTF")));
}
TEST(ProjectSummaryCommand, WritesTheTableAsCsvRtfAndPdfBesideTheProjectFile) {
    Cli cli;
    const std::string project = Cli::quoted(cli.dir.file("p"));
    ASSERT_EQ(cli.run("project " + project + " add"), 0);
    ASSERT_EQ(cli.run("project " + project + " add"), 0);
    EXPECT_EQ(cli.run("project " + project + " summary --jobs 2"), 0);
    const std::string csv = cli.read("p/Talvor_Summary.csv");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF项目编号,"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
    EXPECT_NE(gbkToUtf8(cli.read("p/Talvor_Summary.RTF")).find("rtf"), std::string::npos);
    EXPECT_TRUE(cli.read("p/Talvor_Summary.pdf").starts_with("%PDF"));
    EXPECT_EQ(cli.run("project " + Cli::quoted(cli.dir.file("none")) + " summary"), 2);
}
TEST(VerifyCommand, PassesOnTheManualAndFailsWhenOneExpectedValueIsChanged) {
    Cli cli;
    const std::string manual = TALVOR_VERIFICATION_DIR;
    EXPECT_EQ(cli.run("verify " + Cli::quoted(manual)), 0);
    EXPECT_NE(cli.read("stdout").find(" 0 failed\n"), std::string::npos);
    std::filesystem::copy(manual, cli.dir.file("v"), std::filesystem::copy_options::recursive);
    std::string expected = cli.read("v/01-planar-block/expected.txt");
    expected.replace(expected.find("1.25426"), 7, "1.25526");
    writeBytes(cli.dir.file("v/01-planar-block/expected.txt"), expected);
    EXPECT_EQ(cli.run("verify " + Cli::quoted(cli.dir.file("v"))), 1);
    EXPECT_NE(cli.read("stdout").find("不符"), std::string::npos);
}

// A typed slip ("2l.5") reads as before but is told; --strict calculates
// nothing, and the file is never rewritten.
TEST(CalcCommand, ItemWithDiagnosticsIsToldRefusedWhenStrictAndNeverRewritten) {
    Cli cli;
    cli.item("slope.TV");
    std::string text = cli.read("slope.TV");
    text.replace(text.find("25.000000"), 9, "2l.5");
    writeBytes(cli.dir.file("slope.TV"), text);
    EXPECT_EQ(cli(cli.quoted(cli.dir.file("slope.TV")) + " --strict"), 2);
    EXPECT_NE(cli.read("stderr").find("第 3 行 gammaSat: “2l.5” 不全是数, 读作 2"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(cli.dir.file("slope_TLVR.RTF")));
    EXPECT_EQ(cli(cli.quoted(cli.dir.file("slope.TV"))), 0);
    EXPECT_EQ(cli.run("import-dxf " + cli.quoted(cli.dir.file("slope.TV")) + " x.dxf"), 2);
    EXPECT_EQ(cli.read("slope.TV"), text);
}

TEST(CalcCommand, NewRefusesAnExistingFileUnlessForcedAndImportRefusesAZeroUnit) {
    Cli cli;
    writeBytes(cli.dir.file("mine.TV"), "engineer's item");
    EXPECT_EQ(cli.run("new " + cli.quoted(cli.dir.file("mine.TV"))), 1);
    EXPECT_EQ(cli.read("mine.TV"), "engineer's item");
    EXPECT_EQ(cli.run("new --force " + cli.quoted(cli.dir.file("mine.TV"))), 0);
    EXPECT_EQ(cli.read("mine.TV.BAK"), "engineer's item");
    for (const char* unit : {"0", "-1", "mm2"})
        EXPECT_EQ(
            cli.run("import-dxf " + cli.quoted(cli.dir.file("mine.TV")) + " x.dxf --unit=" + unit),
            2)
            << unit;
}
#endif
