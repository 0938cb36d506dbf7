// What the picture report costs in the largest run: the 2000-trial berm
// design of the maximal item calculated (drawings and text report written),
// then its report written as RTF with the drawings as pictures. Prints the
// CPU time of each part (every thread of the process counted) and the
// pictures' share of the whole; the goal is at most 30 ms of CPU for them.
// When talvor-cli is built, the same item is also calculated by whole
// `talvor-cli calc` processes, with and without the picture RTF, since a
// fresh process also pays for starting Qt, loading the fonts and mapping
// fresh memory.
#include "ChildCpu.h"
#include "MaximalItem.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "render/DrawingRenderer.h"
#include "render/ReportTextDocument.h"
#include "run/CalcRun.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

#ifdef TALVOR_CLI
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// The CPU time of one `talvor-cli calc` of the item, every thread counted.
double calcProcessCpuMs(const std::string& item, const std::string& out, const char* flags) {
    // Another build's talvor-cli may be named for a before-and-after figure.
    const char* cli =
        std::getenv("TALVOR_BENCH_CLI") ? std::getenv("TALVOR_BENCH_CLI") : TALVOR_CLI;
    const std::string cmd = std::string("'") + cli + "' calc '" + item + "' --out '" + out + "' " +
                            flags + " >/dev/null 2>&1";
    // The item has no satisfying design, which calc tells in its exit code.
    const double before = childCpuMs();
    const int status = std::system(cmd.c_str());
    if (status == -1 || !WIFEXITED(status)) return -1.0;
    return childCpuMs() - before;
}

// Each iteration runs the default calc (report as RTF with pictures) and one
// with --keep-directives (the report as written, no pictures) one after the
// other, so that both meet the same load; medians, as a loaded machine
// stretches single runs.
void BM_WholeCalcProcessWithAndWithoutPictures(benchmark::State& state) {
    BenchWorkContext scratch;
    const std::string item = scratch.dir.path() + "max.TV",
                      rtf = scratch.dir.path() + "max_TLVR.RTF";
    CSlideCalcData data = MaximalItem();
    data.goal = 1;
    data.designTarget = 1;
    if (!data.WriteDataFile(item)) return state.SkipWithError("item file not written");
    std::vector<double> with, without, extra;
    for (auto _ : state) {
        std::filesystem::remove(rtf);
        const double a = calcProcessCpuMs(item, scratch.dir.path(), "");
        if (a < 0.0 || !std::filesystem::exists(rtf))
            return state.SkipWithError("talvor-cli calc wrote no RTF");
        const double b = calcProcessCpuMs(item, scratch.dir.path(), "--keep-directives");
        if (b < 0.0) return state.SkipWithError("talvor-cli calc failed");
        with.push_back(a);
        without.push_back(b);
        extra.push_back(a - b);
    }
    state.counters["calc_cpu_ms"] = median(with);
    state.counters["keep_directives_cpu_ms"] = median(without);
    state.counters["picture_rtf_cpu_ms"] = median(extra);
}
BENCHMARK(BM_WholeCalcProcessWithAndWithoutPictures)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(21);
#endif

}  // namespace
