// The berm and unloading designs on the worked example: refusal, the search
// over the real thrust pass, and the report block of the winner.
#include "designs/BermDesign.h"
#include "designs/UnloadingDesign.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

struct Expected {
    int best = -1;
    float value = 0.0f, volume = 0.0f;
    int trials = 0;
};

// The rule written out plainly: a fresh copy per trial, the least volume
// among the trials with Hx < Rp, the earliest on a tie.
Expected bruteForce(const CSlideCalcData& item, float CSlideCalcData::*field,
                    const CValueRange& range, bool berm, float Rp) {
    Expected e;
    const float step = range.step < 0.001f ? 0.001f : range.step;
    int n = static_cast<int>((range.maxValue - range.minValue) / step);
    n = std::clamp(n, 1, 1999) + 1;
    e.trials = n;
    for (int i = 0; i < n; ++i) {
        CSlideCalcData trial = item;
        trial.*field = range.minValue + static_cast<float>(i) * step;
        float theta = 0.0f, bermArea = 0.0f, trimmed = 0.0f;
        const float T = ComputeThrust(trial, nullptr, &theta, &bermArea, &trimmed, nullptr);
        const float volume = berm ? bermArea : trimmed;
        if (T * std::cos(theta) < Rp && (e.best < 0 || volume < e.volume)) {
            e.best = i;
            e.value = trial.*field;
            e.volume = volume;
        }
    }
    return e;
}

std::string format(const char* fmt, float v) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

struct Harness {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    SearchSummary summary;
    DesignEnv env;
    Harness() {
        ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
        env.ctx = &ctx;
        env.summary = &summary;
    }
};

}  // namespace

TEST(BermDesign, DesigningThePositionWithPilesIsRefusedWithAMessageBox) {
    CSlideCalcData item;  // piles on
    item.bermDesignMode = 1;
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 0);
    EXPECT_EQ(h.sinks.messages,
              std::vector<std::string>{"有桩情况下自动设计反压码的定位坐标X0无意义 !"});
    EXPECT_EQ(report.utf8(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
    EXPECT_EQ(h.summary.stop, SearchStop::Refused);
    EXPECT_EQ(h.summary.iterations, 0);
}

TEST(BermDesign, DesigningTheHeightWithPilesRunsElevenTrialsAndReportsTheLeastVolume) {
    CSlideCalcData item;  // H from 0 to 10 in steps of 1, piles of 50 kN/m
    const Expected e = bruteForce(item, &CSlideCalcData::bermH, item.bermHRange, true, 50.0f);
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    EXPECT_TRUE(h.sinks.messages.empty());
    std::string expected = "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n";
    if (e.best < 0) {
        expected += "      计算所有情况后，均不能满足要求\n";
    } else {
        expected += format("      反压码高度     = %.3f(m)时，满足要求且土方量最少\n", e.value);
        expected += "    滑坍纵向宽度 = 500.000m 范围内：\n";
        const float V = e.volume * 500.0f;
        expected += format("        反压码的总体积 = %.3f m3\n", V);
        expected += format("        反压码的总工费 = %.3f 元\n", V * 15.0f);
        expected += format("        反压码的总工期 = %.3f 人天\n", V * 0.01f);
    }
    EXPECT_EQ(report.utf8(), expected);
}

TEST(BermDesign, WithoutPilesThePositionIsSearchedAndNoCapacityLineIsWritten) {
    CSlideCalcData item;
    item.usePiles = 0;
    item.bermDesignMode = 1;
    const Expected e = bruteForce(item, &CSlideCalcData::bermX, item.bermXRange, true, 0.0f);
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 1);
    const std::string text = report.utf8();
    EXPECT_EQ(text.find("桩所能承受"), std::string::npos);
    if (e.best >= 0)
        EXPECT_NE(
            text.find(format("      反压码定位距离 = %.3f(m)时，满足要求且土方量最少\n", e.value)),
            std::string::npos)
            << text;
    else
        EXPECT_NE(text.find("      计算所有情况后，均不能满足要求\n"), std::string::npos);
}

TEST(BermDesign, AnUnsatisfiableRequirementSaysSoWithoutQuantities) {
    CSlideCalcData item;
    item.pileKinds[0].capacity = -1.0e9f;  // no trial can stay below this
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 1);
    EXPECT_TRUE(report.utf8().ends_with("      计算所有情况后，均不能满足要求\n"));
    EXPECT_EQ(report.utf8().find("滑坍纵向宽度"), std::string::npos);
}

