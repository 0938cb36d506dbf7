// talvor-cli as an engineer meets it: Chinese help and hints, commented and
// named items, the project's templates and batch runs, designs without a
// solution, and a book with every drawing and no toolkit noise.
#include "data/CSlideCalcData.h"
#include "platform/TextEncoding.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#ifdef TALVOR_CLI
namespace {

// The worked example's control line (goal, design target, check target)
// changed in its file.
void setControlLine(CliRun& cli, const std::string& name, const std::string& targets) {
    const std::string worked = "\n0,0,0,500.000000\n";
    std::string text = cli.read(name);
    const size_t at = text.find(worked);
    ASSERT_NE(at, std::string::npos) << name;
    text.replace(at, worked.size(), "\n" + targets + ",500.000000\n");
    writeBytes(cli.dir.file(name), text);
}

// The subcommand names listed under "子命令:" in a help text.
std::vector<std::string> subcommandsOf(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help.substr(help.find("子命令:\n") + 1));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.rfind("  ", 0) == 0)
        names.push_back(line.substr(2, line.find(' ', 2) - 2));
    return names;
}

}  // namespace

TEST(CliCommands, EveryHelpIsChineseAndMistypedNamesGetTheNearestOne) {
    CliRun cli;
    ASSERT_EQ(cli.run("--help"), 0);
    std::vector<std::string> helps{"", "project P"};
    for (const std::string& sub : subcommandsOf(cli.out())) helps.push_back(sub);
    ASSERT_EQ(cli.run("project P --help"), 0);
    for (const std::string& sub : subcommandsOf(cli.out())) helps.push_back("project P " + sub);
    // Two English words in a row, outside the usage line's command names, are
    // an untranslated text.
    const std::regex english("[A-Za-z]{2,} [a-z]{2,}"), usage("用法: .*\n");
    for (const std::string& command : helps) {
        ASSERT_EQ(cli.run(command + " --help"), 0) << command;
        EXPECT_NE(cli.out().find("用法:"), std::string::npos) << command;
        EXPECT_NE(cli.out().find("显示此帮助并退出"), std::string::npos) << command;
        const std::string texts = std::regex_replace(cli.out(), usage, "");
        EXPECT_FALSE(std::regex_search(texts, english)) << command << "\n" << texts;
    }
    const struct {
        const char* args;
        const char* said;
    } mistakes[] = {
        {"cacl", "没有子命令 cacl\n您是否要用 calc ?\n"},
        {"calc --txet x.TV", "没有选项 --txet\n您是否要用 --text ?\n"},
        {"project P lsit", "您是否要用 list ?\n用法见 talvor-cli project --help"},
        {"project P calc 0", "POS 的值 0 不在 1 至 100 之间"},
        {"render a.dxf", "缺少 OUT"},
    };
    for (const auto& m : mistakes) {
        EXPECT_EQ(cli.run(m.args), 64) << m.args;
        EXPECT_NE(cli.err().find(m.said), std::string::npos) << m.args << "\n" << cli.err();
    }
}

// Each command's main ends: the exit status and the line that says why (what
// lies behind them is the libraries' to test; a failed run, exit 1, and a
// design without a solution, exit 3, are the output manifest's refused berm
// position and the worked example's berm design).
TEST(CliCommands, EachCommandEndsWithItsStatusAndSaysWhy) {
    CliRun cli;
    writeBytes(cli.dir.file("mine.TV"), "engineer's item");
    const std::string beam =
        "rebar section --shape rect --b 0.2 --h 0.5 --concrete C30 --steel HRB400 --stirrup "
        "HPB300 --cover 25 --as 40 --as-other 40 --min-clear 25 --M 150 --V 50 --gamma0 1 "
        "--gammaF 1 --Mouter 0 --Mq 150 --crack-limit 0.2";
    const struct {
        std::string args;
        int status;
        const char* file;  // where it is said
        const char* said;
    } runs[] = {
        {"new mine.TV", 1, "stderr", "文件 mine.TV 已存在, 未改写 (要覆盖请加 --force)"},
        {"new --force --name 算例 mine.TV", 0, "mine.TV.BAK", "engineer's item"},
        {"calc mine.TV", 0, "stderr", "[201] 计算成功 !"},
        {"calc mine.TV --out mine.TV.BAK", 1, "stderr", "无法建立结果目录 mine.TV.BAK"},
        {"calc none.TV", 2, "stderr", "无法读取计算数据文件 none.TV"},
        {"import-dxf mine.TV x.dxf --unit=0", 2, "stderr", "绘制单位须为 m、mm、cm 或大于 0"},
        {"project none summary", 2, "stderr", "none/ 中没有工程文件 Talvor.PRJ"},
        {"verify none", 2, "stdout", "错误: none: 没有验证算例\n"},
        // Every option of the section check reaches its input.
        {beam, 1, "stdout", "需要 As = 1059 mm2"},
        {beam + " --csv", 1, "stdout", "\ncrack_exceeded,150.000,1059.3,"},
        {"rebar section --shape oval --b 1 --h 1 --M 1", 2, "stderr", "rect 或 circle"},
        {"rebar mine.TV --set cover=70 --set gammaF=9", 3, "stderr", "--set gammaF=9"},
        {"rebar none.TV", 2, "stderr", "找不到计算数据文件 none.TV"},
    };
    for (const auto& r : runs) {
        EXPECT_EQ(cli.run(r.args), r.status) << r.args << "\n" << cli.err();
        EXPECT_NE(cli.read(r.file).find(r.said), std::string::npos) << r.args << "\n" << cli.err();
    }
    // The report on stdout as UTF-8 is the saved report's GBK, wherever --out puts it.
    ASSERT_EQ(cli.run("calc mine.TV --out res/deep --text --keep-directives"), 0);
    EXPECT_NE(cli.out().find("计算项目： 算例\n"), std::string::npos);
    EXPECT_EQ(cli.out(), gbkToUtf8(cli.read("res/deep/mine_TLVR.RTF")));
}

