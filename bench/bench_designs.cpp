// Timing of the design searches on the largest item the record holds: the
// 2000-trial berm and unloading sweeps, and the pile design over 100
// candidate kinds beside the single thrust pass it needs.
#include "MaximalItem.h"
#include "data/CSlideCalcData.h"
#include "designs/BermDesign.h"
#include "designs/PileDesign.h"
#include "designs/UnloadingDesign.h"
#include "engine/ThrustPass.h"
#include "platform/ReportWriter.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ThrustPass(benchmark::State& state) {
    const CSlideCalcData item = MaximalItem();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeThrust(item, nullptr, nullptr, nullptr, nullptr, nullptr));
}

// One 2000-trial sweep design per iteration, with its report.
void runSweep(benchmark::State& state,
              int (*design)(const CSlideCalcData&, ReportWriter&, const DesignEnv&)) {
    const CSlideCalcData item = MaximalItem();
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
    const CSlideCalcData item = MaximalItem();
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
