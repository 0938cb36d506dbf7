// talvor-cli table: random edits on random items print what the tables give
// in-process and --write stores exactly the edited record; a few cases by
// hand. What a cell warns of and what points do are the tables' own tests.
#include "TableTestSupport.h"
#include "support/CliRun.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

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

std::string shown(CTableBase& t) {
    std::string s;
    for (int r = 1; r <= t.RowCount(); ++r) {
        for (int c = 1; c <= t.ColumnCount(); ++c)
            s += t.GetHangLieText(r, c) + (c < t.ColumnCount() ? "\t" : "\n");
    }
    return s;
}

}  // namespace

TEST(TableCommand, RandomEditsShowWhatTheTablesGiveAndWriteTheEditedRecord) {
    std::mt19937 rng(99);
    const std::string extra[] = {"---", "abc", "1e39", "nan", "-0", "150", "自动设计", "K法"};
    for (int i = 0; i < 12; ++i) {
        Cli cli;
        const std::string path = cli.dir.file("item.TV");
        ASSERT_EQ(randomTypedItem(rng).WriteDataFile(path), 1);
        CSlideCalcData expected;
        ASSERT_EQ(expected.ReadDataFile(path), 1);
        auto id = static_cast<TableId>(std::uniform_int_distribution<int>(0, kTableCount - 1)(rng));
        CTablePage page(pageOfTable(id), expected);
        CTableBase& table = *page.find(id);
        std::string args = quoted(path) + " " + tableName(id);
        bool refused = false;
        for (int n = std::uniform_int_distribution<int>(1, 4)(rng); n > 0; --n) {
            int row = std::uniform_int_distribution<int>(0, table.RowCount() + 1)(rng);
            int col = std::uniform_int_distribution<int>(0, table.ColumnCount())(rng);
            std::vector<std::string> items = table.GetComboItems(row, col);
            std::string text = rng() % 3 ? randomNumberText(rng) : extra[rng() % 8];
            if (!items.empty() && rng() % 2) text = items[rng() % items.size()];
            args +=
                " --set " + quoted(std::to_string(row) + "," + std::to_string(col) + "=" + text);
            refused |= !TableEdit::typed(id, row, col, text).apply(page);
        }
        SCOPED_TRACE(args);
        EXPECT_EQ(cli(args + " --write"), refused ? 3 : 0);
        EXPECT_EQ(cli.out, shown(table));
        EXPECT_EQ(readBytes(path), expected.FormatDataFile());
    }
}

TEST(TableCommand, RefusedCellsAreNamedAndNothingIsWrittenWithoutWrite) {
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
    EXPECT_EQ(cli(quoted(path) + " CSlipTable --set 1,2=0 --set 1,7=35"), 0);
    EXPECT_EQ(cli.out.substr(0, cli.out.find('\n')),
              "1\t0.001\t2.000\t2.000\t89.97\t10.000\t35.000");
    EXPECT_EQ(cli(quoted(path)), 0);
    EXPECT_NE(cli.out.find("CPileKindTable\t抗滑桩/桩身参数\t1\n"), std::string::npos);
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
TEST(TableCommand, PointsAreShownWithPointsAndOnlyForTheSectionLines) {
    Cli cli;
    const std::string path = cli.dir.file("item.TV");
    ASSERT_EQ(CSlideCalcData().WriteDataFile(path), 1);
    EXPECT_EQ(cli(quoted(path) + " CWaterTable --points --set 1,2=28.5 --editable"), 0);
    EXPECT_EQ(cli.out.substr(0, cli.out.find('\n')), "0\t1\t1\t0\t0\t0\t0");
    EXPECT_EQ(cli(quoted(path) + " CSlipTable --set 3,6=abc"), 0);
    EXPECT_NE(cli.err.find("CSlipTable 第3行第6列 "), std::string::npos) << cli.err;
    EXPECT_EQ(cli(quoted(path) + " CLoadTable --points"), 64);
}
#endif