// `new` writes the library's plain or commented item under the name given
// (the commented layout itself is the data file tests').
TEST(CliCommands, NewItemsCarryTheirNameAndComments) {
    CliRun cli;
    ASSERT_EQ(cli.run("new plain.TV"), 0);
    EXPECT_EQ(cli.read("plain.TV"), CSlideCalcData().FormatDataFile());
    ASSERT_EQ(cli.run("new --commented --name 'K12+300 左侧滑坡' commented.TV"), 0);
    CSlideCalcData named;
    named.setName("K12+300 左侧滑坡");
    EXPECT_EQ(cli.read("commented.TV"), named.FormatDataFile(DataFileStyle::Commented));
}

TEST(CliCommands, ProjectListsTemplatesMissingResultsAndDesignsWithoutASolution) {
    // Installed as the install step lays it out and run from "/": the program
    // directory is found from the program file, not the current directory.
    CliRun cli;
    namespace fs = std::filesystem;
    fs::create_directories(cli.dir.file("inst/bin"));
    fs::create_directories(cli.dir.file("inst/share"));
    fs::copy_file(TALVOR_CLI, cli.program = cli.dir.file("inst/bin/talvor-cli"));
    fs::copy(TALVOR_SHARE_DIR, cli.dir.file("inst/share/talvor"), fs::copy_options::recursive);
    cli.from = "/";
    const std::string p = "project " + CliRun::quoted(cli.dir.file("P")) + " ";
    ASSERT_EQ(cli.run(p + "templates", "-u TALVOR_PROGRAM_DIR"), 0);
    EXPECT_NE(cli.out().find("inst/share/talvor/Template/\n  1  "), std::string::npos) << cli.out();
    EXPECT_NE(cli.out().find("inst/share/talvor/TalvorPile.Dat\n1\t"), std::string::npos)
        << cli.out();
    EXPECT_EQ(cli.run(p + "templates --program-dir " + CliRun::quoted(cli.dir.file("P"))), 2);
    EXPECT_NE(cli.err().find("P/Template/ 中没有模板库"), std::string::npos) << cli.err();
    EXPECT_EQ(cli.run(p + "add --template 3", "-u TALVOR_PROGRAM_DIR"), 2);
    EXPECT_NE(cli.err().find("中没有第 3 个模板 (共 1 个"), std::string::npos) << cli.err();
    EXPECT_NE(cli.err().find("--program-dir"), std::string::npos);

    ASSERT_EQ(cli.run(p + "add"), 0);
    ASSERT_EQ(cli.run(p + "add --template 1", "-u TALVOR_PROGRAM_DIR"), 0);
    cli.from.clear();
    cli.program = TALVOR_CLI;
    setControlLine(cli, "P/&TLVR_0002.dat", "1,1,0");
    EXPECT_EQ(cli.run("project P calc 3"), 1);
    EXPECT_EQ(cli.run("project P calc"), 3);
    EXPECT_NE(cli.out().find("01  Talvor设计计算 1: 计算成功\n02  "), std::string::npos);
    EXPECT_NE(cli.err().find("以下项目没有满足要求的方案:\n    02  "), std::string::npos);
    ASSERT_EQ(cli.run("project P list"), 0);
    EXPECT_NE(cli.out().find("[&TLVR_0001_TLVR_JG.DXF (缺失), &TLVR_0001_TLVR.RTF]"),
              std::string::npos)
        << cli.out();
    EXPECT_NE(cli.out().find("[&TLVR_0001_TLVR_JT.DXF, &TLVR_0001_TLVR.RTF]"), std::string::npos);
}

// The report's pictures, its supplement and their order are the output
// manifest's (it holds every RTF of the worked example's targets); here the
// printed book of a pile force check (its sketch, its charts, its curve and
// the labelled sketch of the supplement) and the run without the supplement.
TEST(CliCommands, TheBookHoldsEveryPictureOfItsReportAndNoSupplementLeavesOne) {
    CliRun cli;
    ASSERT_EQ(cli.run("new a.TV"), 0);
    setControlLine(cli, "a.TV", "0,0,2");
    ASSERT_EQ(cli.run("calc a.TV"), 0);
    // Pictures need no runtime directory or display, and Qt says nothing.
    const std::string bare = "-u XDG_RUNTIME_DIR -u DISPLAY";
    ASSERT_EQ(cli.run("report a_TLVR.RTF --pdf a.pdf", bare), 0);
    EXPECT_EQ(occurrences(cli.read("a.pdf"), "/Subtype /Image"), 4u);
    EXPECT_EQ(cli.err(), "");
    ASSERT_EQ(cli.run("render a_TLVR_JT.DXF a.png", bare), 0);
    EXPECT_EQ(cli.err(), "");
    cli.run("calc a.TV --no-supplement");
    EXPECT_EQ(occurrences(cli.read("a_TLVR.RTF"), "\\pngblip"), 1u);
}

#endif
