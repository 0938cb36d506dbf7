// Opening a large project: the item list of a project of 100 items (a kind's
// most) in a folder holding the files of 100 and of 1,000 items (the others
// listed under further kinds, as a project of several kinds keeps them), each
// item with its data file, its previous version, a report and three drawings.
// Timed twice: the item list alone, and, when the desktop program is built,
// the whole program from its start until its project window with the filled
// list has been painted (offscreen). The goal is under 0.3 s.
#include "ChildCpu.h"
#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/ItemList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string makeProject(int items) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("talvor_bench_project_" + std::to_string(items));
    if (fs::exists(dir / "Talvor.PRJ")) return withTrailingSlash(dir.string());
    fs::create_directories(dir);
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(dir.string());
    CProjectData project;
    for (int n = 1; n <= items; ++n) {
        const int kind = (n - 1) / CProjectData::kMaxItems;
        project.IncludeKind(kind);
        project.itemNumbers[kind][project.itemCount[kind]++] = n;
        char base[32];
        std::snprintf(base, sizeof base, "&TLVR_%04d", n);
        CSlideCalcData item;
        item.setName("项目 " + std::to_string(n));
        item.setResult(
            0, {"计算简图", std::string(base) + "_TLVR_JT.DXF", std::string(base) + "_TLVR.RTF"});
        item.WriteDataFile(ctx.G_strWorkPath + base + ".dat");
        for (const char* suffix :
             {".BAK", "_TLVR.RTF", "_TLVR_JT.DXF", "_TLVR_JG.DXF", "_TLVR_SYXHL.DXF"})
            std::ofstream(ctx.G_strWorkPath + base + suffix) << "x";
    }
    project.SaveProject(ctx);
    return ctx.G_strWorkPath;
}

void BM_ItemListOfProject(benchmark::State& state) {
    WorkContext ctx;
    ctx.G_strWorkPath = makeProject(static_cast<int>(state.range(0)));
    CProjectData project;
    project.LoadProject(ctx);
    size_t lines = 0;
    for (auto _ : state) {
        ItemList list;
        list.RefreshItemList(project, ctx, false);
        lines = list.itemLines.size();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ItemListOfProject)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

#ifdef TALVOR_EXECUTABLE
// The desktop program on the project, with settings and lock of its own; it
// prints when its window is usable and ends. Counters: that time as the
// program measures it from main(), and the program's CPU time.
void BM_DesktopStartOnProject(benchmark::State& state) {
    const std::string project = makeProject(static_cast<int>(state.range(0)));
    const std::string home = std::filesystem::temp_directory_path() / "talvor_bench_home";
    std::filesystem::create_directories(home);
    // Qt wants its runtime directory private.
    std::filesystem::permissions(home, std::filesystem::perms::owner_all);
    const std::string cmd =
        "env QT_QPA_PLATFORM=offscreen TALVOR_STARTUP_PROBE=1 XDG_RUNTIME_DIR='" + home +
        "' XDG_CONFIG_HOME='" + home + "' '" + TALVOR_EXECUTABLE + "' '" + project + "' 2>&1";
    double windowMs = 0.0, cpuMs = 0.0;
    for (auto _ : state) {
        const double cpu0 = childCpuMs();
        FILE* out = popen(cmd.c_str(), "r");
        if (!out) continue;
        char line[256];
        while (std::fgets(line, sizeof line, out)) {
            double ms = 0.0;
            if (std::sscanf(line, "talvor: usable window after %lf ms", &ms) == 1) windowMs += ms;
        }
        pclose(out);
        cpuMs += childCpuMs() - cpu0;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["window_ms"] = windowMs / n;
    state.counters["program_cpu_ms"] = cpuMs / n;
}
BENCHMARK(BM_DesktopStartOnProject)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
#endif

}  // namespace