TEST(BermDesign, AbsurdRangesFinishWithinTheFixedLimits) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    for (CValueRange range : {CValueRange{10.0f, 0.0f, 1.0f}, CValueRange{kNaN, 10.0f, 1.0f},
                              CValueRange{0.0f, 1.0e9f, 1.0e6f}}) {
        CSlideCalcData item;
        item.bermHRange = range;
        Harness h;
        ReportWriter report;
        EXPECT_EQ(DesignBerm(item, report, h.env), 1);
        EXPECT_GE(h.summary.iterations, 2);
        EXPECT_LE(h.summary.iterations, 2000);
    }
}

TEST(BermDesign, CancellingFailsTheRunAndWritesNoResult) {
    CSlideCalcData item;
    Harness h;
    h.env.options.progress = [](int done, int) { return done < 5; };
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 0);
    EXPECT_EQ(h.summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(h.summary.iterations, 5);
    EXPECT_EQ(report.utf8(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
}

TEST(BermDesign, PilesOf200KnPerMetreAreFirstReachedAtSevenMetresWhichWins) {
    // Worked example, pile capacity 400 kN at 2 m: Rp = 200 kN/m. The sweep's
    // thrusts fall with the height (Hx = 217.2 at 6 m, 175.3 at 7 m) while the
    // berm volume grows, so the lowest satisfying height, 7 m, has the least volume.
    CSlideCalcData item;
    item.pileKinds[0].capacity = 400.0f;
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignBerm(item, report, h.env), 1);
    const std::string text = report.utf8();
    EXPECT_EQ(text.rfind("自动设计反压码\n    桩所能承受的最大的滑坡推力为 200.000 kN\n"
                         "      反压码高度     = 7.000(m)时，满足要求且土方量最少\n"
                         "    滑坍纵向宽度 = 500.000m 范围内：\n        反压码的总体积 = ",
                         0),
              0u)
        << text;
}

TEST(UnloadingDesign, TheLeastTrimmedVolumeAmongSatisfyingHeightsWinsNotTheFirst) {
    // Worked example with Rp = 300 kN/m: Y = 15, 16 and 20 to 24 satisfy, 17
    // to 19 and 25 do not; of those, Y = 24 trims least (19.2 m2 per metre).
    CSlideCalcData item;
    item.pileKinds[0].capacity = 600.0f;
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignUnloading(item, report, h.env), 1);
    EXPECT_NE(report.utf8().find("      刷方定位高度     = 24.000(m)时，满足要求且土方量最少\n"),
              std::string::npos)
        << report.utf8();
}

TEST(UnloadingDesign, SearchesTheStartHeightAndReportsTheLeastTrimmedVolume) {
    CSlideCalcData item;  // Y from 15 to 25 in steps of 1
    const Expected e = bruteForce(item, &CSlideCalcData::unloadY, item.unloadYRange, false, 50.0f);
    Harness h;
    std::array<float, CSlideCalcData::kResultSlots> curve{};
    h.env.residualThrust = curve.data();
    ReportWriter report;
    EXPECT_EQ(DesignUnloading(item, report, h.env), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    std::string expected = "自动设计上部刷方减载\n    桩所能承受的最大的滑坡推力为 50.000 kN\n";
    if (e.best < 0) {
        expected += "      计算所有情况后，均不能满足要求\n";
    } else {
        expected += format("      刷方定位高度     = %.3f(m)时，满足要求且土方量最少\n", e.value);
        expected += "    滑坍纵向宽度 = 500.000m 范围内：\n";
        const float V = e.volume * 500.0f;
        expected += format("        刷方的总体积 = %.3f m3\n", V);
        expected += format("        刷方的总工费 = %.3f 元\n", V * 10.0f);
        expected += format("        刷方的总工期 = %.3f 人天\n", V * 0.01f);
    }
    EXPECT_EQ(report.utf8(), expected);
    // The curve shows the last trial, Y = 25.
    CSlideCalcData last = item;
    last.unloadY = 25.0f;
    std::array<float, CSlideCalcData::kResultSlots> lastCurve{};
    ComputeThrust(last, nullptr, nullptr, nullptr, nullptr, lastCurve.data());
    EXPECT_EQ(curve, lastCurve);
}

TEST(UnloadingDesign, WithoutPilesNoCapacityLineIsWritten) {
    CSlideCalcData item;
    item.usePiles = 0;
    Harness h;
    ReportWriter report;
    EXPECT_EQ(DesignUnloading(item, report, h.env), 1);
    EXPECT_EQ(report.utf8().rfind("自动设计上部刷方减载\n      ", 0), 0u) << report.utf8();
}
