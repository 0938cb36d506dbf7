// An item file calculated as `calc` and `project calc` do, with the outcome
// and exit status each case gives; its data file is written back before the
// report takes its final form, unless its reader guessed.
#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/ItemCalculation.h"
#include "run/ResultNames.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(ItemCalculation, AnItemFileIsRefusedUnreadOrCalculatedWithTheStatusOfItsOutcome) {
    TempDir dir;
    CSlideCalcData worked, refused;
    worked.checkTarget = 1;
    // A berm design of its position while piles fix that position: the run fails.
    refused.goal = refused.designTarget = refused.bermDesignMode = 1;
    ASSERT_EQ(worked.WriteDataFile(dir.file("clean.dat")), 1);
    ASSERT_EQ(refused.WriteDataFile(dir.file("fails.dat")), 1);
    std::string guessed = readBytes(dir.file("clean.dat"));
    guessed.replace(guessed.find("25.000000"), 9, "2l.5");
    writeBytes(dir.file("guessed.dat"), guessed);
    writeBytes(dir.file("other.dat"), "NOT_A_TALVOR_FILE\n1,2,3\n");
    writeBytes(dir.file("file"), "in the way of a result folder");
    const struct {
        const char* item;
        bool strict, writeBack;
        const char* work;  // the result folder under dir
        ItemFileOutcome outcome;
        int status;
        bool rewritten;
    } cases[] = {
        {"clean.dat", true, true, "", ItemFileOutcome::Calculated, 0, true},
        {"clean.dat", false, false, "res/deep/", ItemFileOutcome::Calculated, 0, false},
        {"guessed.dat", false, true, "", ItemFileOutcome::Calculated, 0, false},
        {"guessed.dat", true, true, "", ItemFileOutcome::Refused, 2, false},
        {"other.dat", false, true, "", ItemFileOutcome::Unreadable, 2, false},
        {"none.dat", false, true, "", ItemFileOutcome::Unreadable, 2, false},
        {"clean.dat", false, false, "file/", ItemFileOutcome::NoWorkPath, 1, false},
        {"fails.dat", false, false, "", ItemFileOutcome::Calculated, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " in " + c.work);
        const std::string file = dir.file(c.item), before = readBytes(file);
        const std::string work = dir.file(c.work);
        std::error_code ec;
        std::filesystem::remove(work + ItemFileBase(file) + "_TLVR.RTF", ec);
        RecordingSinks sinks;
        WorkContext ctx{work, dir.path(), 1, &sinks, &sinks};
        // The data file is written back before the report takes its final form.
        RunOptions options;
        std::string atFinish = "not finished";
        options.finishReport = [&](const CalcRunResult&) {
            atFinish = readBytes(file);
            return std::string();
        };
        const ItemFileCalculation got =
            CalculateItemFile(file, ctx, c.strict, c.writeBack, options);
        EXPECT_EQ(got.outcome, c.outcome);
        EXPECT_EQ(got.status, c.status);
        EXPECT_EQ(readBytes(file) != before, c.rewritten);
        const bool ran = c.outcome == ItemFileOutcome::Calculated;
        EXPECT_EQ(std::filesystem::exists(work + ItemFileBase(file) + "_TLVR.RTF"), ran);
        EXPECT_EQ(got.calc.dataWritten, c.rewritten);
        if (ran) {
            EXPECT_EQ(atFinish, readBytes(file));
        }
        // What the reader guessed is known whether or not the item runs.
        if (got.opened.read) {
            EXPECT_EQ(got.opened.diagnostics.size(),
                      std::string(c.item) == "guessed.dat" ? 1u : 0u);
        }
    }
}
