// talvor-cli table: the command line around the tables; what a cell takes,
// warns of and shows, and what points do, are the tables' own tests.
#include "TableTestSupport.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <string>

#ifdef TALVOR_CLI
namespace {

// `talvor-cli table args`, its output kept.
struct Cli : CliRun {
    std::string out, err;
    int operator()(const std::string& args) {
        const int status = run("table " + args);
        out = CliRun::out();
        err = CliRun::err();
        return status;
    }
};

const auto quoted = &CliRun::quoted;

}  // namespace

TEST(TableCommand, RefusedCellsAreNamedNothingIsWrittenWithoutWriteAndPointsAreForLinesOnly) {
    Cli cli;
    const std::string path = cli.dir.file("item.TV");
    ASSERT_EQ(CSlideCalcData().WriteDataFile(path), 1);
    const std::string before = readBytes(path);
    EXPECT_EQ(cli(quoted(path) + " CSlipCountTable --set 1,2=150 --set 1,1=3 --set x=1"), 3);
    EXPECT_EQ(cli.out, "滑面线段数\t100\n");
    EXPECT_NE(cli.err.find("CSlipCountTable 第1行第1列不能输入"), std::string::npos);
    EXPECT_NE(cli.err.find("--set x=1"), std::string::npos);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(cli(quoted(path) + " CUnloadTable --editable --set 2,2=5"), 0);
    EXPECT_EQ(cli.out, "0\t1\n0\t1\n0\t1\n0\t1\n0\t0\n0\t0\n0\t0\n");
    EXPECT_EQ(cli(quoted(path) + " CSlipTable --set 1,2=0 --set 1,7=35 --write"), 0);
    EXPECT_EQ(cli.out.substr(0, cli.out.find('\n')),
              "1\t0.001\t2.000\t2.000\t89.97\t10.000\t35.000");
    CSlideCalcData written;
    ASSERT_EQ(written.ReadDataFile(path), 1);
    EXPECT_EQ(std::pair(written.slip[0].dx, written.slip[0].phi), std::pair(0.001f, 35.0f));
    EXPECT_EQ(cli(quoted(path)), 0);
    EXPECT_NE(cli.out.find("CPileKindTable\t抗滑桩/桩身参数\t1\n"), std::string::npos);
    // Points are shown with points and only for the section lines.
    EXPECT_EQ(cli(quoted(path) + " CWaterTable --points --set 1,2=28.5 --editable"), 0);
    EXPECT_EQ(cli.out.substr(0, cli.out.find('\n')), "0\t1\t1\t0\t0\t0\t0");
    EXPECT_EQ(cli(quoted(path) + " CSlipTable --set 3,6=abc"), 0);
    EXPECT_NE(cli.err.find("CSlipTable 第3行第6列 "), std::string::npos) << cli.err;
    EXPECT_EQ(cli(quoted(path) + " CLoadTable --points"), 64);
    // A file the reader had to guess in is shown, but never rewritten.
    std::string typo = readBytes(path);
    typo.replace(typo.find("19.000000"), 9, "19.0O0000");
    writeBytes(path, typo);
    EXPECT_EQ(cli(quoted(path) + " CBasicTable --set 1,2=20 --write"), 2);
    EXPECT_NE(cli.err.find("未改写"), std::string::npos);
    // Refused to write, it still shows the table as edited.
    EXPECT_EQ(cli.out.substr(0, cli.out.find('\n')), "滑体土重度(kN/m3)\t20.000");
    EXPECT_EQ(readBytes(path), typo);
    EXPECT_EQ(cli(quoted(path) + " CSlipCountTable"), 0);
    EXPECT_NE(cli.err.find("19.0O0000"), std::string::npos);
    EXPECT_EQ(cli(quoted(path) + " CNoTable"), 2);
    EXPECT_EQ(cli(quoted(cli.dir.file("missing.TV"))), 2);
}
#endif
