// What the picture report costs in the largest run: the 2000-trial berm
// design of the maximal item calculated (drawings and text report written),
// then its report written as RTF with the drawings as pictures. Prints the
// CPU time of each part (every thread of the process counted) and the
// pictures' share of the whole; the goal is at most 30 ms of CPU for them.
#include "MaximalItem.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "render/DrawingRenderer.h"
#include "render/ReportTextDocument.h"
#include "run/CalcRun.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <memory>

namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_BermDesignRunThenPictureRtf(benchmark::State& state) {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
    BenchWorkContext scratch;
    const WorkContext& ctx = scratch.ctx;
    double runCpu = 0.0, pictureCpu = 0.0;
    for (auto _ : state) {
        CSlideCalcData item = MaximalItem();
        item.goal = 1;
        item.designTarget = 1;
        double t0 = cpuSeconds();
        CalcRunResult run = RunCalculation(item, ctx, "max");
        double t1 = cpuSeconds();
        int missing = 0;
        benchmark::DoNotOptimize(WriteExpandedReport(
            run.reportPath, run.report.utf8(), ctx.G_strWorkPath, missing, run.drawings.get()));
        double t2 = cpuSeconds();
        runCpu += t1 - t0;
        pictureCpu += t2 - t1;
    }
    double n = static_cast<double>(state.iterations());
    state.counters["run_cpu_ms"] = runCpu / n * 1e3;
    state.counters["pictures_cpu_ms"] = pictureCpu / n * 1e3;
    state.counters["pictures_share_%"] = 100.0 * pictureCpu / (runCpu + pictureCpu);
}
BENCHMARK(BM_BermDesignRunThenPictureRtf)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
