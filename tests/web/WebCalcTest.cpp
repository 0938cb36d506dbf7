#include "web/WebCalc.h"

#include "data/CSlideCalcData.h"
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

CSlideCalcData bermDesign() {
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 1;  // berm height sweep: 11 trials
    return item;
}

#ifdef TALVOR_CLI
// The web run writes what `talvor-cli calc --keep-directives` writes, byte for
// byte, the report among them; every drawing also comes as SVG.
TEST(WebCalc, WritesWhatTheCommandLineWrites) {
    CSlideCalcData check;
    check.checkTarget = 1;
    for (CSlideCalcData item : {check, bermDesign()}) {
        CliRun cli;
        item.setName("算例");
        ASSERT_TRUE(item.WriteDataFile(cli.dir.file("item.TV")));
        // The default section draws plausibility warnings: status 3.
        ASSERT_NE(cli.run("calc item.TV --keep-directives"), 1) << cli.err();

        WebRun run = RunWebCalculation(item, "item.TV");
        EXPECT_EQ(run.result, 1);
        EXPECT_FALSE(run.reportText.empty());
        EXPECT_EQ(run.figures.goal, item.goal);
        std::set<std::string> names;
        for (const WebFile& f : run.files) {
            names.insert(f.name);
            EXPECT_EQ(f.bytes, cli.read(f.name)) << f.name;
            const bool drawing = f.name.ends_with(".DXF");
            EXPECT_EQ(f.svg.starts_with("<svg"), drawing) << f.name;
        }
        EXPECT_TRUE(names.count(run.reportName));
        std::set<std::string> written;
        for (const auto& e : std::filesystem::directory_iterator(cli.dir.path()))
            written.insert(e.path().filename().string());
        for (const char* own : {"item.TV", "stdout", "stderr"}) written.erase(own);
        EXPECT_EQ(names, written);
    }
}
#endif

TEST(WebCalc, DesignsTellTheirProgressAndStopWhenCancelled) {
    int calls = 0, total = 0;
    WebRun run = RunWebCalculation(bermDesign(), "d.TV", [&](int, int t) {
        ++calls;
        total = t;
        return true;
    });
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(total, 11);
    run = RunWebCalculation(bermDesign(), "d.TV", [](int done, int) { return done < 3; });
    EXPECT_EQ(run.result, 0);
    ASSERT_FALSE(run.status.empty());
    EXPECT_EQ(run.status.back().text, "计算失败 !");
}

}  // namespace
