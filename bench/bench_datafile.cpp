// Reading and writing the default item's data file in memory.
#include "data/CSlideCalcData.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"

#include <benchmark/benchmark.h>

static void BM_FormatDefaultItem(benchmark::State& state) {
    CSlideCalcData item;
    for (auto _ : state) benchmark::DoNotOptimize(item.FormatDataFile());
}
BENCHMARK(BM_FormatDefaultItem);

static void BM_ParseDefaultItem(benchmark::State& state) {
    CSlideCalcData item;
    std::string text = decodeFileText(item.FormatDataFile());
    for (auto _ : state) {
        LineReader in(text);
        CSlideCalcData read;
        benchmark::DoNotOptimize(read.ParseDataFile(in));
    }
}
BENCHMARK(BM_ParseDefaultItem);
