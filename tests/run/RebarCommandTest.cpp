// talvor-cli rebar: the section check's command line, and the item's
// settings shown, edited and written.
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef TALVOR_CLI

// The section check's command line (every option reaches its input); what
// it computes is the rebar tests'.
TEST(RebarCommand, SectionPrintsTheDesignOrOneCsvLine) {
    CliRun cli;
    const std::string beam =
        "rebar section --shape rect --b 0.2 --h 0.5 --concrete C30 --steel HRB400 --stirrup "
        "HPB300 --cover 25 --as 40 --as-other 40 --min-clear 25 --M 150 --V 50 --gamma0 1 "
        "--gammaF 1 --Mouter 0 --Mq 150 --crack-limit 0.2";
    EXPECT_EQ(cli.run(beam), 1);  // the crack width of this beam exceeds 0.2 mm
    EXPECT_NE(cli.out().find("需要 As = 1059 mm2"), std::string::npos) << cli.out();
    EXPECT_EQ(cli.run(beam + " --csv"), 1);
    EXPECT_NE(cli.out().find("\ncrack_exceeded,150.000,1059.3,"), std::string::npos) << cli.out();
    EXPECT_EQ(cli.run("rebar section --shape oval --b 1 --h 1 --M 1"), 2);
    EXPECT_NE(cli.err().find("rect 或 circle"), std::string::npos) << cli.err();
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
