#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "run/CalcRun.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

// The run hands its search options to the back-calculations and designs: the
// callback sees every trial, and a cancel fails the run.
TEST(SearchProgress, RunWatchesAndCancelsItsSearches) {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx{dir.path(), dir.path(), 1, &sinks, &sinks};
    CSlideCalcData item;
    item.goal = 1;
    item.designTarget = 1;  // berm height sweep, 0..10 step 1: 11 trials

    int calls = 0, lastTotal = 0;
    SearchOptions watch;
    watch.progress = [&](int, int total) {
        ++calls;
        lastTotal = total;
        return true;
    };
    RunCalculation(item, ctx, "w", watch);
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(lastTotal, 11);

    SearchOptions cancel;
    cancel.progress = [](int done, int) { return done < 3; };
    EXPECT_EQ(RunCalculation(item, ctx, "c", cancel).result, 0);
    EXPECT_EQ(sinks.statuses.back(), "301 计算失败 !");
}
