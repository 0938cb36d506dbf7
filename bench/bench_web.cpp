// The web edition's live sketch of the largest item: a cell typed through the
// tables and the sketch redrawn as SVG with its elements, as the page does on
// every edit; the document's size is printed as a counter.
#include "MaximalItem.h"

#include "tables/TableId.h"
#include "tables/TablePage.h"
#include "web/WebSketch.h"
#include "web/WebTables.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WebEditToSketch(benchmark::State& state) {
    CSlideCalcData item = MaximalItem();
    WebTables tables(item);
    const int page = static_cast<int>(TablePageId::Slip);
    const int slip = static_cast<int>(TableId::CSlipTable);
    size_t bytes = 0, elements = 0;
    int n = 0;
    for (auto _ : state) {
        tables.type(page, slip, 50, 2, (++n % 2) ? "1.25" : "1.5");
        WebSketch sketch = MakeWebSketch(item);
        bytes = sketch.svg.size();
        elements = sketch.elements.size();
    }
    state.counters["svg_kB"] = static_cast<double>(bytes) / 1024.0;
    state.counters["elements"] = static_cast<double>(elements);
}
BENCHMARK(BM_WebEditToSketch)->Unit(benchmark::kMillisecond);

}  // namespace
