// The berm and unloading designs on the worked example: refusal, the search
// over the real thrust pass, the report block of the winner and its drawings.
#include "designs/BermDesign.h"

#include "DesignTestData.h"
#include "designs/UnloadingDesign.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace {

struct Harness {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    SearchSummary summary;
    DesignEnv env;
    CSlideCalcData item;
    ReportWriter report;
    Harness() {
        ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
        env.ctx = &ctx;
        env.summary = &summary;
        item.setResult(0, {"计算简图", "&TLVR_0001_TLVR_JT.DXF", "&TLVR_0001_TLVR.RTF"});
        item.setResult(1, {"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"});
    }
    int berm() { return DesignBerm(item, report, env); }
    int unloading() { return DesignUnloading(item, report, env); }
    bool drawn(const char* name) const { return std::filesystem::exists(dir.file(name)); }
    bool drawingHolds(const std::string& utf8) const {
        return readBytes(dir.file("&TLVR_0001_TLVR_JG.DXF")).find(utf8ToGbk(utf8)) !=
               std::string::npos;
    }
    // The rule written out plainly: a fresh copy per trial, the least volume
    // among the trials with Hx < Rp, the earliest on a tie.
    struct Winner {
        int best = -1;
        float value = 0.0f, volume = 0.0f;
    };
    Winner bruteForce(float CSlideCalcData::*field, const CValueRange& r, float Rp,
                      bool berm) const {
        Winner w;
        for (int i = 0; i <= static_cast<int>((r.maxValue - r.minValue) / r.step); ++i) {
            CSlideCalcData trial = item;
            trial.*field = r.minValue + static_cast<float>(i) * r.step;
            float theta, bermArea, trimmed;
            const float T = ComputeThrust(trial, nullptr, &theta, &bermArea, &trimmed, nullptr);
            const float v = berm ? bermArea : trimmed;
            if (T * std::cos(theta) < Rp && (w.best < 0 || v < w.volume)) w = {i, trial.*field, v};
        }
        return w;
    }
    bool reports(const char* fmt, float v) const {
        char line[200];
        std::snprintf(line, sizeof line, fmt, v);
        return report.utf8().find(line) != std::string::npos;
    }
};

}  // namespace

