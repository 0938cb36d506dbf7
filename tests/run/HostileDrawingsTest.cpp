// Hostile drawings through the command line: a block inserting itself ten
// times, two blocks inserting each other, sixteen nested arrays, polylines
// that declare two billion and a hundred million vertices in a few hundred
// bytes, and a hundred thousand lines (the million-line drawing is timed in
// bench/bench_dxf). import-dxf, render and a report inserting them each end
// with a message naming the block or entity, or a picture. The bound is the
// behaviour, not a time: `timeout` only stops a run that would never end, far
// beyond what any load makes of one.
#include "support/CliRun.h"
#include "support/DxfText.h"

#include <gtest/gtest.h>

#include <fstream>

#ifdef TALVOR_CLI
namespace {

constexpr int kTimeoutSeconds = 600;

void writeManyLines(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << dxftext::pairs({"0", "SECTION", "2", "ENTITIES"});
    for (int i = 0; i < 100'000; ++i) out << dxftext::line(i % 1000, i / 1000);
    out << dxftext::pairs({"0", "ENDSEC", "0", "EOF"});
}

// A 15 KB drawing whose second polyline declares `count` vertices.
std::string lyingPolylines(const std::string& count) {
    using namespace dxftext;
    return entities(lwpolyline("2E", "300", 300) + lwpolyline("2F", count, 400));
}

// Runs the command under `timeout`; 124 means it was killed.
int bounded(CliRun& cli, const std::string& args) {
    return cli.run(args, "timeout " + std::to_string(kTimeoutSeconds));
}

}  // namespace

TEST(HostileDrawings, ImportRenderAndReportEndWithAMessageOrAPicture) {
    CliRun cli;
    const char *block = "读取DXF失败: 图块“", *lie = "LWPOLYLINE (句柄 2F, 第 ";
    const struct {
        const char* name;
        std::string bytes;
        const char *imported, *rendered;  // what import-dxf and render say
    } drawings[] = {
        {"fan", dxftext::selfInsertionFan(), block, "插入超过"},
        {"mutual", dxftext::mutualInsertion(), block, "插入超过"},
        {"arrays", dxftext::nestedArrays(), block, "插入超过"},
        {"lie1", lyingPolylines("2147483647"), lie, "个顶点, 文件余下的"},
        {"lie2", lyingPolylines("100000000"), lie, "个顶点, 文件余下的"},
    };
    writeManyLines(cli.dir.file("many.dxf"));
    ASSERT_EQ(cli.run("new item.TV"), 0);
    std::string report;
    for (const auto& d : drawings) {
        const std::string dxf = std::string(d.name) + ".dxf";
        writeBytes(cli.dir.file(dxf), d.bytes);
        EXPECT_EQ(bounded(cli, "import-dxf item.TV " + dxf), 1);
        EXPECT_NE(cli.err().find(d.imported), std::string::npos) << cli.err();
        EXPECT_EQ(bounded(cli, "render " + dxf + " out.png"), 2);
        EXPECT_NE(cli.err().find(d.rendered), std::string::npos) << cli.err();
        report += "%%%[MorvaneScript%%%InsertDxf=" + dxf + "%%%MorvaneScript]%%%\n";
    }
    // The lines hold no section line: read whole, nothing to take.
    EXPECT_EQ(bounded(cli, "import-dxf item.TV many.dxf"), 1);
    EXPECT_NE(cli.err().find("没有黄色、绿色或蓝色的多义线"), std::string::npos) << cli.err();
    EXPECT_EQ(bounded(cli, "render many.dxf many.png"), 0);
    EXPECT_TRUE(cli.read("many.png").starts_with("\x89PNG"));
    writeBytes(cli.dir.file("r.txt"),
               report + "%%%[MorvaneScript%%%InsertDxf=many.dxf%%%MorvaneScript]%%%\n");
    // Printed with what could be had; short of five pictures, each named.
    EXPECT_EQ(bounded(cli, "report r.txt --pdf r.pdf"), 1);
    EXPECT_TRUE(cli.read("r.pdf").starts_with("%PDF"));
    EXPECT_NE(cli.err().find("5 幅图未能插入"), std::string::npos) << cli.err();
    EXPECT_NE(cli.err().find("lie2.dxf: LWPOLYLINE (句柄 2F, 第 "), std::string::npos) << cli.err();
    EXPECT_NE(cli.err().find("fan.dxf: 图块“A”"), std::string::npos) << cli.err();
}
#endif
