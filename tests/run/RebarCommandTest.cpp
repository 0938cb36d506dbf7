// talvor-cli rebar: the section check in text and CSV, and the item's
// settings shown, edited and written.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef TALVOR_CLI

namespace {

const char* const kBeam =
    "rebar section --shape rect --b 0.2 --h 0.5 --concrete C30 --steel HRB400 --stirrup HPB300 "
    "--cover 25 --as 40 --as-other 40 --min-clear 25 --M 150 --V 50 --gamma0 1 --gammaF 1";

// The value of column `name` in a two-line CSV.
std::string column(const std::string& csv, const std::string& name) {
    const size_t eol = csv.find('\n');
    const std::string head = csv.substr(0, eol), row = csv.substr(eol + 1);
    size_t h = 0, r = 0;
    for (;;) {
        const size_t hc = head.find(',', h), rc = row.find_first_of(",\n", r);
        if (head.substr(h, hc - h) == name) return row.substr(r, rc - r);
        if (hc == std::string::npos || rc == std::string::npos) return "?";
        h = hc + 1;
        r = rc + 1;
    }
}

}  // namespace

TEST(RebarCommand, SectionPrintsTheDesignOrOneCsvLine) {
    CliRun cli;
    EXPECT_EQ(cli.run(kBeam), 1);  // the crack width of this beam exceeds 0.2 mm
    EXPECT_NE(cli.out().find("需要 As = 1059 mm2"), std::string::npos) << cli.out();
    EXPECT_NE(cli.out().find("裂缝宽度超限：靠山侧"), std::string::npos);
    EXPECT_EQ(cli.run(std::string(kBeam) + " --csv"), 1);
    const std::string csv = cli.out();
    // 14.3 · 200 · 0.289880 · 460 / 360 = 1059.35 mm2 (verification case 10)
    EXPECT_NEAR(std::stod(column(csv, "As_req_mm2")), 1059.35, 0.1);
    EXPECT_EQ(column(csv, "status"), "crack_exceeded");
    EXPECT_EQ(column(csv, "bars"), "2Φ28");
    EXPECT_EQ(column(csv, "stirrups"), "Φ10@300/2肢");
    for (const char* c : {"As_prov_mm2", "w_max_mm", "Asv_s_req_mm2_per_m"})
        EXPECT_NE(column(csv, c), "?") << c;
}

TEST(RebarCommand, SectionInputThatDoesNotReadIsRefused) {
    CliRun cli;
    struct Row {
        const char* args;
        const char* said;
    } rows[] = {
        {"rebar section --shape oval --b 1 --h 1 --M 1", "rect 或 circle"},
        {"rebar section --shape rect --b 1x --h 1 --M 1", "b=1x: 不是数"},
        {"rebar section --shape rect --b 1 --M 1", "应给出 b 和 h"},
        {"rebar section --shape rect --b 1 --h 1 --concrete C10 --M 1", "C10 不是结构混凝土"},
        {"rebar section --shape rect --b 1 --h 1 --steel Q235 --M 1", "纵筋牌号 Q235"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(cli.run(r.args), 2) << r.args;
        EXPECT_NE((cli.err() + cli.out()).find(r.said), std::string::npos)
            << r.args << "\n"
            << cli.err() << cli.out();
    }
}

TEST(RebarCommand, ItemSettingsAreShownSetAndWrittenOnlyWhenAsked) {
    CliRun cli;
    writeBytes(cli.dir.file("a.TV"), "x");
    EXPECT_EQ(cli.run("rebar a.TV --set cover=70 --set bar=hrb500"), 0);
    EXPECT_NE(cli.out().find("cover=70\t"), std::string::npos);
    EXPECT_NE(cli.out().find("bar=HRB500\t"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(cli.dir.file("a.PJ")));
    EXPECT_EQ(cli.run("rebar a.TV --set cover=70 --set gammaF=9 --write"), 3);
    EXPECT_NE(cli.err().find("gammaF=9"), std::string::npos);
    EXPECT_EQ(cli.run("rebar a.TV"), 0);
    EXPECT_NE(cli.out().find("cover=70\t"), std::string::npos);
    EXPECT_NE(cli.out().find("gammaF=1.35\t"), std::string::npos);
    // A damaged file is told by line and key, and not rewritten over.
    writeBytes(cli.dir.file("a.PJ"), "cover=70\nprice=cheap\n");
    EXPECT_EQ(cli.run("rebar a.TV --set cover=80 --write"), 2);
    EXPECT_NE(cli.err().find("a.PJ 第 2 行 price"), std::string::npos) << cli.err();
    EXPECT_EQ(readBytes(cli.dir.file("a.PJ")), "cover=70\nprice=cheap\n");
    EXPECT_EQ(cli.run("rebar a.TV --set price=5000 --write"), 0);
    EXPECT_NE(readBytes(cli.dir.file("a.PJ")).find("price=5000"), std::string::npos);
    EXPECT_EQ(cli.run("rebar missing.TV"), 2);
}

#endif