TEST(BermDesign, DesigningThePositionWithPilesIsRefusedWithAMessageBox) {
    Harness h;
    h.item.bermDesignMode = 1;
    EXPECT_EQ(h.berm(), 0);
    EXPECT_EQ(h.sinks.messages,
              std::vector<std::string>{"有桩情况下自动设计反压码的定位坐标X0无意义 !"});
    EXPECT_EQ(h.report.utf8(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
    EXPECT_EQ(h.summary.stop, SearchStop::Refused);
    EXPECT_EQ(h.summary.iterations, 0);
}

TEST(BermDesign, TheWorkedExampleRunsElevenHeightsOrThePositionsAndNoneSatisfies) {
    Harness h;
    EXPECT_EQ(h.bruteForce(&CSlideCalcData::bermH, h.item.bermHRange, 50.0f, true).best, -1);
    EXPECT_EQ(h.berm(), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    EXPECT_TRUE(h.sinks.messages.empty());
    EXPECT_EQ(h.report.utf8(), data("berm_worked_example.txt"));
    // Only the sweep is drawn when no trial satisfies.
    EXPECT_TRUE(h.drawingHolds("反压码高度(m)") && h.drawingHolds("单位宽反压码体积m3"));
    EXPECT_FALSE(h.drawn("&TLVR_0001_TLVR_JT.DXF"));
    Harness p;  // without piles the position is searched, with no capacity line
    p.item.usePiles = 0;
    p.item.bermDesignMode = 1;
    EXPECT_EQ(p.bruteForce(&CSlideCalcData::bermX, p.item.bermXRange, 0.0f, true).best, -1);
    EXPECT_EQ(p.berm(), 1);
    EXPECT_EQ(p.report.utf8(), data("berm_position.txt"));
}

TEST(BermDesign, PilesOf200KnPerMetreAreFirstReachedAtSevenMetresWhichWins) {
    // Capacity 400 kN at 2 m: Rp = 200 kN/m. Thrusts fall with the height
    // (Hx = 217.2 at 6 m, 175.3 at 7 m) while the volume grows: 7 m wins.
    Harness h;
    h.item.pileKinds[0].capacity = 400.0f;
    const auto w = h.bruteForce(&CSlideCalcData::bermH, h.item.bermHRange, 200.0f, true);
    EXPECT_EQ(h.berm(), 1);
    EXPECT_EQ(h.report.utf8(), data("berm_piles_200.txt"));
    EXPECT_EQ(w.value, 7.0f);
    EXPECT_TRUE(h.reports("        反压码的总体积 = %.3f m3\n", w.volume * 500.0f));
    EXPECT_TRUE(h.drawingHolds("水平推力kN"));
    EXPECT_TRUE(h.drawn("&TLVR_0001_TLVR_JT.DXF"));
}

TEST(BermDesign, AbsurdRangesFinishAndCancellingFailsTheRunWithoutAResult) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (CValueRange range :
         {CValueRange{10, 0, 1}, CValueRange{nan, 10, 1}, CValueRange{0, 1.0e9f, 1.0e6f}}) {
        Harness h;
        h.item.bermHRange = range;
        EXPECT_EQ(h.berm(), 1);
        EXPECT_GE(h.summary.iterations, 2);
        EXPECT_LE(h.summary.iterations, 2000);
    }
    Harness h;
    h.env.options.progress = [](int done, int) { return done < 5; };
    EXPECT_EQ(h.berm(), 0);
    EXPECT_EQ(h.summary.stop, SearchStop::Cancelled);
    EXPECT_EQ(h.summary.iterations, 5);
    EXPECT_EQ(h.report.utf8(), "自动设计反压码\n    桩所能承受的最大的滑坡推力为 50.000 kN\n");
}

TEST(BermDesign, WithoutResultNamesOrAWritableDirectoryOnlyTheDrawingIsMissing) {
    Harness h;
    h.item = CSlideCalcData{};
    h.item.pileKinds[0].capacity = 400.0f;
    EXPECT_EQ(h.berm(), 1);
    EXPECT_EQ(h.report.utf8(), data("berm_piles_200.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(h.dir.path()));
    Harness missing;
    missing.ctx.G_strWorkPath = missing.dir.path() + "missing/";
    missing.item.pileKinds[0].capacity = 400.0f;
    EXPECT_EQ(missing.berm(), 1);
    EXPECT_EQ(missing.report.utf8(), data("berm_piles_200.txt"));
}

TEST(UnloadingDesign, SearchesTheStartHeightAndTheCurveShowsTheLastTrial) {
    Harness h;  // Y from 15 to 25 in steps of 1
    std::array<float, CSlideCalcData::kResultSlots> curve{}, lastCurve{};
    h.env.residualThrust = curve.data();
    EXPECT_EQ(h.bruteForce(&CSlideCalcData::unloadY, h.item.unloadYRange, 50.0f, false).best, -1);
    EXPECT_EQ(h.unloading(), 1);
    EXPECT_EQ(h.summary.iterations, 11);
    EXPECT_EQ(h.report.utf8(), data("unloading_worked_example.txt"));
    EXPECT_TRUE(h.drawingHolds("刷方定位高度(m)") && h.drawingHolds("单位宽刷方体积m3"));
    CSlideCalcData last = h.item;
    last.unloadY = 25.0f;
    ComputeThrust(last, nullptr, nullptr, nullptr, nullptr, lastCurve.data());
    EXPECT_EQ(curve, lastCurve);
    Harness noPiles;
    noPiles.item.usePiles = 0;
    EXPECT_EQ(noPiles.unloading(), 1);
    EXPECT_EQ(noPiles.report.utf8().rfind("自动设计上部刷方减载\n      ", 0), 0u);
}

TEST(UnloadingDesign, TheLeastTrimmedVolumeAmongSatisfyingHeightsWinsNotTheFirst) {
    // Rp = 300 kN/m: Y = 15, 16 and 20 to 24 satisfy, 17 to 19 and 25 do not;
    // of those, Y = 24 trims least (19.2 m2 per metre).
    Harness h;
    h.item.pileKinds[0].capacity = 600.0f;
    const auto w = h.bruteForce(&CSlideCalcData::unloadY, h.item.unloadYRange, 300.0f, false);
    EXPECT_EQ(h.unloading(), 1);
    EXPECT_EQ(h.report.utf8(), data("unloading_piles_300.txt"));
    EXPECT_EQ(w.value, 24.0f);
    EXPECT_TRUE(h.reports("        刷方的总体积 = %.3f m3\n", w.volume * 500.0f));
}
