// Hostile drawings through the command line: a block inserting itself ten
// times, two blocks inserting each other, sixteen nested arrays and a million
// lines. import-dxf, render and a report inserting them each end with a
// message or a picture. The figures are printed; the bound is the behaviour
// (a `timeout` kills a run that does not end), not a timed assertion.
#include "CliRun.h"
#include "support/DxfText.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#ifdef TALVOR_CLI
namespace {

constexpr int kTimeoutSeconds = 60;

void writeMillionLines(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << dxftext::pairs({{0, "SECTION"}, {2, "ENTITIES"}});
    for (int i = 0; i < 1'000'000; ++i) out << dxftext::line(i % 1000, i / 1000);
    out << dxftext::pairs({{0, "ENDSEC"}, {0, "EOF"}});
}

// Runs the command under `timeout`, printing its time and the largest
// resident size of any command run so far; 124 means it was killed.
int timed(CliRun& cli, const std::string& what, const std::string& args) {
    const auto start = std::chrono::steady_clock::now();
    const int status = cli.run(args, "timeout " + std::to_string(kTimeoutSeconds));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%-28s exit %3d  %6.2f s  max RSS so far %ld MB\n", what.c_str(), status, seconds,
                usage.ru_maxrss / 1024);
    return status;
}

}  // namespace

TEST(HostileDrawings, ImportRenderAndReportEndWithAMessageOrAPicture) {
    CliRun cli;
    writeBytes(cli.dir.file("fan.dxf"), dxftext::selfInsertionFan());
    writeBytes(cli.dir.file("mutual.dxf"), dxftext::mutualInsertion());
    writeBytes(cli.dir.file("arrays.dxf"), dxftext::nestedArrays());
    writeMillionLines(cli.dir.file("million.dxf"));
    ASSERT_EQ(cli.run("new item.TV"), 0);
    std::string report;
    for (const char* name : {"fan", "mutual", "arrays"}) {
        const std::string dxf = std::string(name) + ".dxf";
        EXPECT_EQ(timed(cli, std::string("import-dxf ") + name, "import-dxf item.TV " + dxf), 1);
        EXPECT_NE(cli.err().find("读取DXF失败: 图块“"), std::string::npos) << cli.err();
        EXPECT_EQ(timed(cli, std::string("render ") + name, "render " + dxf + " out.png"), 2);
        EXPECT_NE(cli.err().find("插入超过"), std::string::npos) << cli.err();
        report += "%%%[MorvaneScript%%%InsertDxf=" + dxf + "%%%MorvaneScript]%%%\n";
    }
    // The million lines hold no section line: read whole, nothing to take.
    EXPECT_EQ(timed(cli, "import-dxf million", "import-dxf item.TV million.dxf"), 1);
    EXPECT_NE(cli.err().find("没有黄色、绿色或蓝色的多义线"), std::string::npos) << cli.err();
    EXPECT_EQ(timed(cli, "render million", "render million.dxf million.png"), 0);
    EXPECT_TRUE(cli.read("million.png").starts_with("\x89PNG"));
    writeBytes(cli.dir.file("r.txt"),
               report + "%%%[MorvaneScript%%%InsertDxf=million.dxf%%%MorvaneScript]%%%\n");
    EXPECT_EQ(timed(cli, "report of all four", "report r.txt --pdf r.pdf"), 0);
    EXPECT_TRUE(cli.read("r.pdf").starts_with("%PDF"));
    EXPECT_NE(cli.err().find("3 幅图未能插入"), std::string::npos) << cli.err();
}
#endif
