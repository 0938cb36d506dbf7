// Typing into the slip table of the largest item, and pasting a hundred rows
// into it, as the calculation window does before it redraws its sketch (the
// redraw is bench_drawing's). The goal is one frame, 16 ms, for a typed cell
// and its redraw together, and 100 ms for the pasted block.
#include "MaximalItem.h"

#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_SlipCellTypedOnTheMaximalItem(benchmark::State& state) {
    CSlideCalcData item = MaximalItem();
    CTablePage page(TablePageId::Slip, item);
    int i = 0;
    for (auto _ : state) {
        const std::string text = std::to_string(0.5 + 0.01 * (i++ % 20));
        benchmark::DoNotOptimize(TableEdit::typed(TableId::CSlipTable, 5, 3, text).apply(page));
    }
}
BENCHMARK(BM_SlipCellTypedOnTheMaximalItem)->Unit(benchmark::kMicrosecond);

void BM_HundredSlipRowsPasted(benchmark::State& state) {
    std::string rows;
    for (int i = 0; i < 100; ++i) rows += std::to_string(1.0 + i * 0.01) + "\t0.5\n";
    for (auto _ : state) {
        state.PauseTiming();
        CSlideCalcData item = MaximalItem();
        item.slipCount = 1;
        CTablePage page(TablePageId::Slip, item);
        state.ResumeTiming();
        benchmark::DoNotOptimize(TableEdit::pasted(TableId::CSlipTable, 1, 2, rows).apply(page));
    }
}
BENCHMARK(BM_HundredSlipRowsPasted)->Unit(benchmark::kMillisecond);

}  // namespace
