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

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
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

TEST(CliCommands, NewItemsCarryTheirNameAndCommentsAndCalculateAlike) {
    CliRun cli;
    ASSERT_EQ(cli.run("new plain.TV"), 0);
    EXPECT_EQ(cli.read("plain.TV"), CSlideCalcData().FormatDataFile());
    ASSERT_EQ(cli.run("new --commented --name 'K12+300 左侧滑坡' commented.TV"), 0);
    const std::string commented = cli.read("commented.TV");
    std::istringstream lines(commented);
    std::string line, data;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 289u);  // the original reader's line buffer
        if (line.rfind("//", 0) != 0) data += line + "\n";
    }
    EXPECT_NE(gbkToUtf8(commented).find("// 计算目标 0 验算校核 / 1 自动设计"), std::string::npos);
    EXPECT_EQ(data, std::regex_replace(cli.read("plain.TV"), std::regex("##Name,"),
                                       utf8ToGbk("##Name,K12+300 左侧滑坡")));

    // The same report but for its description line, from either file.
    ASSERT_EQ(cli.run("calc plain.TV --text"), 0);
    const std::string plainReport = cli.out();
    ASSERT_EQ(cli.run("calc commented.TV --out other --text"), 0);
    EXPECT_NE(cli.out().find("计算项目： K12+300 左侧滑坡\n"), std::string::npos);
    const auto body = [](const std::string& r, const std::string& base) {
        return std::regex_replace(r.substr(r.find("[计算简图]")), std::regex(base + "_"), "_");
    };
    EXPECT_EQ(body(cli.out(), "commented"), body(plainReport, "plain"));

    // Switched to a berm design by its control line: the piles of the worked
    // example carry too little for any berm height, which the exit status says;
    // a stronger pile kind makes the same design succeed.
    setControlLine(cli, "commented.TV", "1,1,0");
    EXPECT_EQ(cli.run("calc commented.TV"), 3);
    EXPECT_NE(cli.err().find("计算成功 !"), std::string::npos);
    EXPECT_NE(cli.err().find("没有满足要求的方案"), std::string::npos);
    std::string text = cli.read("commented.TV");
    text.replace(text.find(",100.000000,800.000000,"), 12, ",1000.000000");
    writeBytes(cli.dir.file("commented.TV"), text);
    EXPECT_EQ(cli.run("calc commented.TV"), 0);
    EXPECT_EQ(cli.err().find("没有满足要求的方案"), std::string::npos);
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

TEST(CliCommands, TheBookHoldsEveryDrawingOfItsRunUnlessTheSupplementIsLeftOut) {
    // Pile internal forces and a berm design draw charts, the worked pile
    // safety check does not; every run draws its sketch, its curve and the
    // labelled sketch of the supplement.
    const struct {
        const char* targets;
        int status;
        size_t pictures;
    } runs[] = {{"0,0,2", 0, 4}, {"1,1,0", 3, 4}, {"0,0,0", 0, 3}};
    for (const auto& r : runs) {
        CliRun cli;
        ASSERT_EQ(cli.run("new a.TV"), 0);
        setControlLine(cli, "a.TV", r.targets);
        ASSERT_EQ(cli.run("calc a.TV --text"), r.status) << r.targets;
        const std::string text = cli.out();
        const size_t supplement = text.find("[本程序补充]\n"), charts = text.find("\n[计算结果]\n"),
                     curve = text.find(
                         "\n[剩余下滑力曲线]\n%%%[MorvaneScript%%%InsertDxf=a_TLVR_SYXHL.DXF");
        EXPECT_LT(supplement, curve) << r.targets;
        if (r.pictures == 4)
            EXPECT_TRUE(supplement < charts && charts < curve) << text.substr(supplement);
        else
            EXPECT_EQ(charts, std::string::npos) << r.targets;
        EXPECT_EQ(count(cli.read("a_TLVR.RTF"), "\\pngblip"), r.pictures) << r.targets;
        // Pictures need no runtime directory or display, and Qt says nothing.
        const std::string bare = "-u XDG_RUNTIME_DIR -u DISPLAY";
        ASSERT_EQ(cli.run("report a_TLVR.RTF --pdf a.pdf", bare), 0);
        EXPECT_EQ(count(cli.read("a.pdf"), "/Subtype /Image"), r.pictures) << r.targets;
        EXPECT_EQ(cli.err(), "");
        ASSERT_EQ(cli.run("render a_TLVR_JT.DXF a.png", bare), 0);
        EXPECT_EQ(cli.err(), "");
        cli.run("calc a.TV --no-supplement");
        EXPECT_EQ(count(cli.read("a_TLVR.RTF"), "\\pngblip"), 1u) << r.targets;
    }
}

#endif
