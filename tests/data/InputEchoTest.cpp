// The input echo: whole texts, in data/echo/, for the odd values that change
// which lines appear.
#include "data/InputEcho.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Change = std::function<void(CSlideCalcData&)>;

// What a case writes: the whole echo, the three countermeasure groups, or
// the first pile kind alone.
enum Part { Whole, Countermeasures, Kind };

std::string write(Part part, const CSlideCalcData& item) {
    ReportWriter report;
    if (part == Countermeasures) {
        WriteEchoPiles(item, report);
        WriteEchoBerm(item, report);
        WriteEchoUnload(item, report);
    } else {
        EXPECT_EQ(part == Whole ? WriteInputEcho(item, report)
                                : WriteEchoPileKind(item.pileKinds[0], 1, report),
                  1);
    }
    return report.utf8();
}

const struct Case {
    const char* name;
    Part part;
    Change change;
} kCases[] = {
    // The echo of every option, pile kind, design and back-calculation the
    // tables can type is held by the output manifest (its random items type
    // them); these are the odd values no table stores. Enumerations outside
    // their lists print only the lead text.
    {"pile_odd_enumerations", Countermeasures,
     [](CSlideCalcData& i) {
         i.checkTarget = 2, i.baseCondition = 5, i.elasticMethod = 7, i.thrustShape = -1;
     }},
    {"kind_odd", Kind, [](CSlideCalcData& i) { i.pileKinds[0] = {.material = 9, .section = 7}; }},
    {"design_target_odd", Whole, [](CSlideCalcData& i) { i.goal = 1, i.designTarget = 5; }},
    // Counts outside their arrays are echoed as stored, without reading past them.
    {"counts_outside", Whole,
     [](CSlideCalcData& i) {
         i.slipCount = -2, i.slopeCount = 150, i.slope[0].loadCount = 40, i.waterCount = 0;
     }},
};

}  // namespace

TEST(InputEcho, WholeTextsMatchTheirExpectedFiles) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CSlideCalcData item;
        c.change(item);
        expectSameAsFile(write(c.part, item),
                         std::string(TALVOR_TEST_DATA) + "/echo/" + c.name + ".txt");
    }
}

TEST(InputEcho, CountermeasureGroupsAnswerZeroWhenOffAndOneWithoutLinesInABackCalculation) {
    CSlideCalcData off, back;
    off.usePiles = off.useBerm = off.useUnload = 0;
    back.checkTarget = 4;
    for (const CSlideCalcData* item : {&off, &back}) {
        ReportWriter report;
        const int answer = item == &back;
        EXPECT_EQ(WriteEchoPiles(*item, report), answer);
        EXPECT_EQ(WriteEchoBerm(*item, report), answer);
        EXPECT_EQ(WriteEchoUnload(*item, report), answer);
        EXPECT_TRUE(report.empty());
    }
}
