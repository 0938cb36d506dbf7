// Timing of the design searches on the largest item the record holds: the
// 2000-trial berm and unloading sweeps, and the pile design over 100
// candidate kinds beside the single thrust pass it needs.
#include "data/CSlideCalcData.h"
#include "designs/BermDesign.h"
#include "designs/PileDesign.h"
#include "designs/UnloadingDesign.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <benchmark/benchmark.h>

namespace {

// 100 slip segments steepening towards the crest, 100 slope segments with 10
// loads each, 100 water segments, a berm, 3 unloading segments, piles, and
// every water and earthquake option on.
CSlideCalcData maximalItem() {
    CSlideCalcData item;
    constexpr int n = CSlideCalcData::kMaxSegments;
    item.slipCount = item.slopeCount = item.waterCount = n;
    for (int i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / n;
        item.slip[i].dx = 1.0f;
        item.slip[i].dy = 0.2f + 0.4f * t;
        item.slip[i].c = 8.0f + 4.0f * t;
        item.slip[i].phi = 14.0f + 6.0f * t;
        CLineSeg& g = item.slope[i];
        g.dx = 1.0f;
        g.dy = i == 0 ? 6.0f : 0.25f + 0.4f * t;
        g.loadCount = CLineSeg::kMaxLoads;
        for (int j = 0; j < CLineSeg::kMaxLoads; ++j)
            g.loads[j] = {0.09f * static_cast<float>(j + 1), 2.0f, 20.0f};
        item.water[i].dx = 1.05f;
        item.water[i].dy = 0.15f + 0.35f * t + (i % 7 == 0 ? 0.5f : 0.0f);
    }
    item.slopeX0 = 5.0f;
    item.waterX0 = -5.0f;
    item.waterY0 = 0.5f;
    item.useSeepage = 1;
    item.useConfinedWater = 1;
    item.confinedHead = 0.5f;
    item.useStaticWater = 1;
    item.quakeLevel = 2;
    item.usePiles = 1;
    item.pileX = 20.0f;
    item.pileRows = 3;
    item.pileSpacing = 1.5f;
    item.useBerm = 1;
    item.bermH = 3.0f;
    item.bermSlope = 1.5f;
    item.useUnload = 1;
    item.unloadY = 40.0f;
    item.unloadCount = 3;
    item.unloadSegs[0] = item.unloadSegs[1] = item.unloadSegs[2] = CLineSeg{};
    item.unloadSegs[0].dx = 10.0f;
    item.unloadSegs[0].dy = 1.0f;
    item.unloadSegs[1].dx = 8.0f;
    item.unloadSegs[1].dy = 4.0f;
    item.unloadSegs[2].dx = 6.0f;
    item.unloadSegs[2].dy = 20.0f;
    item.bermHRange = {0.0f, 10.0f, 0.005f};    // 2000 trials
    item.unloadYRange = {30.0f, 50.0f, 0.01f};  // 2000 trials
    item.pileKindCount = CSlideCalcData::kMaxPileKinds;
    for (int k = 0; k < item.pileKindCount; ++k)
        item.pileKinds[k].capacity = 50.0f + 10.0f * static_cast<float>(k);
    return item;
}

void BM_ThrustPass(benchmark::State& state) {
    const CSlideCalcData item = maximalItem();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, nullptr));
}

// One 2000-trial sweep design per iteration, with its report.
void runSweep(benchmark::State& state,
              int (*design)(const CSlideCalcData&, ReportWriter&, const DesignEnv&)) {
    const CSlideCalcData item = maximalItem();
    SearchSummary summary;
    DesignEnv env;
    env.summary = &summary;
    for (auto _ : state) {
        ReportWriter report;
        benchmark::DoNotOptimize(design(item, report, env));
    }
    state.counters["trials"] = summary.iterations;
}

void BM_BermSweep2000(benchmark::State& state) {
    runSweep(state, DesignBerm);
}

void BM_UnloadingSweep2000(benchmark::State& state) {
    runSweep(state, DesignUnloading);
}

void BM_PileDesign100Kinds(benchmark::State& state) {
    const CSlideCalcData item = maximalItem();
    for (auto _ : state) {
        ReportWriter report;
        benchmark::DoNotOptimize(DesignPiles(item, report, {}));
    }
}

}  // namespace

BENCHMARK(BM_ThrustPass)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_BermSweep2000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_UnloadingSweep2000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PileDesign100Kinds)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
