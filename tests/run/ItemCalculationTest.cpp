// An item opened with what its reader guessed, and calculated with its data
// file written back before the report takes its final form, unless guessed.
#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "data/ItemOpening.h"
#include "run/ItemCalculation.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

TEST(ItemCalculation, DataFileIsWrittenBackBeforeTheReportIsFinishedUnlessReadWithGuesses) {
    TempDir dir;
    const std::string file = dir.file("&TLVR_0001.dat");
    CSlideCalcData worked;
    worked.checkTarget = 1;
    ASSERT_EQ(worked.WriteDataFile(file), 1);
    const std::string clean = readBytes(file);
    std::string guessed = clean;
    guessed.replace(guessed.find("25.000000"), 9, "2l.5");
    const struct {
        const std::string* text;
        size_t guesses;
        bool writtenBack;
    } cases[] = {{&clean, 0, true}, {&guessed, 1, false}};
    for (const auto& c : cases) {
        writeBytes(file, *c.text);
        RecordingSinks sinks;
        CSlideCalcData item;
        const OpenedItem opened = OpenItemFile(file, item, &sinks);
        ASSERT_EQ(opened.read, 1);
        EXPECT_EQ(opened.diagnostics.size(), c.guesses);
        // A gammaSat read as 2 is also out of its range; both are told.
        EXPECT_EQ(sinks.statuses.size(), c.guesses + opened.ranges.size());
        EXPECT_EQ(opened.mayRewrite(), c.writtenBack);
        WorkContext ctx{dir.path(), dir.path()};
        ctx.status = &sinks;
        RunOptions options;
        std::string atFinish;
        options.finishReport = [&](const CalcRunResult&) {
            atFinish = readBytes(file);
            return std::string();
        };
        const ItemCalculation calc =
            CalculateAndWriteBack(item, ctx, "&TLVR_0001", opened.mayRewrite(), options);
        EXPECT_EQ(calc.run.result, 1);
        EXPECT_EQ(calc.dataWritten, c.writtenBack);
        EXPECT_EQ(atFinish, readBytes(file));
        EXPECT_EQ(readBytes(file).find("##ChaXun,") != std::string::npos, c.writtenBack);
        EXPECT_EQ(readBytes(file) == *c.text, !c.writtenBack);
    }
    CSlideCalcData none;
    EXPECT_FALSE(OpenItemFile(dir.file("none.dat"), none, nullptr).mayRewrite());
}
