// Speed of the thrust pass: the default item, the largest section the record
// holds, and an auto-design sweep of 2000 passes over copies of it.
#include "MaximalItem.h"
#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

void BM_ThrustDefaultItem(benchmark::State& state) {
    CSlideCalcData item;
    std::array<float, 110> residual{};
    for (auto _ : state) {
        float a, b, t;
        benchmark::DoNotOptimize(ComputeThrust(item, nullptr, &a, &b, &t, residual.data()));
    }
}
BENCHMARK(BM_ThrustDefaultItem);

void BM_ThrustMaximalItem(benchmark::State& state) {
    CSlideCalcData item = MaximalItem();
    std::array<float, 110> residual{};
    for (auto _ : state) {
        float a, b, t;
        benchmark::DoNotOptimize(ComputeThrust(item, nullptr, &a, &b, &t, residual.data()));
    }
}
BENCHMARK(BM_ThrustMaximalItem);

// As an auto-design does: copy the item into the working record, change the
// trial value, run the pass.
void BM_ThrustSweep2000(benchmark::State& state) {
    const CSlideCalcData item = MaximalItem();
    CSlideCalcData work;
    for (auto _ : state) {
        float sum = 0.0f;
        for (int trial = 0; trial < 2000; ++trial) {
            work = item;
            work.bermH = 0.005f * static_cast<float>(trial);
            float a, b, t;
            sum += ComputeThrust(work, nullptr, &a, &b, &t, nullptr);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ThrustSweep2000)->Unit(benchmark::kMillisecond);

}  // namespace
