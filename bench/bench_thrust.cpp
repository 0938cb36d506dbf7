// Speed of the thrust pass: the default item, the largest section the record
// holds, and an auto-design sweep of 2000 passes over copies of it.
#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

// 100 slip segments, 100 slope segments with 10 loads each, 100 water
// segments, berm, 3 unloading segments, piles and every water option.
CSlideCalcData maximalItem() {
    CSlideCalcData d;
    d.slipCount = d.slopeCount = d.waterCount = 100;
    for (int i = 0; i < 100; ++i) {
        float t = static_cast<float>(i);
        d.slip[i].dx = 1.0f + 0.5f * std::sin(t);
        d.slip[i].dy = 0.1f + 0.006f * t;
        d.slope[i].dx = 1.0f + 0.3f * std::cos(t);
        d.slope[i].dy = 0.6f + 0.3f * std::sin(0.7f * t);
        d.slope[i].loadCount = 10;
        for (int k = 0; k < 10; ++k) {
            d.slope[i].loads[k].dist = 0.1f * static_cast<float>(k);
            d.slope[i].loads[k].px = 5.0f;
            d.slope[i].loads[k].py = 20.0f;
        }
        d.water[i].dx = 1.05f;
        d.water[i].dy = 0.4f + 0.2f * std::sin(1.3f * t);
    }
    d.slopeX0 = 2.0f;
    d.waterX0 = 0.0f;
    d.waterY0 = 0.5f;
    d.usePiles = 1;
    d.pileX = 3.0f;  // near the toe: the pass covers 97 blocks
    d.useBerm = 1;
    d.bermH = 3.0f;
    d.useUnload = 1;
    d.unloadY = 45.0f;
    d.unloadCount = 3;
    d.unloadSegs[0] = {};
    d.unloadSegs[0].dx = 8.0f;
    d.unloadSegs[0].dy = 1.0f;
    d.unloadSegs[1].dx = 6.0f;
    d.unloadSegs[1].dy = 4.0f;
    d.unloadSegs[2].dx = 10.0f;
    d.unloadSegs[2].dy = 9.0f;
    d.useSeepage = 1;
    d.useStaticWater = 1;
    d.useConfinedWater = 1;
    d.confinedHead = 2.0f;
    d.quakeLevel = 2;
    return d;
}

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
    CSlideCalcData item = maximalItem();
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
    const CSlideCalcData item = maximalItem();
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
